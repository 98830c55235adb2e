#include "settings/RouterSettingsWrite.h"

#include <QByteArray>

#include "platform/DebugLog.h"
#include "router/LoginEncoding.h"
#include "router/RouterOutcome.h"
#include "router/StandardRequest.h"

namespace fv {

std::string encodeQueryValue(const QString& value) {
    const QByteArray bytes = value.toUtf8();
    // RFC 3986's unreserved characters stay as they are.
    return percentEscape(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())),
                         [](unsigned char c) {
                             return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                                    (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' ||
                                    c == '~';
                         });
}

namespace {

struct Pair {
    const char* key;
    std::string encoded;
};

std::string queryOf(const char* start, std::initializer_list<Pair> pairs) {
    std::string out = start;
    for (const Pair& p : pairs)
        out += std::string("&") + p.key + "=" + p.encoded;
    return out;
}

std::string e(const QString& value) {
    return encodeQueryValue(value);
}

}  // namespace

std::string RouterSettingsWrite::applyPath(int kind, const RouterBtSettings& bt,
                                           const RouterNzbSettings& nzb,
                                           const std::string& cacheBreaker, bool maskPassword) {
    if (kind == BitTorrent) {
        return queryOf("//ferrovane//fv_apply.cgi?action_mode=FV_APPLY&download_type=BT",
                       {{"Enable_peer_port", e(bt.Enable_peer_port)},
                        {"peer_port_change", e(bt.peer_port_change)},
                        {"bt_port_tmp", e(bt.bt_port_tmp)},
                        {"Select_port", e(bt.Select_port)},
                        {"Peer_port", e(bt.Peer_port)},
                        {"Down_limit", e(bt.Down_limit)},
                        {"Down_rate", e(bt.Down_rate)},
                        {"Up_limit", e(bt.Up_limit)},
                        {"Up_rate", e(bt.Up_rate)},
                        {"Auth_type", e(bt.Auth_type)},
                        {"Max_torrent_peer", e(bt.Max_torrent_peer)},
                        {"Max_peer", e(bt.Max_peer)},
                        {"Enable_dht", e(bt.Enable_dht)},
                        {"Enable_pex", e(bt.Enable_pex)}}) +
               cacheBreaker;
    }
    if (kind == Nzb) {
        // The log line shows the stars as they are, not encoded.
        const std::string password = maskPassword ? std::string("****") : e(nzb.Password);
        return queryOf("//ferrovane//fv_apply.cgi?action_mode=FV_APPLY&download_type=NZB",
                       {{"Server1.Host", e(nzb.Host)},
                        {"Server1.Port", e(nzb.Port)},
                        {"DownloadRate", e(nzb.DownloadRate)},
                        {"Server1.Encryption", e(nzb.Encryption)},
                        {"Server1.Username", e(nzb.Username)},
                        {"Server1.Password", password},
                        {"Server1.Connections", e(nzb.Connections)}}) +
               cacheBreaker;
    }
    return {};
}

RouterSettingsWrite::RouterSettingsWrite(const RouterContext& ctx, int kind)
    : ctx_(ctx), kind_(kind), conn_(ctx.records->connection()) {
    if (kind_ == BitTorrent)
        bt_ = ctx.records->bt();
    else if (kind_ == Nzb)
        nzb_ = ctx.records->nzb();
}

RouterSettingsWrite::Result RouterSettingsWrite::execute() {
    DebugLog::write("TFVPageSetSettingThread::Execute()");
    Result result;
    const std::string breaker = makeCacheBreaker();
    const std::string path = applyPath(kind_, bt_, nzb_, breaker);
    if (path.empty()) {
        result.failure = FailureKind::Other;
        result.failureText = "unknown settings kind " + std::to_string(kind_);
    } else if (conn_.ServerAddress.trimmed().isEmpty()) {
        result.failure = FailureKind::NoAddress;
        result.failureText = "no router address set up";
    } else {
        DebugLog::write("TFVPageSetSettingThread - PostAdd=[" + baseAddress(conn_) +
                        applyPath(kind_, bt_, nzb_, breaker, true) + "]");
        const HttpResponse res = performStandardGet(ctx_, conn_, request_kind::SettingsWrite, path);
        if (res.ok) {
            result.written = true;
        } else {
            result.failure = RouterOutcome::of(res).kind;
            result.failureText = !res.failureText.empty()  ? res.failureText
                                 : !res.statusText.empty() ? res.statusText
                                                           : std::string("no reply");
        }
    }
    if (!result.written)
        DebugLog::write("TFVPageSetSettingThread - http connect fault!; E.Message = " +
                        result.failureText);
    DebugLog::write("TFVPageSetSettingThread::Execute()-end");
    return result;
}

}  // namespace fv
