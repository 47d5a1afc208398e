#include "windows/ProgramText.h"

#include "controls/ControlsText.h"
#include "logic/ProgramLanguage.h"

#include <QPushButton>

#include <string>

QString ProgramCaption(int dialog, int control) {
    const auto caption = ProgramCaptionTable().GetCaptionUtf8(dialog, control);
    return caption ? FromUtf8(std::string(*caption)) : QString();
}

QPushButton* ProgramButton(int dialog, int control, const char* name, QWidget* parent) {
    auto* button = new QPushButton(ProgramCaption(dialog, control), parent);
    button->setObjectName(QLatin1String(name));
    button->setAccessibleName(Spoken(button->text()));
    return button;
}
