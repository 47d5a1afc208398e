#include "service/TlsTrust.h"

#include <openssl/err.h>
#include <openssl/ssl.h>
#include <openssl/x509v3.h>

#include <arpa/inet.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <mutex>
#include <new>
#include <set>
#include <utility>

namespace TlsTrust {

namespace {

std::mutex g_mutex;

// What is remembered between connections, guarded by g_mutex. It is made on first use and never
// destroyed: connections may still be made while static objects go at exit, and OpenSSL may have
// cleaned up by then. It stays reachable, so leak checkers do not report the stores.
struct Remembered {
    // Trust stores by extra CA file, built once: the system store is large and its loading would
    // otherwise cost every call.
    std::map<std::string, X509_STORE*> stores;
    std::set<std::pair<std::string, std::string>> accepted; // host, fingerprint
};

Remembered& TheRemembered() {
    static Remembered& remembered = *new Remembered;
    return remembered;
}

int CheckIndex() {
    static const int index = SSL_CTX_get_ex_new_index(0, nullptr, nullptr, nullptr, nullptr);
    return index;
}

// Why the extra CA file cannot be loaded into the store; empty when it was.
std::string LoadCaFile(X509_STORE* store, const std::string& caFile) {
    std::FILE* file = std::fopen(caFile.c_str(), "r");
    if (!file)
        return std::strerror(errno);
    std::fclose(file);
    const bool loaded = X509_STORE_load_file(store, caFile.c_str()) == 1;
    ERR_clear_error();
    return loaded ? "" : "it holds no PEM certificate";
}

// The trust store for an extra CA file. One that cannot be read is not remembered, so that it
// is tried again (and reported again) on the next connection.
X509_STORE* Store(const std::string& caFile, std::string& error) {
    std::lock_guard lock(g_mutex);
    auto& stores = TheRemembered().stores;
    if (const auto found = stores.find(caFile); found != stores.end())
        return found->second;
    X509_STORE* store = X509_STORE_new();
    if (!store)
        return nullptr;
    X509_STORE_set_default_paths(store);
    if (!caFile.empty())
        error = LoadCaFile(store, caFile);
    if (!error.empty()) {
        X509_STORE_free(store);
        return nullptr;
    }
    stores.emplace(caFile, store);
    return store;
}

bool IsAccepted(const std::string& host, const std::string& fingerprint) {
    std::lock_guard lock(g_mutex);
    return TheRemembered().accepted.count({host, fingerprint}) != 0;
}

std::string Fingerprint(X509* certificate) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned length = 0;
    if (!X509_digest(certificate, EVP_sha256(), digest, &length))
        return {};
    static const char hex[] = "0123456789ABCDEF";
    std::string text;
    for (unsigned i = 0; i < length; ++i) {
        text += hex[digest[i] >> 4];
        text += hex[digest[i] & 0x0F];
    }
    return text;
}

std::string NameText(const X509_NAME* name) {
    char* line = X509_NAME_oneline(name, nullptr, 0);
    std::string text = line ? line : "";
    OPENSSL_free(line);
    return text;
}

// Lets a certificate through when the user accepted it for this host, else keeps the problem
// for the prompt.
int Judge(X509_STORE_CTX* store) {
    auto* ssl =
        static_cast<SSL*>(X509_STORE_CTX_get_ex_data(store, SSL_get_ex_data_X509_STORE_CTX_idx()));
    auto* check = ssl ? static_cast<Check*>(SSL_CTX_get_ex_data(SSL_get_SSL_CTX(ssl), CheckIndex()))
                      : nullptr;
    X509* certificate = X509_STORE_CTX_get0_cert(store);
    if (!check || !certificate)
        return 0;
    const std::string fingerprint = Fingerprint(certificate);
    if (IsAccepted(check->host, fingerprint)) {
        X509_STORE_CTX_set_error(store, X509_V_OK);
        return 1;
    }
    if (!check->problem) {
        check->problem = CertificateProblem{
            check->host, X509_verify_cert_error_string(X509_STORE_CTX_get_error(store)),
            NameText(X509_get_subject_name(certificate)),
            NameText(X509_get_issuer_name(certificate)), fingerprint};
    }
    return 0;
}

// OpenSSL's verification callback; no exception may pass through OpenSSL's C code.
int Verify(int preverified, X509_STORE_CTX* store) noexcept {
    if (preverified)
        return 1;
    try {
        return Judge(store);
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

} // namespace

bool Install(SSL_CTX* context, Check& check) {
    X509_STORE* store = Store(check.caFile, check.caFileError);
    if (!store)
        return false;
    SSL_CTX_set1_cert_store(context, store);
    std::string host = check.host;
    if (host.size() > 2 && host.front() == '[' && host.back() == ']')
        host = host.substr(1, host.size() - 2);
    unsigned char address[16];
    const bool isAddress = inet_pton(AF_INET, host.c_str(), address) == 1 ||
                           inet_pton(AF_INET6, host.c_str(), address) == 1;
    X509_VERIFY_PARAM* parameters = SSL_CTX_get0_param(context);
    const int named = isAddress ? X509_VERIFY_PARAM_set1_ip_asc(parameters, host.c_str())
                                : X509_VERIFY_PARAM_set1_host(parameters, host.c_str(), 0);
    if (!named || !SSL_CTX_set_ex_data(context, CheckIndex(), &check))
        return false;
    SSL_CTX_set_verify(context, SSL_VERIFY_PEER, Verify);
    return true;
}

void AcceptCertificate(const CertificateProblem& problem) {
    std::lock_guard lock(g_mutex);
    TheRemembered().accepted.insert({problem.host, problem.fingerprint});
}

} // namespace TlsTrust
