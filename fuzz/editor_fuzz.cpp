// The message editor's handling of text from outside: a paste into a text, and the counts of
// what results. The first bytes choose the code page, the dummy length and the selection; the
// rest is UTF-16 text, split in two at a zero unit (the field's text and the pasted text).
#include "frontend/SmsEditor.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4)
        return 0;
    const int codePage = data[0] & 1 ? 1250 : data[0] & 2 ? 1252 : 1251;
    const int dummyLen = static_cast<std::int8_t>(data[1]) * 3;
    std::u16string units;
    for (std::size_t i = 4; i + 1 < size; i += 2)
        units += static_cast<char16_t>(data[i] | data[i + 1] << 8);
    const std::size_t split = units.find(u'\0');
    std::u16string text = units.substr(0, split);
    const std::u16string inserted = split == std::u16string::npos ? u"" : units.substr(split + 1);

    SmsEditor editor(480, 160, codePage);
    text = editor.SetDummyTextLen(dummyLen, text);
    const std::size_t selStart = data[2] % (text.size() + 1);
    const std::size_t selEnd = selStart + data[3] % (text.size() - selStart + 1);
    const SmsEditor::Pasted pasted = editor.Paste(text, selStart, selEnd, inserted);

    // Only what an SMS carries is left, the caret is in the text, and it all fits.
    for (const char16_t c : pasted.text) {
        if (c != u'\n' && (c < 32 || c > 126))
            std::abort();
    }
    if (pasted.caret > pasted.text.size())
        std::abort();
    const int before = SmsEditor::EditLength(text);
    if (SmsEditor::EditLength(pasted.text) > std::max(before, editor.TextLimit()))
        std::abort();
    const SmsEditor::Counters counters = editor.Update(pasted.text);
    if (counters.smsCount < 0 || counters.lengthText.empty())
        std::abort();
    const std::string core = SmsEditor::CoreText(pasted.text);
    if (SmsEditor::WindowText(core) != pasted.text)
        std::abort();
    return 0;
}
