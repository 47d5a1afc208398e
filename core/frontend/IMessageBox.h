#pragma once

#include "QuillonCoreExport.h"
#include "model/CoreStrings.h"
#include "model/FormatText.h"
#include "model/StringTable.h"

#include <initializer_list>
#include <string>

// Every message box and question a window shows goes through this one interface: people get a
// real message box with the program's title, tests answer from a script and read what was asked.
class QUILLON_CORE_EXPORT IMessageBox {
public:
    enum class Icon { None, Information, Question, Exclamation, Stop };
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Answer { Ok, Cancel, Yes, No };

    struct Request {
        // The id the text came from in its string table; 0 for a text of its own.
        int stringId = 0;
        // UTF-8 (a window shows every letter, also those the ANSI code page lacks), formatted;
        // line breaks as "\n".
        std::string text;
        Icon icon = Icon::None;
        Buttons buttons = Buttons::Ok;
        // The button that Enter presses; the first of the buttons when it is not one of them.
        Answer defaultButton = Answer::Ok;
    };

    virtual ~IMessageBox() = default;
    // Shows the box and waits for the answer (Cancel or No when the box is closed otherwise).
    virtual Answer Show(const Request& request) = 0;

    // A text of a table by id, formatted with the arguments (texts among them in UTF-8); a
    // missing id shows the id itself, so the box is never empty.
    Answer Show(const StringTable& strings, int id, std::initializer_list<TextArg> args, Icon icon,
                Buttons buttons = Buttons::Ok);
    Answer Show(const StringTable& strings, int id, std::initializer_list<TextArg> args, Icon icon,
                Buttons buttons, Answer defaultButton);
    // One of the core library's own texts, in the language in force.
    Answer Show(CoreString id, std::initializer_list<TextArg> args, Icon icon,
                Buttons buttons = Buttons::Ok);
    Answer Show(CoreString id, std::initializer_list<TextArg> args, Icon icon, Buttons buttons,
                Answer defaultButton);
    // A text of its own (UTF-8).
    Answer Show(const std::string& text, Icon icon, Buttons buttons = Buttons::Ok);
};

// The first button of a set: what a box of these buttons does with Enter by default.
QUILLON_CORE_EXPORT IMessageBox::Answer FirstButton(IMessageBox::Buttons buttons);
