#pragma once

#include "QuillonCoreExport.h"
#include "model/CaptionTable.h"
#include "model/CoreStrings.h"
#include "model/FormatText.h"
#include "model/StringTable.h"
#include "platform/LanguageLibrary.h"

#include <initializer_list>
#include <memory>
#include <optional>
#include <string>

// The texts the core library shows, for the whole process: its built-in tables, or their
// translation by the language library a program accepted. Ids and controls the library does not
// translate keep their built-in texts. Safe to use from any thread; a switch of language is
// seen by the next look-up.
namespace CoreTexts {

QUILLON_CORE_EXPORT std::shared_ptr<const StringTable> Strings();
QUILLON_CORE_EXPORT std::shared_ptr<const CaptionTable> Captions();

// One text in ANSI (every CoreString has one), formatted with FormatText.
QUILLON_CORE_EXPORT std::string String(CoreString id);
QUILLON_CORE_EXPORT std::string Format(CoreString id, std::initializer_list<TextArg> args);
// A dialog control's caption in ANSI; nothing for a control without one.
QUILLON_CORE_EXPORT std::optional<std::string> Caption(int dialog, int control);

// The same in UTF-8, for the windows: they show every letter of a text, also those the ANSI code
// page in force lacks. Text arguments are UTF-8 too.
QUILLON_CORE_EXPORT std::string Utf8(CoreString id);
QUILLON_CORE_EXPORT std::string FormatUtf8(CoreString id, std::initializer_list<TextArg> args);
QUILLON_CORE_EXPORT std::optional<std::string> CaptionUtf8(int dialog, int control);

// From now on the built-in texts as the library translates them (StringTable::Translate).
QUILLON_CORE_EXPORT void UseLanguage(const LanguageResources& library);
// Back to the built-in texts.
QUILLON_CORE_EXPORT void UseBuiltIn();

} // namespace CoreTexts
