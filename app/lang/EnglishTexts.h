#pragma once

#include "platform/LanguageLibraryExports.h"

#include <span>

// One area's English texts; the library joins them into its two tables.
struct EnglishTexts {
    std::span<const QuillonResString> strings;
    std::span<const QuillonResCaption> captions;
};

EnglishTexts EnglishProgramTexts();
// The core's windows: their ids are the core's own, apart from the program's (a test checks it).
EnglishTexts EnglishCoreTexts();
EnglishTexts EnglishContactsTexts();
EnglishTexts EnglishImportTexts();
EnglishTexts EnglishSettingsTexts();
EnglishTexts EnglishSyncTexts();
