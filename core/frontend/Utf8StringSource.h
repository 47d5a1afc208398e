#pragma once

#include "QuillonCoreExport.h"
#include "model/StringSource.h"
#include "model/StringTable.h"

// A string table's texts as they are held, in UTF-8, for code that looks texts up through
// IStringSource on behalf of a window (which shows every letter, whatever the ANSI code page).
class QUILLON_CORE_EXPORT Utf8StringSource : public IStringSource {
public:
    // The table must outlive the source.
    explicit Utf8StringSource(const StringTable& table) : m_table(table) {}
    std::optional<std::string> GetString(int id) const override;

private:
    const StringTable& m_table;
};
