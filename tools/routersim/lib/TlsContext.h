// A server TLS context with a certificate made at start; no files involved. Either the
// certificate signs itself (the router's own, which clients pin), or a certificate authority
// made alongside it signs it for the host names a client verifies (the update server, which
// clients check against their trust store plus this authority).
#pragma once

#include <string>
#include <vector>

typedef struct ssl_ctx_st SSL_CTX;

namespace routersim {

class TlsContext {
  public:
    // commonName goes into the certificate's subject and issuer.
    explicit TlsContext(const std::string& commonName);
    struct SignedByAuthority {
        std::string authorityName;          // the authority's common name
        std::vector<std::string> dnsNames;  // subject alternative names of the server
        std::vector<std::string> ipAddresses;
    };
    TlsContext(const std::string& commonName, const SignedByAuthority& authority);
    ~TlsContext();
    TlsContext(const TlsContext&) = delete;
    TlsContext& operator=(const TlsContext&) = delete;

    bool ok() const { return ctx_ != nullptr; }
    SSL_CTX* get() const { return ctx_; }
    // PEM text of the certificate, so tests can pin it.
    const std::string& certificatePem() const { return pem_; }
    // PEM text of the authority that signed it (empty for a self-signed one).
    const std::string& authorityPem() const { return authorityPem_; }

  private:
    SSL_CTX* ctx_ = nullptr;
    std::string pem_;
    std::string authorityPem_;
};

}  // namespace routersim
