#include "InputDecoder.h"

#include "ExitCode.h"

#include "model/Utilities.h"
#include "platform/CodePage.h"

#include <cerrno>
#include <iconv.h>
#include <langinfo.h>
#include <locale.h>
#include <optional>

namespace {

const std::string kUtf8 = "UTF-8";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The locale is asked without changing the program's own (which would change how numbers
// are printed, among others).
std::string LocaleCharset() {
    const locale_t locale = newlocale(LC_CTYPE_MASK, "", locale_t{});
    if (!locale)
        return kUtf8;
    std::string charset = nl_langinfo_l(CODESET, locale);
    freelocale(locale);
    // The C locale's ASCII is a part of UTF-8; bytes past it are most likely UTF-8 as well.
    return charset == "ANSI_X3.4-1968" ? kUtf8 : charset;
}

// An iconv descriptor from a character set to UTF-8, open for the object's lifetime.
class ToUtf8Converter {
public:
    explicit ToUtf8Converter(const std::string& from) : m_cd(iconv_open("UTF-8", from.c_str())) {}
    ~ToUtf8Converter() {
        if (IsOpen())
            iconv_close(m_cd);
    }
    ToUtf8Converter(const ToUtf8Converter&) = delete;
    ToUtf8Converter& operator=(const ToUtf8Converter&) = delete;

    bool IsOpen() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // Nothing at the first byte sequence that is invalid or cut short.
    std::optional<std::string> Convert(std::string_view input) const {
        std::string output;
        char buffer[4096];
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        for (;;) {
            char* out = buffer;
            std::size_t outLeft = sizeof(buffer);
            const bool flushing = inLeft == 0;
            const std::size_t result = flushing ? iconv(m_cd, nullptr, nullptr, &out, &outLeft)
                                                : iconv(m_cd, &in, &inLeft, &out, &outLeft);
            const int error = errno;
            output.append(buffer, out);
            if (result == static_cast<std::size_t>(-1) && error != E2BIG)
                return std::nullopt;
            if (flushing && result != static_cast<std::size_t>(-1))
                return output;
        }
    }

private:
    iconv_t m_cd;
};

std::optional<std::string> Decode(std::string_view text, const std::string& charset) {
    if (charset == kUtf8)
        return IsValidUtf8(text) ? std::optional<std::string>(text) : std::nullopt;
    const ToUtf8Converter converter(charset);
    return converter.IsOpen() ? converter.Convert(text) : std::nullopt;
}

std::string Decoded(std::string_view text, const std::string& charset, const std::string& what,
                    const std::string& whereFrom) {
    std::optional<std::string> utf8 = Decode(text, charset);
    if (!utf8)
        throw UsageError(what + " is not valid " + charset + " text (" + whereFrom + ")");
    return std::move(*utf8);
}

} // namespace

const InputDecoder& InputDecoder::OfLocale() {
    static const InputDecoder decoder(LocaleCharset());
    return decoder;
}

InputDecoder::InputDecoder(std::string charset) : m_charset(std::move(charset)) {}

std::string InputDecoder::ToUtf8(std::string_view text, const std::string& what) const {
    return Decoded(text, m_charset, what,
                   "the character set of the locale, from LC_ALL, LC_CTYPE or LANG");
}

std::string InputDecoder::FileToUtf8(std::string_view bytes, const std::string& what) const {
    if (bytes.starts_with(kByteOrderMark))
        return Decoded(bytes.substr(kByteOrderMark.size()), kUtf8, what,
                       "it starts with a UTF-8 byte-order mark");
    return ToUtf8(bytes, what);
}

std::string InputDecoder::ToAnsi(std::string_view text, const std::string& what) const {
    const std::string utf8 = ToUtf8(text, what);
    std::string ansi = Utf8ToAnsi(utf8);
    if (AnsiToUtf8(ansi) != utf8)
        throw UsageError(what + " has characters that the ANSI code page " +
                         std::to_string(GetAnsiCodePage()) +
                         " lacks (see QUILLON_ANSI_CODEPAGE and the locale)");
    return ansi;
}
