#pragma once

#include "QuillonCoreExport.h"

#include <cstddef>
#include <string>

// What the message editor lets into a message (ANSI text): accented letters of the ANSI code
// page become plain letters, everything else outside ASCII is dropped.
class QUILLON_CORE_EXPORT CharacterFilter {
public:
    // The keys the editor hands to its owner instead of inserting them.
    static constexpr char Escape = 27;
    static constexpr char Enter = 13;
    static constexpr char Tab = 9;
    static constexpr char CtrlEnter = 10;

    enum class Action {
        Insert, // insert Typed::character
        Owner,  // ask the owner what to do with the key
        Drop,   // an SMS cannot carry it
    };
    struct Typed {
        Action action = Action::Drop;
        char character = 0;
    };
    // A character typed into the editor.
    static Typed OfTyped(char typed);

    struct Pasted {
        std::string text;
        bool changed = false;
        // Characters removed before the caret: the caret goes back by that many.
        std::size_t removedBeforeCaret = 0;
    };
    // The whole text after a paste, cleaned in one pass: a tab becomes a blank, a character
    // above 127 its plain letter or nothing, other control characters (below 32 and DEL) but
    // CR and LF go. caret is the caret's position in the text before cleaning.
    static Pasted CleanPaste(const std::string& text, std::size_t caret);

    // The text the service gets: every CR LF pair as LF.
    static std::string ServiceText(const std::string& text);

    // The plain letter of a character above 127; 0 when the code page has none.
    static char PlainLetter(char c);
};
