#include "CodePage.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iconv.h>
#include <map>
#include <memory>
#include <mutex>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

constexpr int kCentralEuropean = 1250;
constexpr int kWesternEuropean = 1252;
constexpr char32_t kReplacementChar = 0xFFFD;
const char* const kWide = "WCHAR_T";

// Languages whose Windows ANSI code page is 1250.
bool IsCentralEuropeanLanguage(std::string_view language) {
    for (std::string_view code : {"cs", "sk", "pl", "hu", "sl", "hr", "bs", "ro", "sq"}) {
        if (language == code)
            return true;
    }
    return false;
}

// The variables that decide the code page: the override, then those of the locale that decides
// LC_CTYPE, by the usual precedence.
constexpr std::array<std::string_view, 4> kCodePageVariables = {
    "QUILLON_ANSI_CODEPAGE=", "LC_ALL=", "LC_CTYPE=", "LANG="};

// Their values (null where unset) as getenv gives them, in one pass over the environment: every
// conversion reads them.
std::array<const char*, kCodePageVariables.size()> ReadCodePageVariables() {
    std::array<const char*, kCodePageVariables.size()> values{};
    for (char** entry = environ; entry && *entry; ++entry) {
        if (**entry != 'Q' && **entry != 'L')
            continue;
        for (std::size_t i = 0; i < values.size(); ++i) {
            const std::string_view name = kCodePageVariables[i];
            if (!values[i] && std::strncmp(*entry, name.data(), name.size()) == 0)
                values[i] = *entry + name.size();
        }
    }
    return values;
}

bool ParseCodePage(const char* text, int& codePage) {
    if (!text || !*text)
        return false;
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text, &end, 10);
    if (*end != '\0' || errno != 0 || value <= 0 || value > 65535)
        return false;
    codePage = static_cast<int>(value);
    return true;
}

// Surrogate halves and values past Unicode are no characters.
bool IsCharacter(char32_t c) {
    return c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
}

// An iconv descriptor, open for the object's lifetime.
class CConverter {
public:
    enum class ByteKind { Character, Composed, Undefined, Partial };

    CConverter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~CConverter() {
        if (IsOpen())
            iconv_close(m_cd);
    }
    CConverter(const CConverter&) = delete;
    CConverter& operator=(const CConverter&) = delete;

    bool IsOpen() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // Converts the whole input; at a sequence that cannot be converted, onError is given the
    // remaining input and returns how many input bytes to skip, after appending a replacement.
    template <typename OnError> std::string Convert(std::string_view input, OnError onError) const {
        std::string output;
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        char buffer[4096];
        while (!input.empty()) {
            char* in = const_cast<char*>(input.data());
            std::size_t inLeft = input.size();
            char* out = buffer;
            std::size_t outLeft = sizeof(buffer);
            const std::size_t result = iconv(m_cd, &in, &inLeft, &out, &outLeft);
            const int error = errno;
            output.append(buffer, out);
            input.remove_prefix(input.size() - inLeft);
            if (result != static_cast<std::size_t>(-1) || error == E2BIG)
                continue;
            iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
            input.remove_prefix(std::min(input.size(), onError(input, output)));
        }
        char* out = buffer;
        std::size_t outLeft = sizeof(buffer);
        Flush(out, outLeft);
        output.append(buffer, out);
        return output;
    }

    // Decodes one byte on its own into wide text. A Partial byte gives no single character; a
    // Composed one gives its character only at the end of the input, as it might combine with
    // what follows.
    ByteKind DecodeByte(unsigned char byte, char32_t& c) const {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        char input = static_cast<char>(byte);
        char* in = &input;
        std::size_t inLeft = 1;
        wchar_t output[4];
        char* out = reinterpret_cast<char*>(output);
        std::size_t outLeft = sizeof(output);
        if (iconv(m_cd, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1))
            return errno == EINVAL ? ByteKind::Partial : ByteKind::Undefined;
        const bool heldBack = outLeft == sizeof(output);
        Flush(out, outLeft);
        if (outLeft != sizeof(output) - sizeof(wchar_t))
            return ByteKind::Partial;
        c = static_cast<char32_t>(output[0]);
        return heldBack ? ByteKind::Composed : ByteKind::Character;
    }

private:
    // Writes out what the descriptor holds back, such as a letter waiting for combining marks.
    void Flush(char*& out, std::size_t& outLeft) const {
        iconv(m_cd, nullptr, nullptr, &out, &outLeft);
    }

    iconv_t m_cd;
};

// An ANSI code page. A single-byte page converts through its tables; any other page (one with
// multi-byte characters, or one that composes letters and marks) through iconv. Either way the
// bytes 0-127 are ASCII.
struct CodePageTables {
    // Every byte as its own value, until MakeCodePage fills in the page.
    explicit CodePageTables(int codePage)
        : number(codePage), charset("CP" + std::to_string(codePage)) {
        for (char32_t byte = 0; byte < toWide.size(); ++byte)
            toWide[byte] = byte;
    }

    int number;
    std::string charset; // the iconv name
    bool byTables = true;
    // Byte -> code point. A byte the page leaves undefined travels as the control character of
    // the same value, so that any ANSI text survives a trip through wide text or UTF-8.
    std::array<char32_t, 256> toWide{};
    // Code point -> byte over the Basic Multilingual Plane, which holds every character of a page
    // the tables cover; 0 where the page lacks the character (only U+0000 is the byte 0).
    std::vector<unsigned char> fromWide;

    // The byte of a character, or -1 when the page lacks it.
    int Encode(char32_t c) const {
        if (c >= fromWide.size())
            return -1;
        const unsigned char byte = fromWide[c];
        return byte != 0 || c == 0 ? byte : -1;
    }
};

// Null when iconv does not know the page or the page does not keep ASCII as it is.
std::unique_ptr<CodePageTables> MakeCodePage(int number) {
    auto page = std::make_unique<CodePageTables>(number);
    const CConverter decoder(kWide, page->charset.c_str());
    if (!decoder.IsOpen())
        return nullptr;
    for (char32_t byte = 0; byte < page->toWide.size(); ++byte) {
        char32_t c = byte;
        const CConverter::ByteKind kind = decoder.DecodeByte(static_cast<unsigned char>(byte), c);
        const bool decoded =
            kind == CConverter::ByteKind::Character || kind == CConverter::ByteKind::Composed;
        if (byte < 0x80 && (!decoded || c != byte))
            return nullptr;
        if (!decoded)
            c = byte;
        if (kind == CConverter::ByteKind::Partial || kind == CConverter::ByteKind::Composed ||
            c > 0xFFFF)
            page->byTables = false;
        page->toWide[byte] = c;
    }
    if (page->byTables) {
        page->fromWide.assign(0x10000, 0);
        // Where two bytes stand for one character, the lower byte is the character's.
        for (int byte = 255; byte >= 0; --byte)
            page->fromWide[page->toWide[byte]] = static_cast<unsigned char>(byte);
    }
    return page;
}

// Code pages are made once and live as long as the process: the conversions stay usable while
// the library unloads, after the static and thread-local objects are gone. The mutex and the
// pointer are constant-initialised and need no destruction.
std::mutex g_codePagesMutex;
std::atomic<const CodePageTables*> g_lastCodePage{nullptr};

const CodePageTables& CodePageLocked(int number) {
    static auto& pages = *new std::map<int, const CodePageTables*>;
    const auto found = pages.find(number);
    if (found != pages.end())
        return *found->second;
    const CodePageTables* page = MakeCodePage(number).release();
    if (!page) {
        // Without iconv's tables the western page keeps every byte as its own value.
        page = number == kWesternEuropean ? new CodePageTables(number)
                                          : &CodePageLocked(kWesternEuropean);
    }
    pages.emplace(number, page);
    return *page;
}

// The code page of this thread's innermost CCodePageScope: its number (0 for none) and tables.
thread_local int t_scopeNumber = 0;
thread_local const CodePageTables* t_scopePage = nullptr;

// The tables of a code page; an unknown one falls back to 1252.
const CodePageTables& CodePageOf(int number) {
    const CodePageTables* last = g_lastCodePage.load(std::memory_order_acquire);
    if (last && last->number == number)
        return *last;
    const std::lock_guard lock(g_codePagesMutex);
    const CodePageTables& page = CodePageLocked(number);
    g_lastCodePage.store(&page, std::memory_order_release);
    return page;
}

// The page of GetAnsiCodePage.
const CodePageTables& AnsiCodePage() {
    return t_scopePage ? *t_scopePage : CodePageOf(GetAnsiCodePage());
}

// A sequence of UTF-8 that starts with a byte past ASCII: its length in bytes, 0 when the bytes
// form no well-formed sequence, and its value. Sequences run to six bytes, as iconv reads them.
struct Utf8Sequence {
    int length;
    char32_t value;
};

// The same for any sequence, read byte by byte.
Utf8Sequence ReadLongUtf8Sequence(const unsigned char* p, const unsigned char* end) {
    const int length = std::countl_one(*p);
    char32_t c = *p & (0x7F >> length);
    int i = 1;
    for (; i < length && i < end - p && (p[i] & 0xC0) == 0x80; ++i)
        c = (c << 6) | (p[i] & 0x3F);
    const bool wellFormed = length >= 2 && length <= 6 && i == length &&
                            c >= (length == 2 ? 0x80u : 1u << (5 * length - 4)) &&
                            (c < 0xD800 || c > 0xDFFF);
    return {wellFormed ? length : 0, c};
}

// Kept small, so that it is inlined where text is decoded.
inline Utf8Sequence ReadUtf8Sequence(const unsigned char* p, const unsigned char* end) {
    // Two-byte sequences, which carry every letter of the European code pages, first.
    if (*p >= 0xC2 && *p <= 0xDF && end - p >= 2 && (p[1] & 0xC0) == 0x80)
        return {2, static_cast<char32_t>((*p & 0x1F) << 6 | (p[1] & 0x3F))};
    return ReadLongUtf8Sequence(p, end);
}

// The length of the text's leading run of ASCII characters.
std::size_t AsciiPrefixLength(std::string_view text) {
    constexpr std::uint64_t kHighBits = 0x8080808080808080;
    std::size_t length = 0;
    for (std::uint64_t word; length + sizeof(word) <= text.size(); length += sizeof(word)) {
        std::memcpy(&word, text.data() + length, sizeof(word));
        // The first byte past ASCII in the word: its lowest high bit on a little-endian machine.
        if (const std::uint64_t high = word & kHighBits) {
            const int bit = std::endian::native == std::endian::little ? std::countr_zero(high)
                                                                       : std::countl_zero(high);
            return length + static_cast<std::size_t>(bit) / 8;
        }
    }
    while (length < text.size() && static_cast<unsigned char>(text[length]) < 0x80)
        ++length;
    return length;
}

// Calls ascii for each run of ASCII characters of the UTF-8 text and emit for each other
// character. A byte that starts no well-formed sequence gives U+FFFD and the next byte is read
// afresh; a sequence for a value past Unicode gives one U+FFFD. True when neither happened.
template <typename Ascii, typename Emit>
bool DecodeUtf8(std::string_view utf8, Ascii ascii, Emit emit) {
    const auto* const bytes = reinterpret_cast<const unsigned char*>(utf8.data());
    bool valid = true;
    std::size_t i = 0;
    while (i < utf8.size()) {
        if (const std::size_t run = AsciiPrefixLength(utf8.substr(i))) {
            ascii(utf8.substr(i, run));
            i += run;
            continue;
        }
        const Utf8Sequence sequence = ReadUtf8Sequence(bytes + i, bytes + utf8.size());
        const bool character = sequence.length != 0 && sequence.value <= 0x10FFFF;
        emit(character ? sequence.value : kReplacementChar);
        valid = valid && character;
        i += static_cast<std::size_t>(std::max(sequence.length, 1));
    }
    return valid;
}

// Writes a character as UTF-8, at most four bytes; a non-character becomes "?".
char* PutUtf8(char* out, char32_t c) {
    if (!IsCharacter(c)) {
        *out++ = '?';
    } else if (c < 0x80) {
        *out++ = static_cast<char>(c);
    } else if (c < 0x800) {
        *out++ = static_cast<char>(0xC0 | (c >> 6));
        *out++ = static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        *out++ = static_cast<char>(0xE0 | (c >> 12));
        *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (c & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | (c >> 18));
        *out++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

// Language tags (U+E0000-U+E007F) are invisible; iconv leaves them out of ANSI text too.
bool IsTag(char32_t c) {
    return c >> 7 == 0xE0000 >> 7;
}

// Writes a character in the code page, at most one byte; a character the page lacks becomes
// "?".
char* PutAnsi(char* out, const CodePageTables& page, char32_t c) {
    if (IsTag(c))
        return out;
    const int byte = page.Encode(c);
    *out++ = byte < 0 ? '?' : static_cast<char>(byte);
    return out;
}

// Fills a text of at most maxSize bytes through write(first byte), which returns the end of what
// it wrote.
template <typename Write> std::string WriteText(std::size_t maxSize, Write write) {
    std::string text(maxSize, '\0');
    text.resize(static_cast<std::size_t>(write(text.data()) - text.data()));
    return text;
}

// Through iconv, for the pages that the tables do not cover.
std::wstring AnsiToWideByIconv(const CodePageTables& page, std::string_view ansi) {
    const std::string bytes =
        CConverter(kWide, page.charset.c_str())
            .Convert(ansi, [](std::string_view rest, std::string& output) {
                const auto c = static_cast<wchar_t>(static_cast<unsigned char>(rest.front()));
                output.append(reinterpret_cast<const char*>(&c), sizeof(c));
                return std::size_t{1};
            });
    std::wstring wide(bytes.size() / sizeof(wchar_t), L'\0');
    bytes.copy(reinterpret_cast<char*>(wide.data()), wide.size() * sizeof(wchar_t));
    return wide;
}

std::string WideToAnsiByIconv(const CodePageTables& page, std::wstring wide) {
    for (wchar_t& c : wide) {
        if (!IsCharacter(static_cast<char32_t>(c)))
            c = L'?';
    }
    const std::string_view bytes(reinterpret_cast<const char*>(wide.data()),
                                 wide.size() * sizeof(wchar_t));
    return CConverter(page.charset.c_str(), kWide)
        .Convert(bytes, [&](std::string_view rest, std::string& output) {
            wchar_t c;
            rest.copy(reinterpret_cast<char*>(&c), sizeof(c));
            const bool undefinedByte = c >= 0x80 && c <= 0xFF && page.toWide[c] == char32_t(c);
            output += undefinedByte ? static_cast<char>(c) : '?';
            return sizeof(wchar_t);
        });
}

} // namespace

int GetAnsiCodePage() {
    if (t_scopeNumber != 0)
        return t_scopeNumber;
    const auto variables = ReadCodePageVariables();
    int codePage = 0;
    if (ParseCodePage(variables[0], codePage))
        return codePage;
    const auto found = std::find_if(variables.begin() + 1, variables.end(),
                                    [](const char* value) { return value && *value; });
    const std::string_view locale = found == variables.end() ? "" : *found;
    const std::string_view language = locale.substr(0, locale.find_first_of("_.@"));
    return IsCentralEuropeanLanguage(language) ? kCentralEuropean : kWesternEuropean;
}

CCodePageScope::CCodePageScope() : CCodePageScope(GetAnsiCodePage()) {}

CCodePageScope::CCodePageScope(int number)
    : m_previousNumber(t_scopeNumber), m_previousPage(t_scopePage) {
    t_scopePage = &CodePageOf(number);
    t_scopeNumber = number;
}

CCodePageScope::~CCodePageScope() {
    t_scopeNumber = m_previousNumber;
    t_scopePage = static_cast<const CodePageTables*>(m_previousPage);
}

std::wstring AnsiToWide(const std::string& ansi) {
    const CodePageTables& page = AnsiCodePage();
    if (!page.byTables)
        return AnsiToWideByIconv(page, ansi);
    std::wstring wide(ansi.size(), L'\0');
    std::transform(ansi.begin(), ansi.end(), wide.begin(), [&](char byte) {
        return static_cast<wchar_t>(page.toWide[static_cast<unsigned char>(byte)]);
    });
    return wide;
}

std::string WideToAnsi(const std::wstring& wide) {
    const CodePageTables& page = AnsiCodePage();
    if (!page.byTables)
        return WideToAnsiByIconv(page, wide);
    return WriteText(wide.size(), [&](char* out) {
        for (wchar_t c : wide)
            out = PutAnsi(out, page, static_cast<char32_t>(c));
        return out;
    });
}

std::wstring Utf8ToWide(const std::string& utf8) {
    std::wstring wide;
    wide.reserve(utf8.size());
    DecodeUtf8(
        utf8, [&](std::string_view run) { wide.append(run.begin(), run.end()); },
        [&](char32_t c) { wide += static_cast<wchar_t>(c); });
    return wide;
}

std::string WideToUtf8(const std::wstring& wide) {
    return WriteText(4 * wide.size(), [&](char* out) {
        for (wchar_t c : wide)
            out = PutUtf8(out, static_cast<char32_t>(c));
        return out;
    });
}

std::string AnsiTextToUtf8(std::string_view ansi) {
    const std::size_t ascii = AsciiPrefixLength(ansi);
    if (ascii == ansi.size())
        return std::string(ansi);
    const CodePageTables& page = AnsiCodePage();
    if (!page.byTables)
        return WideToUtf8(AnsiToWideByIconv(page, ansi));
    // The pages the tables cover hold characters of the Basic Multilingual Plane only.
    std::size_t length = ascii;
    for (char byte : ansi.substr(ascii)) {
        const char32_t c = page.toWide[static_cast<unsigned char>(byte)];
        length += c < 0x80 ? 1 : c < 0x800 ? 2 : 3;
    }
    return WriteText(length, [&](char* out) {
        out = std::copy_n(ansi.data(), ascii, out);
        for (char byte : ansi.substr(ascii))
            out = PutUtf8(out, page.toWide[static_cast<unsigned char>(byte)]);
        return out;
    });
}

std::string Utf8TextToAnsi(std::string_view utf8) {
    bool valid = true;
    return Utf8TextToAnsi(utf8, valid);
}

std::string Utf8TextToAnsi(std::string_view utf8, bool& valid) {
    valid = true;
    const std::size_t ascii = AsciiPrefixLength(utf8);
    if (ascii == utf8.size())
        return std::string(utf8);
    const CodePageTables& page = AnsiCodePage();
    if (!page.byTables) {
        valid = IsValidUtf8(utf8);
        return WideToAnsiByIconv(page, Utf8ToWide(std::string(utf8)));
    }
    return WriteText(utf8.size(), [&](char* out) {
        out = std::copy_n(utf8.data(), ascii, out);
        valid = DecodeUtf8(
            utf8.substr(ascii),
            [&](std::string_view run) { out = std::copy(run.begin(), run.end(), out); },
            [&](char32_t c) { out = PutAnsi(out, page, c); });
        return out;
    });
}

bool IsValidUtf8(std::string_view text) {
    return DecodeUtf8(
        text, [](std::string_view) {}, [](char32_t) {});
}
