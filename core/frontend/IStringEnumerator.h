#pragma once

#include "QuillonCoreExport.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The results of the string enumerator's operations, after the platform's: Ok and False both
// succeed (False: fewer than asked, or the end reached).
enum class EnumResult { Ok, False, Pointer, NoInterface };

// What a string enumerator may be asked to be: the base every object answers for, the
// enumerator itself, and anything else (the auto-completion object's own interfaces, say).
enum class EnumInterface { Base, StringEnumerator, Other };

// A sequence of strings handed out from a cursor, as the system's auto-completion object reads
// its suggestions: Reset, then Next until it returns False. Reference counting is the
// platform's: AddRef and Release return the new count; who deletes an enumerator is the
// implementation's business.
class QUILLON_CORE_EXPORT IStringEnumerator {
public:
    virtual ~IStringEnumerator() = default;

    // Base and StringEnumerator give this enumerator with one more reference; Other gives null
    // and NoInterface; a null out is Pointer.
    virtual EnumResult QueryInterface(EnumInterface id, IStringEnumerator** out) = 0;
    virtual std::uint32_t AddRef() = 0;
    virtual std::uint32_t Release() = 0;

    // Replaces strings with up to count strings from the cursor in UTF-16 and advances the
    // cursor past them; fetched (may be null) gets their number.
    virtual EnumResult Next(std::uint32_t count, std::vector<std::u16string>& strings,
                            std::uint32_t* fetched) = 0;
    virtual EnumResult Skip(std::uint32_t count) = 0;
    virtual EnumResult Reset() = 0;
    // A new enumerator over the same strings at the same cursor, owned by the caller.
    virtual EnumResult Clone(std::unique_ptr<IStringEnumerator>* out) = 0;
};
