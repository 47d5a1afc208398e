#pragma once

#include "QuillonCoreExport.h"
#include "model/StringTable.h"
#include "platform/LanguageLibrary.h"

#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The captions of dialog controls: one string table per dialog, keyed by control id (control 0
// is the dialog's own caption). Texts are held in UTF-8 and handed out in ANSI, like a
// StringTable's.
class QUILLON_CORE_EXPORT CaptionTable {
public:
    struct Entry {
        int dialog;
        int control;
        const char* text; // UTF-8
    };

    CaptionTable() = default;
    // Of two captions of one control the first is kept.
    CaptionTable(std::initializer_list<Entry> captions);

    std::optional<std::string> GetCaption(int dialog, int control) const;
    std::optional<std::string_view> GetCaptionUtf8(int dialog, int control) const;
    // The dialogs in ascending order, and one dialog's table (empty for another id).
    std::vector<int> Dialogs() const;
    const StringTable& GetDialog(int dialog) const;

    // Takes a language library's captions of the controls this table has, by the rule of
    // StringTable::Translate. Returns how many were taken.
    std::size_t Translate(const std::vector<LanguageCaption>& translations);

private:
    std::map<int, StringTable> m_dialogs;
};
