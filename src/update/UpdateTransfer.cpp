#include "update/UpdateTransfer.h"

#include <curl/curl.h>
#include <openssl/pem.h>
#include <openssl/ssl.h>
#include <openssl/x509.h>

#include <QFile>
#include <mutex>

namespace fv {
namespace {

void initCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct Exchange {
    const UpdateFetch* fetch = nullptr;
    const UpdateTransfer::Sink* sink = nullptr;
    const UpdateTransfer::Progress* progress = nullptr;
    std::int64_t received = 0;
    bool tooLarge = false;
    bool sinkFailed = false;
    bool cancelled = false;
    QByteArray extraCa;  // PEM text, read before the exchange
};

size_t onBody(char* data, size_t size, size_t count, void* user) {
    auto* ex = static_cast<Exchange*>(user);
    const size_t n = size * count;
    if (ex->received + static_cast<std::int64_t>(n) > ex->fetch->maxBytes) {
        ex->tooLarge = true;
        return 0;
    }
    if (!(*ex->sink)(data, n)) {
        ex->sinkFailed = true;
        return 0;
    }
    ex->received += static_cast<std::int64_t>(n);
    return n;
}

int onProgress(void* user, curl_off_t dltotal, curl_off_t dlnow, curl_off_t, curl_off_t) {
    auto* ex = static_cast<Exchange*>(user);
    if (ex->fetch->cancel && ex->fetch->cancel->load()) {
        ex->cancelled = true;
        return 1;
    }
    if (ex->progress && *ex->progress)
        (*ex->progress)(static_cast<std::int64_t>(dlnow), static_cast<std::int64_t>(dltotal));
    return 0;
}

// Adds the site's extra authorities to the verification store that already holds the
// system's; verification itself stays as libcurl set it up.
CURLcode addExtraAuthorities(CURL*, void* sslCtx, void* user) {
    auto* ex = static_cast<Exchange*>(user);
    X509_STORE* store = SSL_CTX_get_cert_store(static_cast<SSL_CTX*>(sslCtx));
    BIO* bio = BIO_new_mem_buf(ex->extraCa.constData(), static_cast<int>(ex->extraCa.size()));
    if (!bio)
        return CURLE_SSL_CACERT_BADFILE;
    int added = 0;
    while (X509* cert = PEM_read_bio_X509(bio, nullptr, nullptr, nullptr)) {
        if (X509_STORE_add_cert(store, cert) == 1)
            ++added;
        X509_free(cert);
    }
    BIO_free(bio);
    return added > 0 ? CURLE_OK : CURLE_SSL_CACERT_BADFILE;
}

}  // namespace

TransferOutcome UpdateTransfer::fetch(const UpdateFetch& fetch, std::string* body) {
    body->clear();
    const Sink sink = [body](const char* data, std::size_t size) {
        body->append(data, size);
        return true;
    };
    return stream(fetch, sink, {});
}

TransferOutcome UpdateTransfer::stream(const UpdateFetch& fetch, const Sink& sink,
                                       const Progress& progress) {
    initCurlOnce();
    Exchange ex;
    ex.fetch = &fetch;
    ex.sink = &sink;
    ex.progress = &progress;
    if (!fetch.extraCaFile.isEmpty()) {
        QFile file(fetch.extraCaFile);
        if (!file.open(QIODevice::ReadOnly) || (ex.extraCa = file.read(1 << 20)).isEmpty())
            return {TransferFailure::Untrusted, "the extra certificate file cannot be read: " +
                                                    fetch.extraCaFile.toStdString()};
    }
    CURL* easy = curl_easy_init();
    if (!easy)
        return {TransferFailure::Network, "no transfer handle"};
    char errorBuffer[CURL_ERROR_SIZE] = {};
    struct curl_slist* headers = nullptr;
    headers = curl_slist_append(headers, "Accept: text/html, */*");
    curl_easy_setopt(easy, CURLOPT_URL, fetch.url.c_str());
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "https");
    curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(easy, CURLOPT_USERAGENT, "Mozilla/3.0 (compatible; Indy Library)");
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 0L);
    // An error page never reaches the sink (it would land in the package file).
    curl_easy_setopt(easy, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(easy, CURLOPT_PROXY, "");
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(easy, CURLOPT_SSL_VERIFYHOST, 2L);
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(fetch.connectTimeoutMs));
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME,
                     static_cast<long>(std::max(1, fetch.stallTimeoutMs / 1000)));
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, onBody);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &ex);
    curl_easy_setopt(easy, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(easy, CURLOPT_XFERINFOFUNCTION, onProgress);
    curl_easy_setopt(easy, CURLOPT_XFERINFODATA, &ex);
    curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, errorBuffer);
#if LIBCURL_VERSION_NUM >= 0x075700
    // A cached store would carry one site's extra authorities into the next exchange.
    curl_easy_setopt(easy, CURLOPT_CA_CACHE_TIMEOUT, 0L);
#endif
    if (!ex.extraCa.isEmpty()) {
        curl_easy_setopt(easy, CURLOPT_SSL_CTX_FUNCTION, addExtraAuthorities);
        curl_easy_setopt(easy, CURLOPT_SSL_CTX_DATA, &ex);
    }
    const CURLcode code = curl_easy_perform(easy);
    long status = 0;
    curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status);
    curl_slist_free_all(headers);
    curl_easy_cleanup(easy);

    std::string detail = errorBuffer[0] ? std::string(errorBuffer) : curl_easy_strerror(code);
    if (ex.cancelled)
        return {TransferFailure::Cancelled, "Cancelled"};
    if (ex.tooLarge)
        return {TransferFailure::TooLarge, "Reply too large"};
    if (ex.sinkFailed)
        return {TransferFailure::Sink, "the downloaded bytes could not be written"};
    if (code == CURLE_PEER_FAILED_VERIFICATION || code == CURLE_SSL_CACERT_BADFILE)
        return {TransferFailure::Untrusted, detail};
    if (code == CURLE_HTTP_RETURNED_ERROR)
        return {TransferFailure::Status, "HTTP status " + std::to_string(status)};
    if (code != CURLE_OK)
        return {TransferFailure::Network, detail};
    if (status < 200 || status > 299)
        return {TransferFailure::Status, "HTTP status " + std::to_string(status)};
    return {};
}

}  // namespace fv
