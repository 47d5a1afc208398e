#include "model/CaptionTable.h"

namespace {

template <class Caption>
std::map<int, std::vector<LanguageString>> ByDialog(const std::vector<Caption>& captions) {
    std::map<int, std::vector<LanguageString>> byDialog;
    for (const Caption& caption : captions)
        byDialog[caption.dialog].push_back({caption.control, caption.text});
    return byDialog;
}

} // namespace

CaptionTable::CaptionTable(std::initializer_list<Entry> captions) {
    for (const auto& [dialog, texts] : ByDialog(std::vector<Entry>(captions)))
        m_dialogs.emplace(dialog, StringTable(texts));
}

std::optional<std::string> CaptionTable::GetCaption(int dialog, int control) const {
    return GetDialog(dialog).GetString(control);
}

std::optional<std::string_view> CaptionTable::GetCaptionUtf8(int dialog, int control) const {
    return GetDialog(dialog).GetUtf8(control);
}

std::vector<int> CaptionTable::Dialogs() const {
    std::vector<int> dialogs;
    for (const auto& entry : m_dialogs)
        dialogs.push_back(entry.first);
    return dialogs;
}

const StringTable& CaptionTable::GetDialog(int dialog) const {
    static const StringTable kNone;
    const auto found = m_dialogs.find(dialog);
    return found == m_dialogs.end() ? kNone : found->second;
}

std::size_t CaptionTable::Translate(const std::vector<LanguageCaption>& translations) {
    std::size_t taken = 0;
    for (const auto& [dialog, texts] : ByDialog(translations)) {
        const auto found = m_dialogs.find(dialog);
        if (found != m_dialogs.end())
            taken += found->second.Translate(texts);
    }
    return taken;
}
