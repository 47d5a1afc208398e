#pragma once

#include <QString>

// The caption of a control of one of the program's dialogs; empty for a control without one.
QString ProgramCaption(int dialog, int control);
