#pragma once

#include <QString>

class QPushButton;
class QWidget;

// The caption of a control of one of the program's dialogs; empty for a control without one.
QString ProgramCaption(int dialog, int control);

// A push button captioned from one of the program's dialogs, named and with the caption as its
// accessible name.
QPushButton* ProgramButton(int dialog, int control, const char* name, QWidget* parent);
