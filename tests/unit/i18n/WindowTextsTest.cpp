// The windows' texts computed from one section: the section by the language name, keys with
// their English defaults, receiving controls, twin controls, copy steps, hints, list columns,
// choice entries, the message texts and the Japanese font rule.
#include <QString>
#include <string>

#include <gtest/gtest.h>

#include "i18n/IniReader.h"
#include "i18n/LanguageFile.h"
#include "i18n/LanguageSections.h"
#include "i18n/WindowTexts.h"

namespace fv::test {
namespace {

using W = LanguageWindow;

TextSet compute(const std::string& section, const std::string& body) {
    const std::string file = "[" + section + "]\n" + body;
    return WindowTexts::compute(QString::fromStdString(section), ini::readSection(file, section));
}

QString caption(const TextSet& t, W window, const char* control) {
    return t.captionOf(window, QString::fromLatin1(control)).value_or(QStringLiteral("<none>"));
}

TEST(LanguageSections, EveryNameInAnyCaseSelectsItsSection) {
    const QStringList names = LanguageSections::languageNames();
    const QStringList sections = LanguageSections::all();
    ASSERT_EQ(names.size(), LanguageSections::kCount);
    ASSERT_EQ(sections.size(), LanguageSections::kCount);
    EXPECT_EQ(sections.front(), "ENGLISH");
    for (qsizetype i = 0; i < names.size(); ++i) {
        EXPECT_EQ(LanguageSections::sectionFor(names[i].toUpper()), sections[i])
            << names[i].toStdString();
        EXPECT_EQ(LanguageSections::sectionFor(names[i].toLower()), sections[i])
            << names[i].toStdString();
    }
    for (const char* other : {"", "Deutsch", "de_DE", "Chinese", "Norwegian Bokmal", "Thai "})
        EXPECT_EQ(LanguageSections::sectionFor(QString::fromUtf8(other)), "ENGLISH") << other;
}

TEST(WindowTexts, KeysNameTheirReceivers) {
    const struct {
        const char* key;
        std::optional<TextReceiver> receiver;
    } cases[] = {
        {"BtnAdd_Main->Caption", TextReceiver{"BtnAdd_Main"}},
        {"img_Close->Hint", TextReceiver{"img_Close", TextTarget::Hint}},
        {"ListViewDLFile_Main->Column[1]->Caption",
         TextReceiver{"ListViewDLFile_Main", TextTarget::Column, 1}},
        {"ListView_BtSelect->Column[12]->Caption",
         TextReceiver{"ListView_BtSelect", TextTarget::Column, 12}},
        {"ComboBoxBTEncry_Setup->Items->Strings[2]",
         TextReceiver{"ComboBoxBTEncry_Setup", TextTarget::Item, 2}},
        {"FormMainMsg0", std::nullopt},
        {"->Caption", std::nullopt},
        {"X->Text", std::nullopt},
        {"X->Column[a]->Caption", std::nullopt},
        {"X->Column[1]", std::nullopt},
        {"X->Column[-1]->Caption", std::nullopt},
        {"X->Items->Strings[1]x", std::nullopt},
        {"X->Items->Strings[", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LanguageTable::receiverOf(c.key), c.receiver) << c.key;
}

TEST(WindowTexts, WithoutFileEveryControlShowsItsEnglishDefault) {
    const TextSet t = WindowTexts::compute("GERMAN", IniSection());
    const struct {
        W window;
        const char* control;
        const char* english;
    } cases[] = {
        {W::Main, "BtnAdd_Main", "Add Task"},
        {W::Main, "lab_btnAddTask", "Add Task"},
        {W::Main, "LabGetFVInfoStatusTitle_Main", "Download Stauts:"},
        {W::Main, "Lab_ConnectStatusTitle_Main", "Status"},
        {W::Main, "lab_Setup_OK_Text", "OK"},
        {W::Main, "LabelAufreshTitle_Setup", "Update Interval (5~180s):"},
        {W::Main, "Lab_Setup_Apply_Send", "Apply send"},
        {W::Settings, "BtnCancel_Setup", "Exit"},
        {W::Settings, "LabelAufreshTitle_Setup", "Update Interval:"},
        {W::Settings, "RadioBtnRemote_Setup", "Remote:"},
        {W::FileSelection, "lab_ErrorMsg_Cancel_Text", "Cancel"},
        {W::Update, "lab_ErrorMsg_OK_Text_update", "Update"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(caption(t, c.window, c.control), c.english) << c.control;
    for (const auto& e : MessageTexts::table())
        EXPECT_EQ(t.messages[e.msg], e.englishDefault) << e.key;
}

// A French section without BtnAdd_Main->Caption: that button (and its skinned label) keeps
// "Add Task", the others are French.
TEST(WindowTexts, AMissingKeyKeepsItsDefaultAndOnlyThat) {
    const TextSet t = compute("FRENCH",
                              "BtnFVPageRemove_Main->Caption=Supprimer\n"
                              "BtnSetup_Main->Caption=Paramètres\nFormMainMsg6=En ligne\n");
    EXPECT_EQ(caption(t, W::Main, "BtnAdd_Main"), "Add Task");
    EXPECT_EQ(caption(t, W::Main, "lab_btnAddTask"), "Add Task");
    EXPECT_EQ(caption(t, W::Main, "BtnFVPageRemove_Main"), "Supprimer");
    EXPECT_EQ(caption(t, W::Main, "lab_btnRemove"), "Supprimer");
    EXPECT_EQ(caption(t, W::Main, "lab_btnSetup"), "Paramètres");
    EXPECT_EQ(t.messages[Msg::FormMainMsg6], "En ligne");
    EXPECT_EQ(t.messages[Msg::FormMainMsg5], MessageTexts::english()[Msg::FormMainMsg5]);
}

TEST(WindowTexts, AnEmptyValueIsAnEmptyText) {
    const TextSet t = compute("GERMAN", "BtnAdd_Main->Caption=\nFormMainMsg9=\n");
    EXPECT_EQ(caption(t, W::Main, "BtnAdd_Main"), "");
    EXPECT_EQ(caption(t, W::Main, "lab_btnAddTask"), "");
    EXPECT_EQ(t.messages[Msg::FormMainMsg9], "");
}

// One key read more than once fills every control the table names for it.
TEST(WindowTexts, TwinControlsTakeTheSameText) {
    const TextSet t = compute("GERMAN",
                              "LabelPortTitle_Setup->Caption=Anschluss:\n"
                              "ListViewDLFile_Main->Column[1]->Caption=Zustand\n"
                              "ChkBoxPw_Setup->Caption=Kennwort zeigen\n"
                              "ListView_BtSelect->Column[2]->Caption=Dateigröße\n");
    const struct {
        W window;
        TextReceiver receiver;
        const char* text;
    } cases[] = {
        {W::Main, {"LabelPortTitle_Setup"}, "Anschluss:"},
        {W::Main, {"LabelPortTitle2_Setup"}, "Anschluss:"},
        {W::Main, {"Lab_SetupWizard1_Title_PortNum"}, "Anschluss:"},
        {W::Main, {"Lab_SetupWizard1_Title_PortNum2"}, "Anschluss:"},
        {W::Settings, {"LabelPortTitle_Setup"}, "Anschluss:"},
        {W::Main, {"ListViewDLFile_Main", TextTarget::Column, 1}, "Zustand"},
        {W::Main, {"Lab_ConnectStatusTitle_Main"}, "Zustand"},
        {W::Main, {"LabelPw_Setup"}, "Kennwort zeigen"},
        {W::Main, {"LabelPw_SetupWizard2"}, "Kennwort zeigen"},
        {W::Settings, {"ChkBoxPw_Setup"}, "Kennwort zeigen"},
        {W::FileSelection, {"ListView_BtSelect", TextTarget::Column, 2}, "Dateigröße"},
        {W::FileSelection, {"lab_BtSelectListViewTitleFileSize"}, "Dateigröße"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(t.textOf(c.window, c.receiver).value_or("<none>"), c.text)
            << c.receiver.control.toStdString();
    EXPECT_FALSE(t.captionOf(W::Main, "ChkBoxPw_Setup")) << "the label takes it, not the box";
}

TEST(WindowTexts, CopyStepsCarryTheTextRead) {
    const TextSet t = compute("GERMAN",
                              "BtnFVPageClear_Main->Caption=Fertige entfernen\n"
                              "Lab_AuthMethodTitle_Setup->Caption=Anmeldeverfahren:\n"
                              "Lab_AuthPortTitle_Setup->Caption=Anmeldeport:\n"
                              "SpBtnAufreshSec_Setup->Caption=Ändern\n"
                              "ChkBoxSelectAll_BtSelect->Caption=Alle wählen\n"
                              "BtnSelect_BtSelect->Caption=Übernehmen\n"
                              "BtnCancel_BtSelect->Caption=Abbrechen\n");
    const struct {
        W window;
        const char* control;
        const char* text;
    } cases[] = {
        {W::Main, "lab_btnClearComplete", "Fertige entfernen"},
        {W::Main, "Lab_AuthMethod_SetupWizard2", "Anmeldeverfahren:"},
        {W::Main, "Lab_AuthPort_SetupWizard2", "Anmeldeport:"},
        {W::Main, "Lab_btnChange", "Ändern"},
        {W::Main, "lab_btnResumeAll", "Resume All"},
        {W::FileSelection, "Lab_BoxSelectAll_BtSelect", "Alle wählen"},
        {W::FileSelection, "lab_ErrorMsg_OK_Text", "Übernehmen"},
        {W::FileSelection, "lab_ErrorMsg_Cancel_Text", "Abbrechen"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(caption(t, c.window, c.control), c.text) << c.control;
}

TEST(WindowTexts, ConnectionPicturesHintTheConnectionTexts) {
    const TextSet t = compute("GERMAN", "FormMainMsg6=Verbunden\nFormMainMsg5=Getrennt\n");
    EXPECT_EQ(t.textOf(W::Main, {"Img_Connected_Main", TextTarget::Hint}), "Verbunden");
    EXPECT_EQ(t.textOf(W::Main, {"Img_DisConnected_Main", TextTarget::Hint}), "Getrennt");
}

TEST(WindowTexts, ChoiceEntriesAndTheirWindows) {
    const TextSet t = compute("GERMAN",
                              "ComboBoxBTEncry_Setup->Items->Strings[0]=Aus\n"
                              "ComboBoxBTEncry_Setup->Items->Strings[2]=Erzwungen\n");
    for (W w : {W::Main, W::Settings}) {
        EXPECT_EQ(t.textOf(w, {"ComboBoxBTEncry_Setup", TextTarget::Item, 0}), "Aus");
        EXPECT_EQ(t.textOf(w, {"ComboBoxBTEncry_Setup", TextTarget::Item, 1}), "Encryption Enable");
        EXPECT_EQ(t.textOf(w, {"ComboBoxBTEncry_Setup", TextTarget::Item, 2}), "Erzwungen");
    }
}

// Every message key is read once, in the block of the window that shows it.
TEST(WindowTexts, EveryMessageTextComesFromTheSection) {
    std::string body;
    for (const auto& e : MessageTexts::table())
        body += std::string(e.key) + "=text of " + e.key + "\n";
    const TextSet t = compute("DUTCH", body);
    for (const auto& e : MessageTexts::table())
        EXPECT_EQ(t.messages[e.msg], QStringLiteral("text of ") + e.key) << e.key;
    int reads = 0;
    for (W w : kLanguageWindows)
        for (const LanguageStep& s : LanguageTable::steps(w))
            reads += s.kind == LanguageStep::Kind::Message ? 1 : 0;
    EXPECT_EQ(reads, MessageTexts::kCount);
}

TEST(WindowTexts, OnlyTheJapaneseSectionSetsTheJapaneseFont) {
    for (const char* section : {"JAPANESE", "CHINESE_T", "CHINESE_S", "KOREAN", "ENGLISH"}) {
        const TextSet t = WindowTexts::compute(section, IniSection());
        const size_t expected = std::string(section) == "JAPANESE" ? 12 : 0;
        EXPECT_EQ(t.japaneseFontControls.size(), expected) << section;
    }
    const TextSet ja = WindowTexts::compute("JAPANESE", IniSection());
    EXPECT_EQ(ja.japaneseFontControls.front(), "BtnAdd_Main");
    EXPECT_EQ(ja.japaneseFontControls.back(), "LabTaskStatus_Title_Main");
}

TEST(WindowTexts, TheLanguageNamePicksTheFilesSection) {
    const QByteArray file =
        "[ENGLISH]\nBtnAdd_Main->Caption=Add Task\n[GERMAN]\nBtnAdd_Main->Caption=Hinzufügen\n"
        "[THAI]\nBtnAdd_Main->Caption=เพิ่มงาน\n";
    const struct {
        const char* name;
        const char* caption;
    } cases[] = {{"German", "Hinzufügen"}, {"gERMAN", "Hinzufügen"}, {"Thai", "เพิ่มงาน"},
                 {"Klingon", "Add Task"},  {"", "Add Task"},         {"French", "Add Task"}};
    for (const auto& c : cases)
        EXPECT_EQ(caption(LanguageFile::textsFrom(file, c.name), W::Main, "BtnAdd_Main"),
                  QString::fromUtf8(c.caption))
            << c.name;
}

TEST(ClientTextsTable, FvctlTextsComeFromTheSection) {
    const TextSet t = compute("GERMAN",
                              "FvctlTitleName=Name\nFvctlExitCodes=Rückgabewerte:\n"
                              "FvctlSummary_pause=Hält die Aufgabe an.\n");
    EXPECT_EQ(t.client[Ct::FvctlExitCodes], "Rückgabewerte:");
    EXPECT_EQ(t.client.commandSummary("pause", "x"), "Hält die Aufgabe an.");
    EXPECT_EQ(t.client.commandSummary("resume", "x"), "Resumes the task with this ID.");
    EXPECT_EQ(t.client.commandSummary("no-such-command", "x"), "x");
    EXPECT_EQ(t.client[Ct::FvctlTitleDown], "Down");
}

}  // namespace
}  // namespace fv::test
