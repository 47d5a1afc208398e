#include "MessageText.h"

#include "frontend/CharacterFilter.h"
#include "model/Utilities.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\r' || c == '\n';
}

std::string Trimmed(const std::string& text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsBlank(text[first]))
        ++first;
    while (last > first && IsBlank(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

// UTF-8 to ANSI, dropping the characters that the code page lacks (instead of writing "?").
std::string ToAnsi(const std::string& utf8) {
    std::string ansi;
    for (std::size_t i = 0; i < utf8.size();) {
        std::size_t next = i + 1;
        while (next < utf8.size() && (static_cast<unsigned char>(utf8[next]) & 0xC0) == 0x80)
            ++next;
        const std::string character = utf8.substr(i, next - i);
        const std::string converted = Utf8ToAnsi(character);
        if (character.size() == 1 || converted != "?")
            ansi += converted;
        i = next;
    }
    return ansi;
}

// Every CR LF, lone CR and lone LF as CR LF, the editor's line break.
std::string WindowsLineBreaks(const std::string& text) {
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') {
            result += text[i];
            continue;
        }
        result += "\r\n";
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
    }
    return result;
}

} // namespace

std::string EditorText(const std::string& utf8) {
    const std::string ansi = WindowsLineBreaks(ToAnsi(utf8));
    return Trimmed(CharacterFilter::CleanPaste(ansi, 0).text);
}

MessageCounts EditorCounts(bool flash, int dummyLen) {
    MessageCounts counts;
    counts.SetFlash(flash);
    counts.SetDummyTextLen(dummyLen);
    return counts;
}
