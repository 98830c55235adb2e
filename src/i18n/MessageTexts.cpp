#include "i18n/MessageTexts.h"

#include <algorithm>

namespace fv {
namespace {

constexpr const char kFormMainMsg0[] =
    "Cannot connect to Ferrovane Server, please check the connection settings.";
constexpr const char kFormMainMsg1[] = "Upload Bt Tasks Done!!";
constexpr const char kFormMainMsg2[] = "uploading";
constexpr const char kFormMainMsg3[] = "FAIL:The task list or store space is full.";
constexpr const char kFormMainMsg4[] =
    "FAIL:Cannot connect to Ferrovane Server, please check the connection settings. Or, wait a "
    "while!";
constexpr const char kFormMainMsg5[] =
    "Offline: Please click the settings button to setup FV Server Address!";
constexpr const char kFormMainMsg6[] = "Online";
constexpr const char kFormMainMsg7[] = "Information";
constexpr const char kFormMainMsg8[] =
    "Please setup the connection settings before adding download tasks.";
constexpr const char kFormMainMsg9[] = "Sent";
constexpr const char kFormMainMsg10[] = "The task already exists!";
constexpr const char kFormMainMsg11[] = "Please enable Veyra function for remote file access.";
constexpr const char kFormMainMsg12[] = "Download Path has been changed.";
constexpr const char kFormMainMsg13[] = "The disk format dose not support files more then 4G.";
constexpr const char kFormExitMsg0[] = "Leave?";
constexpr const char kFormExitMsg1[] = "There are some Bt files uploading. Are you sure to leave?";
constexpr const char kFormSetupMsg0[] = "Searching...";
constexpr const char kFormSetupMsg1[] = "Server found";
constexpr const char kFormSetupMsg2[] = "Server is not found";
constexpr const char kFormSetupMsg3[] = "The Connection is successful";
constexpr const char kFormSetupMsg4[] = "Invalid username or password";
constexpr const char kFormSetupMsg5[] = "Server is connected, but is login by another user";
constexpr const char kFormSetupMsg6[] =
    "The connection is fail, please check Server Address Settings or your network environment";
constexpr const char kFormSetupMsg7[] = "Settings";
constexpr const char kFormSetupMsg8[] = "Testing";
constexpr const char kFormSetupMsg9[] = "Please key in the USENET Server address.";
constexpr const char kFormSetupMsg10[] = "Please key in the USENET Server port.";
constexpr const char kFormSetupMsg11[] = "Please key in the username.";
constexpr const char kFormSetupMsg12[] = "Please key in the password.";
constexpr const char kFormSetupMsg13[] = "Please check the password!";
constexpr const char kFormSetupMsg14[] = "Connect Error! Please try again.";
constexpr const char kFormSetupMsg15[] = "Ferrovane is maybe not installed on the server.";
constexpr const char kFormSetupMsg16[] = "Ferrovane is disable on the server.";
constexpr const char kFormSetupMsg17[] = "You maybe not Plug the USB dongle!";
constexpr const char kFormSetupMsg18[] = "Maybe,you Should update to latest on the server.";
constexpr const char kFormSetupMsg19[] = "maybe wrong Auth. Method/Port.";
constexpr const char kFormBtSelectMsg0[] = "Bt Select";
constexpr const char kFormBtSelectMsg1[] = "Wrong Format of Bt File.";
constexpr const char kFormProgressMsg0[] = "connecting";
constexpr const char kFormUpdateMag0[] = "Checking version";
constexpr const char kFormUpdateMag1[] = "Downloading";
constexpr const char kFormUpdateMag2[] = "Check Done";
constexpr const char kFormUpdateMag3[] =
    "The latest Utility is available now. If you want to update Utility now, please click the "
    "update button.";
constexpr const char kFormUpdateMag4[] = "The Utility is the latest version.";
constexpr const char kFormUpdateMag5[] = "No Internet connected.";
constexpr const char kFormShareMsg0[] =
    "The router's certificate has changed since it was first trusted, so no share link was "
    "asked for. If the router was not reset or replaced, someone may be intercepting the "
    "connection. To trust the new certificate, remove the router's line from FVSharePins.txt "
    "beside FVSetup.xml.";

constexpr std::array<MessageTexts::Entry, MessageTexts::kCount> kTable = {{
    {"FormMainMsg0", Msg::FormMainMsg0, kFormMainMsg0},
    {"FormMainMsg1", Msg::FormMainMsg1, kFormMainMsg1},
    {"FormMainMsg2", Msg::FormMainMsg2, kFormMainMsg2},
    {"FormMainMsg3", Msg::FormMainMsg3, kFormMainMsg3},
    {"FormMainMsg4", Msg::FormMainMsg4, kFormMainMsg4},
    {"FormMainMsg5", Msg::FormMainMsg5, kFormMainMsg5},
    {"FormMainMsg6", Msg::FormMainMsg6, kFormMainMsg6},
    {"FormMainMsg7", Msg::FormMainMsg7, kFormMainMsg7},
    {"FormMainMsg8", Msg::FormMainMsg8, kFormMainMsg8},
    {"FormMainMsg9", Msg::FormMainMsg9, kFormMainMsg9},
    {"FormMainMsg10", Msg::FormMainMsg10, kFormMainMsg10},
    {"FormMainMsg11", Msg::FormMainMsg11, kFormMainMsg11},
    {"FormMainMsg12", Msg::FormMainMsg12, kFormMainMsg12},
    {"FormMainMsg13", Msg::FormMainMsg13, kFormMainMsg13},
    {"FormExitMsg0", Msg::FormExitMsg0, kFormExitMsg0},
    {"FormExitMsg1", Msg::FormExitMsg1, kFormExitMsg1},
    {"FormSetupMsg0", Msg::FormSetupMsg0, kFormSetupMsg0},
    {"FormSetupMsg1", Msg::FormSetupMsg1, kFormSetupMsg1},
    {"FormSetupMsg2", Msg::FormSetupMsg2, kFormSetupMsg2},
    {"FormSetupMsg3", Msg::FormSetupMsg3, kFormSetupMsg3},
    {"FormSetupMsg4", Msg::FormSetupMsg4, kFormSetupMsg4},
    {"FormSetupMsg5", Msg::FormSetupMsg5, kFormSetupMsg5},
    {"FormSetupMsg6", Msg::FormSetupMsg6, kFormSetupMsg6},
    {"FormSetupMsg7", Msg::FormSetupMsg7, kFormSetupMsg7},
    {"FormSetupMsg8", Msg::FormSetupMsg8, kFormSetupMsg8},
    {"FormSetupMsg9", Msg::FormSetupMsg9, kFormSetupMsg9},
    {"FormSetupMsg10", Msg::FormSetupMsg10, kFormSetupMsg10},
    {"FormSetupMsg11", Msg::FormSetupMsg11, kFormSetupMsg11},
    {"FormSetupMsg12", Msg::FormSetupMsg12, kFormSetupMsg12},
    {"FormSetupMsg13", Msg::FormSetupMsg13, kFormSetupMsg13},
    {"FormSetupMsg14", Msg::FormSetupMsg14, kFormSetupMsg14},
    {"FormSetupMsg15", Msg::FormSetupMsg15, kFormSetupMsg15},
    {"FormSetupMsg16", Msg::FormSetupMsg16, kFormSetupMsg16},
    {"FormSetupMsg17", Msg::FormSetupMsg17, kFormSetupMsg17},
    {"FormSetupMsg18", Msg::FormSetupMsg18, kFormSetupMsg18},
    {"FormSetupMsg19", Msg::FormSetupMsg19, kFormSetupMsg19},
    {"FormBtSelectMsg0", Msg::FormBtSelectMsg0, kFormBtSelectMsg0},
    {"FormBtSelectMsg1", Msg::FormBtSelectMsg1, kFormBtSelectMsg1},
    {"FormProgressMsg0", Msg::FormProgressMsg0, kFormProgressMsg0},
    {"FormUpdateMag0", Msg::FormUpdateMag0, kFormUpdateMag0},
    {"FormUpdateMag1", Msg::FormUpdateMag1, kFormUpdateMag1},
    {"FormUpdateMag2", Msg::FormUpdateMag2, kFormUpdateMag2},
    {"FormUpdateMag3", Msg::FormUpdateMag3, kFormUpdateMag3},
    {"FormUpdateMag4", Msg::FormUpdateMag4, kFormUpdateMag4},
    {"FormUpdateMag5", Msg::FormUpdateMag5, kFormUpdateMag5},
    {"FormShareMsg0", Msg::FormShareMsg0, kFormShareMsg0},
}};

}  // namespace

const std::array<MessageTexts::Entry, MessageTexts::kCount>& MessageTexts::table() {
    return kTable;
}

const MessageTexts& MessageTexts::english() {
    static const MessageTexts texts;
    return texts;
}

MessageTexts::MessageTexts() {
    for (const Entry& e : kTable)
        set(e.msg, QString::fromUtf8(e.englishDefault));
}

int MessageTexts::apply(const std::map<QString, QString>& section) {
    int found = 0;
    for (const Entry& e : kTable) {
        const QString key = QString::fromLatin1(e.key);
        auto it = section.find(key);
        if (it == section.end()) {
            it = std::find_if(section.begin(), section.end(), [&](const auto& kv) {
                return kv.first.compare(key, Qt::CaseInsensitive) == 0;
            });
        }
        if (it == section.end()) {
            set(e.msg, QString::fromUtf8(e.englishDefault));
            continue;
        }
        set(e.msg, it->second);
        ++found;
    }
    return found;
}

int MessageTexts::apply(const IniSection& section) {
    int found = 0;
    for (const Entry& e : kTable) {
        const std::optional<QString> value = section.value(e.key);
        set(e.msg, value.value_or(QString::fromUtf8(e.englishDefault)));
        found += value ? 1 : 0;
    }
    return found;
}

void MessageTexts::update(const MessageTexts& other) {
    for (const Entry& e : kTable)
        if ((*this)[e.msg] != other[e.msg])
            set(e.msg, other[e.msg]);
}

}  // namespace fv
