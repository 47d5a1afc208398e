#include "XmlNumber.h"

#include <algorithm>
#include <limits>
#include <string_view>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view Trimmed(const char* text) {
    std::string_view view(text ? text : "");
    while (!view.empty() && IsBlank(view.front()))
        view.remove_prefix(1);
    while (!view.empty() && IsBlank(view.back()))
        view.remove_suffix(1);
    return view;
}

// The digits as a value of at most max (which is below 10^19); none when there are no digits,
// another character, or a value past max. Leading zeros aside, such a value has at most 19
// digits, and 19 digits cannot overflow 64 bits: the limit is checked once, at the end.
std::optional<std::uint64_t> Digits(std::string_view digits, std::uint64_t max) {
    if (digits.empty())
        return std::nullopt;
    digits.remove_prefix(std::min(digits.find_first_not_of('0'), digits.size()));
    if (digits.size() > static_cast<std::size_t>(std::numeric_limits<std::uint64_t>::digits10))
        return std::nullopt;
    std::uint64_t value = 0;
    for (const char c : digits) {
        const auto digit = static_cast<unsigned>(c - '0');
        if (digit > 9)
            return std::nullopt;
        value = value * 10 + digit;
    }
    return value <= max ? std::optional(value) : std::nullopt;
}

} // namespace

std::optional<std::int64_t> XmlDecimal(const char* text, std::int64_t min, std::int64_t max) {
    std::string_view view = Trimmed(text);
    const bool negative = !view.empty() && view.front() == '-';
    if (!view.empty() && (negative || view.front() == '+'))
        view.remove_prefix(1);
    // The magnitude of the most negative value is one more than that of the most positive.
    const std::uint64_t limit =
        static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) + (negative ? 1 : 0);
    const std::optional<std::uint64_t> magnitude = Digits(view, limit);
    if (!magnitude)
        return std::nullopt;
    const auto value = negative ? static_cast<std::int64_t>(0 - *magnitude)
                                : static_cast<std::int64_t>(*magnitude);
    if (value < min || value > max)
        return std::nullopt;
    return value;
}

std::optional<int> XmlInt(const char* text) {
    const auto value =
        XmlDecimal(text, std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    if (!value)
        return std::nullopt;
    return static_cast<int>(*value);
}
