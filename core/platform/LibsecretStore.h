#pragma once

#include "QuillonCoreExport.h"
#include "platform/SecretStore.h"

#include <chrono>

// The desktop's secret service (org.freedesktop.secrets on the session bus) through libsecret.
// It is used only while one runs: a service that is not running is never started for it. Each
// call gives up after the time limit (a locked keyring may wait for a prompt nobody answers).
// Items carry the attributes application=quillon and user=<login name>.
class QUILLON_CORE_EXPORT LibsecretStore : public ISecretStore {
public:
    static constexpr std::chrono::milliseconds DefaultTimeLimit{3000};

    explicit LibsecretStore(std::chrono::milliseconds timeLimit = DefaultTimeLimit);

    // Whether the session bus has an owner of the service's name.
    bool IsRunning() const;

    std::optional<std::string> Lookup(const std::string& user) override;
    bool Store(const std::string& user, const std::string& password) override;
    bool Remove(const std::string& user) override;

    // Installs one store for the rest of the process, as the programs do at start.
    static void InstallForProcess();

private:
    std::chrono::milliseconds m_timeLimit;
};
