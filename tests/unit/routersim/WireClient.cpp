// A deliberately plain client for the simulator's tests.
#include "WireClient.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <openssl/pem.h>
#include <openssl/ssl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

#include "WireText.h"

namespace routersim::test {

namespace {

int connectLoopback(std::uint16_t port, int timeoutMs, int* error) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    timeval tv{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &tv, sizeof tv);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(port);
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
        *error = errno;
        ::close(fd);
        return -1;
    }
    return fd;
}

std::string certificatePem(SSL* ssl) {
    X509* cert = SSL_get1_peer_certificate(ssl);
    if (!cert)
        return {};
    BIO* bio = BIO_new(BIO_s_mem());
    PEM_write_bio_X509(bio, cert);
    char* data = nullptr;
    const long len = BIO_get_mem_data(bio, &data);
    std::string pem(data, static_cast<std::size_t>(len));
    BIO_free(bio);
    X509_free(cert);
    return pem;
}

void exchangeTls(int fd, const std::string& request, RawReply& reply) {
    SSL_CTX* ctx = SSL_CTX_new(TLS_client_method());
    SSL* ssl = SSL_new(ctx);
    SSL_set_fd(ssl, fd);
    if (SSL_connect(ssl) == 1) {
        reply.peerCertificatePem = certificatePem(ssl);
        SSL_write(ssl, request.data(), static_cast<int>(request.size()));
        char buffer[4096];
        int n;
        while ((n = SSL_read(ssl, buffer, sizeof buffer)) > 0)
            reply.bytes.append(buffer, n);
        if (SSL_get_error(ssl, n) != SSL_ERROR_ZERO_RETURN)
            reply.error = errno ? errno : EPROTO;
    } else {
        reply.error = EPROTO;
    }
    SSL_free(ssl);
    SSL_CTX_free(ctx);
}

}  // namespace

RawReply exchange(std::uint16_t port, const std::string& request, bool tls, int timeoutMs) {
    RawReply reply;
    const int fd = connectLoopback(port, timeoutMs, &reply.error);
    if (fd < 0)
        return reply;
    reply.connected = true;
    if (tls) {
        exchangeTls(fd, request, reply);
    } else {
        ::send(fd, request.data(), request.size(), MSG_NOSIGNAL);
        ::shutdown(fd, SHUT_WR);  // the request is complete; a short body ends here
        char buffer[4096];
        ssize_t n;
        while ((n = ::recv(fd, buffer, sizeof buffer, 0)) > 0)
            reply.bytes.append(buffer, static_cast<std::size_t>(n));
        if (n < 0)
            reply.error = errno;
    }
    ::close(fd);
    return reply;
}

ParsedReply parseReply(const std::string& bytes) {
    ParsedReply parsed;
    const auto headEnd = bytes.find("\r\n\r\n");
    const std::string head = bytes.substr(0, headEnd);
    parsed.body = headEnd == std::string::npos ? std::string() : bytes.substr(headEnd + 4);
    std::size_t pos = 0;
    bool first = true;
    while (pos <= head.size()) {
        auto end = head.find("\r\n", pos);
        if (end == std::string::npos)
            end = head.size();
        const std::string line = head.substr(pos, end - pos);
        if (first) {
            parsed.statusLine = line;
            first = false;
        } else if (!line.empty()) {
            parsed.headerLines.push_back(line);
        }
        pos = end + 2;
    }
    return parsed;
}

std::string buildRequest(const std::string& method, const std::string& target,
                         const std::vector<std::string>& headerLines, const std::string& body) {
    std::string out = method + " " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\n";
    for (const auto& line : headerLines)
        out += line + "\r\n";
    if (!body.empty() || method == "POST")
        out += "Content-Length: " + std::to_string(body.size()) + "\r\n";
    return out + "\r\n" + body;
}

std::string basicHeader(const std::string& user, const std::string& password) {
    return "Authorization: Basic " + base64Encode(user + ":" + password);
}

ParsedReply fetch(std::uint16_t port, const std::string& request, bool tls) {
    return parseReply(exchange(port, request, tls).bytes);
}

}  // namespace routersim::test
