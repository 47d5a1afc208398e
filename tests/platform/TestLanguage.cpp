// A language library for the tests, built in several variants: LANGUAGE_VERSION is the version
// it answers, and WITHOUT_STRINGS leaves out its string table function.
#include "platform/LanguageLibraryExports.h"

namespace {

// Among proper translations: one that asks for other arguments, one that is not UTF-8, a second
// copy of an id and an id the core does not have.
const QuillonResString kStrings[] = {
    {9, "Synchronisation completed"},
    {12, "Error deleting contact \"%s\" from Portella. %s\r\n"},
    {13, "Error saving contact %d"},
    {14, "Error saving group \xC3( on Portella. %s %s\r\n"},
    {9, "Second copy"},
    {999, "Not a text of the core"},
    {0, nullptr},
};

const QuillonResCaption kCaptions[] = {
    {193, 0, "Synchronisation with Portella"},
    {193, 2, "Cancel"},
    {555, 1, "A dialog the core does not have"},
    {0, 0, nullptr},
};

} // namespace

QUILLON_LANG_EXPORT const char* GetResLanguage() {
    return "english";
}

QUILLON_LANG_EXPORT const char* GetResVersion() {
    return LANGUAGE_VERSION;
}

#ifndef WITHOUT_STRINGS
QUILLON_LANG_EXPORT const QuillonResString* GetResStrings() {
    return kStrings;
}
#endif

QUILLON_LANG_EXPORT const QuillonResCaption* GetResCaptions() {
    return kCaptions;
}
