#include "cli/CommandTable.h"

#include "cli/AddCommand.h"
#include "cli/CliExit.h"
#include "cli/ControlCommand.h"
#include "cli/DiscoverCommand.h"
#include "cli/OpenCommand.h"
#include "cli/QueueCommand.h"
#include "cli/SettingsCommand.h"
#include "cli/StatusCommand.h"
#include "cli/TestCommand.h"
#include "cli/TorrentCommand.h"
#include "cli/VersionCommand.h"
#include "platform/VersionInfo.h"

namespace fv::cli {
namespace {

// The parser names the program by its path; the help names the command as it is typed.
QString helpWithName(QString help, const QString& command) {
    const QString usage = QStringLiteral("Usage: ");
    const qsizetype end = help.indexOf(QLatin1Char(' '), usage.size());
    if (help.startsWith(usage) && end > 0)
        help.replace(usage.size(), end - usage.size(), QStringLiteral("fvctl ") + command);
    return help;
}

constexpr int kHelpWidth = 90;

// Lines of at most width characters, broken at blanks (a longer word keeps its own line).
QString wrapped(const QString& text, int width) {
    QString out;
    qsizetype lineStart = 0;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (out.size() > lineStart && out.size() - lineStart + 1 + word.size() > width) {
            out += '\n';
            lineStart = out.size();
        } else if (out.size() > lineStart) {
            out += ' ';
        }
        out += word;
    }
    return out;
}

}  // namespace

CommandTable::CommandTable() {
    commands_.push_back(std::make_unique<StatusCommand>());
    for (const auto& spec : ControlCommand::specs())
        commands_.push_back(std::make_unique<ControlCommand>(spec));
    commands_.push_back(std::make_unique<OpenCommand>());
    commands_.push_back(std::make_unique<AddCommand>());
    commands_.push_back(std::make_unique<QueueCommand>());
    commands_.push_back(std::make_unique<TorrentCommand>());
    commands_.push_back(std::make_unique<TestCommand>());
    commands_.push_back(std::make_unique<SettingsCommand>());
    commands_.push_back(std::make_unique<DiscoverCommand>());
    commands_.push_back(std::make_unique<VersionCommand>());
}

const CliCommand* CommandTable::find(const QString& name) const {
    for (const auto& c : commands_)
        if (c->name() == name)
            return c.get();
    return nullptr;
}

QString CommandTable::globalHelp(const ClientTexts& texts) const {
    QString text = texts[Ct::FvctlUsage] + '\n' + wrapped(texts[Ct::FvctlAbout], kHelpWidth) +
                   "\n\n" + texts[Ct::FvctlCommands] + '\n';
    for (const auto& c : commands_)
        text +=
            QStringLiteral("  %1%2\n")
                .arg(c->name().leftJustified(12), texts.commandSummary(c->name(), c->summary()));
    text += '\n' + texts[Ct::FvctlCommandHelp] + "\n\n";
    text += exitCodeHelp(texts);
    return text;
}

int CommandTable::run(const QStringList& arguments, CliOutput& io) {
    const QString first = arguments.value(1);
    if (first.isEmpty() || first == "--help" || first == "-h" || first == "help") {
        io.out() << globalHelp(io.client());
        return first.isEmpty() ? kExitUsage : kExitOk;
    }
    if (first == "--version" || first == "-v") {
        io.line(QStringLiteral("fvctl ") + VersionInfo::programVersion());
        return kExitOk;
    }
    for (auto& c : commands_)
        if (c->name() == first)
            return runCommand(*c, arguments.mid(2), io);
    io.error(QStringLiteral("unknown command \"%1\"; see \"fvctl --help\"").arg(first));
    return kExitUsage;
}

int CommandTable::runCommand(CliCommand& command, const QStringList& rest, CliOutput& io) {
    QCommandLineParser parser;
    parser.setApplicationDescription(io.client().commandSummary(command.name(), command.summary()));
    const QCommandLineOption help({"h", "help"}, io.client()[Ct::FvctlHelpOption]);
    parser.addOption(help);
    command.configure(parser);
    if (!parser.parse(QStringList{QStringLiteral("fvctl ") + command.name()} + rest)) {
        io.error(parser.errorText());
        return kExitUsage;
    }
    if (parser.isSet(help)) {
        io.out() << helpWithName(parser.helpText(), command.name()) << '\n'
                 << exitCodeHelp(io.client());
        return kExitOk;
    }
    if (command.positionalCount() != CliCommand::kAnyPositionals &&
        parser.positionalArguments().size() != command.positionalCount()) {
        io.error(QStringLiteral("\"%1\" takes %2 argument(s); see \"fvctl %1 --help\"")
                     .arg(command.name())
                     .arg(command.positionalCount()));
        return kExitUsage;
    }
    return command.execute(parser, io);
}

const char* exitCodeHelp() {
    return "Exit codes:\n"
           "  0   done\n"
           "  1   wrong command or arguments\n"
           "  2   bad input: unknown task ID, unreadable torrent, no file chosen\n"
           "  3   the router did not answer (offline); an added file stays queued\n"
           "  4   the router refused the connection\n"
           "  5   the router rejected the account\n"
           "  6   the router is busy: another user is logged in\n"
           "  7   the task already exists on the router\n"
           "  8   the router's task list or disk is full\n"
           "  9   the router could not take the file\n"
           "  10  no settings file, or the queue file cannot be written\n"
           "  11  another process is sending the queue; the file stays queued\n"
           "  12  nothing to open: the file is not on the share, or the router gave no link\n"
           "  13  another program holds the discovery port 9999\n";
}

QString exitCodeHelp(const ClientTexts& texts) {
    QString text = texts[Ct::FvctlExitCodes] + '\n';
    for (int code = 0; code <= static_cast<int>(kExitPortHeld); ++code) {
        const auto line = static_cast<Ct>(static_cast<int>(Ct::FvctlExit0) + code);
        text += QStringLiteral("  %1%2\n").arg(QString::number(code).leftJustified(4), texts[line]);
    }
    return text;
}

}  // namespace fv::cli
