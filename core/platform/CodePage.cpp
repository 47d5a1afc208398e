#include "CodePage.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <bit>
#include <cerrno>
#include <cstdlib>
#include <iconv.h>
#include <map>
#include <memory>
#include <mutex>
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

// The locale that decides LC_CTYPE, by the usual precedence of the variables.
std::string_view CTypeLocale() {
    for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value)
            return value;
    }
    return {};
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

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
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
    // (code point, byte) for the bytes whose code point differs from their value, by code point.
    std::vector<std::pair<char32_t, unsigned char>> fromWide;

    // The byte of a character, or -1 when the page lacks it.
    int Encode(char32_t c) const {
        if (c < toWide.size() && toWide[c] == c)
            return static_cast<int>(c);
        const auto it = std::lower_bound(fromWide.begin(), fromWide.end(),
                                         std::pair<char32_t, unsigned char>(c, 0));
        return it != fromWide.end() && it->first == c ? it->second : -1;
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
        if (kind == CConverter::ByteKind::Partial || kind == CConverter::ByteKind::Composed)
            page->byTables = false;
        page->toWide[byte] = c;
        if (c != byte)
            page->fromWide.emplace_back(c, static_cast<unsigned char>(byte));
    }
    std::sort(page->fromWide.begin(), page->fromWide.end());
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

// The page of GetAnsiCodePage; an unknown one falls back to 1252.
const CodePageTables& AnsiCodePage() {
    const int number = GetAnsiCodePage();
    const CodePageTables* last = g_lastCodePage.load(std::memory_order_acquire);
    if (last && last->number == number)
        return *last;
    const std::lock_guard lock(g_codePagesMutex);
    const CodePageTables& page = CodePageLocked(number);
    g_lastCodePage.store(&page, std::memory_order_release);
    return page;
}

// Calls emit for each character of the UTF-8 text. A byte that starts no well-formed sequence
// gives U+FFFD and the next byte is read afresh. Sequences of up to six bytes are well-formed, as
// iconv reads them, and one for a value past Unicode gives one U+FFFD.
template <typename Emit> void DecodeUtf8(std::string_view utf8, Emit emit) {
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    const auto* const end = p + utf8.size();
    while (p < end) {
        const unsigned char lead = *p;
        if (lead < 0x80) {
            emit(lead);
            ++p;
            continue;
        }
        const int length = std::countl_one(lead);
        char32_t c = lead & (0x7F >> length);
        int i = 1;
        for (; i < length && i < end - p && (p[i] & 0xC0) == 0x80; ++i)
            c = (c << 6) | (p[i] & 0x3F);
        const bool wellFormed = length >= 2 && length <= 6 && i == length &&
                                c >= (length == 2 ? 0x80u : 1u << (5 * length - 4)) &&
                                (c < 0xD800 || c > 0xDFFF);
        emit(!wellFormed || c > 0x10FFFF ? kReplacementChar : c);
        p += wellFormed ? length : 1;
    }
}

// Appends a character as UTF-8; a non-character becomes "?".
void AppendUtf8(std::string& output, char32_t c) {
    if (!IsCharacter(c)) {
        output += '?';
    } else if (c < 0x80) {
        output += static_cast<char>(c);
    } else if (c < 0x800) {
        output += static_cast<char>(0xC0 | (c >> 6));
        output += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        output += static_cast<char>(0xE0 | (c >> 12));
        output += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        output += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        output += static_cast<char>(0xF0 | (c >> 18));
        output += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        output += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        output += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Language tags (U+E0000-U+E007F) are invisible; iconv leaves them out of ANSI text too.
bool IsTag(char32_t c) {
    return c >> 7 == 0xE0000 >> 7;
}

// Appends a character in the code page; a character the page lacks becomes "?".
void AppendAnsi(std::string& output, const CodePageTables& page, char32_t c) {
    if (IsTag(c))
        return;
    const int byte = IsCharacter(c) ? page.Encode(c) : -1;
    output += byte < 0 ? '?' : static_cast<char>(byte);
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
    int codePage = 0;
    if (ParseCodePage(std::getenv("QUILLON_ANSI_CODEPAGE"), codePage))
        return codePage;
    const std::string_view locale = CTypeLocale();
    const std::string_view language = locale.substr(0, locale.find_first_of("_.@"));
    return IsCentralEuropeanLanguage(language) ? kCentralEuropean : kWesternEuropean;
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
    std::string ansi;
    ansi.reserve(wide.size());
    for (wchar_t c : wide)
        AppendAnsi(ansi, page, static_cast<char32_t>(c));
    return ansi;
}

std::wstring Utf8ToWide(const std::string& utf8) {
    std::wstring wide;
    wide.reserve(utf8.size());
    DecodeUtf8(utf8, [&](char32_t c) { wide += static_cast<wchar_t>(c); });
    return wide;
}

std::string WideToUtf8(const std::wstring& wide) {
    std::string utf8;
    utf8.reserve(wide.size());
    for (wchar_t c : wide)
        AppendUtf8(utf8, static_cast<char32_t>(c));
    return utf8;
}

std::string AnsiTextToUtf8(std::string_view ansi) {
    if (IsAscii(ansi))
        return std::string(ansi);
    const CodePageTables& page = AnsiCodePage();
    if (!page.byTables)
        return WideToUtf8(AnsiToWideByIconv(page, ansi));
    std::string utf8;
    utf8.reserve(ansi.size() + ansi.size() / 2);
    for (char byte : ansi)
        AppendUtf8(utf8, page.toWide[static_cast<unsigned char>(byte)]);
    return utf8;
}

std::string Utf8TextToAnsi(std::string_view utf8) {
    if (IsAscii(utf8))
        return std::string(utf8);
    const CodePageTables& page = AnsiCodePage();
    if (!page.byTables)
        return WideToAnsiByIconv(page, Utf8ToWide(std::string(utf8)));
    std::string ansi;
    ansi.reserve(utf8.size());
    DecodeUtf8(utf8, [&](char32_t c) { AppendAnsi(ansi, page, c); });
    return ansi;
}
