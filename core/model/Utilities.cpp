#include "Utilities.h"

#include "platform/CodePage.h"

#include <algorithm>

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

bool TakesEqualsSign(char c) {
    return c == '\t' || c == '\n' || c == '\r' || c == '&' || c == '<' || c == '>';
}

} // namespace

std::string WcharToCstring(const std::wstring& wide) {
    return WideToAnsi(wide);
}

std::string AnsiToUtf8(const std::string& ansi) {
    return WideToUtf8(AnsiToWide(ansi));
}

std::string Utf8ToAnsi(const std::string& utf8) {
    return WideToAnsi(Utf8ToWide(utf8));
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
