#include "CertificateStore.h"

#include <openssl/bn.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/rand.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <stdexcept>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct OpenSslFree {
    void operator()(X509* p) const { X509_free(p); }
    void operator()(EVP_PKEY* p) const { EVP_PKEY_free(p); }
    void operator()(BIGNUM* p) const { BN_free(p); }
    void operator()(X509_EXTENSION* p) const { X509_EXTENSION_free(p); }
    void operator()(std::FILE* p) const { std::fclose(p); }
};
using CertPtr = std::unique_ptr<X509, OpenSslFree>;
using KeyPtr = std::unique_ptr<EVP_PKEY, OpenSslFree>;
using FilePtr = std::unique_ptr<std::FILE, OpenSslFree>;

constexpr long kValiditySeconds = 10L * 365 * 86400;

[[noreturn]] void Fail(const std::string& what) {
    throw std::runtime_error("certificate store: " + what);
}

// Holds an exclusive lock on a file in the folder for the object's lifetime.
class FolderLock {
public:
    explicit FolderLock(const std::filesystem::path& file)
        : m_fd(open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600)) {
        if (m_fd < 0 || flock(m_fd, LOCK_EX) != 0)
            Fail("cannot lock " + file.string());
    }
    ~FolderLock() {
        if (m_fd >= 0)
            close(m_fd);
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

private:
    int m_fd;
};

CertPtr ReadCertificate(const std::filesystem::path& path) {
    FilePtr file(std::fopen(path.c_str(), "rb"));
    return CertPtr(file ? PEM_read_X509(file.get(), nullptr, nullptr, nullptr) : nullptr);
}

KeyPtr ReadKey(const std::filesystem::path& path) {
    FilePtr file(std::fopen(path.c_str(), "rb"));
    return KeyPtr(file ? PEM_read_PrivateKey(file.get(), nullptr, nullptr, nullptr) : nullptr);
}

KeyPtr NewKey() {
    KeyPtr key(EVP_PKEY_Q_keygen(nullptr, nullptr, "EC", "P-256"));
    if (!key)
        Fail("cannot generate a key");
    return key;
}

void AddExtension(X509* cert, X509* issuer, int nid, const char* value) {
    X509V3_CTX context;
    X509V3_set_ctx_nodb(&context);
    X509V3_set_ctx(&context, issuer, cert, nullptr, nullptr, 0);
    std::unique_ptr<X509_EXTENSION, OpenSslFree> extension(
        X509V3_EXT_conf_nid(nullptr, &context, nid, value));
    if (!extension || !X509_add_ext(cert, extension.get(), -1))
        Fail("cannot add a certificate extension");
}

void SetRandomSerial(X509* cert) {
    unsigned char bytes[16];
    if (RAND_bytes(bytes, sizeof bytes) != 1)
        Fail("no random bytes");
    bytes[0] &= 0x7f; // a positive serial number
    std::unique_ptr<BIGNUM, OpenSslFree> serial(BN_bin2bn(bytes, sizeof bytes, nullptr));
    if (!serial || !BN_to_ASN1_INTEGER(serial.get(), X509_get_serialNumber(cert)))
        Fail("cannot set a serial number");
}

// A certificate for key with the common name, signed by the issuer (itself when null).
CertPtr NewCertificate(EVP_PKEY* key, const char* commonName, X509* issuer, EVP_PKEY* issuerKey) {
    CertPtr cert(X509_new());
    if (!cert || !X509_set_version(cert.get(), 2))
        Fail("cannot create a certificate");
    SetRandomSerial(cert.get());
    X509_gmtime_adj(X509_getm_notBefore(cert.get()), -86400);
    X509_gmtime_adj(X509_getm_notAfter(cert.get()), kValiditySeconds);
    X509_set_pubkey(cert.get(), key);
    X509_NAME* name = X509_get_subject_name(cert.get());
    X509_NAME_add_entry_by_txt(name, "O", MBSTRING_ASC,
                               reinterpret_cast<const unsigned char*>("quillon-sim"), -1, -1, 0);
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC,
                               reinterpret_cast<const unsigned char*>(commonName), -1, -1, 0);
    X509* signer = issuer ? issuer : cert.get();
    X509_set_issuer_name(cert.get(), X509_get_subject_name(signer));
    AddExtension(cert.get(), signer, NID_subject_key_identifier, "hash");
    if (issuer) {
        AddExtension(cert.get(), signer, NID_authority_key_identifier, "keyid:always");
        AddExtension(cert.get(), signer, NID_basic_constraints, "critical,CA:FALSE");
        AddExtension(cert.get(), signer, NID_key_usage, "critical,digitalSignature");
        AddExtension(cert.get(), signer, NID_ext_key_usage, "serverAuth");
        AddExtension(cert.get(), signer, NID_subject_alt_name, "IP:127.0.0.1,DNS:localhost");
    } else {
        AddExtension(cert.get(), signer, NID_basic_constraints, "critical,CA:TRUE");
        AddExtension(cert.get(), signer, NID_key_usage, "critical,keyCertSign,cRLSign");
    }
    if (!X509_sign(cert.get(), issuerKey ? issuerKey : key, EVP_sha256()))
        Fail("cannot sign a certificate");
    return cert;
}

// Writes through a temporary file and a rename, so a reader never sees half a file.
template <typename Writer>
void WritePem(const std::filesystem::path& path, mode_t mode, Writer write) {
    const std::filesystem::path temporary = path.string() + ".tmp";
    const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
    if (fd < 0)
        Fail("cannot write " + temporary.string());
    FilePtr file(fdopen(fd, "wb"));
    if (!file) {
        close(fd);
        Fail("cannot write " + temporary.string());
    }
    const bool written = write(file.get()) == 1;
    if (!written || std::fclose(file.release()) != 0)
        Fail("cannot write " + temporary.string());
    std::filesystem::rename(temporary, path);
}

void WriteCertificate(const std::filesystem::path& path, X509* cert) {
    WritePem(path, 0644, [cert](std::FILE* file) { return PEM_write_X509(file, cert); });
}

void WriteKey(const std::filesystem::path& path, EVP_PKEY* key) {
    WritePem(path, 0600, [key](std::FILE* file) {
        return PEM_write_PrivateKey(file, key, nullptr, nullptr, 0, nullptr, nullptr);
    });
}

} // namespace

CertificateStore::CertificateStore(std::filesystem::path folder) : m_folder(std::move(folder)) {}

void CertificateStore::Ensure() const {
    std::error_code error;
    std::filesystem::create_directories(m_folder, error);
    if (error)
        Fail("cannot create " + m_folder.string() + ": " + error.message());
    FolderLock lock(m_folder / "certificates.lock");
    if (!IsComplete())
        Generate();
}

bool CertificateStore::IsComplete() const {
    const CertPtr ca = ReadCertificate(CaFile());
    const CertPtr server = ReadCertificate(CertFile());
    const KeyPtr caKey = ReadKey(CaKeyFile());
    const KeyPtr key = ReadKey(KeyFile());
    if (!ca || !server || !caKey || !key)
        return false;
    EVP_PKEY* caPublic = X509_get0_pubkey(ca.get());
    return caPublic && X509_verify(server.get(), caPublic) == 1 &&
           X509_check_private_key(server.get(), key.get()) == 1 &&
           X509_cmp_current_time(X509_get0_notAfter(server.get())) > 0;
}

void CertificateStore::Generate() const {
    const KeyPtr caKey = NewKey();
    const CertPtr ca = NewCertificate(caKey.get(), "quillon-sim CA", nullptr, nullptr);
    const KeyPtr key = NewKey();
    const CertPtr server = NewCertificate(key.get(), "127.0.0.1", ca.get(), caKey.get());
    WriteKey(CaKeyFile(), caKey.get());
    WriteCertificate(CaFile(), ca.get());
    WriteKey(KeyFile(), key.get());
    WriteCertificate(CertFile(), server.get());
}
