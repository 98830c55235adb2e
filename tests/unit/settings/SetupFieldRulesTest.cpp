#include "settings/SetupFieldRules.h"

#include "platform/FormState.h"

#include <gtest/gtest.h>

namespace fv {
namespace {

class PagesFields : public ::testing::Test {
  protected:
    void SetUp() override { rules.installWithInitialValues(); }
    void type(const QString& name, const QString& chars) {
        form.setText(name, form.text(name) + chars);
    }

    FormState form;
    SetupFieldRules rules{form, SetupFormKind::SetupPages};
};

struct TypingCase {
    const char* field;
    const char* before;
    const char* typed;
    const char* after;
};

TEST_F(PagesFields, NumericRuleWhileTyping) {
    const TypingCase cases[] = {
        {"EditFVPort_Setup", "80", "a", "80"},       {"EditFVPort_Setup", "6553", "0", "65530"},
        {"EditFVPort_Setup", "6553", "6", "6553"},   {"EditFVPort2_Setup", "6553", "6", "6553"},
        {"EditMaxPeer_Setup", "", "007", "7"},       {"EditMaxCon_Setup", "99999", "99", "999999"},
        {"EditNZBConNum_Setup", "1", "1", "1"},      {"EditNZBConNum_Setup", "1", "0", "10"},
        {"EditAufresh_Setup", "18", "1", "18"},      {"EditInPort_Setup", "", "x1", ""},
        {"EditUSENETPort_Setup", "11", "9z", "119"}, {"EditBTMaxDL_Setup", "", "-5", ""},
    };
    for (const TypingCase& c : cases) {
        form.setText(c.field, c.before);
        type(c.field, c.typed);
        EXPECT_EQ(form.text(c.field), c.after) << c.field << " " << c.before << "+" << c.typed;
    }
}

TEST_F(PagesFields, ServicePortsMirrorEachOtherAfterTheRule) {
    type("EditFVPort_Setup", "z");
    EXPECT_EQ(form.text("EditFVPort2_Setup"), "8081");
    form.setText("EditFVPort_Setup", "9090x");
    EXPECT_EQ(form.text("EditFVPort_Setup"), "9090");
    EXPECT_EQ(form.text("EditFVPort2_Setup"), "9090");
    form.setText("EditFVPort2_Setup", "0070");
    EXPECT_EQ(form.text("EditFVPort2_Setup"), "70");
    EXPECT_EQ(form.text("EditFVPort_Setup"), "70");
}

struct ExitCase {
    const char* field;
    const char* text;
    const char* afterExit;
};

TEST_F(PagesFields, EmptiedFieldStaysEmptyUntilItIsLeft) {
    const ExitCase cases[] = {
        {"EditFVPort_Setup", "", "8081"},    {"EditAufresh_Setup", "", "10"},
        {"EditAufresh_Setup", "3", "10"},    {"EditAufresh_Setup", "5", "5"},
        {"EditAufresh_Setup", "180", "180"}, {"EditInPort_Setup", "", "51413"},
        {"EditBTMaxDL_Setup", "", "100"},    {"EditBTMaxUL_Setup", "", "100"},
        {"EditMaxPeer_Setup", "", "60"},     {"EditMaxCon_Setup", "", "240"},
        {"EditUSENETPort_Setup", "", "119"}, {"EditNZBMaxDL_Setup", "", "100"},
        {"EditNZBConNum_Setup", "", "4"},    {"EditNZBConNum_Setup", "0", "0"},
    };
    for (const ExitCase& c : cases) {
        form.setText(c.field, "1");
        form.setText(c.field, c.text);
        EXPECT_EQ(form.text(c.field), c.text) << c.field;
        form.exit(c.field);
        EXPECT_EQ(form.text(c.field), c.afterExit) << c.field << " '" << c.text << "'";
    }
}

TEST_F(PagesFields, RefreshChangeButtonRaisesLowValuesToFive) {
    const struct {
        const char* text;
        const char* after;
        int32_t ms;
    } cases[] = {{"3", "5", 5000}, {"", "5", 5000},     {"0", "5", 5000},
                 {"5", "5", 5000}, {"42", "42", 42000}, {"180", "180", 180000}};
    for (const auto& c : cases) {
        form.setText("EditAufresh_Setup", c.text);
        EXPECT_EQ(rules.applyRefreshChange(), c.ms) << c.text;
        EXPECT_EQ(form.text("EditAufresh_Setup"), c.after) << c.text;
    }
    // The same 3 becomes 10 when the field is merely left.
    form.setText("EditAufresh_Setup", "3");
    form.exit("EditAufresh_Setup");
    EXPECT_EQ(form.text("EditAufresh_Setup"), "10");
}

TEST_F(PagesFields, SharedServicePortExitRepairsTheServicePortFromAnyPortField) {
    for (const char* field : {"EditFVPort_Setup", "EditFVPort2_Setup", "Edit_AuthPort_Setup"}) {
        form.setText("EditFVPort_Setup", "");
        EXPECT_EQ(form.text("EditFVPort2_Setup"), "");
        form.exit(field);
        EXPECT_EQ(form.text("EditFVPort_Setup"), "8081") << field;
        EXPECT_EQ(form.text("EditFVPort2_Setup"), "8081") << field;
    }
}

TEST_F(PagesFields, EmptiedAuthPortFallsBackToTheMethodsPort) {
    const struct {
        int method;
        const char* port;
    } cases[] = {{0, "80"}, {1, "8443"}};
    for (const auto& c : cases) {
        form.setItemIndex("ComboBox_AuthMethod_Setup", c.method);
        form.setText("Edit_AuthPort_Setup", "");
        form.exit("Edit_AuthPort_Setup");
        EXPECT_EQ(form.text("Edit_AuthPort_Setup"), c.port);
    }
}

TEST_F(PagesFields, AuthMethodChoiceSetsThePort) {
    form.setItemIndex("ComboBox_AuthMethod_Setup", 1);
    EXPECT_EQ(form.text("Edit_AuthPort_Setup"), "8443");
    form.setItemIndex("ComboBox_AuthMethod_Setup", 0);
    EXPECT_EQ(form.text("Edit_AuthPort_Setup"), "80");
}

TEST_F(PagesFields, ModeChoiceEnablesItsFields) {
    const QStringList remoteOnly = {"EditDDNSKova_Setup", "EditOthersIP_Setup",
                                    "RaGpDDNSAddress_Setup", "EditFVPort_Setup"};
    const QStringList localOnly = {"ComboBoxLocalIP_Setup", "EditFVPort2_Setup"};
    const struct {
        const char* action;  // a radio set, or a caption / radio clicked
        bool click;
        bool remote;
    } steps[] = {
        {"RadioBtnRemote_Setup", false, true}, {"LabelLocal_Setup", true, false},
        {"LabelRemote_Setup", true, true},     {"RadioBtnLocal_Setup", false, false},
        {"RadioBtnRemote_Setup", true, true},
    };
    for (const auto& s : steps) {
        if (s.click)
            form.click(s.action);
        else
            form.setChecked(s.action, true);
        EXPECT_EQ(form.checked("RadioBtnRemote_Setup"), s.remote) << s.action;
        EXPECT_EQ(form.checked("RadioBtnLocal_Setup"), !s.remote) << s.action;
        for (const QString& n : remoteOnly)
            EXPECT_EQ(form.enabled(n), s.remote) << s.action << " " << n.toStdString();
        for (const QString& n : localOnly)
            EXPECT_EQ(form.enabled(n), !s.remote) << s.action << " " << n.toStdString();
    }
}

TEST_F(PagesFields, InitialEnablingMatchesLocalMode) {
    EXPECT_TRUE(form.checked("RadioBtnLocal_Setup"));
    EXPECT_FALSE(form.enabled("EditFVPort_Setup"));
    EXPECT_TRUE(form.enabled("EditFVPort2_Setup"));
    EXPECT_FALSE(form.enabled("EditInPort_Setup"));
    EXPECT_EQ(form.text("EditInPort_Setup"), "51413");
}

TEST_F(PagesFields, DefaultPortBoxPutsTheDefaultPortBackAndLocksIt) {
    form.setChecked("ChkBoxDefaultPort_Setup", false);
    EXPECT_TRUE(form.enabled("EditInPort_Setup"));
    form.setText("EditInPort_Setup", "6881");
    form.setChecked("ChkBoxDefaultPort_Setup", true);
    EXPECT_FALSE(form.enabled("EditInPort_Setup"));
    EXPECT_EQ(form.text("EditInPort_Setup"), "51413");
    form.setChecked("ChkBoxDefaultPort_Setup", false);
    EXPECT_TRUE(form.enabled("EditInPort_Setup"));
    EXPECT_EQ(form.text("EditInPort_Setup"), "51413");
}

TEST_F(PagesFields, CheckBoxCaptionsToggleTheirBoxes) {
    form.click("lab_Status_IP_Setup_BitTorrent_defaultPort_Title");
    EXPECT_FALSE(form.checked("ChkBoxDefaultPort_Setup"));
    EXPECT_TRUE(form.enabled("EditInPort_Setup"));
    form.click("lab_Status_IP_Setup_BitTorrent_defaultPort_Title");
    EXPECT_TRUE(form.checked("ChkBoxDefaultPort_Setup"));
    form.click("LabelPw_Setup");
    EXPECT_TRUE(form.checked("ChkBoxPw_Setup"));
    form.setEnabled("ChkBoxPw_Setup", false);
    form.click("LabelPw_Setup");
    EXPECT_TRUE(form.checked("ChkBoxPw_Setup")) << "a disabled box does not follow its caption";
}

TEST_F(PagesFields, UnlimitedBoxesHideTheirSpeedFields) {
    const struct {
        const char* box;
        const char* edit;
        const char* unit;
    } boxes[] = {
        {"ChkBoxBTDLSp_Setup", "EditBTMaxDL_Setup", "LabelBTMaxDLUnit_Setup"},
        {"ChkBoxBTULSp_Setup", "EditBTMaxUL_Setup", "LabelBTMaxULUnit_Setup"},
        {"ChkBoxNZBDLSp_Setup", "EditNZBMaxDL_Setup", "LabelNZBMaxDLUnit_Setup"},
    };
    for (const auto& b : boxes) {
        EXPECT_FALSE(form.visible(b.edit)) << b.box;
        form.setChecked(b.box, false);
        EXPECT_TRUE(form.visible(b.edit)) << b.box;
        EXPECT_TRUE(form.visible(b.unit)) << b.box;
        form.setChecked(b.box, true);
        EXPECT_FALSE(form.visible(b.edit)) << b.box;
        EXPECT_FALSE(form.visible(b.unit)) << b.box;
    }
}

TEST_F(PagesFields, ConnectionEditsRaiseTheChangedFlag) {
    const struct {
        const char* field;
        bool connection;
    } cases[] = {
        {"EditFVPort_Setup", true},    {"EditFVPort2_Setup", true},   {"EditFVUs_Setup", true},
        {"EditFVPs_Setup", true},      {"EditLocalIP_Setup", true},   {"EditDDNSKova_Setup", true},
        {"EditOthersIP_Setup", true},  {"Edit_AuthPort_Setup", true}, {"EditMaxPeer_Setup", false},
        {"EditUSENETUs_Setup", false},
    };
    int distinct = 10;
    for (const auto& c : cases) {
        rules.clearConnectionFieldsChanged();
        form.setText(c.field, QString::number(++distinct));
        EXPECT_EQ(rules.connectionFieldsChanged(), c.connection) << c.field;
    }
    rules.clearConnectionFieldsChanged();
    form.setItemIndex("ComboBox_AuthMethod_Setup", 1);
    EXPECT_TRUE(rules.connectionFieldsChanged());
}

TEST_F(PagesFields, ChosenLocalEntryBringsItsPort) {
    form.setItems("ComboBoxLocalIP_Setup", {"192.168.1.1 (A)", "192.168.7.1 (B)"});
    form.setItems("ComboBoxFVPort_Setup", {"8081", "9091"});
    form.setItemIndex("ComboBoxLocalIP_Setup", 1);
    EXPECT_EQ(form.text("ComboBoxFVPort_Setup"), "9091");
    EXPECT_EQ(form.text("EditFVPort2_Setup"), "9091");
    EXPECT_EQ(form.text("EditFVPort_Setup"), "9091");
    // Typing into the list is no choice: the port stays.
    form.setText("ComboBoxLocalIP_Setup", "10.0.0.1");
    EXPECT_EQ(form.text("EditFVPort2_Setup"), "9091");
    // An entry without a port at its position leaves the port alone.
    form.setItems("ComboBoxLocalIP_Setup", {"a", "b", "c"});
    form.setItemIndex("ComboBoxLocalIP_Setup", 2);
    EXPECT_EQ(form.text("EditFVPort2_Setup"), "9091");
}

TEST_F(PagesFields, WizardFieldsJoinThroughTheOpenModel) {
    QString defaulted;
    rules.addServicePortField("EditFVPort_SetupWizard1");
    rules.addMirror("EditFVPort_SetupWizard1", "EditFVPort_Setup");
    rules.setServicePortDefaultedHook([&](const QString& port) { defaulted = port; });
    form.setText("EditFVPort_SetupWizard1", "99999");
    EXPECT_EQ(form.text("EditFVPort_SetupWizard1"), "9999");
    EXPECT_EQ(form.text("EditFVPort2_Setup"), "9999");
    form.setText("EditFVPort_SetupWizard1", "");
    form.exit("EditFVPort_SetupWizard1");
    EXPECT_EQ(form.text("EditFVPort_Setup"), "8081");
    EXPECT_EQ(defaulted, "8081");
}

class StandAloneFields : public ::testing::Test {
  protected:
    void SetUp() override { rules.installWithInitialValues(); }
    FormState form;
    SetupFieldRules rules{form, SetupFormKind::StandAlone};
};

TEST_F(StandAloneFields, InitialValuesDifferFromThePages) {
    EXPECT_EQ(form.text("EditFVUs_Setup"), "admin");
    EXPECT_EQ(form.text("EditFVPs_Setup"), "admin");
    EXPECT_EQ(form.text("EditAufresh_Setup"), "10");
    EXPECT_FALSE(form.checked("ChkBoxNZBSSL_Setup"));
    EXPECT_EQ(form.text("EditLocalIP_Setup"), "192.168.1.1");
    EXPECT_FALSE(form.has("EditFVPort2_Setup"));
}

TEST_F(StandAloneFields, DefaultPortBoxOnlyLocksTheField) {
    form.setChecked("ChkBoxDefaultPort_Setup", false);
    form.setText("EditInPort_Setup", "6881");
    form.setChecked("ChkBoxDefaultPort_Setup", true);
    EXPECT_FALSE(form.enabled("EditInPort_Setup"));
    EXPECT_EQ(form.text("EditInPort_Setup"), "6881");
}

TEST_F(StandAloneFields, ModeChoiceKeepsTheSinglePortEnabled) {
    form.setChecked("RadioBtnRemote_Setup", true);
    EXPECT_TRUE(form.enabled("EditFVPort_Setup"));
    EXPECT_FALSE(form.enabled("EditLocalIP_Setup"));
    EXPECT_TRUE(form.enabled("EditDDNSKova_Setup"));
    form.click("LabelLocal_Setup");
    EXPECT_TRUE(form.enabled("EditFVPort_Setup"));
    EXPECT_TRUE(form.enabled("EditLocalIP_Setup"));
    EXPECT_FALSE(form.enabled("RaGpDDNSAddress_Setup"));
}

TEST_F(StandAloneFields, RefreshExitRestoresTheValueShownWhenOpened) {
    const struct {
        const char* shown;
        const char* typed;
        const char* afterExit;
    } cases[] = {{"20", "", "20"}, {"20", "3", "20"}, {"", "", "10"}, {"30", "45", "45"}};
    for (const auto& c : cases) {
        form.setText("EditAufresh_Setup", c.shown);
        rules.rememberRefreshExitValue();
        form.setText("EditAufresh_Setup", c.typed);
        form.exit("EditAufresh_Setup");
        EXPECT_EQ(form.text("EditAufresh_Setup"), c.afterExit) << c.shown << "/" << c.typed;
    }
}

}  // namespace
}  // namespace fv
