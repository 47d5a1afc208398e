#include "model/StringTable.h"

#include "model/FormatText.h"
#include "platform/CodePage.h"

#include <set>

StringTable::StringTable(std::initializer_list<std::pair<int, const char*>> texts) {
    for (const auto& [id, text] : texts)
        m_texts.emplace(id, text);
}

StringTable::StringTable(const std::vector<LanguageString>& texts) {
    for (const LanguageString& text : texts)
        m_texts.emplace(text.id, text.text);
}

std::optional<std::string> StringTable::GetString(int id) const {
    const std::optional<std::string_view> text = GetUtf8(id);
    if (!text)
        return std::nullopt;
    return Utf8TextToAnsi(*text);
}

std::optional<std::string_view> StringTable::GetUtf8(int id) const {
    const auto found = m_texts.find(id);
    if (found == m_texts.end())
        return std::nullopt;
    return found->second;
}

std::vector<int> StringTable::Ids() const {
    std::vector<int> ids;
    ids.reserve(m_texts.size());
    for (const auto& entry : m_texts)
        ids.push_back(entry.first);
    return ids;
}

std::size_t StringTable::Translate(const std::vector<LanguageString>& translations) {
    std::set<int> seen;
    std::size_t taken = 0;
    for (const LanguageString& translation : translations) {
        if (!seen.insert(translation.id).second)
            continue;
        const auto found = m_texts.find(translation.id);
        if (found == m_texts.end() || !IsFittingTranslation(found->second, translation.text))
            continue;
        found->second = translation.text;
        ++taken;
    }
    return taken;
}

bool IsFittingTranslation(std::string_view original, std::string_view translation) {
    return IsValidUtf8(translation) &&
           FormatConversions(translation) == FormatConversions(original);
}
