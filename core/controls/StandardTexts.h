#pragma once

#include "QuillonControlsExport.h"

#include <QString>

// Qt's own texts in the language of the program's windows (the buttons of message boxes, the
// context menu of edit fields), so a Slovak window does not answer "Yes" and "No". language is
// a code such as "sk"; false when Qt has no translation for it (English stays).
QUILLON_CONTROLS_EXPORT bool UseStandardTexts(const QString& language);
