#pragma once

#include "QuillonControlsExport.h"

#include <QString>

#include <string>

// The boundary between the system's ANSI text and the windows' Unicode text.
QUILLON_CONTROLS_EXPORT QString ToQString(const std::string& ansi);
// Characters that the ANSI code page lacks become "?".
QUILLON_CONTROLS_EXPORT std::string ToAnsi(const QString& text);

QUILLON_CONTROLS_EXPORT QString FromUtf8(const std::string& utf8);

// A caption as a screen reader says it: without its mnemonic marker ("&&" stays one "&").
QUILLON_CONTROLS_EXPORT QString Spoken(const QString& caption);

// The caption of a control of one of the core library's dialogs, in the language in force;
// empty for a control without one.
QUILLON_CONTROLS_EXPORT QString CoreCaption(int dialog, int control);
