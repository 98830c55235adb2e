// Fuzzes the small parsers of the router's replies; the first input byte picks the parser,
// the rest is the reply. Besides memory safety each checks what its result must keep:
//   0 comma items: a bounded split is the first items of the unbounded one, never longer;
//   1 application list page: lines, port and service items are parts of the page;
//   2 login reply header line: the token is the text right after "AuthByPasswd=" and the
//     session header holds exactly that token;
//   3 general settings: a short reply keeps the old values, the folder has no "/";
//   4/5 BitTorrent / NZB settings: filled exactly when the reply has the record's items, and
//     a reply that does not fill it leaves the record alone;
//   6 router outcome over a response built from the bytes: success only for a status line
//     naming 200, a report expected and another page given is never a report;
//   7 upload answer words: a code of the table.
// No request is ever sent: the context's transport aborts if anything asks it.
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSeeds.h"
#include "platform/DebugLog.h"
#include "platform/HttpTransport.h"
#include "router/AppListProbe.h"
#include "router/CommaText.h"
#include "router/ProbeResults.h"
#include "router/RouterContext.h"
#include "router/RouterOutcome.h"
#include "router/SessionLogin.h"
#include "router/SettingsRecords.h"
#include "settings/RouterSettingsReply.h"
#include "tasks/GeneralSettingsRead.h"
#include "upload/BtAnswer.h"

namespace {

using fv_fuzz::check;

enum Parser : uint8_t {
    kComma,
    kAppList,
    kSession,
    kGeneral,
    kBt,
    kNzb,
    kOutcome,
    kUploadAnswer,
    kParserCount
};

class NoNetwork : public fv::HttpTransport {
  public:
    fv::HttpResponse perform(const fv::HttpRequest&) override {
        fv_fuzz::broken("a parser sent a request");
    }
};

std::string seed(Parser p, const std::string& text) {
    return std::string(1, static_cast<char>(p)) + text;
}

fv_fuzz::Seeds seeds() {
    return {
        seed(kComma, "  \"a\",b c,\"d\"\"e\",,\"open"),
        seed(kComma, std::string("x,\0,\"\",", 7)),
        seed(kAppList,
             "<script>\r\n[\"ferrovane\",\"2.110\",\"Download Service\",\"yes\",\"no\"]\n];\r"
             "apps_http_port = \"8081\";\n</script>\n"),
        seed(kAppList, "[\"ferrovane\",\"2\"]\napps_http_port=___12345__"),
        seed(kSession, "Set-Cookie: AuthByPasswd=abc123; path=/"),
        seed(kSession, "AuthByPasswd=;=;"),
        seed(kGeneral,
             "[\"a\",\"b\",\"c\",\"d\",\"e\",\"f\",\"/tmp/mnt/sda1/Download/Complete\","
             "\"h\",\"i\",\"j\",\"k\",\"l\",\"m\",\"n\",\"o\",\"Router-1\"]"),
        seed(kGeneral, "[1,2,3,4,5,6,mnt,8,9,10,11,12,13,14,15,16,17]"),
        seed(kBt, "[\"51413\",\"1\",\"50\",\"200\",\"1\",\"0\",\"500\",\"0\",\"100\",\"1\",\"\"]"),
        seed(kBt, "[1,2]"),
        seed(kNzb, "[\"news.example\",\"563\",\"1\",\"user\",\"secret\",\"8\",\"0\"]"),
        seed(kNzb, "]"),
        seed(kOutcome, std::string("\x03\x00\xc8", 3) + "HTTP/1.1 200 OK\n\n<?xml?>"),
        seed(kOutcome, std::string("\x00\x00\x00", 3) + "\nSocket Error # 10061 refused\n"),
        seed(kOutcome, std::string("\x11\x01\x91", 3) + "HTTP/1.1 401 Unauthorized\n401\n"),
        seed(kUploadAnswer, "BT_ACK_SUCESS"),
        seed(kUploadAnswer, "<html>DISK_FULL</html>"),
    };
}

size_t totalSize(const std::vector<std::string>& parts) {
    size_t n = 0;
    for (const std::string& p : parts)
        n += p.size();
    return n;
}

void commaItems(std::string_view text, size_t bound) {
    const std::vector<std::string> all = fv::splitCommaText(text);
    check(all.size() <= 4096, "the default bound holds");
    check(totalSize(all) <= text.size(), "items hold no more text than was split");
    const std::vector<std::string> some = fv::splitCommaText(text, bound);
    check(some.size() <= bound, "a bounded split stays within its bound");
    check(some.size() == std::min(bound, all.size()), "a bound drops only items beyond it");
    for (size_t i = 0; i < some.size(); ++i)
        check(some[i] == all[i], "a bounded split gives the same first items");
}

void appListPage(const std::string& body, bool readVersion) {
    const std::vector<std::string> lines = fv::splitPageLines(body);
    check(totalSize(lines) <= body.size(), "lines hold no more text than the page");
    for (const std::string& l : lines)
        check(l.find_first_of("\r\n") == std::string::npos, "a line holds no line break");
    fv::ProbeResults results;
    const fv::ProbeState before{"old port", "old installed", "old enabled", "old version", true};
    results.set(before);
    const fv::AspPageParse parse = fv::parseAppListPage(lines, readVersion, results);
    const fv::ProbeState after = results.get();
    check(parse.port.size() <= body.size(), "the port is part of the page");
    check(parse.port.empty() || parse.complete, "a port only from a complete parse");
    check(parse.port.empty() || after.servicePort == parse.port, "the port found is stored");
    check(parse.serviceLineFound ||
              (after.installed == before.installed && after.enabled == before.enabled &&
               after.version == before.version),
          "without a service line the service facts stay");
    check(readVersion || after.version == before.version, "the version only when asked for");
    check(after.connectionRefused, "the parse never clears the refused flag");
}

void sessionLine(const std::string& line) {
    const std::string token = fv::sessionTokenFromLine(line);
    check(token.empty() || line.find("AuthByPasswd=" + token) != std::string::npos,
          "the token follows its key in the line");
    fv::SettingsRecords records;
    records.setSessionTokenHeader(QStringLiteral("stale"));
    NoNetwork none;
    const fv::RouterContext ctx(records, none);
    const std::string stored = fv::parseSessionToken(ctx, line);
    check(stored == token, "the stored token is the line's token");
    const QString header = records.sessionTokenHeader();
    check(header ==
              (token.empty() ? QString() : QString::fromStdString("Cookie: AuthByPasswd=" + token)),
          "the session header holds the token");
}

void generalReply(std::string_view text) {
    fv::GeneralSettingsValues values;
    const fv::GeneralSettingsValues::Values old{QStringLiteral("d"), QStringLiteral("f"),
                                                QStringLiteral("n")};
    values.set(old);
    fv::GeneralSettingsRead::parseReturnText(text, values);
    const fv::GeneralSettingsValues::Values now = values.get();
    if (fv::splitCommaText(text).size() < 16)
        check(now == old, "a short reply keeps the values");
    check(!now.DownloadFolder.contains(QLatin1Char('/')), "the folder uses backslashes");
}

// Every value the parsers may set, for telling a filled record from an untouched one.
std::vector<QString> valuesOf(const fv::RouterBtSettings& b) {
    return {b.Enable_peer_port, b.peer_port_change, b.bt_port_tmp, b.Select_port, b.Peer_port,
            b.Down_limit,       b.Down_rate,        b.Up_limit,    b.Up_rate,     b.Auth_type,
            b.Max_torrent_peer, b.Max_peer,         b.Enable_dht,  b.Enable_pex};
}

std::vector<QString> valuesOf(const fv::RouterNzbSettings& n) {
    return {n.Host, n.Port, n.DownloadRate, n.Encryption, n.Username, n.Password, n.Connections};
}

template <class Record>
void settingsReply(std::string_view text, bool (*parse)(std::string_view, Record&), size_t items) {
    Record record;
    const std::vector<QString> untouched = valuesOf(record);
    const bool filled = parse(text, record);
    check(filled == (fv::splitCommaText(fv::bracketedPart(text)).size() >= items),
          "filled exactly when the reply has the items");
    if (!filled)
        check(valuesOf(record) == untouched, "an unfilled record stays as it was");
}

void outcome(std::string_view bytes) {
    if (bytes.size() < 3)
        return;
    fv::HttpResponse res;
    const auto flags = static_cast<uint8_t>(bytes[0]);
    res.replied = flags & 1;
    res.ok = flags & 2;
    res.timedOut = flags & 4;
    res.cancelled = flags & 8;
    const bool report = flags & 16;
    res.statusCode = static_cast<uint8_t>(bytes[1]) << 8 | static_cast<uint8_t>(bytes[2]);
    std::string_view rest = bytes.substr(3);
    const size_t first = rest.find('\n');
    res.statusText = std::string(rest.substr(0, first));
    if (first != std::string_view::npos) {
        rest.remove_prefix(first + 1);
        const size_t second = rest.find('\n');
        res.failureText = std::string(rest.substr(0, second));
        if (second != std::string_view::npos)
            res.body = std::string(rest.substr(second + 1));
    }
    const auto expecting =
        report ? fv::RouterOutcome::Expecting::Report : fv::RouterOutcome::Expecting::AnyPage;
    const fv::RouterOutcome o = fv::RouterOutcome::of(res, expecting);
    check(o.httpStatus == (res.replied ? res.statusCode : 0), "the status only of a reply");
    check(o.statusText == res.statusText && o.failureText == res.failureText,
          "the texts are kept as they came");
    check(o.kind != fv::FailureKind::None ||
              (res.replied && res.statusText.find("200") != std::string::npos),
          "success only for a status line naming 200");
    if (report && res.ok && res.body.find("?xml") != std::string::npos)
        check(o.kind == fv::FailureKind::NotAReport, "another page is not a report");
    check(o.kind != fv::FailureKind::NotAReport || report, "not a report only when expected");
    check(o.kind != fv::FailureKind::NoAddress, "an exchange always had an address");
    check(fv::RouterOutcome::of(res, expecting).kind == o.kind, "the same response, the same kind");
}

}  // namespace

FV_FUZZ_SEED_MODE(seeds)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const std::string_view text = fv_fuzz::bytesOf(data + 1, size - 1);
    switch (static_cast<Parser>(data[0] % kParserCount)) {
        case kComma:
            commaItems(text, 1 + data[0] / kParserCount);
            break;
        case kAppList:
            appListPage(std::string(text), data[0] / kParserCount % 2 == 0);
            break;
        case kSession:
            sessionLine(std::string(text));
            break;
        case kGeneral:
            generalReply(text);
            break;
        case kBt:
            settingsReply<fv::RouterBtSettings>(text, fv::parseBtReply, 11);
            break;
        case kNzb:
            settingsReply<fv::RouterNzbSettings>(text, fv::parseNzbReply, 7);
            // The password becomes a log secret; forget it so the list cannot grow run by run.
            fv::DebugLog::clearSecrets();
            break;
        case kOutcome:
            outcome(text);
            break;
        case kUploadAnswer: {
            const int code = fv::classifyUploadAnswer(text);
            check(code >= fv::kBtAckSuccess && code <= fv::kNoAnswer, "a code of the table");
            check(code != fv::kNoAnswer || text.find("ACK_SUCESS") == std::string_view::npos,
                  "a success word is always found");
            break;
        }
        case kParserCount:
            break;
    }
    return 0;
}
