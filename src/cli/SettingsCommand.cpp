#include "cli/SettingsCommand.h"

#include <QJsonDocument>
#include <QJsonObject>

#include "app/FileTypeAssociation.h"
#include "cli/CliExit.h"
#include "cli/CliSession.h"
#include "cli/ConnectionEdit.h"
#include "cli/RouterFailure.h"
#include "platform/AppPaths.h"
#include "settings/RouterSettingsRead.h"
#include "settings/RouterSettingsReply.h"
#include "settings/RouterSettingsWrite.h"

namespace fv::cli {
namespace {

constexpr const char* kMasked = "****";

struct BtField {
    const char* key;
    QString RouterBtSettings::*member;
    bool reported;  // the router's read reply carries it (the others are only sent)
};

// The read reply's fields in its order, then those the write alone carries.
const std::vector<BtField>& btFields() {
    static const std::vector<BtField> fields = [] {
        std::vector<BtField> all;
        for (const auto& f : btReplyFields())
            all.push_back({f.key, f.member, true});
        all.push_back({"peer_port_change", &RouterBtSettings::peer_port_change, false});
        all.push_back({"bt_port_tmp", &RouterBtSettings::bt_port_tmp, false});
        all.push_back({"Select_port", &RouterBtSettings::Select_port, false});
        return all;
    }();
    return fields;
}

QString masked(const QString& secret) {
    return secret.isEmpty() ? QString() : QString::fromLatin1(kMasked);
}

struct Shown {
    QString section;
    std::vector<std::pair<QString, QString>> values;
};

std::vector<Shown> sectionsOf(const ConnectionProfile& conn, const RouterBtSettings* bt,
                              const RouterNzbSettings* nzb) {
    std::vector<Shown> out;
    out.push_back({QStringLiteral("connection"),
                   {{"ServerAddress", conn.ServerAddress},
                    {"ServerPort", conn.ServerPort},
                    {"UserName", conn.UserName},
                    {"Password", QString::fromLatin1(kMasked)},
                    {"RefreshIntervalMs", QString::number(conn.RefreshIntervalMs)},
                    {"IsRemote", conn.IsRemote ? QStringLiteral("1") : QStringLiteral("0")}}});
    if (bt) {
        Shown s{QStringLiteral("bittorrent"), {}};
        for (const BtField& f : btFields())
            if (f.reported)
                s.values.emplace_back(QString::fromLatin1(f.key), bt->*f.member);
        out.push_back(std::move(s));
    }
    if (nzb) {
        Shown s{QStringLiteral("nzb"), {}};
        for (const auto& f : nzbReplyFields()) {
            const QString v = nzb->*f.member;
            s.values.emplace_back(QString::fromLatin1(f.key),
                                  f.member == &RouterNzbSettings::Password ? masked(v) : v);
        }
        out.push_back(std::move(s));
    }
    return out;
}

void printText(const std::vector<Shown>& sections, CliOutput& io) {
    for (const Shown& s : sections) {
        io.line(QStringLiteral("[%1]").arg(s.section));
        for (const auto& [key, value] : s.values)
            io.line(QStringLiteral("  %1%2").arg(key.leftJustified(18), value));
    }
}

QByteArray jsonOf(const std::vector<Shown>& sections, const QString& error, int exitCode) {
    QJsonObject doc;
    for (const Shown& s : sections) {
        QJsonObject o;
        for (const auto& [key, value] : s.values)
            o[key] = value;
        doc[s.section] = o;
    }
    if (!error.isEmpty()) {
        doc["error"] = error;
        doc["exitCode"] = exitCode;
    }
    return QJsonDocument(doc).toJson(QJsonDocument::Indented);
}

RouterSettingsRead::Result readNow(CliSession& session) {
    RouterSettingsRead::Result result;
    session.core().readRouterSettings([&](const RouterSettingsRead::Result& r) { result = r; });
    return result;
}

}  // namespace

void SettingsCommand::configure(QCommandLineParser& parser) const {
    parser.addOption({QStringLiteral("json"), QStringLiteral("Prints one JSON document.")});
    parser.addPositionalArgument(
        QStringLiteral("set"),
        QStringLiteral("\"set\" followed by KEY=VALUE pairs changes router values. Keys: "
                       "Peer_port Auth_type Max_torrent_peer Max_peer Enable_dht Down_limit "
                       "Down_rate Up_limit Up_rate Enable_pex Enable_peer_port peer_port_change "
                       "bt_port_tmp Select_port (BitTorrent); Host Port Encryption Username "
                       "Password Connections DownloadRate (NZB); connection.ServerAddress "
                       "connection.ServerPort connection.UserName connection.Password "
                       "connection.RefreshSeconds connection.Remote (the stored connection); "
                       "connection.AssBt connection.AssNZB (1: this user's default program "
                       "for .torrent / .nzb files, 0: not)."),
        QStringLiteral("[set KEY=VALUE...]"));
}

std::optional<std::vector<SettingsCommand::Change>> SettingsCommand::parseChanges(
    const QStringList& arguments, QString* error) {
    std::vector<Change> changes;
    for (const QString& a : arguments) {
        const qsizetype eq = a.indexOf(QLatin1Char('='));
        if (eq <= 0) {
            *error = QStringLiteral("\"%1\" is not KEY=VALUE").arg(a);
            return std::nullopt;
        }
        const QString key = a.left(eq);
        const QString value = a.mid(eq + 1);
        const QLatin1String prefix(ConnectionEdit::kPrefix);
        if (key.startsWith(prefix)) {
            const QString field = key.mid(prefix.size());
            if (!ConnectionEdit::knows(field)) {
                *error =
                    QStringLiteral("unknown settings key \"%1\"; see \"fvctl settings --help\"")
                        .arg(key);
                return std::nullopt;
            }
            if (const QString why = ConnectionEdit::check(field, value); !why.isEmpty()) {
                *error = why;
                return std::nullopt;
            }
            changes.push_back({kConnection, field, value});
            continue;
        }
        std::optional<int> kind;
        for (const BtField& f : btFields())
            if (key == QLatin1String(f.key))
                kind = RouterSettingsWrite::BitTorrent;
        for (const auto& f : nzbReplyFields())
            if (key == QLatin1String(f.key))
                kind = RouterSettingsWrite::Nzb;
        if (!kind) {
            *error = QStringLiteral("unknown settings key \"%1\"; see \"fvctl settings --help\"")
                         .arg(key);
            return std::nullopt;
        }
        changes.push_back({*kind, key, value});
    }
    if (changes.empty()) {
        *error = QStringLiteral("\"settings set\" needs at least one KEY=VALUE");
        return std::nullopt;
    }
    return changes;
}

void SettingsCommand::apply(const std::vector<Change>& changes, RouterBtSettings& bt,
                            RouterNzbSettings& nzb) {
    for (const Change& c : changes) {
        if (c.kind == kConnection)
            continue;  // the stored connection has keys of the same names
        for (const BtField& f : btFields())
            if (c.key == QLatin1String(f.key))
                bt.*f.member = c.value;
        for (const auto& f : nzbReplyFields())
            if (c.key == QLatin1String(f.key))
                nzb.*f.member = c.value;
    }
}

int SettingsCommand::execute(const QCommandLineParser& parser, CliOutput& io) {
    const bool json = parser.isSet(QStringLiteral("json"));
    const QStringList positionals = parser.positionalArguments();
    const bool setting = !positionals.isEmpty();
    if (setting && positionals.first() != QLatin1String("set")) {
        io.error(QStringLiteral("unknown settings action \"%1\"; see \"fvctl settings --help\"")
                     .arg(positionals.first()));
        return kExitUsage;
    }
    std::vector<Change> changes;
    if (setting) {
        // Every argument is checked before the router is asked anything.
        QString error;
        auto parsed = parseChanges(positionals.mid(1), &error);
        if (!parsed) {
            io.error(error);
            return kExitUsage;
        }
        changes = std::move(*parsed);
    }
    // The stored connection needs no router: it goes into the file first, also when there is
    // none yet.
    std::vector<std::pair<QString, QString>> connection;
    for (const Change& c : changes)
        if (c.kind == kConnection)
            connection.emplace_back(c.key, c.value);
    if (!connection.empty()) {
        QString why;
        if (!ConnectionEdit::apply(AppPaths::setupFilePath(), connection, &why)) {
            io.error(QStringLiteral("the settings file cannot be written: ") + why);
            return kExitLocalFiles;
        }
        io.line(QStringLiteral("connection settings saved"));
        // The file-type options take effect at once, as the window's Apply does.
        FileTypeDefaults defaults(FileTypeDefaults::user());
        for (const auto& step :
             FileTypeAssociation::followFile(AppPaths::setupFilePath(), defaults))
            if (step.outcome == FileTypeDefaults::Outcome::Failed)
                io.error(step.line);
        if (connection.size() == changes.size())
            return kExitOk;
    }

    CliSession session;
    QString error;
    if (!session.load(&error)) {
        if (json)
            io.out() << jsonOf({}, error, kExitLocalFiles);
        io.error(error);
        return kExitLocalFiles;
    }
    const ConnectionProfile conn = session.records().connection();
    const RouterSettingsRead::Result read = readNow(session);
    if (!read.complete()) {
        const RouterFailure failure = RouterFailure::forKind(read.failure, io.texts());
        if (json)
            io.out() << jsonOf(sectionsOf(conn, nullptr, nullptr), failure.message,
                               failure.exitCode);
        io.error(failure.message);
        return failure.exitCode;
    }

    RouterBtSettings bt = session.records().bt();
    RouterNzbSettings nzb = session.records().nzb();
    if (setting) {
        const RouterBtSettings before = bt;
        apply(changes, bt, nzb);
        bool btChanged = false;
        bool nzbChanged = false;
        bool peerPortHelpersGiven = false;
        for (const Change& c : changes) {
            if (c.kind == kConnection)
                continue;
            (c.kind == RouterSettingsWrite::BitTorrent ? btChanged : nzbChanged) = true;
            peerPortHelpersGiven |=
                c.key == QLatin1String("peer_port_change") || c.key == QLatin1String("bt_port_tmp");
        }
        // The router's read reply leaves these out; the set-up page sends whether the port
        // moved and the port it had, so the same is sent here unless given.
        if (btChanged && !peerPortHelpersGiven) {
            bt.peer_port_change =
                bt.Peer_port == before.Peer_port ? QStringLiteral("0") : QStringLiteral("1");
            bt.bt_port_tmp = before.Peer_port;
        }
        if (bt.Select_port.isEmpty())
            bt.Select_port = QStringLiteral("0");
        session.records().setBt(bt);
        session.records().setNzb(nzb);
        for (const int kind :
             {int(RouterSettingsWrite::BitTorrent), int(RouterSettingsWrite::Nzb)}) {
            if (kind == RouterSettingsWrite::BitTorrent ? !btChanged : !nzbChanged)
                continue;
            RouterSettingsWrite::Result written;
            session.core().writeRouterSettings(
                kind, [&](const RouterSettingsWrite::Result& r) { written = r; });
            if (!written.written) {
                const RouterFailure failure = RouterFailure::forKind(written.failure, io.texts());
                io.error(failure.message);
                return failure.exitCode;
            }
            io.line(kind == RouterSettingsWrite::BitTorrent
                        ? QStringLiteral("BitTorrent settings written")
                        : QStringLiteral("NZB settings written"));
        }
        return kExitOk;
    }

    const std::vector<Shown> sections = sectionsOf(conn, &bt, &nzb);
    if (json)
        io.out() << jsonOf(sections, {}, kExitOk);
    else
        printText(sections, io);
    return kExitOk;
}

}  // namespace fv::cli
