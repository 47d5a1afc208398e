#pragma once

#include "QuillonCoreExport.h"

#include <cstddef>
#include <string_view>

// Finds the vCards embedded in a file (a phone suite's backup holds them among binary data, a
// .vcf file holds nothing else): each one runs from "BEGIN:VCARD" to the next "END:VCARD".
class QUILLON_CORE_EXPORT VCardScan {
public:
    enum class Result {
        Card,         // the next card's text (between the two markers)
        End,          // no further "BEGIN:VCARD"
        Unterminated, // a "BEGIN:VCARD" without an "END:VCARD" after it
    };

    // The bytes stay the caller's and must outlive the scan.
    explicit VCardScan(std::string_view bytes) : m_bytes(bytes) {}

    Result Next(std::string_view& card);

    std::size_t Position() const { return m_pos; }
    std::size_t Size() const { return m_bytes.size(); }

private:
    std::string_view m_bytes;
    std::size_t m_pos = 0;
};
