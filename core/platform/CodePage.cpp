#include "CodePage.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <iconv.h>
#include <map>
#include <string_view>
#include <utility>

namespace {

constexpr int kCentralEuropean = 1250;
constexpr int kWesternEuropean = 1252;
constexpr wchar_t kReplacementChar = 0xFFFD;
const char* const kWide = "WCHAR_T";
const char* const kUtf8 = "UTF-8";

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

// One open iconv descriptor per direction and thread (a descriptor keeps shift state).
class CConverter {
public:
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
        return output;
    }

private:
    iconv_t m_cd;
};

const CConverter& Converter(const char* to, const char* from) {
    thread_local std::map<std::pair<std::string, std::string>, CConverter> converters;
    const auto it = converters.try_emplace({to, from}, to, from).first;
    return it->second;
}

// The iconv name of the ANSI code page; a code page iconv does not know falls back to 1252.
std::string AnsiCharset() {
    const int codePage = GetAnsiCodePage();
    std::string name = "CP" + std::to_string(codePage);
    if (codePage != kWesternEuropean && !Converter(kWide, name.c_str()).IsOpen())
        name = "CP" + std::to_string(kWesternEuropean);
    return name;
}

std::string_view AsBytes(const std::wstring& wide) {
    return {reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(wchar_t)};
}

std::wstring FromBytes(const std::string& bytes) {
    std::wstring wide(bytes.size() / sizeof(wchar_t), L'\0');
    bytes.copy(reinterpret_cast<char*>(wide.data()), wide.size() * sizeof(wchar_t));
    return wide;
}

// Surrogate halves and values past Unicode are no characters; iconv would pass some of them on.
std::wstring WithoutNonCharacters(std::wstring wide, wchar_t replacement = L'?') {
    for (wchar_t& c : wide) {
        if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF || c < 0)
            c = replacement;
    }
    return wide;
}

void AppendWide(std::string& output, wchar_t c) {
    output.append(reinterpret_cast<const char*>(&c), sizeof(c));
}

// A byte the code page leaves undefined: such bytes travel as the control character of the same
// value, so that any ANSI text survives a trip through wide text or UTF-8 unchanged.
bool IsUndefinedAnsiByte(const CConverter& decoder, unsigned char byte) {
    const char text[1] = {static_cast<char>(byte)};
    bool undefined = false;
    decoder.Convert(std::string_view(text, 1), [&](std::string_view, std::string&) {
        undefined = true;
        return std::size_t{1};
    });
    return undefined;
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
    const std::string charset = AnsiCharset();
    const CConverter& decoder = Converter(kWide, charset.c_str());
    return FromBytes(decoder.Convert(ansi, [](std::string_view rest, std::string& output) {
        AppendWide(output, static_cast<wchar_t>(static_cast<unsigned char>(rest.front())));
        return std::size_t{1};
    }));
}

std::string WideToAnsi(const std::wstring& wide) {
    const std::string charset = AnsiCharset();
    const CConverter& encoder = Converter(charset.c_str(), kWide);
    const CConverter& decoder = Converter(kWide, charset.c_str());
    return encoder.Convert(
        AsBytes(WithoutNonCharacters(wide)), [&](std::string_view rest, std::string& output) {
            wchar_t c;
            rest.copy(reinterpret_cast<char*>(&c), sizeof(c));
            const bool undefinedByte = c >= 0x80 && c <= 0xFF && IsUndefinedAnsiByte(decoder, c);
            output += undefinedByte ? static_cast<char>(c) : '?';
            return sizeof(wchar_t);
        });
}

std::wstring Utf8ToWide(const std::string& utf8) {
    const std::string wide =
        Converter(kWide, kUtf8).Convert(utf8, [](std::string_view, std::string& output) {
            AppendWide(output, kReplacementChar);
            return std::size_t{1};
        });
    return WithoutNonCharacters(FromBytes(wide), kReplacementChar);
}

std::string WideToUtf8(const std::wstring& wide) {
    return Converter(kUtf8, kWide)
        .Convert(AsBytes(WithoutNonCharacters(wide)), [](std::string_view, std::string& output) {
            output += '?';
            return sizeof(wchar_t);
        });
}
