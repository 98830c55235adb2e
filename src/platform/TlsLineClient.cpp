#include "platform/TlsLineClient.h"

#include <curl/curl.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/sha.h>
#include <openssl/x509.h>
#include <poll.h>

#include <chrono>
#include <cstring>
#include <memory>
#include <mutex>
#include <thread>

namespace fv {
namespace {

struct EasyFree {
    void operator()(CURL* c) const { curl_easy_cleanup(c); }
};

TlsLineReply failed(TlsLineReply::Failure kind, std::string message, TlsLineReply reply = {}) {
    reply.failure = kind;
    reply.message = std::move(message);
    return reply;
}

TlsLineReply::Failure kindOf(CURLcode code) {
    switch (code) {
        case CURLE_COULDNT_CONNECT:
            return TlsLineReply::Failure::Refused;
        case CURLE_OPERATION_TIMEDOUT:
            return TlsLineReply::Failure::TimedOut;
        case CURLE_SSL_CONNECT_ERROR:
            return TlsLineReply::Failure::Tls;
        default:
            return TlsLineReply::Failure::Other;
    }
}

// The leaf certificate as libcurl reports it (CERTINFO works after a connect-only transfer,
// where the TLS session pointer is no longer handed out).
std::string peerKeyPin(CURL* easy) {
    curl_certinfo* info = nullptr;
    if (curl_easy_getinfo(easy, CURLINFO_CERTINFO, &info) != CURLE_OK || !info ||
        info->num_of_certs < 1)
        return {};
    std::string pem;
    for (curl_slist* item = info->certinfo[0]; item; item = item->next) {
        if (std::strncmp(item->data, "Cert:", 5) == 0)
            pem = item->data + 5;
    }
    if (pem.empty())
        return {};
    BIO* bio = BIO_new_mem_buf(pem.data(), static_cast<int>(pem.size()));
    X509* cert = bio ? PEM_read_bio_X509(bio, nullptr, nullptr, nullptr) : nullptr;
    BIO_free(bio);
    if (!cert)
        return {};
    unsigned char* der = nullptr;
    const int length = i2d_X509_PUBKEY(X509_get_X509_PUBKEY(cert), &der);
    std::string pin;
    if (length > 0)
        pin = TlsLineClient::keyPinOf(std::string(reinterpret_cast<char*>(der), length));
    OPENSSL_free(der);
    X509_free(cert);
    return pin;
}

bool waitFor(curl_socket_t socket, short events, int timeoutMs) {
    pollfd p{socket, events, 0};
    return ::poll(&p, 1, timeoutMs) > 0;
}

bool sendAll(CURL* easy, curl_socket_t socket, const std::string& bytes, int timeoutMs) {
    size_t sent = 0;
    while (sent < bytes.size()) {
        size_t n = 0;
        const CURLcode rc = curl_easy_send(easy, bytes.data() + sent, bytes.size() - sent, &n);
        if (rc == CURLE_AGAIN) {
            if (!waitFor(socket, POLLOUT, timeoutMs))
                return false;
            continue;
        }
        if (rc != CURLE_OK)
            return false;
        sent += n;
    }
    return true;
}

// Reads until the peer closes; false (with the failure set) otherwise.
bool readAll(CURL* easy, curl_socket_t socket, const TlsLineRequest& request, TlsLineReply& reply) {
    char buffer[4096];
    for (;;) {
        size_t n = 0;
        const CURLcode rc = curl_easy_recv(easy, buffer, sizeof buffer, &n);
        if (rc == CURLE_AGAIN) {
            if (!waitFor(socket, POLLIN, request.timeoutMs)) {
                reply.failure = TlsLineReply::Failure::TimedOut;
                reply.message = "Read timed out.";
                return false;
            }
            continue;
        }
        if (rc != CURLE_OK) {
            reply.failure = TlsLineReply::Failure::Other;
            reply.message = std::string("Socket Error: ") + curl_easy_strerror(rc);
            return false;
        }
        if (n == 0)
            return true;
        if (reply.received.size() + n > request.maxReply) {
            reply.failure = TlsLineReply::Failure::TooLarge;
            reply.message = "The reply is too large.";
            return false;
        }
        reply.received.append(buffer, n);
    }
}

}  // namespace

std::string TlsLineClient::keyPinOf(const std::string& der) {
    unsigned char digest[SHA256_DIGEST_LENGTH];
    SHA256(reinterpret_cast<const unsigned char*>(der.data()), der.size(), digest);
    unsigned char text[4 * ((SHA256_DIGEST_LENGTH + 2) / 3) + 1];
    const int length = EVP_EncodeBlock(text, digest, SHA256_DIGEST_LENGTH);
    return std::string(reinterpret_cast<char*>(text), length);
}

TlsLineReply TlsLineClient::exchange(const TlsLineRequest& request) {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    std::unique_ptr<CURL, EasyFree> easy(curl_easy_init());
    if (!easy)
        return failed(TlsLineReply::Failure::Other, "no libcurl handle");
    const std::string url = "https://" + request.host + ":" + std::to_string(request.port) + "/";
    curl_easy_setopt(easy.get(), CURLOPT_URL, url.c_str());
    curl_easy_setopt(easy.get(), CURLOPT_CONNECT_ONLY, 1L);
    curl_easy_setopt(easy.get(), CURLOPT_NOPROXY, "*");
    curl_easy_setopt(easy.get(), CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy.get(), CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(request.timeoutMs));
    // The router's certificate is its own; its key is checked against the pin below instead.
    curl_easy_setopt(easy.get(), CURLOPT_SSL_VERIFYPEER, 0L);
    curl_easy_setopt(easy.get(), CURLOPT_SSL_VERIFYHOST, 0L);
    curl_easy_setopt(easy.get(), CURLOPT_CERTINFO, 1L);
    const CURLcode connected = curl_easy_perform(easy.get());
    if (connected != CURLE_OK)
        return failed(kindOf(connected),
                      std::string("Socket Error: ") + curl_easy_strerror(connected));
    TlsLineReply reply;
    reply.keyPin = peerKeyPin(easy.get());
    if (reply.keyPin.empty())
        return failed(TlsLineReply::Failure::Tls, "no peer certificate", reply);
    if (request.expectedKeyPin && *request.expectedKeyPin != reply.keyPin)
        return failed(TlsLineReply::Failure::KeyChanged, "the router's key has changed", reply);
    curl_socket_t socket = CURL_SOCKET_BAD;
    curl_easy_getinfo(easy.get(), CURLINFO_ACTIVESOCKET, &socket);
    if (socket == CURL_SOCKET_BAD || !sendAll(easy.get(), socket, request.bytes, request.timeoutMs))
        return failed(TlsLineReply::Failure::Other, "Socket Error: send failed", reply);
    std::this_thread::sleep_for(std::chrono::milliseconds(request.waitBeforeReadMs));
    if (!readAll(easy.get(), socket, request, reply))
        return reply;
    if (reply.received.empty())
        return failed(TlsLineReply::Failure::ClosedGracefully, "Connection Closed Gracefully.",
                      reply);
    reply.failure = TlsLineReply::Failure::None;
    return reply;
}

}  // namespace fv
