#include "platform/HttpClient.h"

#include <curl/curl.h>
#include <netdb.h>
#include <strings.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <mutex>

namespace fv {
namespace {

using SteadyTime = std::chrono::steady_clock::time_point;

void initCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// What the callbacks share with perform() during one exchange.
struct Exchange {
    const HttpRequest* request = nullptr;
    CURL* easy = nullptr;
    HttpResponse* response = nullptr;
    bool tooLarge = false;
    bool readTimedOut = false;
    bool cancelled = false;
    curl_off_t lastDown = -1;
    curl_off_t lastUp = -1;
    SteadyTime started;
    SteadyTime lastActivity;
};

std::string stripLineEnd(const char* data, size_t size) {
    while (size > 0 && (data[size - 1] == '\r' || data[size - 1] == '\n'))
        --size;
    return std::string(data, size);
}

size_t onHeader(char* data, size_t size, size_t count, void* user) {
    auto* ex = static_cast<Exchange*>(user);
    const size_t n = size * count;
    std::string line = stripLineEnd(data, n);
    if (line.rfind("HTTP/", 0) == 0) {
        // A new status line (after a 100 Continue) starts the reply over.
        ex->response->statusText = line;
        ex->response->headerLines.clear();
        ex->response->replied = true;
    } else if (!line.empty()) {
        ex->response->headerLines.push_back(std::move(line));
    }
    return n;
}

size_t onBody(char* data, size_t size, size_t count, void* user) {
    auto* ex = static_cast<Exchange*>(user);
    const size_t n = size * count;
    if (ex->response->body.size() + n > ex->request->maxBodyBytes) {
        ex->tooLarge = true;
        return 0;  // makes curl stop with a write error
    }
    ex->response->body.append(data, n);
    return n;
}

// Runs often during the exchange; enforces the read time-out and cancellation.
int onProgress(void* user, curl_off_t, curl_off_t dlnow, curl_off_t, curl_off_t ulnow) {
    auto* ex = static_cast<Exchange*>(user);
    if (ex->request->cancel && ex->request->cancel->load()) {
        ex->cancelled = true;
        return 1;
    }
    const SteadyTime now = std::chrono::steady_clock::now();
    const auto elapsedMs =
        std::chrono::duration_cast<std::chrono::milliseconds>(now - ex->started).count();
    if (elapsedMs >= ex->request->deadlineMs()) {
        ex->readTimedOut = true;
        return 1;
    }
    curl_off_t connectTime = 0;
    curl_easy_getinfo(ex->easy, CURLINFO_CONNECT_TIME_T, &connectTime);
    // Until connected the connect time-out is in charge.
    if (connectTime == 0 || dlnow != ex->lastDown || ulnow != ex->lastUp) {
        ex->lastDown = dlnow;
        ex->lastUp = ulnow;
        ex->lastActivity = now;
        return 0;
    }
    const auto silentMs =
        std::chrono::duration_cast<std::chrono::milliseconds>(now - ex->lastActivity).count();
    if (silentMs >= ex->request->readTimeoutMs) {
        ex->readTimedOut = true;
        return 1;
    }
    return 0;
}

std::string socketError(int number, const char* systemMessage) {
    return "Socket Error # " + std::to_string(number) + " " + systemMessage;
}

// The router protocol's callers test the original system's socket error numbers.
std::string connectFailure(long osErrno) {
    struct Row {
        int errnoValue;
        int number;
    };
    static constexpr Row kRows[] = {
        {ECONNREFUSED, 10061}, {ENETUNREACH, 10051},  {EHOSTUNREACH, 10065},
        {ECONNRESET, 10054},   {ECONNABORTED, 10053}, {ENETDOWN, 10050},
    };
    for (const Row& row : kRows)
        if (row.errnoValue == osErrno)
            return socketError(row.number, std::strerror(row.errnoValue));
    if (osErrno == ETIMEDOUT)
        return "Connect timed out.";
    return std::string(curl_easy_strerror(CURLE_COULDNT_CONNECT));
}

void classifyFailure(CURLcode code, const Exchange& ex, long osErrno, HttpResponse& res) {
    res.ok = false;
    if (ex.cancelled) {
        res.cancelled = true;
        res.failureText = "Cancelled";
    } else if (ex.readTimedOut) {
        res.timedOut = true;
        res.failureText = "Read timed out.";
    } else if (ex.tooLarge) {
        res.failureText = "Reply too large";
    } else if (code == CURLE_OPERATION_TIMEDOUT) {
        res.timedOut = true;
        res.failureText = res.replied ? "Read timed out." : "Connect timed out.";
    } else if (code == CURLE_COULDNT_RESOLVE_HOST) {
        res.failureText = socketError(11001, gai_strerror(EAI_NONAME));
    } else if (code == CURLE_COULDNT_CONNECT) {
        res.failureText = connectFailure(osErrno);
    } else if (code == CURLE_GOT_NOTHING) {
        res.failureText = "Connection Closed Gracefully.";
    } else if ((code == CURLE_RECV_ERROR || code == CURLE_SEND_ERROR) && osErrno == ECONNRESET) {
        res.failureText = socketError(10054, std::strerror(ECONNRESET));
    } else {
        res.failureText = curl_easy_strerror(code);
    }
}

bool hasControl(const std::string& text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x20 && c != '\t'; });
}

struct HeaderList {
    curl_slist* list = nullptr;
    ~HeaderList() { curl_slist_free_all(list); }
    void add(const std::string& line) {
        if (curl_slist* next = curl_slist_append(list, line.c_str()))
            list = next;
    }
};

void setOptions(CURL* easy, const HttpRequest& req, Exchange& ex, HeaderList& headers) {
    curl_easy_setopt(easy, CURLOPT_URL, req.url.c_str());
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 0L);
    // An empty proxy disables the environment's; "*" also bypasses any that slips through.
    curl_easy_setopt(easy, CURLOPT_PROXY, "");
    curl_easy_setopt(easy, CURLOPT_NOPROXY, "*");
    curl_easy_setopt(easy, CURLOPT_FORBID_REUSE, 1L);
    curl_easy_setopt(easy, CURLOPT_FRESH_CONNECT, 1L);
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(req.connectTimeoutMs));
    curl_easy_setopt(easy, CURLOPT_SSL_VERIFYPEER, req.verifyTls ? 1L : 0L);
    curl_easy_setopt(easy, CURLOPT_SSL_VERIFYHOST, req.verifyTls ? 2L : 0L);
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &onHeader);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, &ex);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &onBody);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &ex);
    curl_easy_setopt(easy, CURLOPT_XFERINFOFUNCTION, &onProgress);
    curl_easy_setopt(easy, CURLOPT_XFERINFODATA, &ex);
    curl_easy_setopt(easy, CURLOPT_NOPROGRESS, 0L);

    for (const std::string& line : req.headers) {
        // A line break inside a value (a hostile settings file, a router's reply) would
        // start a header of its own.
        if (hasControl(line))
            continue;
        // curl must know the accepted encodings to undo them on the body.
        static constexpr std::string_view kEncoding = "accept-encoding:";
        if (line.size() >= kEncoding.size() &&
            strncasecmp(line.c_str(), kEncoding.data(), kEncoding.size()) == 0) {
            HttpRequest one;
            one.headers = {line};
            curl_easy_setopt(easy, CURLOPT_ACCEPT_ENCODING, one.header("Accept-Encoding").c_str());
            continue;
        }
        headers.add(line);
    }
    if (req.method == HttpRequest::Method::Post) {
        curl_easy_setopt(easy, CURLOPT_POST, 1L);
        curl_easy_setopt(easy, CURLOPT_POSTFIELDS, req.body.data());
        curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE,
                         static_cast<curl_off_t>(req.body.size()));
        if (!req.contentType.empty() && !req.hasHeader("Content-Type"))
            headers.add("Content-Type: " + req.contentType);
        headers.add("Expect:");  // no 100-continue round trip
    }
    curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headers.list);
}

// curl_easy_perform waits up to a second between progress calls, too coarse for the read
// time-out; a multi handle polled in short steps keeps it within a tenth of a second.
CURLcode performPolling(CURL* easy) {
    CURLM* multi = curl_multi_init();
    if (!multi)
        return curl_easy_perform(easy);
    curl_multi_add_handle(multi, easy);
    CURLcode result = CURLE_OK;
    int running = 1;
    while (running > 0) {
        if (curl_multi_perform(multi, &running) != CURLM_OK) {
            result = CURLE_FAILED_INIT;
            break;
        }
        if (running > 0 && curl_multi_poll(multi, nullptr, 0, 50, nullptr) != CURLM_OK) {
            result = CURLE_FAILED_INIT;
            break;
        }
    }
    int left = 0;
    while (CURLMsg* msg = curl_multi_info_read(multi, &left))
        if (msg->msg == CURLMSG_DONE && msg->easy_handle == easy)
            result = msg->data.result;
    curl_multi_remove_handle(multi, easy);
    curl_multi_cleanup(multi);
    return result;
}

}  // namespace

HttpResponse HttpClient::perform(const HttpRequest& request) {
    initCurlOnce();
    HttpResponse response;
    if (hasControl(request.url)) {
        response.failureText = "Invalid address";
        return response;
    }
    CURL* easy = curl_easy_init();
    if (!easy) {
        response.failureText = "HTTP client could not be created";
        return response;
    }
    Exchange ex;
    ex.request = &request;
    ex.easy = easy;
    ex.response = &response;
    ex.started = std::chrono::steady_clock::now();
    ex.lastActivity = ex.started;
    HeaderList headers;
    setOptions(easy, request, ex, headers);

    const CURLcode code = performPolling(easy);
    long status = 0;
    curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status);
    long osErrno = 0;
    curl_easy_getinfo(easy, CURLINFO_OS_ERRNO, &osErrno);
    curl_easy_cleanup(easy);

    response.statusCode = static_cast<int>(status);
    if (code != CURLE_OK) {
        classifyFailure(code, ex, osErrno, response);
    } else if (status >= 200 && status < 300) {
        response.ok = true;
    } else {
        response.failureText = response.statusText.empty() ? "HTTP/1.1 " + std::to_string(status)
                                                           : response.statusText;
    }
    return response;
}

HttpTransport& defaultHttpTransport() {
    static HttpClient client;
    return client;
}

}  // namespace fv
