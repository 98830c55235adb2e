// The command line as start-up reads it: only the first argument (an optional path) counts.
#pragma once

#include <QString>
#include <QStringList>

namespace fv {

class StartupArguments {
  public:
    // arguments as the process got them, program name first; empty when there is none.
    // A relative path is made absolute against this process's working folder, so the
    // running instance it may be handed to (started elsewhere) opens the same file.
    static QString firstArgument(const QStringList& arguments);

    // Text after the last "." of the file name (dot included), "" when it has none.
    static QString extension(const QString& path);

    // A first start queues its argument only for ".torrent" and ".nzb", in any case.
    // (A hand-off from a second start and dropped files are not filtered.)
    static bool queueableAtFirstStart(const QString& path);
};

}  // namespace fv
