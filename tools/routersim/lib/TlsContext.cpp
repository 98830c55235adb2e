// A server TLS context with a self-signed certificate made at start.
#include "TlsContext.h"

#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/ssl.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

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

bool addExtension(X509* cert, X509* issuer, int nid, const std::string& value) {
    X509V3_CTX ctx;
    X509V3_set_ctx_nodb(&ctx);
    X509V3_set_ctx(&ctx, issuer, cert, nullptr, nullptr, 0);
    X509_EXTENSION* ext = X509V3_EXT_conf_nid(nullptr, &ctx, nid, value.c_str());
    if (!ext)
        return false;
    const bool ok = X509_add_ext(cert, ext, -1) == 1;
    X509_EXTENSION_free(ext);
    return ok;
}

std::unique_ptr<X509, CertFree> makeAuthority(EVP_PKEY* key, const std::string& cn) {
    auto cert = makeCertificate(key, cn);
    if (!cert)
        return nullptr;
    ASN1_INTEGER_set(X509_get_serialNumber(cert.get()), 2);
    if (!addExtension(cert.get(), cert.get(), NID_basic_constraints, "critical,CA:TRUE") ||
        !addExtension(cert.get(), cert.get(), NID_key_usage, "critical,keyCertSign,cRLSign") ||
        !addExtension(cert.get(), cert.get(), NID_subject_key_identifier, "hash") ||
        X509_sign(cert.get(), key, EVP_sha256()) == 0)
        return nullptr;
    return cert;
}

std::unique_ptr<X509, CertFree> makeServerCertificate(EVP_PKEY* key, const std::string& cn,
                                                      X509* authority, EVP_PKEY* authorityKey,
                                                      const std::string& altNames) {
    auto cert = makeCertificate(key, cn);
    if (!cert)
        return nullptr;
    ASN1_INTEGER_set(X509_get_serialNumber(cert.get()), 3);
    X509_set_issuer_name(cert.get(), X509_get_subject_name(authority));
    if (!addExtension(cert.get(), authority, NID_basic_constraints, "critical,CA:FALSE") ||
        !addExtension(cert.get(), authority, NID_ext_key_usage, "serverAuth") ||
        !addExtension(cert.get(), authority, NID_subject_alt_name, altNames) ||
        !addExtension(cert.get(), authority, NID_authority_key_identifier, "keyid:always") ||
        X509_sign(cert.get(), authorityKey, EVP_sha256()) == 0)
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

// A server context with the certificate and its key, or null.
SSL_CTX* serverContext(X509* cert, EVP_PKEY* key) {
    SSL_CTX* ctx = SSL_CTX_new(TLS_server_method());
    if (ctx && (SSL_CTX_use_certificate(ctx, cert) != 1 || SSL_CTX_use_PrivateKey(ctx, key) != 1)) {
        SSL_CTX_free(ctx);
        return nullptr;
    }
    return ctx;
}

}  // namespace

TlsContext::TlsContext(const std::string& commonName) {
    std::unique_ptr<EVP_PKEY, KeyFree> key(EVP_EC_gen("P-256"));
    if (!key)
        return;
    auto cert = makeCertificate(key.get(), commonName);
    if (!cert)
        return;
    SSL_CTX* ctx = serverContext(cert.get(), key.get());
    if (!ctx)
        return;
    pem_ = toPem(cert.get());
    ctx_ = ctx;
}

TlsContext::TlsContext(const std::string& commonName, const SignedByAuthority& authority) {
    std::unique_ptr<EVP_PKEY, KeyFree> authorityKey(EVP_EC_gen("P-256"));
    std::unique_ptr<EVP_PKEY, KeyFree> key(EVP_EC_gen("P-256"));
    if (!authorityKey || !key)
        return;
    auto ca = makeAuthority(authorityKey.get(), authority.authorityName);
    if (!ca)
        return;
    std::string altNames;
    for (const std::string& d : authority.dnsNames)
        altNames += (altNames.empty() ? "DNS:" : ",DNS:") + d;
    for (const std::string& ip : authority.ipAddresses)
        altNames += (altNames.empty() ? "IP:" : ",IP:") + ip;
    auto cert =
        makeServerCertificate(key.get(), commonName, ca.get(), authorityKey.get(), altNames);
    if (!cert)
        return;
    SSL_CTX* ctx = serverContext(cert.get(), key.get());
    if (!ctx)
        return;
    pem_ = toPem(cert.get());
    authorityPem_ = toPem(ca.get());
    ctx_ = ctx;
}

TlsContext::~TlsContext() {
    if (ctx_)
        SSL_CTX_free(ctx_);
}

}  // namespace routersim
