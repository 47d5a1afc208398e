#pragma once

#include "QuillonCoreExport.h"

#include <optional>
#include <string>

// Where a user's saved password is kept instead of the profile file, such as the desktop's
// secret service. Names and passwords are the system's ANSI text. Every call returns within a
// bounded time and may be made from any thread; a store that cannot answer says so, and the
// profile then keeps the password itself.
class QUILLON_CORE_EXPORT ISecretStore {
public:
    virtual ~ISecretStore() = default;
    // The saved password of the login name; none when there is none or the store cannot tell.
    virtual std::optional<std::string> Lookup(const std::string& user) = 0;
    // True when the store holds the password afterwards.
    virtual bool Store(const std::string& user, const std::string& password) = 0;
    // True when the store holds no password of the user afterwards.
    virtual bool Remove(const std::string& user) = 0;
};

namespace SecretStore {
// The installed store, or null: then the profile keeps the password.
QUILLON_CORE_EXPORT ISecretStore* Installed();
// Installs a store; null removes it. The caller keeps ownership.
QUILLON_CORE_EXPORT void Install(ISecretStore* store);
} // namespace SecretStore
