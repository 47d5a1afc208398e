#pragma once

#include "QuillonCoreExport.h"

#include <string>
#include <vector>

// The result of one check of the library's own primitives on this machine.
struct QUILLON_CORE_EXPORT SelfCheckResult {
    bool ok = false;
    std::string detail; // what was checked, in words for the user
};

// Known-answer checks of the ciphers and the compression of the stored files: programs offer
// them as a diagnosis ("does the library work here?") without reaching the primitives.
QUILLON_CORE_EXPORT std::vector<SelfCheckResult> RunCoreSelfChecks();
