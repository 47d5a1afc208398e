#include "CoreLibrary.h"

#include "ProfileLock.h"
#include "SmsConfig.h"

// The library's only load and unload hooks. The load may run before any other static
// initialiser of the library, and the unload runs at process exit after the static and
// thread-local objects are destroyed. So everything the hooks reach is constant-initialised
// (mutexes, singleton pointers, tables), made on first use by a function-local static, or never
// destroyed (the code pages, the named-mutex registry); no order of the sources matters.

void QuillonCoreAttach() {
    CProfileLock::OpenMutex();
    CSmsConfig::CreateInstance();
}

void QuillonCoreDetach() {
    CSmsConfig::DeleteInstance();
    CProfileLock::CloseMutex();
}

namespace {

__attribute__((constructor)) void OnLoad() {
    try {
        QuillonCoreAttach();
    } catch (...) {
        // Without memory at load the settings stay absent; GetInstance reports null.
    }
}

__attribute__((destructor)) void OnUnload() {
    QuillonCoreDetach();
}

} // namespace
