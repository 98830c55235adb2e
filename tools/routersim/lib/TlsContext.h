// A server TLS context with a self-signed certificate made at start; no files involved.
#pragma once

#include <string>

typedef struct ssl_ctx_st SSL_CTX;

namespace routersim {

class TlsContext {
  public:
    // commonName goes into the certificate's subject and issuer.
    explicit TlsContext(const std::string& commonName);
    ~TlsContext();
    TlsContext(const TlsContext&) = delete;
    TlsContext& operator=(const TlsContext&) = delete;

    bool ok() const { return ctx_ != nullptr; }
    SSL_CTX* get() const { return ctx_; }
    // PEM text of the certificate, so tests can pin it.
    const std::string& certificatePem() const { return pem_; }

  private:
    SSL_CTX* ctx_ = nullptr;
    std::string pem_;
};

}  // namespace routersim
