#pragma once

#include "QuillonCoreExport.h"
#include "model/StringSource.h"
#include "platform/LanguageLibrary.h"

#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A string table: texts by numeric id, held in UTF-8 and handed out in the ANSI code page in
// force at the time of the look-up. An id the table lacks gives no string.
class QUILLON_CORE_EXPORT StringTable : public IStringSource {
public:
    StringTable() = default;
    // UTF-8 texts; of two texts with one id the first is kept.
    StringTable(std::initializer_list<std::pair<int, const char*>> texts);
    explicit StringTable(const std::vector<LanguageString>& texts);

    std::optional<std::string> GetString(int id) const override;
    std::optional<std::string_view> GetUtf8(int id) const;
    // The ids in ascending order.
    std::vector<int> Ids() const;

    // Takes a language library's translations of the texts this table has. A translation is
    // taken only when it is valid UTF-8 and asks for the same arguments in the same order as the
    // text it replaces (FormatConversions), so a faulty one never mis-formats; ids the table
    // lacks are left out, so the table keeps meaning what it meant (an id without a text stays
    // without one). Of two translations of one id the first counts. Returns how many were taken.
    std::size_t Translate(const std::vector<LanguageString>& translations);

private:
    std::map<int, std::string> m_texts;
};

// Whether translation may replace original (the rule of StringTable::Translate).
QUILLON_CORE_EXPORT bool IsFittingTranslation(std::string_view original,
                                              std::string_view translation);
