// The user's default program for the two file types the client opens (the original's
// "Association" options). The desktop keeps per-user defaults in $XDG_CONFIG_HOME/mimeapps.list
// ("[Default Applications]", a "type=first.desktop;second.desktop;" line each, in order of
// preference), which xdg-mime, the file managers and xdg-open all read; only that file is
// ever changed, never a system-wide one.
//
// Making the client the default puts its entry first on the type's line and keeps the
// programs that were there after it; giving the role up takes the client's entry out again,
// so the program that was the default before is the default again (or, when the line named
// only the client, the line goes and the system's default applies). The client is only made
// the default where its desktop entry is installed: a default that names no entry would leave
// the file manager with nothing to open the file with.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace fv {

// mimeapps.list as text: reading and changing one type's line in "[Default Applications]",
// every other line (comments, other groups, other types) kept as it was.
class MimeAppsList {
  public:
    // The type's entries in order; empty when the type has no line.
    static QStringList defaultsFor(const QByteArray& text, const QString& mimeType);
    // The text with the type's line naming entries, or without the line when entries is
    // empty; the group is added at the end when missing.
    static QByteArray withDefaults(const QByteArray& text, const QString& mimeType,
                                   const QStringList& entries);
};

class FileTypeDefaults {
  public:
    static constexpr const char* kDesktopId = "com.ferrovane.Ferrovane.desktop";
    static constexpr const char* kTorrentType = "application/x-bittorrent";
    static constexpr const char* kNzbType = "application/x-nzb";

    struct Folders {
        QString configHome;    // where mimeapps.list lives
        QStringList dataDirs;  // searched for applications/<desktop id>, the user's first
    };
    // $XDG_CONFIG_HOME (~/.config), $XDG_DATA_HOME (~/.local/share) then $XDG_DATA_DIRS
    // (/usr/local/share:/usr/share), as the desktop's own tools read them.
    static Folders user();

    explicit FileTypeDefaults(Folders folders, QString desktopId = QLatin1String(kDesktopId));

    enum class Outcome { Unchanged, MadeDefault, GaveUp, NotInstalled, Failed };
    // Makes the client the default for mimeType (wanted) or gives the role up; *error says
    // why when Failed (the file is then untouched). Asking again for the same changes nothing.
    Outcome follow(const QString& mimeType, bool wanted, QString* error = nullptr);

    // The type's first entry in the user's file; empty when it has none.
    QString currentDefault(const QString& mimeType) const;
    bool desktopEntryInstalled() const;
    QString mimeAppsPath() const { return folders_.configHome + "/mimeapps.list"; }

  private:
    bool readList(QByteArray* text, QString* error) const;

    Folders folders_;
    QString desktopId_;
};

}  // namespace fv
