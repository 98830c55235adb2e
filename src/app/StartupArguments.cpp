#include "app/StartupArguments.h"

#include <QDir>

namespace fv {

QString StartupArguments::firstArgument(const QStringList& arguments) {
    const QString path = arguments.value(1);
    if (path.isEmpty() || QDir::isAbsolutePath(path))
        return path;
    return QDir::cleanPath(QDir::current().absoluteFilePath(path));
}

QString StartupArguments::extension(const QString& path) {
    const qsizetype nameStart = path.lastIndexOf(QLatin1Char('/')) + 1;
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    return dot >= nameStart ? path.mid(dot) : QString();
}

bool StartupArguments::queueableAtFirstStart(const QString& path) {
    if (path.isEmpty())
        return false;
    const QString ext = extension(path).toLower();
    return ext == QLatin1String(".torrent") || ext == QLatin1String(".nzb");
}

}  // namespace fv
