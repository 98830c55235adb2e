#include "i18n/Messages.h"

#include <array>

namespace fv::msg {
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

}  // namespace

QString FormMainMsg0 = QString::fromUtf8(kFormMainMsg0);
QString FormMainMsg1 = QString::fromUtf8(kFormMainMsg1);
QString FormMainMsg2 = QString::fromUtf8(kFormMainMsg2);
QString FormMainMsg3 = QString::fromUtf8(kFormMainMsg3);
QString FormMainMsg4 = QString::fromUtf8(kFormMainMsg4);
QString FormMainMsg5 = QString::fromUtf8(kFormMainMsg5);
QString FormMainMsg6 = QString::fromUtf8(kFormMainMsg6);
QString FormMainMsg7 = QString::fromUtf8(kFormMainMsg7);
QString FormMainMsg8 = QString::fromUtf8(kFormMainMsg8);
QString FormMainMsg9 = QString::fromUtf8(kFormMainMsg9);
QString FormMainMsg10 = QString::fromUtf8(kFormMainMsg10);
QString FormMainMsg11 = QString::fromUtf8(kFormMainMsg11);
QString FormMainMsg12 = QString::fromUtf8(kFormMainMsg12);
QString FormMainMsg13 = QString::fromUtf8(kFormMainMsg13);
QString FormExitMsg0 = QString::fromUtf8(kFormExitMsg0);
QString FormExitMsg1 = QString::fromUtf8(kFormExitMsg1);
QString FormSetupMsg0 = QString::fromUtf8(kFormSetupMsg0);
QString FormSetupMsg1 = QString::fromUtf8(kFormSetupMsg1);
QString FormSetupMsg2 = QString::fromUtf8(kFormSetupMsg2);
QString FormSetupMsg3 = QString::fromUtf8(kFormSetupMsg3);
QString FormSetupMsg4 = QString::fromUtf8(kFormSetupMsg4);
QString FormSetupMsg5 = QString::fromUtf8(kFormSetupMsg5);
QString FormSetupMsg6 = QString::fromUtf8(kFormSetupMsg6);
QString FormSetupMsg7 = QString::fromUtf8(kFormSetupMsg7);
QString FormSetupMsg8 = QString::fromUtf8(kFormSetupMsg8);
QString FormSetupMsg9 = QString::fromUtf8(kFormSetupMsg9);
QString FormSetupMsg10 = QString::fromUtf8(kFormSetupMsg10);
QString FormSetupMsg11 = QString::fromUtf8(kFormSetupMsg11);
QString FormSetupMsg12 = QString::fromUtf8(kFormSetupMsg12);
QString FormSetupMsg13 = QString::fromUtf8(kFormSetupMsg13);
QString FormSetupMsg14 = QString::fromUtf8(kFormSetupMsg14);
QString FormSetupMsg15 = QString::fromUtf8(kFormSetupMsg15);
QString FormSetupMsg16 = QString::fromUtf8(kFormSetupMsg16);
QString FormSetupMsg17 = QString::fromUtf8(kFormSetupMsg17);
QString FormSetupMsg18 = QString::fromUtf8(kFormSetupMsg18);
QString FormSetupMsg19 = QString::fromUtf8(kFormSetupMsg19);
QString FormBtSelectMsg0 = QString::fromUtf8(kFormBtSelectMsg0);
QString FormBtSelectMsg1 = QString::fromUtf8(kFormBtSelectMsg1);
QString FormProgressMsg0 = QString::fromUtf8(kFormProgressMsg0);
QString FormUpdateMag0 = QString::fromUtf8(kFormUpdateMag0);
QString FormUpdateMag1 = QString::fromUtf8(kFormUpdateMag1);
QString FormUpdateMag2 = QString::fromUtf8(kFormUpdateMag2);
QString FormUpdateMag3 = QString::fromUtf8(kFormUpdateMag3);
QString FormUpdateMag4 = QString::fromUtf8(kFormUpdateMag4);
QString FormUpdateMag5 = QString::fromUtf8(kFormUpdateMag5);

namespace {

const std::array kEntries = {
    Entry{"FormMainMsg0", &FormMainMsg0, kFormMainMsg0},
    Entry{"FormMainMsg1", &FormMainMsg1, kFormMainMsg1},
    Entry{"FormMainMsg2", &FormMainMsg2, kFormMainMsg2},
    Entry{"FormMainMsg3", &FormMainMsg3, kFormMainMsg3},
    Entry{"FormMainMsg4", &FormMainMsg4, kFormMainMsg4},
    Entry{"FormMainMsg5", &FormMainMsg5, kFormMainMsg5},
    Entry{"FormMainMsg6", &FormMainMsg6, kFormMainMsg6},
    Entry{"FormMainMsg7", &FormMainMsg7, kFormMainMsg7},
    Entry{"FormMainMsg8", &FormMainMsg8, kFormMainMsg8},
    Entry{"FormMainMsg9", &FormMainMsg9, kFormMainMsg9},
    Entry{"FormMainMsg10", &FormMainMsg10, kFormMainMsg10},
    Entry{"FormMainMsg11", &FormMainMsg11, kFormMainMsg11},
    Entry{"FormMainMsg12", &FormMainMsg12, kFormMainMsg12},
    Entry{"FormMainMsg13", &FormMainMsg13, kFormMainMsg13},
    Entry{"FormExitMsg0", &FormExitMsg0, kFormExitMsg0},
    Entry{"FormExitMsg1", &FormExitMsg1, kFormExitMsg1},
    Entry{"FormSetupMsg0", &FormSetupMsg0, kFormSetupMsg0},
    Entry{"FormSetupMsg1", &FormSetupMsg1, kFormSetupMsg1},
    Entry{"FormSetupMsg2", &FormSetupMsg2, kFormSetupMsg2},
    Entry{"FormSetupMsg3", &FormSetupMsg3, kFormSetupMsg3},
    Entry{"FormSetupMsg4", &FormSetupMsg4, kFormSetupMsg4},
    Entry{"FormSetupMsg5", &FormSetupMsg5, kFormSetupMsg5},
    Entry{"FormSetupMsg6", &FormSetupMsg6, kFormSetupMsg6},
    Entry{"FormSetupMsg7", &FormSetupMsg7, kFormSetupMsg7},
    Entry{"FormSetupMsg8", &FormSetupMsg8, kFormSetupMsg8},
    Entry{"FormSetupMsg9", &FormSetupMsg9, kFormSetupMsg9},
    Entry{"FormSetupMsg10", &FormSetupMsg10, kFormSetupMsg10},
    Entry{"FormSetupMsg11", &FormSetupMsg11, kFormSetupMsg11},
    Entry{"FormSetupMsg12", &FormSetupMsg12, kFormSetupMsg12},
    Entry{"FormSetupMsg13", &FormSetupMsg13, kFormSetupMsg13},
    Entry{"FormSetupMsg14", &FormSetupMsg14, kFormSetupMsg14},
    Entry{"FormSetupMsg15", &FormSetupMsg15, kFormSetupMsg15},
    Entry{"FormSetupMsg16", &FormSetupMsg16, kFormSetupMsg16},
    Entry{"FormSetupMsg17", &FormSetupMsg17, kFormSetupMsg17},
    Entry{"FormSetupMsg18", &FormSetupMsg18, kFormSetupMsg18},
    Entry{"FormSetupMsg19", &FormSetupMsg19, kFormSetupMsg19},
    Entry{"FormBtSelectMsg0", &FormBtSelectMsg0, kFormBtSelectMsg0},
    Entry{"FormBtSelectMsg1", &FormBtSelectMsg1, kFormBtSelectMsg1},
    Entry{"FormProgressMsg0", &FormProgressMsg0, kFormProgressMsg0},
    Entry{"FormUpdateMag0", &FormUpdateMag0, kFormUpdateMag0},
    Entry{"FormUpdateMag1", &FormUpdateMag1, kFormUpdateMag1},
    Entry{"FormUpdateMag2", &FormUpdateMag2, kFormUpdateMag2},
    Entry{"FormUpdateMag3", &FormUpdateMag3, kFormUpdateMag3},
    Entry{"FormUpdateMag4", &FormUpdateMag4, kFormUpdateMag4},
    Entry{"FormUpdateMag5", &FormUpdateMag5, kFormUpdateMag5},
};

}  // namespace

const Entry* begin() {
    return kEntries.data();
}
const Entry* end() {
    return kEntries.data() + kEntries.size();
}

void resetToEnglish() {
    for (const Entry& e : kEntries)
        *e.text = QString::fromUtf8(e.englishDefault);
}

}  // namespace fv::msg
