#include "app/ShareLinkFetch.h"

#include "app/ShareLinkReply.h"
#include "platform/DebugLog.h"

namespace fv {
namespace {

std::optional<std::uint16_t> portNumber(const QString& text) {
    bool ok = false;
    const uint value = text.trimmed().toUInt(&ok);
    if (!ok || value == 0 || value > 65535)
        return std::nullopt;
    return static_cast<std::uint16_t>(value);
}

}  // namespace

ShareLinkFetch::Result ShareLinkFetch::execute(const Input& in, const Exchange& exchange) {
    DebugLog::write("TGetWebDavDirThread::Execute()\r\n");
    Result result;
    DebugLog::write("TGetWebDavDirThread::Execute(),Cmd:" +
                    ShareLinkRequest::commandLine(in.query));
    DebugLog::write("TGetWebDavDirThread::Execute(),Url:" + ShareLinkRequest::urlLine(in.query));
    DebugLog::write("TGetWebDavDirThread::Execute(),Filename:" +
                    ShareLinkRequest::fileNameLine(in.query));
    DebugLog::write(QStringLiteral("TGetWebDavDirThread::Execute(),Host:") +
                    in.query.serverAddress);
    DebugLog::write(QStringLiteral("TGetWebDavDirThread::Execute(),WebDavHttpsPort:") + in.port);
    const auto port = portNumber(in.port);
    if (!port) {
        DebugLog::write(QStringLiteral("TGetWebDavDirThread::Execute() catch:") +
                        QStringLiteral("'%1' is not a valid port number").arg(in.port));
        return result;
    }
    TlsLineRequest request;
    request.host = in.query.serverAddress.trimmed().toStdString();
    request.port = *port;
    request.bytes = ShareLinkRequest::bytes(in.query);
    request.waitBeforeReadMs = kWaitMs;
    request.timeoutMs = kTimeoutMs;
    request.expectedKeyPin = in.pin;
    const TlsLineReply reply = exchange(request);
    result.keyPin = reply.keyPin;
    if (reply.failure != TlsLineReply::Failure::None) {
        DebugLog::write("TGetWebDavDirThread::Execute() catch:" + reply.message);
        result.keyChanged = reply.failure == TlsLineReply::Failure::KeyChanged;
        result.gracefulClose = reply.message.find("Grace") != std::string::npos;
        return result;
    }
    DebugLog::write("TimerWebDavTimer");
    const std::string text = collectShareLinkLines(reply.received);
    DebugLog::write("ParserWebDavShareLink:" + text);
    result.shareLink = parseWebDavShareLink(text);
    return result;
}

}  // namespace fv
