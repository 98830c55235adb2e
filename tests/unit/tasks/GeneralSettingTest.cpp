#include <gtest/gtest.h>

#include "TaskTestDoubles.h"
#include "platform/DebugLog.h"
#include "tasks/GeneralSettingsRead.h"

namespace fv {
namespace {

using Values = GeneralSettingsValues::Values;

std::string generalReply(const std::string& item6, const std::string& item15, int count = 16) {
    std::string text = "[";
    for (int i = 0; i < count; ++i) {
        std::string item = i == 6 ? item6 : i == 15 ? item15 : "v" + std::to_string(i);
        text += (i ? "," : "") + std::string("\"") + item + "\"";
    }
    return text + "]";
}

TEST(GeneralSetting, ParseReturnTextTable) {
    const Values old{QStringLiteral("oldDisk"), QStringLiteral("\\old"), QStringLiteral("oldName")};
    const struct {
        const char* what;
        std::string reply;
        Values expected;
        bool logsShort;
    } cases[] = {
        {"usual folder",
         generalReply("/tmp/mnt/sda1/Download/Complete", "Router-1"),
         {"sda1", "\\Download\\Complete", "Router-1"},
         false},
        {"one folder", generalReply("/tmp/mnt/sdb2/Data", "R2"), {"sdb2", "\\Data", "R2"}, false},
        {"disk without folder", generalReply("/tmp/mnt/sdc1", "R3"), {"", "sdc1", "R3"}, false},
        {"short item 6", generalReply("/a", "R4"), {"", "", "R4"}, false},
        {"name with blanks, quoted",
         generalReply("/tmp/mnt/sda1/x", "My Router, 2"),
         {"sda1", "\\x", "My Router, 2"},
         false},
        {"10 items keep the old values", generalReply("/tmp/mnt/sda1/x", "N", 10), old, false},
        {"3 items keep them and log", generalReply("/tmp/mnt/sda1/x", "N", 3), old, true},
        {"empty reply", "", old, true},
    };
    for (const auto& c : cases) {
        LogCapture log;
        GeneralSettingsValues values;
        values.set(old);
        GeneralSettingsRead::parseReturnText(c.reply, values);
        EXPECT_EQ(values.get().DownloadDisk, c.expected.DownloadDisk) << c.what;
        EXPECT_EQ(values.get().DownloadFolder, c.expected.DownloadFolder) << c.what;
        EXPECT_EQ(values.get().GeneralRouterName, c.expected.GeneralRouterName) << c.what;
        EXPECT_EQ(log.contains("TFVPageGeneralSettingThread::ParseReturnText():<6"), c.logsShort)
            << c.what;
    }
}

TEST(GeneralSetting, FailureRulesForTheSession) {
    const struct {
        const char* failure;
        bool sessionKept;
    } cases[] = {
        {"HTTP/1.1 307 Temporary Redirect", false},
        {"Socket Error # 10061 Connection refused.", true},
        {"timed out", true},
    };
    for (const auto& c : cases) {
        LogCapture log;
        test::FakeGateway gateway(
            [&](const RouterRequest&) { return test::FakeGateway::failure(c.failure); });
        SettingsRecords records;
        records.setSessionTokenHeader(QStringLiteral("Cookie: AuthByPasswd=abc"));
        GeneralSettingsValues values;
        GeneralSettingsRead worker(gateway, records, values);
        EXPECT_FALSE(worker.execute());
        EXPECT_EQ(!records.sessionTokenHeader().isEmpty(), c.sessionKept) << c.failure;
        EXPECT_TRUE(log.contains(std::string("TFVPageGeneralSettingThread - http connect fault!; "
                                             "E.Message = ") +
                                 c.failure));
        ASSERT_EQ(gateway.requests().size(), 1u);
        const RouterRequest r = gateway.requests()[0];
        EXPECT_EQ(r.pathAndQuery,
                  "//ferrovane//fv_apply.cgi?action_mode=initial&download_type=General&t=7");
        EXPECT_EQ(r.connectTimeoutMs, 2000);
        EXPECT_EQ(r.readTimeoutMs, 2000);
        EXPECT_FALSE(r.loginFirst);
    }
}

TEST(GeneralSetting, SuccessStoresTheValues) {
    test::FakeGateway gateway([](const RouterRequest&) {
        return test::FakeGateway::ok(generalReply("/tmp/mnt/sda1/D", "Box"));
    });
    SettingsRecords records;
    GeneralSettingsValues values;
    EXPECT_TRUE(GeneralSettingsRead(gateway, records, values).execute());
    EXPECT_EQ(values.get(), (Values{"sda1", "\\D", "Box"}));
}

}  // namespace
}  // namespace fv
