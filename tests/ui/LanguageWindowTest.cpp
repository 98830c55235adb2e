// The running client (RunningClient, as `ferrovane` assembles it) in each language of the
// shipped FV2Lang.ini: the main window and its setup area show the section's texts, every
// caption is drawn without a missing glyph in the fonts the text engine really picks, long
// captions fit their controls, the Japanese rule gives its controls a Japanese face, and the
// language is read anew each time a window is shown. The simulated router runs on loopback.
#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QGlyphRun>
#include <QLabel>
#include <QMenu>
#include <QRawFont>
#include <QTest>
#include <QTextLayout>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "ClientSettingsFile.h"
#include "Simulator.h"
#include "TestEnvironment.h"
#include "i18n/LanguageFile.h"
#include "i18n/LanguageSections.h"
#include "ui/ImageButton.h"
#include "ui/MainTray.h"
#include "ui/TextFitter.h"
#include "ui/WindowTextWriter.h"
#include "ui/main/RunningClient.h"

namespace fv::test {
namespace {

using routersim::Listener;

// The characters of text that no font the text engine chose for them can draw.
QString missingGlyphs(const QString& text, const QFont& font) {
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    QString missing;
    for (const QGlyphRun& run : layout.glyphRuns())
        for (const quint32 glyph : run.glyphIndexes())
            if (glyph == 0)  // the font's "no such glyph" box
                missing += QStringLiteral(" [%1]").arg(run.rawFont().familyName());
    return missing;
}

class LanguageClient : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(sim.start(&error)) << error;
        saved_ = {qgetenv("FV_DATA_DIR"), qgetenv("FV_LANGUAGE"), qgetenv("FV_RESOURCE_DIR")};
        qputenv("FV_DATA_DIR", dir.path().toUtf8());
        routersim::ClientSettings s;
        s.servicePort = sim.port(Listener::Service);
        s.user = "admin";
        s.password = "admin";
        ASSERT_TRUE(
            routersim::writeClientSettings(dir.file("FVSetup.xml").toStdString(), s, &error))
            << error;
    }
    void TearDown() override {
        close();
        sim.stop();
        const char* names[] = {"FV_DATA_DIR", "FV_LANGUAGE", "FV_RESOURCE_DIR"};
        for (int i = 0; i < 3; ++i)
            saved_[i].isNull() ? qunsetenv(names[i]) : qputenv(names[i], saved_[i]);
    }
    void launch(const QString& language) {
        close();
        qputenv("FV_LANGUAGE", language.toUtf8());
        client = std::make_unique<ui::RunningClient>(StartupEnvironment::system(),
                                                     QStringList{"ferrovane"});
        ASSERT_TRUE(client->start());
        client->window().show();
    }
    void close() {
        if (!client)
            return;
        client->finish();
        client.reset();
    }
    QString text(const char* name) const {
        auto* label = client->window().findChild<QLabel*>(QString::fromLatin1(name));
        return label ? label->text() : QStringLiteral("<no %1>").arg(name);
    }
    // Every caption of the window, the hidden setup pages and the tray menu included.
    std::vector<std::pair<QString, QFont>> captions() const {
        std::vector<std::pair<QString, QFont>> out;
        for (QLabel* l : client->window().findChildren<QLabel*>())
            out.push_back({l->text(), l->font()});
        for (QAbstractButton* b : client->window().findChildren<QAbstractButton*>())
            out.push_back({b->text(), b->font()});
        for (QAction* a : client->window().tray()->menu()->actions())
            out.push_back({a->text(), client->window().tray()->menu()->font()});
        return out;
    }

    ScratchDir dir;
    routersim::Simulator sim;
    std::unique_ptr<ui::RunningClient> client;

  private:
    std::array<QByteArray, 3> saved_;
};

TEST_F(LanguageClient, EverySectionShowsItsTextsWithoutMissingGlyphs) {
    for (const QString& language : LanguageSections::languageNames()) {
        SCOPED_TRACE(language.toStdString());
        launch(language);
        const TextSet expected = LanguageFile::textsFor(language);
        ASSERT_FALSE(expected.texts(LanguageWindow::Main).empty());
        for (const char* name :
             {"lab_btnAddTask", "lab_btnSetup", "lab_FVPageInfoLVTitleName",
              "Lab_ConnectStatusTitle_Main", "LabelUsTitle_Setup", "lab_Setup_BitTorrent_DHT_Title",
              "LabelNZBConNum_Setup", "lab_Setup_OK_Text"}) {
            const QString shown = text(name);
            const QString wanted =
                expected.captionOf(LanguageWindow::Main, name).value_or("<no text>");
            EXPECT_TRUE(shown == wanted ||
                        (shown.endsWith(QChar(0x2026)) && wanted.startsWith(shown.chopped(1))))
                << name << ": " << shown.toStdString();
        }
        if (language != "English") {
            EXPECT_NE(text("lab_btnAddTask"), "Add Task") << "the section is used";
        }
        EXPECT_EQ(
            client->window().tray()->action("Exit_TrayPopup_Main")->text(),
            expected.captionOf(LanguageWindow::Main, "Exit_TrayPopup_Main").value_or("<no text>"));
        client->window().grab();  // drawn once, as on the screen
        for (const auto& [caption, font] : captions()) {
            const QString missing = missingGlyphs(caption, font);
            EXPECT_TRUE(missing.isEmpty())
                << caption.toStdString() << " lacks glyphs in" << missing.toStdString();
        }
    }
}

TEST_F(LanguageClient, LongCaptionsFitTheirControls) {
    for (const QString& language : LanguageSections::languageNames()) {
        SCOPED_TRACE(language.toStdString());
        launch(language);
        const TextSet texts = LanguageFile::textsFor(language);
        for (const ControlText& t : texts.texts(LanguageWindow::Main)) {
            if (t.receiver.target != TextTarget::Caption)
                continue;
            QWidget* w = client->window().findChild<QWidget*>(t.receiver.control);
            if (auto* button = qobject_cast<ui::ImageButton*>(w))
                w = button->caption();
            if (w && (qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w))) {
                EXPECT_TRUE(ui::TextFitter::fits(w)) << t.receiver.control.toStdString();
            }
        }
    }
}

TEST_F(LanguageClient, JapaneseButtonsTakeAJapaneseFace) {
    const QString family = ui::WindowTextWriter::japaneseFamily();
    ASSERT_FALSE(family.isEmpty()) << "no font with Japanese installed (scripts/ensure-deps.sh)";
    for (const char* language : {"Japanese", "Chinese(Simplified)", "German"}) {
        launch(QString::fromLatin1(language));
        for (const char* button : {"BtnAdd_Main", "BtnFVPageClear_Main", "BtnSetup_Main"}) {
            auto* b = client->window().findChild<ui::ImageButton*>(QString::fromLatin1(button));
            ASSERT_NE(b, nullptr);
            EXPECT_EQ(b->caption()->font().families().value(0) == family,
                      std::string(language) == "Japanese")
                << language << " " << button;
        }
    }
}

// Each show reads the file anew (a changed file shows at the next show); a damaged file
// gives the English texts wherever its lines are unusable.
TEST_F(LanguageClient, EachShowReadsTheLanguageFileAgain) {
    ScratchDir resources;
    qputenv("FV_RESOURCE_DIR", resources.path().toUtf8());
    auto writeFile = [&](const QByteArray& bytes) {
        QFile f(resources.file("FV2Lang.ini"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    };
    writeFile(
        "[GERMAN]\nBtnAdd_Main->Caption=Hinzufügen\n\xff\xfe broken\nFormMainMsg5=Getrennt\n");
    launch(QStringLiteral("German"));
    EXPECT_EQ(text("lab_btnAddTask"), "Hinzufügen");
    EXPECT_EQ(text("lab_btnSetup"), "Settings") << "a key the file lacks stays English";
    EXPECT_EQ(text("Lab_ConnectStatus_Main"), "Getrennt")
        << "the offline line shows the section's text";
    writeFile("[GERMAN]\nBtnAdd_Main->Caption=Neue Aufgabe\n");
    client->window().hide();
    client->window().show();
    EXPECT_EQ(text("lab_btnAddTask"), "Neue Aufgabe");
    writeFile(QByteArray("\x00\x01[GERMAN\n=\n\n", 13));
    client->window().hide();
    client->window().show();
    EXPECT_EQ(text("lab_btnAddTask"), "Add Task");
}

}  // namespace
}  // namespace fv::test
