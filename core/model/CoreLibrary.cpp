#include "CoreLibrary.h"

#include "ProfileLock.h"
#include "SmsConfig.h"

// The library's only load and unload hooks. This file is the last source of the data model, so
// its constructor runs after the static initialisers of everything it uses; what the unload
// uses stays valid until then (the mutex and singleton pointers are constant-initialised, the
// settings keep their file form ready).

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
