#pragma once

#include "QuillonCoreExport.h"

#include <cstdint>

class IStringEnumerator;

// The system's auto-completion object for one edit field: it reads its suggestions from a
// string enumerator while the user types. CSmsAutoComplete drives it; a window system
// implements it (see core/controls), tests fake it.
class QUILLON_CORE_EXPORT IAutoCompleteObject {
public:
    virtual ~IAutoCompleteObject() = default;

    // The CSmsAutoComplete option bits.
    virtual void SetOptions(std::uint32_t options) = 0;
    // Attaches the object to its edit field with these strings; false when it cannot. A
    // successful Init holds a reference to strings until the object is destroyed.
    virtual bool Init(IStringEnumerator& strings) = 0;
    virtual void Enable(bool enable) = 0;
    // The strings changed: read them again (Reset, Next) before the next suggestion.
    virtual void StringsChanged() = 0;
};
