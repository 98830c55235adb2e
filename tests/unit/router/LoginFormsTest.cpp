// The setup area as the login sees it: which entries it reads, which host it asks, and the
// outcome table applied to the form-state model.
#include <gtest/gtest.h>

#include "QtPrinters.h"

#include <QCoreApplication>
#include <QThread>

#include "i18n/MessageTexts.h"
#include "router/LoginForms.h"
#include "router/SetupControlNames.h"

namespace fv {
namespace {

namespace n = setup_names;

struct ReportCase {
    const char* name;
    LoginReport report;
    bool wizard;
    QString pageText;    // null: label untouched
    QString wizardText;  // null: labels untouched
    int serviceEnabled;  // 1 enabled, 0 disabled, -1 unchanged (left at its start value)
    bool focusPassword;
    bool finishShown;
};

std::vector<ReportCase> reportCases() {
    using O = LoginOutcome;
    using C = LoginCheck;
    const QString kHint = QStringLiteral(", ") + MessageTexts::english()[Msg::FormSetupMsg18];
    return {
        {"loginSuccess",
         {C::Login, O::Success, 0},
         false,
         MessageTexts::english()[Msg::FormSetupMsg3],
         QString(),
         1,
         false,
         false},
        {"loginSuccessWizard",
         {C::Login, O::Success, 0},
         true,
         MessageTexts::english()[Msg::FormSetupMsg3],
         MessageTexts::english()[Msg::FormSetupMsg3],
         1,
         false,
         true},
        {"loginRejectedOld",
         {C::Login, O::Rejected, 103},
         false,
         MessageTexts::english()[Msg::FormSetupMsg4] + kHint,
         QString(),
         0,
         true,
         false},
        {"loginRejectedNew",
         {C::Login, O::Rejected, 104},
         true,
         MessageTexts::english()[Msg::FormSetupMsg4],
         MessageTexts::english()[Msg::FormSetupMsg4],
         0,
         true,
         false},
        {"loginBusyWizard",
         {C::Login, O::Busy, 0},
         true,
         MessageTexts::english()[Msg::FormSetupMsg5],
         MessageTexts::english()[Msg::FormSetupMsg4] + kHint,
         0,
         true,
         false},
        {"loginOtherWizard",
         {C::Login, O::OtherFailure, 200},
         true,
         MessageTexts::english()[Msg::FormSetupMsg6],
         MessageTexts::english()[Msg::FormSetupMsg4],
         -1,
         true,
         false},
        {"accountSuccess",
         {C::AccountCheck, O::Success, 0},
         true,
         QString(),
         QString(),
         -1,
         false,
         false},
        {"accountRejected",
         {C::AccountCheck, O::Rejected, 0},
         false,
         MessageTexts::english()[Msg::FormSetupMsg4] + kHint,
         QString(),
         0,
         true,
         false},
        {"accountBusy",
         {C::AccountCheck, O::Busy, 105},
         false,
         MessageTexts::english()[Msg::FormSetupMsg5],
         QString(),
         0,
         true,
         false},
    };
}

class LoginReportTable : public ::testing::TestWithParam<ReportCase> {};

TEST_P(LoginReportTable, AppliedToForm) {
    const ReportCase c = GetParam();
    FormState f;
    const QString untouched = "untouched";
    for (const char* label : {n::TestMessage, n::WizardFailure1, n::WizardFailure2}) {
        f.setText(label, untouched);
        f.setVisible(label, false);
    }
    f.setEnabled(n::ServiceEnable, false);  // start value distinct from "enabled"
    f.setEnabled(n::ServiceDisable, false);
    f.setEnabled(n::ServiceEnable, c.serviceEnabled == 0);
    f.setEnabled(n::ServiceDisable, c.serviceEnabled == 0);
    const bool startEnabled = f.enabled(n::ServiceEnable);

    LoginForms::applyReport(f, c.report, c.wizard);

    EXPECT_EQ(f.text(n::TestMessage), c.pageText.isNull() ? untouched : c.pageText);
    EXPECT_EQ(f.visible(n::TestMessage), !c.pageText.isNull());
    for (const char* label : {n::WizardFailure1, n::WizardFailure2}) {
        EXPECT_EQ(f.text(label), c.wizardText.isNull() ? untouched : c.wizardText) << label;
        EXPECT_EQ(f.visible(label), !c.wizardText.isNull()) << label;
    }
    const bool expectedEnabled = c.serviceEnabled < 0 ? startEnabled : c.serviceEnabled == 1;
    EXPECT_EQ(f.enabled(n::ServiceEnable), expectedEnabled);
    EXPECT_EQ(f.enabled(n::ServiceDisable), expectedEnabled);
    EXPECT_EQ(f.text(n::ActiveControl) == n::Password, c.focusPassword);
    EXPECT_EQ(f.has(n::FinishButton), c.finishShown);
    if (c.finishShown) {
        EXPECT_TRUE(f.visible(n::FinishButton));
        EXPECT_FALSE(f.visible(n::NextButton));
        EXPECT_FALSE(f.visible(n::OkButton));
        EXPECT_FALSE(f.visible(n::SkipPanel));
    }
}

INSTANTIATE_TEST_SUITE_P(Outcomes, LoginReportTable, ::testing::ValuesIn(reportCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LoginForms, InputsFollowThePageShowing) {
    FormState f;
    f.setText(n::UserName, "pageUser");
    f.setText(n::Password, "pagePw");
    f.setText(n::Port, "8081");
    f.setText(n::WizardUserName, "wizUser");
    f.setText(n::WizardPassword, "wizPw");
    LoginForms forms(f);

    LoginInputs in = forms.inputs();
    EXPECT_EQ(in.userName, "pageUser");
    EXPECT_EQ(in.password, "pagePw");
    EXPECT_EQ(in.port, "8081");

    f.setText(n::PageShowing, n::WizardAccountSheet);
    in = forms.inputs();
    EXPECT_EQ(in.userName, "wizUser");
    EXPECT_EQ(in.password, "wizPw");
    EXPECT_EQ(in.port, "8081");  // always the connection page's port

    f.setText(n::Port, "9090");  // later edits reach the snapshot
    EXPECT_EQ(forms.inputs().port, "9090");
}

TEST(LoginForms, HostChoices) {
    struct Case {
        LoginFormSnapshot s;
        QString pageHost;
        QString wizardHost;
    };
    const QString suffix = QLatin1String(n::DdnsDomainSuffix);
    auto snap = [](auto edit) {
        LoginFormSnapshot s;
        s.pageLocalList = "192.168.1.1 (FV-Router)";
        s.pageOtherAddress = "203.0.113.9";
        s.pageDdnsName = "home";
        s.wizardDdnsName = "wizhome";
        s.wizardOtherAddress = "198.51.100.7";
        s.wizardLocalAddress = "192.168.2.1";
        edit(s);
        return s;
    };
    const Case cases[] = {
        {snap([](auto&) {}), "192.168.1.1", "192.168.2.1"},
        {snap([](auto& s) { s.pageLocalList = "10.0.0.1"; }), "10.0.0.1", "192.168.2.1"},
        {snap([](auto& s) { s.pageLocalList = "(x)"; }), "", "192.168.2.1"},
        {snap([](auto& s) {
             s.pageRemote = true;
             s.pageDdnsChoice = 1;
             s.wizardRemote = true;
         }),
         "203.0.113.9", "198.51.100.7"},
        {snap([](auto& s) {
             s.pageRemote = true;
             s.pageDdnsChoice = 0;
             s.wizardRemote = true;
             s.wizardRemoteByName = true;
         }),
         "home" + suffix, "wizhome" + suffix},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LoginForms::pageHostOf(c.s), c.pageHost);
        EXPECT_EQ(LoginForms::wizardHostOf(c.s), c.wizardHost);
    }
}

TEST(LoginForms, ReportFromWorkerLandsOnUiThread) {
    FormState f;
    LoginForms forms(f);
    QThread* worker = QThread::create([&forms] {
        forms.report({LoginCheck::Login, LoginOutcome::OtherFailure, 200});
    });
    worker->start();
    worker->wait();
    delete worker;
    EXPECT_FALSE(f.has(n::TestMessage));  // not applied off the UI thread
    QCoreApplication::processEvents();
    EXPECT_EQ(f.text(n::TestMessage), MessageTexts::english()[Msg::FormSetupMsg6]);
}

}  // namespace
}  // namespace fv
