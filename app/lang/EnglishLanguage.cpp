// The desktop program's English language library: its own texts and its dialogs' captions in
// English. The program takes it when the settings choose English (Lcid 1033) and its version is
// the program's own. Ids it lacks keep the built-in Slovak texts.
#include "EnglishTexts.h"

#include <vector>

namespace {

const EnglishTexts kAreas[] = {EnglishProgramTexts(),  EnglishCoreTexts(),
                               EnglishContactsTexts(), EnglishImportTexts(),
                               EnglishSettingsTexts(), EnglishSyncTexts()};

// Every area's entries and the null entry that ends a table.
template <typename Entry, typename Member> std::vector<Entry> Joined(Member member, Entry end) {
    std::vector<Entry> table;
    for (const EnglishTexts& area : kAreas)
        table.insert(table.end(), (area.*member).begin(), (area.*member).end());
    table.push_back(end);
    return table;
}

const std::vector<QuillonResString> kStrings =
    Joined(&EnglishTexts::strings, QuillonResString{0, nullptr});
const std::vector<QuillonResCaption> kCaptions =
    Joined(&EnglishTexts::captions, QuillonResCaption{0, 0, nullptr});

} // namespace

QUILLON_LANG_EXPORT const char* GetResLanguage() {
    return "English";
}

QUILLON_LANG_EXPORT const char* GetResVersion() {
    return QUILLON_PROGRAM_VERSION;
}

QUILLON_LANG_EXPORT const QuillonResString* GetResStrings() {
    return kStrings.data();
}

QUILLON_LANG_EXPORT const QuillonResCaption* GetResCaptions() {
    return kCaptions.data();
}
