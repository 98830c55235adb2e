// A server TLS context with a self-signed certificate made at start.
#include "TlsContext.h"

#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/ssl.h>
#include <openssl/x509.h>

#include <memory>

namespace routersim {

namespace {

struct KeyFree {
    void operator()(EVP_PKEY* k) const { EVP_PKEY_free(k); }
};
struct CertFree {
    void operator()(X509* c) const { X509_free(c); }
};

std::unique_ptr<X509, CertFree> makeCertificate(EVP_PKEY* key, const std::string& cn) {
    std::unique_ptr<X509, CertFree> cert(X509_new());
    if (!cert)
        return nullptr;
    X509_set_version(cert.get(), 2);
    ASN1_INTEGER_set(X509_get_serialNumber(cert.get()), 1);
    X509_gmtime_adj(X509_getm_notBefore(cert.get()), -3600);
    X509_gmtime_adj(X509_getm_notAfter(cert.get()), 365L * 24 * 3600);
    X509_set_pubkey(cert.get(), key);
    X509_NAME* name = X509_get_subject_name(cert.get());
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC,
                               reinterpret_cast<const unsigned char*>(cn.c_str()), -1, -1, 0);
    X509_set_issuer_name(cert.get(), name);
    if (X509_sign(cert.get(), key, EVP_sha256()) == 0)
        return nullptr;
    return cert;
}

std::string toPem(X509* cert) {
    BIO* bio = BIO_new(BIO_s_mem());
    PEM_write_bio_X509(bio, cert);
    char* data = nullptr;
    const long len = BIO_get_mem_data(bio, &data);
    std::string pem(data, static_cast<std::size_t>(len));
    BIO_free(bio);
    return pem;
}

}  // namespace

TlsContext::TlsContext(const std::string& commonName) {
    std::unique_ptr<EVP_PKEY, KeyFree> key(EVP_EC_gen("P-256"));
    if (!key)
        return;
    auto cert = makeCertificate(key.get(), commonName);
    if (!cert)
        return;
    SSL_CTX* ctx = SSL_CTX_new(TLS_server_method());
    if (!ctx)
        return;
    if (SSL_CTX_use_certificate(ctx, cert.get()) != 1 ||
        SSL_CTX_use_PrivateKey(ctx, key.get()) != 1) {
        SSL_CTX_free(ctx);
        return;
    }
    pem_ = toPem(cert.get());
    ctx_ = ctx;
}

TlsContext::~TlsContext() {
    if (ctx_)
        SSL_CTX_free(ctx_);
}

}  // namespace routersim
