#include "SecretStore.h"

#include <atomic>

namespace {
std::atomic<ISecretStore*> g_store{nullptr};
}

namespace SecretStore {

ISecretStore* Installed() {
    return g_store.load();
}

void Install(ISecretStore* store) {
    g_store.store(store);
}

} // namespace SecretStore
