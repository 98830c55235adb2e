// HTTP client on libcurl, standing in for the original's HTTP client component.
//
// Each perform() uses a fresh easy handle: HTTP/1.1, no connection reuse, no redirects
// (a 3xx is a failure), never a proxy (even when http_proxy/https_proxy are set), the
// request's connect time-out, and its read time-out as the longest silence while waiting
// for reply bytes. The body is read whole, up to the request's cap.
//
// Usage (blocking, on a worker thread):
//     fv::HttpRequest req;
//     req.url = "http://127.0.0.1:8081/path?x=1";
//     req.setHeader("User-Agent", "KOVAFVUtility/2.2");
//     fv::HttpResponse res = fv::HttpClient().perform(req);
//     if (!res.ok) log(res.failureText);
// For a POST set req.method = Post, req.body and req.contentType (see MultipartBody).
#pragma once

#include "platform/HttpTransport.h"

namespace fv {

class HttpClient final : public HttpTransport {
  public:
    HttpResponse perform(const HttpRequest& request) override;
};

// The process-wide real transport.
HttpTransport& defaultHttpTransport();

}  // namespace fv
