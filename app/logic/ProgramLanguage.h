#pragma once

#include "model/CaptionTable.h"
#include "model/StringTable.h"
#include "platform/LanguageLibrary.h"

// The program's texts in the interface language: the built-in Slovak tables, or their
// translation by the accepted language library. The switch is made once at start-up, before any
// window or thread uses the tables; references handed out before stay valid.
namespace ProgramLanguage {

// From now on the program's and the core's texts as the library translates them (ids the library
// lacks, or translates unfittingly, keep their built-in texts).
void Use(const LanguageResources& library);

} // namespace ProgramLanguage

// The captions of the program's dialogs in the interface language.
const CaptionTable& ProgramCaptionTable();
