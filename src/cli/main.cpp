// fvctl: the Ferrovane client's task list, commands and upload queue from a terminal or a
// script. Unlike the window it may run many times at once; the queue file is shared safely.
#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

#include "cli/CliOutput.h"
#include "cli/CommandTable.h"
#include "i18n/LanguageFile.h"
#include "platform/LanguageName.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("fvctl"));
    const fv::TextSet texts = fv::LanguageFile::textsFor(fv::LanguageName::read());
    QTextStream out(stdout);
    QTextStream err(stderr);
    fv::cli::CliOutput io(out, err, texts.messages, texts.client);
    fv::cli::CommandTable commands;
    const int code = commands.run(QCoreApplication::arguments(), io);
    io.flush();
    return code;
}
