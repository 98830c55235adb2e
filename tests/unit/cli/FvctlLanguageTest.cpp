// fvctl's own texts (help, command summaries, exit codes, table titles) through the language
// file: English by default, the section of FV_LANGUAGE otherwise, with the shipped file.
#include <QFile>

#include <gtest/gtest.h>

#include "FvctlFixture.h"
#include "cli/CliExit.h"
#include "cli/CommandTable.h"

namespace fv::test {
namespace {

TEST(FvctlTexts, TheEnglishTextsAreTheHelpAsPublished) {
    EXPECT_EQ(cli::exitCodeHelp(ClientTexts::english()), QString::fromUtf8(cli::exitCodeHelp()));
    const cli::CommandTable table;
    for (const char* name :
         {"status", "pause", "resume", "remove", "pause-all", "resume-all", "clear", "add", "queue",
          "torrent", "test", "settings", "discover", "open"}) {
        const cli::CliCommand* command = table.find(QString::fromLatin1(name));
        ASSERT_NE(command, nullptr) << name;
        EXPECT_EQ(ClientTexts::english().commandSummary(command->name(), "<none>"),
                  command->summary())
            << name;
    }
}

std::string shippedLanguageFile() {
    QFile file(QStringLiteral(FV_SHIPPED_LANGUAGE_FILE));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll().toStdString();
}

TEST_F(FvctlFixture, HelpAndTableTitlesFollowTheLanguage) {
    writeFile("FV2Lang.ini", shippedLanguageFile());
    routersim::Task t;
    t.id = "7";
    t.name = "ubuntu.iso";
    sim->board().add(t);
    const struct {
        const char* language;
        QStringList args;
        std::vector<const char*> shown;
    } cases[] = {
        {"German",
         {"--help"},
         {"Befehle:", "Hält die Aufgabe mit dieser ID an.", "Rückgabewerte:"}},
        {"German",
         {"pause", "--help"},
         {"Hält die Aufgabe mit dieser ID an.", "Zeigt diese Hilfe."}},
        {"German", {"status"}, {"ID", "Name", "Fortschritt", "Empfang", "ubuntu.iso"}},
        {"Japanese", {"status"}, {"名前", "進捗", "受信"}},
        {"English", {"--help"}, {"Commands:", "Pauses the task with this ID.", "Exit codes:"}},
        {"Klingon", {"status"}, {"Name", "Progress", "Down"}},
    };
    for (const auto& c : cases) {
        language = c.language;
        const FvctlResult r = run(c.args);
        EXPECT_EQ(r.exitCode, 0) << c.language;
        for (const char* text : c.shown)
            EXPECT_TRUE(r.out.contains(QString::fromUtf8(text)))
                << c.language << " " << c.args.join(' ').toStdString() << ": " << text << "\n"
                << r.out.toStdString();
    }
}

}  // namespace
}  // namespace fv::test
