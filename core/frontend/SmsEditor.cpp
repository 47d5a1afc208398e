#include "frontend/SmsEditor.h"

#include "frontend/IMessageBox.h"
#include "frontend/PlainLetters.h"
#include "model/CoreTexts.h"
#include "model/FormatText.h"
#include "platform/CodePage.h"

#include <algorithm>
#include <utility>

namespace {

constexpr char16_t kLineBreak = u'\n';
constexpr char16_t kReplacement = 0xFFFD;

int EditCost(char16_t c) {
    return c == kLineBreak ? 2 : 1;
}

bool IsSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDFFF;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// UTF-16 as UTF-8 with CR LF line breaks; a lone surrogate half becomes U+FFFD.
std::string Utf8WithCrLf(std::u16string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c == kLineBreak) {
            out += "\r\n";
            continue;
        }
        const bool pair = c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() &&
                          text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
        if (pair)
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        else if (IsSurrogate(c))
            c = kReplacement;
        AppendUtf8(out, c);
    }
    return out;
}

void AppendUtf16(std::u16string& out, char32_t c) {
    if (c < 0x10000) {
        out += static_cast<char16_t>(c);
    } else {
        c -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (c >> 10));
        out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    }
}

// The length of the UTF-8 sequence a lead byte starts, 0 for a byte that starts none.
int SequenceLength(unsigned char lead) {
    return lead < 0x80                   ? 1
           : lead >= 0xC2 && lead < 0xE0 ? 2
           : lead >= 0xE0 && lead < 0xF0 ? 3
           : lead >= 0xF0 && lead < 0xF5 ? 4
                                         : 0;
}

// One character of UTF-8 at i (which moves past it); U+FFFD for a broken sequence.
char32_t DecodeUtf8(std::string_view utf8, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(utf8[i++]);
    const int length = SequenceLength(lead);
    if (length <= 1)
        return length == 1 ? lead : kReplacement;
    char32_t c = lead & (0x7F >> length);
    for (int k = 1; k < length; ++k) {
        if (i >= utf8.size() || (static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80)
            return kReplacement;
        c = (c << 6) | (static_cast<unsigned char>(utf8[i++]) & 0x3F);
    }
    const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    return c < least[length] || c > 0x10FFFF || IsSurrogate(c) ? kReplacement : c;
}

// UTF-8 as UTF-16, every CR LF pair and lone CR as one "\n".
std::u16string Utf16WithLineBreaks(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        if (utf8[i] == '\r') {
            out += kLineBreak;
            i += i + 1 < utf8.size() && utf8[i + 1] == '\n' ? 2 : 1;
            continue;
        }
        AppendUtf16(out, DecodeUtf8(utf8, i));
    }
    return out;
}

// The text as MessageCounts counts it: CR LF line breaks, one character for each of the field.
std::string CountingForm(std::u16string_view text) {
    std::string form;
    form.reserve(text.size() + 16);
    for (const char16_t c : text) {
        if (c == kLineBreak)
            form += "\r\n";
        else
            form += c < 0x80 ? static_cast<char>(c) : '?';
    }
    return form;
}

// The flash question is open while one lives.
class CheckingFlash {
public:
    explicit CheckingFlash(bool& flag) : m_flag(flag) { m_flag = true; }
    ~CheckingFlash() { m_flag = false; }
    CheckingFlash(const CheckingFlash&) = delete;
    CheckingFlash& operator=(const CheckingFlash&) = delete;

private:
    bool& m_flag;
};

} // namespace

SmsEditor::SmsEditor(std::uint16_t maxChars, std::uint16_t partLen, int codePage)
    : m_counts(maxChars, partLen), m_letters(PlainLetters::OfCodePage(codePage)),
      m_limit(m_counts.TextLimit()) {}

void SmsEditor::Host(std::shared_ptr<const StringTable> strings) {
    m_keptStrings = std::move(strings);
}

std::shared_ptr<const StringTable> SmsEditor::Strings() const {
    return m_keptStrings ? m_keptStrings : CoreTexts::Strings();
}

int SmsEditor::GetSmsCount(std::u16string_view text) const {
    return m_counts.GetSmsCount(CountingForm(text));
}

SmsEditor::Counters SmsEditor::Update(std::u16string_view text) const {
    const std::string form = CountingForm(text);
    Counters counters;
    counters.length = MessageCounts::TextLength(form);
    counters.maxUser = m_counts.GetMaxUserCharCount();
    counters.smsCount = m_counts.GetSmsCount(form);
    counters.partsMax = m_counts.PartsMax();
    const auto strings = Strings();
    const auto text8 = [&strings](CoreString id) {
        return strings->GetUtf8(static_cast<int>(id)).value_or(std::string_view());
    };
    counters.lengthText =
        FormatText(text8(CoreString::Length), {counters.length, counters.maxUser});
    counters.partText =
        FormatText(text8(CoreString::SmsCount), {counters.smsCount, counters.partsMax});
    return counters;
}

std::u16string SmsEditor::SetDummyTextLen(int dummyLen, std::u16string_view text) {
    m_counts.SetDummyTextLen(dummyLen);
    m_limit = m_counts.TextLimit();
    if (dummyLen > 0)
        return CutToLimit(text, m_counts.GetMaxUserCharCount());
    return std::u16string(text);
}

SmsEditor::FlashResult SmsEditor::CheckFlash(bool flash, std::u16string_view text,
                                             IMessageBox& boxes) {
    FlashResult result;
    result.flash = flash;
    const MessageCounts::FlashCheck check = m_counts.CheckFlash(flash, CountingForm(text));
    if (check.mustAsk) {
        IMessageBox::Answer answer;
        {
            const CheckingFlash checking(m_checkingFlash);
            answer = boxes.Show(*Strings(), static_cast<int>(CoreString::FlashTooLong), {},
                                IMessageBox::Icon::Question, IMessageBox::Buttons::YesNo,
                                IMessageBox::Answer::No);
        }
        if (answer != IMessageBox::Answer::Yes) {
            result.flash = !flash;
            result.applied = false;
            return result;
        }
        result.cut = true;
        result.cutText = CutToLimit(text, check.maxUser);
    }
    m_counts.SetFlash(flash);
    m_limit = check.maxUser;
    return result;
}

int SmsEditor::Room(std::u16string_view text, std::size_t selStart, std::size_t selEnd) const {
    selEnd = std::min(selEnd, text.size());
    selStart = std::min(selStart, selEnd);
    const int kept = EditLength(text) - EditLength(text.substr(selStart, selEnd - selStart));
    return std::max(m_limit - kept, 0);
}

std::u16string SmsEditor::Typed(std::u16string_view typed, std::u16string_view text,
                                std::size_t selStart, std::size_t selEnd) const {
    int room = Room(text, selStart, selEnd);
    std::u16string accepted;
    for (const char16_t c : typed) {
        const char16_t letter = c >= 0x80 ? char16_t(m_letters.Of(c)) : c >= 32 && c < 127 ? c : 0;
        if (letter == 0)
            continue;
        if (room == 0)
            break;
        accepted += letter;
        --room;
    }
    return accepted;
}

bool SmsEditor::LineBreakFits(std::u16string_view text, std::size_t selStart,
                              std::size_t selEnd) const {
    return Room(text, selStart, selEnd) >= EditCost(kLineBreak);
}

char16_t SmsEditor::PastedCharacter(char16_t c) const {
    if (c == u'\t')
        return u' ';
    if (c >= 0x80)
        return static_cast<char16_t>(m_letters.Of(c));
    const bool control = c < 32 || c == 127;
    return control && c != u'\r' && c != kLineBreak ? 0 : c;
}

SmsEditor::Pasted SmsEditor::Paste(std::u16string_view text, std::size_t selStart,
                                   std::size_t selEnd, std::u16string_view inserted) const {
    selEnd = std::min(selEnd, text.size());
    selStart = std::min(selStart, selEnd);
    int room = Room(text, selStart, selEnd);
    // What fits of the insertion, cleaned first so that what goes leaves room for what stays.
    std::u16string piece;
    for (std::size_t i = 0; i < inserted.size() && room > 0; ++i) {
        char16_t c = PastedCharacter(inserted[i]);
        if (c == u'\r') {
            if (i + 1 < inserted.size() && inserted[i + 1] == kLineBreak)
                continue;
            c = kLineBreak;
        }
        if (c == 0)
            continue;
        if (EditCost(c) > room)
            break;
        piece += c;
        room -= EditCost(c);
    }
    std::u16string whole;
    whole.reserve(text.size() - (selEnd - selStart) + piece.size());
    whole.append(text.substr(0, selStart)).append(piece).append(text.substr(selEnd));
    const std::size_t caret = selStart + piece.size();

    Pasted pasted;
    pasted.text.reserve(whole.size());
    std::size_t removedBeforeCaret = 0;
    for (std::size_t i = 0; i < whole.size(); ++i) {
        char16_t c = PastedCharacter(whole[i]);
        if (c == u'\r')
            c = kLineBreak;
        pasted.cleanedAround = pasted.cleanedAround || c != whole[i];
        if (c != 0)
            pasted.text += c;
        else if (i < caret)
            ++removedBeforeCaret;
    }
    pasted.caret = caret - removedBeforeCaret;
    pasted.changed = pasted.text != text;
    pasted.insertion = std::move(piece);
    return pasted;
}

SmsEditor::KeyStep SmsEditor::OwnerKeyStep(char key, bool mayProcess, bool backwards) {
    if (!mayProcess)
        return KeyStep::Swallow;
    switch (key) {
    case CharacterFilter::Enter:
    case CharacterFilter::CtrlEnter:
        return KeyStep::LineBreak;
    case CharacterFilter::Tab:
        return backwards ? KeyStep::PreviousField : KeyStep::NextField;
    default:
        return KeyStep::ToDialog;
    }
}

bool SmsEditor::ReportsFocusLoss(bool toOwnWindow) const {
    return IsHosted() && !m_checkingFlash && !toOwnWindow;
}

std::u16string SmsEditor::TextToSet(const std::string& ansi) const {
    return CutToLimit(WindowText(ansi), m_limit);
}

int SmsEditor::EditLength(std::u16string_view text) {
    return static_cast<int>(text.size() + std::count(text.begin(), text.end(), kLineBreak));
}

std::u16string SmsEditor::CutToLimit(std::u16string_view text, int limit) {
    int used = 0;
    std::size_t end = 0;
    for (; end < text.size(); ++end) {
        used += EditCost(text[end]);
        if (used > limit)
            break;
    }
    return std::u16string(text.substr(0, end));
}

std::size_t SmsEditor::TextPosition(std::u16string_view text, int editPosition) {
    if (editPosition < 0)
        return text.size();
    int at = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (at >= editPosition)
            return i;
        at += EditCost(text[i]);
    }
    return text.size();
}

std::string SmsEditor::CoreText(std::u16string_view text) {
    return Utf8TextToAnsi(Utf8WithCrLf(text));
}

std::u16string SmsEditor::WindowText(const std::string& ansi) {
    return Utf16WithLineBreaks(AnsiTextToUtf8(ansi));
}
