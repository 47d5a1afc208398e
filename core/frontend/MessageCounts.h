#pragma once

#include "QuillonCoreExport.h"

#include <cstdint>
#include <string>

// How many characters the message editor lets the user type and how many SMS parts a text
// needs. maxChars is the most characters of a concatenated message, partLen those of one part;
// the dummy text is what the service adds to every part (0 for none).
class QUILLON_CORE_EXPORT MessageCounts {
public:
    static constexpr std::uint16_t DefaultMaxChars = 480;
    static constexpr std::uint16_t DefaultPartLen = 160;

    explicit MessageCounts(std::uint16_t maxChars = DefaultMaxChars,
                           std::uint16_t partLen = DefaultPartLen);

    std::uint16_t GetMaxChars() const { return m_maxChars; }
    std::uint16_t GetPartLen() const { return m_partLen; }
    bool IsFlash() const { return m_flash; }
    void SetFlash(bool flash) { m_flash = flash; }
    int GetDummyTextLen() const { return m_dummyLen; }
    // Only stores the length; TextLimit tells what the editor then holds.
    void SetDummyTextLen(int dummyLen) { m_dummyLen = dummyLen; }

    // maxChars / partLen (0 when a part is longer than the whole message).
    int Parts() const;
    // The most characters the user may type; never below 0, as a service text longer than a
    // part leaves no room rather than wrapping round to a huge limit.
    std::uint16_t GetMaxUserCharCount() const;
    // A text up to this length is one SMS.
    int SingleLimit() const;
    int PartsMax() const;
    int PerPart() const;
    // The SMS parts the text needs (the editor's text, line breaks as CR LF).
    int GetSmsCount(const std::string& text) const;
    // The edit field's limit after SetDummyTextLen: maxUser with a dummy text; without one
    // maxChars - 4 x parts, whatever the flash state.
    int TextLimit() const;

    // The length with every CR LF pair counted as one character.
    static int TextLength(const std::string& text);
    // The first limit characters of the text; a CR LF pair is never split.
    static std::string Cut(const std::string& text, int limit);

    // What turning flash on or off means for the text.
    struct FlashCheck {
        // For the new state; also the edit field's new limit.
        std::uint16_t maxUser = 0;
        // The text has more characters than that (as the edit field counts them, CR LF as
        // two): ask before cutting it to maxUser.
        bool mustAsk = false;
    };
    FlashCheck CheckFlash(bool flash, const std::string& text) const;

private:
    int MaxUserFor(bool flash) const;

    std::uint16_t m_maxChars;
    std::uint16_t m_partLen;
    bool m_flash = false;
    int m_dummyLen = 0;
};
