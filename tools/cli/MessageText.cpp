#include "MessageText.h"

#include "model/Utilities.h"

namespace {

constexpr int kMaxChars = 480;
constexpr int kPartLen = 160;
constexpr int kParts = kMaxChars / kPartLen;

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

} // namespace

std::string EditorText(const std::string& utf8) {
    const std::string plain = StripAccents(ToAnsi(utf8));
    std::string text;
    for (std::size_t i = 0; i < plain.size(); ++i) {
        const char c = plain[i];
        if (c == '\r' || c == '\n') {
            text += "\r\n";
            if (c == '\r' && i + 1 < plain.size() && plain[i + 1] == '\n')
                ++i;
        } else if (c == '\t') {
            text += ' ';
        } else if (static_cast<unsigned char>(c) >= 32 && c != 127) {
            text += c;
        }
    }
    return Trimmed(text);
}

std::string ServiceText(const std::string& editorText) {
    std::string text;
    for (std::size_t i = 0; i < editorText.size(); ++i) {
        if (editorText[i] == '\r' && i + 1 < editorText.size() && editorText[i + 1] == '\n')
            continue;
        text += editorText[i];
    }
    return text;
}

int TextLength(const std::string& editorText) {
    return static_cast<int>(ServiceText(editorText).size());
}

int MaxUserCharCount(bool flash, int dummyLen) {
    if (dummyLen > 0)
        return flash ? kPartLen - dummyLen - 1 : kMaxChars - (dummyLen + 5) * kParts;
    return flash ? kPartLen : kMaxChars - 4 * kParts;
}

int SmsCount(const std::string& editorText, bool flash, int dummyLen) {
    const int length = TextLength(editorText);
    const int singleLimit = dummyLen > 0 ? kPartLen - (dummyLen + 1) : kPartLen;
    if (length <= singleLimit)
        return 1;
    const int perPart = MaxUserCharCount(flash, dummyLen) / (flash ? 1 : kParts);
    if (perPart <= 0)
        return length;
    return (length + perPart - 1) / perPart;
}
