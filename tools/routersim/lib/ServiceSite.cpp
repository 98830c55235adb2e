// The service's web port.
#include "ServiceSite.h"

namespace routersim {

namespace {

Response notFound() {
    return Response::status("HTTP/1.1 404 Not Found", "<html><body>404 Not Found</body></html>");
}

}  // namespace

Response ServiceSite::handle(const Request& request, const Faults& faults) {
    const std::string path = request.routePath();
    if (faults.expireSessions)
        auth_.expireAllSessions();
    if (path == "/check.asp")
        return auth_.login(request);
    if (auto refusal = auth_.check(request))
        return *refusal;
    if (path == "/") {
        return Response::text(
            "<html><head><title>Ferrovane</title></head><body>Ferrovane</body></html>",
            "text/html");
    }
    if (path == "/ferrovane/fv_print_status.cgi")
        return Response::text(board_.report(faults.reportLine), "text/html; charset=utf-8");
    if (path == "/ferrovane/fv_apply.cgi")
        return apply(request);
    if (path == "/ferrovane/fv_uploadbt.cgi") {
        if (request.method == "POST")
            return uploads_.upload(request, faults);
        return uploads_.select(request);
    }
    return notFound();
}

Response ServiceSite::apply(const Request& request) {
    const Params params = request.params();
    const std::string mode = paramValue(params, "action_mode").value_or("");
    const std::string kind = paramValue(params, "download_type").value_or("");
    if (mode == "initial")
        return initialRead(kind);
    if (mode == "FV_CTRL") {
        const bool ok = board_.command(paramValue(params, "fv_ctrl").value_or(""),
                                       paramValue(params, "task_id").value_or(""));
        return Response::text(ok ? "OK\n" : "ERROR\n");
    }
    if (mode == "FV_APPLY")
        return Response::text(settings_.apply(kind, params) ? "OK\n" : "ERROR\n");
    return Response::text("ERROR\n");
}

Response ServiceSite::initialRead(const std::string& kind) {
    if (kind == "General")
        return Response::text(settings_.generalReply() + "\n", "text/html; charset=utf-8");
    if (kind == "BT")
        return Response::text(settings_.btReply() + "\n", "text/html; charset=utf-8");
    if (kind == "NZB")
        return Response::text(settings_.nzbReply() + "\n", "text/html; charset=utf-8");
    return Response::text("ERROR\n");
}

}  // namespace routersim
