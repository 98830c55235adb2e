// The user's file-type defaults: the mimeapps.list line edits over plain text, and the whole
// round trip in a temporary XDG tree, read back by xdg-mime itself where it is installed.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include "TestEnvironment.h"
#include "platform/AtomicFile.h"
#include "platform/FileTypeDefaults.h"

namespace fv::test {
namespace {

const QString kOurs = QString::fromLatin1(FileTypeDefaults::kDesktopId);
const QString kTorrent = QString::fromLatin1(FileTypeDefaults::kTorrentType);

struct ReadCase {
    const char* text;
    QStringList expected;
};

TEST(MimeAppsList, ReadsOnlyTheDefaultGroupsLineForTheType) {
    const std::vector<ReadCase> cases = {
        {"", {}},
        {"[Default Applications]\napplication/x-bittorrent=a.desktop;b.desktop;\n",
         {"a.desktop", "b.desktop"}},
        {"[Default Applications]\n application/x-bittorrent = a.desktop ; ;b.desktop\n",
         {"a.desktop", "b.desktop"}},
        // Another group's line is no default.
        {"[Added Associations]\napplication/x-bittorrent=a.desktop;\n", {}},
        {"[Default Applications]\n#application/x-bittorrent=a.desktop;\n", {}},
        {"[Default Applications]\napplication/x-bittorrent-extra=a.desktop;\n", {}},
        // Repeated lines: their entries in order, each once.
        {"[Default Applications]\napplication/x-bittorrent=a.desktop;\n[Other]\nx=y\n"
         "[Default Applications]\napplication/x-bittorrent=b.desktop;a.desktop;\n",
         {"a.desktop", "b.desktop"}},
        {"garbage without groups\n=\n[\n", {}},
    };
    for (const ReadCase& c : cases)
        EXPECT_EQ(MimeAppsList::defaultsFor(c.text, kTorrent), c.expected) << c.text;
}

struct EditCase {
    const char* before;
    QStringList entries;
    const char* after;
};

TEST(MimeAppsList, ChangesOneLineAndKeepsEverythingElse) {
    const std::vector<EditCase> cases = {
        {"", {"f.desktop"}, "[Default Applications]\napplication/x-bittorrent=f.desktop;\n"},
        {"[Added Associations]\ntext/plain=e.desktop;\n",
         {"f.desktop"},
         "[Added Associations]\ntext/plain=e.desktop;\n\n"
         "[Default Applications]\napplication/x-bittorrent=f.desktop;\n"},
        {"# mine\n[Default Applications]\ntext/plain=e.desktop;\n",
         {"f.desktop", "t.desktop"},
         "# mine\n[Default Applications]\napplication/x-bittorrent=f.desktop;t.desktop;\n"
         "text/plain=e.desktop;\n"},
        {"[Default Applications]\ntext/plain=e.desktop;\napplication/x-bittorrent=t.desktop;\n"
         "application/x-bittorrent=u.desktop;\n",
         {"f.desktop"},
         "[Default Applications]\ntext/plain=e.desktop;\napplication/x-bittorrent=f.desktop;\n"},
        // No entries: the line goes, the group and its other lines stay.
        {"[Default Applications]\napplication/x-bittorrent=f.desktop;\ntext/plain=e.desktop;\n",
         {},
         "[Default Applications]\ntext/plain=e.desktop;\n"},
        {"[Default Applications]\ntext/plain=e.desktop;",
         {},
         "[Default Applications]\ntext/plain=e.desktop;\n"},
    };
    for (const EditCase& c : cases)
        EXPECT_EQ(MimeAppsList::withDefaults(c.before, kTorrent, c.entries), QByteArray(c.after))
            << c.before;
}

class FileTypeDefaultsTree : public ::testing::Test {
  protected:
    void SetUp() override {
        folders.configHome = dir.file("config");
        folders.dataDirs = {dir.file("data"), dir.file("system")};
    }
    void installEntry(const QString& id = kOurs) {
        ASSERT_TRUE(QDir().mkpath(dir.file("system/applications")));
        ASSERT_TRUE(AtomicFile::write(dir.file("system/applications/") + id,
                                      "[Desktop Entry]\nType=Application\nName=F\nExec=true\n"));
    }
    void writeList(const QByteArray& text) {
        ASSERT_TRUE(QDir().mkpath(folders.configHome));
        ASSERT_TRUE(AtomicFile::write(folders.configHome + "/mimeapps.list", text));
    }
    QByteArray list() const {
        QByteArray text;
        AtomicFile::read(folders.configHome + "/mimeapps.list", &text);
        return text;
    }

    ScratchDir dir;
    FileTypeDefaults::Folders folders;
};

TEST_F(FileTypeDefaultsTree, MakingDefaultAndGivingUpRestoresTheProgramBefore) {
    installEntry();
    writeList(
        "[Default Applications]\napplication/x-bittorrent=transmission-gtk.desktop;\n"
        "application/x-nzb=sabnzbd.desktop;\n");
    FileTypeDefaults d(folders);
    EXPECT_EQ(d.follow(kTorrent, true), FileTypeDefaults::Outcome::MadeDefault);
    EXPECT_EQ(d.currentDefault(kTorrent), kOurs);
    EXPECT_EQ(d.follow(kTorrent, true), FileTypeDefaults::Outcome::Unchanged);
    EXPECT_EQ(d.currentDefault("application/x-nzb"), "sabnzbd.desktop") << "the other type";
    EXPECT_EQ(d.follow(kTorrent, false), FileTypeDefaults::Outcome::GaveUp);
    EXPECT_EQ(d.currentDefault(kTorrent), "transmission-gtk.desktop");
    EXPECT_EQ(d.follow(kTorrent, false), FileTypeDefaults::Outcome::Unchanged);
}

TEST_F(FileTypeDefaultsTree, GivingUpWhereTheClientWasTheOnlyDefaultDropsTheLine) {
    installEntry();
    FileTypeDefaults d(folders);
    ASSERT_EQ(d.follow(kTorrent, true), FileTypeDefaults::Outcome::MadeDefault);
    EXPECT_TRUE(QFileInfo(d.mimeAppsPath()).exists()) << "the config folder was created";
    ASSERT_EQ(d.follow(kTorrent, false), FileTypeDefaults::Outcome::GaveUp);
    EXPECT_EQ(list(), "[Default Applications]\n");
}

TEST_F(FileTypeDefaultsTree, AnotherProgramTheUserChoseSinceStaysTheDefault) {
    installEntry();
    writeList(
        "[Default Applications]\napplication/x-bittorrent=deluge.desktop;"
        "com.ferrovane.Ferrovane.desktop;\n");
    FileTypeDefaults d(folders);
    EXPECT_EQ(d.follow(kTorrent, false), FileTypeDefaults::Outcome::GaveUp);
    EXPECT_EQ(list(), "[Default Applications]\napplication/x-bittorrent=deluge.desktop;\n");
}

TEST_F(FileTypeDefaultsTree, WithoutAnInstalledEntryNothingIsWritten) {
    FileTypeDefaults d(folders);
    EXPECT_EQ(d.follow(kTorrent, true), FileTypeDefaults::Outcome::NotInstalled);
    EXPECT_FALSE(QFileInfo::exists(d.mimeAppsPath()));
}

// A list the client cannot read whole (here: far larger than any real one) holds choices it
// would lose by rewriting it, so it is left as it is.
TEST_F(FileTypeDefaultsTree, AListThatCannotBeReadIsNeverReplaced) {
    installEntry();
    const QByteArray huge = "[Default Applications]\n" + QByteArray(5 << 20, '#') + "\n";
    writeList(huge);
    FileTypeDefaults d(folders);
    QString error;
    EXPECT_EQ(d.follow(kTorrent, true, &error), FileTypeDefaults::Outcome::Failed);
    EXPECT_TRUE(error.contains("mimeapps.list")) << error.toStdString();
    EXPECT_EQ(QFileInfo(folders.configHome + "/mimeapps.list").size(), huge.size());
}

TEST_F(FileTypeDefaultsTree, ALinkedListIsChangedWhereItLives) {
    installEntry();
    ASSERT_TRUE(QDir().mkpath(folders.configHome));
    ASSERT_TRUE(AtomicFile::write(dir.file("dotfiles-mimeapps.list"), "# kept elsewhere\n"));
    ASSERT_TRUE(
        QFile::link(dir.file("dotfiles-mimeapps.list"), folders.configHome + "/mimeapps.list"));
    FileTypeDefaults d(folders);
    ASSERT_EQ(d.follow(kTorrent, true), FileTypeDefaults::Outcome::MadeDefault);
    EXPECT_TRUE(QFileInfo(folders.configHome + "/mimeapps.list").isSymLink());
    QByteArray text;
    ASSERT_TRUE(AtomicFile::read(dir.file("dotfiles-mimeapps.list"), &text));
    EXPECT_TRUE(text.contains("application/x-bittorrent=com.ferrovane.Ferrovane.desktop;"));
}

TEST_F(FileTypeDefaultsTree, UserFoldersFollowTheXdgVariables) {
    const char* names[] = {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_DATA_DIRS"};
    QList<QByteArray> saved;
    for (const char* n : names)
        saved << qgetenv(n);
    qputenv("XDG_CONFIG_HOME", dir.file("cfg").toUtf8());
    qputenv("XDG_DATA_HOME", dir.file("share").toUtf8());
    qputenv("XDG_DATA_DIRS", "/opt/x/share:relative/ignored:/usr/share");
    const FileTypeDefaults::Folders f = FileTypeDefaults::user();
    for (int i = 0; i < 3; ++i)
        saved[i].isEmpty() ? qunsetenv(names[i]) : qputenv(names[i], saved[i]);
    EXPECT_EQ(f.configHome, dir.file("cfg"));
    EXPECT_EQ(f.dataDirs, QStringList({dir.file("share"), "/opt/x/share", "/usr/share"}));
}

// xdg-mime, which xdg-open and the generic desktops use, reads the default we wrote.
TEST_F(FileTypeDefaultsTree, XdgMimeSeesTheClientAsDefaultAndThenNot) {
    const QString xdgMime = QStandardPaths::findExecutable("xdg-mime");
    if (xdgMime.isEmpty())
        GTEST_SKIP() << "xdg-mime is not installed (xdg-utils)";
    installEntry();
    installEntry("transmission-gtk.desktop");
    writeList("[Default Applications]\napplication/x-bittorrent=transmission-gtk.desktop;\n");
    auto query = [&] {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", folders.configHome);
        env.insert("XDG_DATA_HOME", dir.file("data"));
        env.insert("XDG_DATA_DIRS", dir.file("system"));
        env.insert("XDG_CURRENT_DESKTOP", "X-Generic");
        env.remove("DE");
        p.setProcessEnvironment(env);
        p.start(xdgMime, {"query", "default", kTorrent});
        EXPECT_TRUE(p.waitForFinished(10000));
        return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
    };
    FileTypeDefaults d(folders);
    ASSERT_EQ(d.follow(kTorrent, true), FileTypeDefaults::Outcome::MadeDefault);
    EXPECT_EQ(query(), kOurs);
    ASSERT_EQ(d.follow(kTorrent, false), FileTypeDefaults::Outcome::GaveUp);
    EXPECT_EQ(query(), "transmission-gtk.desktop");
}

}  // namespace
}  // namespace fv::test
