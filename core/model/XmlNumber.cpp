#include "XmlNumber.h"

#include <charconv>
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

} // namespace

std::optional<std::int64_t> XmlDecimal(const char* text, std::int64_t min, std::int64_t max) {
    std::string_view view = Trimmed(text);
    // from_chars takes a minus sign but not a plus sign.
    if (view.size() > 1 && view.front() == '+' && view[1] != '-')
        view.remove_prefix(1);
    std::int64_t value = 0;
    const char* end = view.data() + view.size();
    const auto [stop, error] = std::from_chars(view.data(), end, value, 10);
    if (view.empty() || error != std::errc() || stop != end || value < min || value > max)
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
