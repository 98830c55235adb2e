#include "platform/FileTypeDefaults.h"

#include <QDir>
#include <QFileInfo>

#include "platform/AtomicFile.h"

namespace fv {
namespace {

const QByteArray kGroup = "[Default Applications]";

bool isGroupHeader(const QByteArray& trimmed) {
    return trimmed.startsWith('[') && trimmed.endsWith(']');
}

// "key=value" with blanks around either; false for comments and lines without "=".
bool splitEntry(const QByteArray& line, QByteArray* key, QByteArray* value) {
    const QByteArray trimmed = line.trimmed();
    if (trimmed.isEmpty() || trimmed.startsWith('#'))
        return false;
    const qsizetype eq = trimmed.indexOf('=');
    if (eq <= 0)
        return false;
    *key = trimmed.left(eq).trimmed();
    *value = trimmed.mid(eq + 1).trimmed();
    return true;
}

QStringList entriesOf(const QByteArray& value) {
    QStringList out;
    for (const QByteArray& part : value.split(';')) {
        const QString entry = QString::fromUtf8(part.trimmed());
        if (!entry.isEmpty() && !out.contains(entry))
            out << entry;
    }
    return out;
}

QByteArray lineFor(const QString& mimeType, const QStringList& entries) {
    return mimeType.toUtf8() + '=' + entries.join(QLatin1Char(';')).toUtf8() + ';';
}

QString absoluteEnv(const char* name, const QString& fallback) {
    const QString value = qEnvironmentVariable(name);
    return QDir::isAbsolutePath(value) ? value : fallback;
}

}  // namespace

QStringList MimeAppsList::defaultsFor(const QByteArray& text, const QString& mimeType) {
    const QByteArray wanted = mimeType.toUtf8();
    bool inGroup = false;
    QStringList out;
    for (const QByteArray& line : text.split('\n')) {
        const QByteArray trimmed = line.trimmed();
        if (isGroupHeader(trimmed)) {
            inGroup = trimmed == kGroup;
            continue;
        }
        QByteArray key, value;
        if (inGroup && splitEntry(line, &key, &value) && key == wanted)
            for (const QString& e : entriesOf(value))
                if (!out.contains(e))
                    out << e;
    }
    return out;
}

QByteArray MimeAppsList::withDefaults(const QByteArray& text, const QString& mimeType,
                                      const QStringList& entries) {
    const QByteArray wanted = mimeType.toUtf8();
    QList<QByteArray> lines = text.isEmpty() ? QList<QByteArray>() : text.split('\n');
    // split() leaves one empty piece after a final newline; it comes back with the join.
    if (text.endsWith('\n'))
        lines.removeLast();
    QList<QByteArray> out;
    bool inGroup = false;
    bool written = false;
    qsizetype groupHeader = -1;
    for (const QByteArray& line : lines) {
        const QByteArray trimmed = line.trimmed();
        if (isGroupHeader(trimmed)) {
            inGroup = trimmed == kGroup;
            out << line;
            if (inGroup && groupHeader < 0)
                groupHeader = out.size() - 1;
            continue;
        }
        QByteArray key, value;
        if (inGroup && splitEntry(line, &key, &value) && key == wanted) {
            // The first line of the type takes the new entries; repeated ones go.
            if (!written && !entries.isEmpty())
                out << lineFor(mimeType, entries);
            written = true;
            continue;
        }
        out << line;
    }
    if (!written && !entries.isEmpty()) {
        if (groupHeader >= 0) {
            out.insert(groupHeader + 1, lineFor(mimeType, entries));
        } else {
            if (!out.isEmpty() && !out.last().trimmed().isEmpty())
                out << QByteArray();
            out << kGroup << lineFor(mimeType, entries);
        }
    }
    QByteArray joined = out.join('\n');
    if (!joined.isEmpty())
        joined += '\n';
    return joined;
}

FileTypeDefaults::Folders FileTypeDefaults::user() {
    const QString home = QDir::homePath();
    Folders f;
    f.configHome = absoluteEnv("XDG_CONFIG_HOME", home + "/.config");
    f.dataDirs << absoluteEnv("XDG_DATA_HOME", home + "/.local/share");
    const QString dirs = qEnvironmentVariable("XDG_DATA_DIRS");
    for (const QString& d : (dirs.isEmpty() ? QStringLiteral("/usr/local/share:/usr/share") : dirs)
                                .split(QLatin1Char(':'), Qt::SkipEmptyParts))
        if (QDir::isAbsolutePath(d))
            f.dataDirs << d;
    return f;
}

FileTypeDefaults::FileTypeDefaults(Folders folders, QString desktopId)
    : folders_(std::move(folders)), desktopId_(std::move(desktopId)) {}

bool FileTypeDefaults::desktopEntryInstalled() const {
    for (const QString& dir : folders_.dataDirs)
        if (QFileInfo(dir + "/applications/" + desktopId_).isFile())
            return true;
    return false;
}

bool FileTypeDefaults::readList(QByteArray* text, QString* error) const {
    text->clear();
    const QString path = mimeAppsPath();
    if (!QFileInfo::exists(path))
        return true;
    // A file that exists but cannot be read is never replaced: it holds the user's choices.
    if (!AtomicFile::read(path, text, 4 << 20)) {
        if (error)
            *error = QStringLiteral("cannot read ") + path;
        return false;
    }
    return true;
}

QString FileTypeDefaults::currentDefault(const QString& mimeType) const {
    QByteArray text;
    if (!readList(&text, nullptr))
        return QString();
    const QStringList entries = MimeAppsList::defaultsFor(text, mimeType);
    return entries.isEmpty() ? QString() : entries.first();
}

FileTypeDefaults::Outcome FileTypeDefaults::follow(const QString& mimeType, bool wanted,
                                                   QString* error) {
    QByteArray text;
    if (!readList(&text, error))
        return Outcome::Failed;
    QStringList entries = MimeAppsList::defaultsFor(text, mimeType);
    const bool ours = !entries.isEmpty() && entries.first() == desktopId_;
    if (wanted == ours && (wanted || !entries.contains(desktopId_)))
        return Outcome::Unchanged;
    if (wanted && !desktopEntryInstalled())
        return Outcome::NotInstalled;
    entries.removeAll(desktopId_);
    if (wanted)
        entries.prepend(desktopId_);
    if (!QDir().mkpath(folders_.configHome)) {
        if (error)
            *error = QStringLiteral("cannot create ") + folders_.configHome;
        return Outcome::Failed;
    }
    // A list kept elsewhere and linked here (a dotfile manager's) is changed where it lives.
    const QFileInfo info(mimeAppsPath());
    const QString target = info.isSymLink() ? info.canonicalFilePath() : mimeAppsPath();
    if (target.isEmpty()) {
        if (error)
            *error = mimeAppsPath() + QStringLiteral(" links to a missing file");
        return Outcome::Failed;
    }
    if (!AtomicFile::write(target, MimeAppsList::withDefaults(text, mimeType, entries), error))
        return Outcome::Failed;
    return wanted ? Outcome::MadeDefault : Outcome::GaveUp;
}

}  // namespace fv
