#include "settings/RouterSettingsRead.h"

#include <vector>

#include "platform/DebugLog.h"
#include "router/AppListProbe.h"
#include "router/RouterOutcome.h"
#include "router/StandardRequest.h"
#include "settings/RouterSettingsReply.h"

namespace fv {

RouterSettingsRead::RouterSettingsRead(const RouterContext& ctx)
    : ctx_(ctx),
      conn_(ctx.records->connection()),
      bt_(ctx.records->bt()),
      nzb_(ctx.records->nzb()) {}

bool RouterSettingsRead::fetch(const char* path, std::string& text, Result& result) {
    FailureKind kind = FailureKind::NoAddress;
    std::string failure = "no router address set up";
    // Without an address there is nobody to ask (first start, before the set-up).
    if (!conn_.ServerAddress.trimmed().isEmpty()) {
        const HttpResponse res = performStandardGet(ctx_, conn_, request_kind::TransferSettingsRead,
                                                    std::string(path) + makeCacheBreaker());
        if (res.ok) {
            text.clear();
            for (const std::string& line : splitPageLines(res.body))
                text += line;
            return true;
        }
        kind = RouterOutcome::of(res).kind;
        failure = !res.failureText.empty()  ? res.failureText
                  : !res.statusText.empty() ? res.statusText
                                            : std::string("no reply");
    }
    DebugLog::write("TFVPageGetBTSettingThread - http connect fault!; E.Message = " + failure);
    if (result.failure == FailureKind::None) {
        result.failure = kind;
        result.failureText = failure;
    }
    return false;
}

RouterSettingsRead::Result RouterSettingsRead::execute() {
    DebugLog::write("TFVPageGetBTSettingThread::Execute()");
    Result result;
    std::string text;
    if (fetch(kBtPath, text, result)) {
        parseBtReply(text, bt_);
        ctx_.records->setBt(bt_);
        result.btRead = true;
    }
    if (fetch(kNzbPath, text, result)) {
        parseNzbReply(text, nzb_);
        ctx_.records->setNzb(nzb_);
        result.nzbRead = true;
    }
    DebugLog::write("TFVPageGetBTSettingThread::Execute()-end");
    return result;
}

}  // namespace fv
