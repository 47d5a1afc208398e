#pragma once

#include "QuillonCoreExport.h"
#include "frontend/CharacterFilter.h"
#include "frontend/MessageCounts.h"
#include "model/StringTable.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class IMessageBox;
class PlainLetters;

// What the message edit control decides, apart from showing it: counters, the text limit, the
// characters it lets in, the owner keys and the flash check. The text is the window's: UTF-16
// with "\n" line breaks; the core's form of it is ANSI with CR LF, and an edit field's length
// (the one the text limit bounds) counts every line break as two characters.
class QUILLON_CORE_EXPORT SmsEditor {
public:
    // codePage chooses the transliteration table (GetAnsiCodePage() for the system's).
    SmsEditor(std::uint16_t maxChars, std::uint16_t partLen, int codePage);

    // Hosted mode: counters and the flash question come from these texts from now on, whatever
    // language the process switches to later.
    void Host(std::shared_ptr<const StringTable> strings);
    bool IsHosted() const { return m_keptStrings != nullptr; }

    const MessageCounts& Counts() const { return m_counts; }
    bool IsFlash() const { return m_counts.IsFlash(); }
    // The state only: neither the text nor its limit is checked again.
    void SetFlash(bool flash) { m_counts.SetFlash(flash); }
    int GetSmsCount(std::u16string_view text) const;
    std::uint16_t GetMaxUserCharCount() const { return m_counts.GetMaxUserCharCount(); }
    // The most characters the edit field takes, as it counts them.
    int TextLimit() const { return m_limit; }

    struct Counters {
        int length = 0;
        int maxUser = 0;
        int smsCount = 0;
        int partsMax = 0;
        std::string lengthText; // UTF-8
        std::string partText;   // UTF-8
    };
    Counters Update(std::u16string_view text) const;

    // Stores the service's text length and sets the text limit; the text as it then stands
    // (cut to maxUser when it was longer and there is a dummy text).
    std::u16string SetDummyTextLen(int dummyLen, std::u16string_view text);

    struct FlashResult {
        bool flash = false;
        // The text was cut to fit (Yes to the question); cutText holds it.
        bool cut = false;
        std::u16string cutText;
        // False when the user kept the text: the box goes back, nothing else changes.
        bool applied = true;
    };
    // The check box was set to flash: asks before cutting a text that no longer fits.
    FlashResult CheckFlash(bool flash, std::u16string_view text, IMessageBox& boxes);
    bool IsCheckingFlash() const { return m_checkingFlash; }

    // Characters typed (or committed by an input method) into the field: plain ASCII letters
    // stay, accented ones of the code page become plain, the rest goes; then cut to the room the
    // text limit leaves beside the text that the selection [selStart, selEnd) does not replace.
    std::u16string Typed(std::u16string_view typed, std::u16string_view text, std::size_t selStart,
                         std::size_t selEnd) const;
    // Whether a line break still fits in place of the selection.
    bool LineBreakFits(std::u16string_view text, std::size_t selStart, std::size_t selEnd) const;

    struct Pasted {
        std::u16string text;
        std::size_t caret = 0;
        // The text differs from the one before.
        bool changed = false;
        // What went in place of the selection, and whether the cleaning also changed the text
        // around it (else putting the insertion in place is all there is to do).
        std::u16string insertion;
        bool cleanedAround = false;
    };
    // Text inserted from outside (paste, middle click, drop) in place of the selection: what
    // fits goes in, then the whole text is cleaned (tabs become blanks, characters an SMS cannot
    // carry go) and the caret stays after the insertion, moved back by what went before it.
    Pasted Paste(std::u16string_view text, std::size_t selStart, std::size_t selEnd,
                 std::u16string_view inserted) const;

    // What an owner key does once the owner has answered.
    enum class KeyStep { Swallow, LineBreak, NextField, PreviousField, ToDialog };
    static KeyStep OwnerKeyStep(char key, bool mayProcess, bool backwards);

    // In hosted mode the owner hears of the focus leaving the field, unless it goes to the
    // control's own windows or the flash question is open.
    bool ReportsFocusLoss(bool toOwnWindow) const;

    // The text a program sets: line breaks of any kind become "\n", cut to the text limit.
    std::u16string TextToSet(const std::string& ansi) const;

    // The edit field's length: a line break counts two.
    static int EditLength(std::u16string_view text);
    // The first characters of the text within limit, as EditLength counts; a line break that
    // does not fit whole goes.
    static std::u16string CutToLimit(std::u16string_view text, int limit);
    // The position in the text of an edit field's position (a line break counts two); negative
    // means the end.
    static std::size_t TextPosition(std::u16string_view text, int editPosition);
    // The core's form of the text: ANSI, CR LF line breaks.
    static std::string CoreText(std::u16string_view text);
    // The window's form of an ANSI text.
    static std::u16string WindowText(const std::string& ansi);

private:
    // The room the text limit leaves once the selection is gone.
    int Room(std::u16string_view text, std::size_t selStart, std::size_t selEnd) const;
    // What a pasted character becomes; 0 when it goes.
    char16_t PastedCharacter(char16_t c) const;
    std::shared_ptr<const StringTable> Strings() const;

    MessageCounts m_counts;
    const PlainLetters& m_letters;
    int m_limit = 0;
    bool m_checkingFlash = false;
    std::shared_ptr<const StringTable> m_keptStrings;
};
