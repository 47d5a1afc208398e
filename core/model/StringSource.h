#pragma once

#include "QuillonCoreExport.h"

#include <optional>
#include <string>

// Texts looked up by id, in the ANSI code page. A program's table holds, among others, the texts
// it shows for service statuses (300 + status, generic 300) and transport codes (400 + code,
// generic 400); each program supplies its own.
class QUILLON_CORE_EXPORT IStringSource {
public:
    virtual ~IStringSource() = default;
    // The text with that id, or nothing when the table has none.
    virtual std::optional<std::string> GetString(int id) const = 0;
};
