#pragma once

#include <filesystem>

// The simulator's own certificate authority and the server certificate it signed for
// 127.0.0.1 and localhost, kept as PEM files in the state folder. They are generated on first
// use and reused afterwards, so a client can trust the CA file once.
class CertificateStore {
public:
    explicit CertificateStore(std::filesystem::path folder);

    // Loads the four files, or generates them all when any is missing or unreadable. Several
    // simulators starting at once on one folder agree on one set. Throws std::runtime_error.
    void Ensure() const;

    std::filesystem::path CaFile() const { return m_folder / "ca.pem"; }
    std::filesystem::path CaKeyFile() const { return m_folder / "ca-key.pem"; }
    std::filesystem::path CertFile() const { return m_folder / "server.pem"; }
    std::filesystem::path KeyFile() const { return m_folder / "server-key.pem"; }

private:
    bool IsComplete() const;
    void Generate() const;

    std::filesystem::path m_folder;
};
