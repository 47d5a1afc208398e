#include "windows/ProgramText.h"

#include "controls/ControlsText.h"
#include "logic/ProgramCaptions.h"

#include <string>

QString ProgramCaption(int dialog, int control) {
    const auto caption = BuiltInProgramCaptions().GetCaptionUtf8(dialog, control);
    return caption ? FromUtf8(std::string(*caption)) : QString();
}
