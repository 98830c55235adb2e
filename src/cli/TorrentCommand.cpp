#include "cli/TorrentCommand.h"

#include <QFileInfo>

#include "cli/CliExit.h"
#include "upload/FileSelectionModel.h"

namespace fv::cli {

void TorrentCommand::configure(QCommandLineParser& parser) const {
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("A .torrent or .nzb file."));
}

int TorrentCommand::execute(const QCommandLineParser& parser, CliOutput& io) {
    const QFileInfo file(parser.positionalArguments().value(0));
    if (!file.isFile()) {
        io.error(QStringLiteral("no such file: %1").arg(file.filePath()));
        return kExitBadInput;
    }
    const FileSelectionModel model = FileSelectionModel::open(file.absoluteFilePath());
    if (model.formatError()) {
        io.error(model.title());
        return kExitBadInput;
    }
    io.line(model.title());
    io.line(QStringLiteral("   ID  File Size   File Name"));
    for (const BtSelectRow& row : model.rows())
        io.line(QStringLiteral("%1 %2  %3  %4")
                    .arg(row.checked ? QLatin1Char('*') : QLatin1Char(' '))
                    .arg(row.id, 4)
                    .arg(row.sizeText, 10)
                    .arg(row.name));
    io.line(QStringLiteral("Default choice: %1")
                .arg(model.checkedValue().value_or(QStringLiteral("none"))));
    return kExitOk;
}

}  // namespace fv::cli
