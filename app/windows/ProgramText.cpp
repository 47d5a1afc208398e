#include "windows/ProgramText.h"

#include "controls/ControlsText.h"
#include "logic/ProgramLanguage.h"

#include <string>

QString ProgramCaption(int dialog, int control) {
    const auto caption = ProgramCaptionTable().GetCaptionUtf8(dialog, control);
    return caption ? FromUtf8(std::string(*caption)) : QString();
}
