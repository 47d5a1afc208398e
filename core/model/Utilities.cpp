#include "Utilities.h"

#include "platform/CodePage.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace {

constexpr std::string_view kNumberChars = " +0123456789";
constexpr std::string_view kDigits = "0123456789";
// Put in place of a single leading "0".
constexpr std::string_view kCountryCode = "421";
// Put in front of a bare subscriber number.
constexpr std::string_view kNationalPrefix = "421903";

std::string WithoutSpaces(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    std::copy_if(text.begin(), text.end(), std::back_inserter(result),
                 [](char c) { return c != ' '; });
    return result;
}

// The longest number allowed with the prefix it starts with.
std::size_t LongestNumber(const std::string& number) {
    if (number.starts_with('+'))
        return 16;
    if (number.starts_with("00"))
        return 17;
    if (number.starts_with('0'))
        return 12;
    return 9;
}

constexpr std::string_view kBase64Alphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr unsigned char kBase64Padding = 254;
constexpr unsigned char kBase64Skipped = 255;

// Byte -> 6-bit value, or one of the two markers.
constexpr std::array<unsigned char, 256> MakeBase64Values() {
    std::array<unsigned char, 256> values{};
    values.fill(kBase64Skipped);
    for (std::size_t i = 0; i < kBase64Alphabet.size(); ++i)
        values[static_cast<unsigned char>(kBase64Alphabet[i])] = static_cast<unsigned char>(i);
    values['='] = kBase64Padding;
    return values;
}

constexpr std::array<unsigned char, 256> kBase64Values = MakeBase64Values();

bool TakesEqualsSign(char c) {
    return c == '\t' || c == '\n' || c == '\r' || c == '&' || c == '<' || c == '>';
}

} // namespace

std::string WcharToCstring(const std::wstring& wide) {
    return WideToAnsi(wide);
}

std::string AnsiToUtf8(const std::string& ansi) {
    return AnsiTextToUtf8(ansi);
}

std::string Utf8ToAnsi(const std::string& utf8) {
    return Utf8TextToAnsi(utf8);
}

std::string EncodeAmpChars(const std::string& text) {
    std::string result;
    result.reserve(text.size() + text.size() / 4);
    for (char c : text) {
        if (c == '%')
            result += "%25";
        else if (c == '+')
            result += "%2B";
        else
            result += c;
        if (TakesEqualsSign(c))
            result += '=';
    }
    return result;
}

bool ValidateNumber(std::string& number) {
    if (number.size() < 3 || number.find_first_not_of(kNumberChars) != std::string::npos)
        return false;
    std::string copy = WithoutSpaces(number);
    // Spaces and a plus sign alone are no number.
    if (copy.find_first_of(kDigits) == std::string::npos)
        return false;
    if (copy.find('+', 1) != std::string::npos || copy.starts_with("+0"))
        return false;
    if (copy.size() > LongestNumber(copy))
        return false;
    number = std::move(copy);
    return true;
}

void ConvertToIntl(std::string& number) {
    std::string result = WithoutSpaces(number);
    if (result.starts_with('+'))
        result.erase(0, 1);
    else if (result.starts_with("00"))
        result.erase(0, 2);
    else if (result.starts_with('0'))
        result.replace(0, 1, kCountryCode);
    else
        result.insert(0, kNationalPrefix);
    number = std::move(result);
}

std::string ConvertToIntl(std::string_view number) {
    std::string result(number);
    if (!result.empty())
        ConvertToIntl(result);
    return result;
}

std::string Base64Encode(const unsigned char* data, std::size_t count) {
    std::string text;
    text.reserve((count + 2) / 3 * 4);
    for (std::size_t offset = 0; offset < count; offset += 3) {
        const std::size_t take = std::min<std::size_t>(3, count - offset);
        std::uint32_t group = 0;
        for (std::size_t i = 0; i < 3; ++i)
            group = group << 8 | (i < take ? data[offset + i] : 0);
        for (std::size_t i = 0; i < 4; ++i)
            text += i <= take ? kBase64Alphabet[(group >> (18 - 6 * i)) & 63] : '=';
    }
    return text;
}

bool Base64Decode(const std::string& text, unsigned char* out, std::size_t& count) {
    std::size_t produced = 0;
    std::size_t groupYield = 3;
    std::uint32_t group = 0;
    int kept = 0;
    for (char c : text) {
        unsigned char value = kBase64Values[static_cast<unsigned char>(c)];
        if (value == kBase64Skipped)
            continue;
        if (value == kBase64Padding) {
            value = 0;
            // Padding shortens every later group too; never below no bytes at all.
            groupYield -= groupYield > 0 ? 1 : 0;
        }
        group = group << 6 | value;
        if (++kept < 4)
            continue;
        if (groupYield > count - produced)
            return false;
        for (std::size_t i = 0; i < groupYield; ++i)
            out[produced++] = static_cast<unsigned char>(group >> (16 - 8 * i));
        group = 0;
        kept = 0;
    }
    if (kept != 0)
        return false;
    count = produced;
    return true;
}
