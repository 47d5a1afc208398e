#include "model/FormatText.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string_view>

namespace {

// Longer widths and precisions are not taken: they would only make huge texts.
constexpr std::size_t kMaxDigits = 3;

// One conversion after a "%": its parts and how many characters it spans.
struct Conversion {
    std::string_view flags;
    std::string_view width;
    std::string_view precision; // the digits after ".", or empty
    bool hasPrecision = false;
    char letter = 0;
    char kind = '?'; // 'i', 'f', 's' or '?'
    std::size_t length = 0;
};

char KindOf(char letter) {
    if (std::string_view("diuxXo").find(letter) != std::string_view::npos)
        return 'i';
    if (std::string_view("fFeEgG").find(letter) != std::string_view::npos)
        return 'f';
    return letter == 's' ? 's' : '?';
}

std::string_view TakeWhile(std::string_view text, std::size_t& at, std::string_view allowed) {
    const std::size_t start = at;
    while (at < text.size() && allowed.find(text[at]) != std::string_view::npos)
        ++at;
    return text.substr(start, at - start);
}

// The conversion that starts at format[start], the character after a "%" (not "%%").
Conversion ReadConversion(std::string_view format, std::size_t start) {
    Conversion conversion;
    std::size_t at = start;
    conversion.flags = TakeWhile(format, at, "-+ #0");
    conversion.width = TakeWhile(format, at, "0123456789");
    if (at < format.size() && format[at] == '.') {
        ++at;
        conversion.hasPrecision = true;
        conversion.precision = TakeWhile(format, at, "0123456789");
    }
    TakeWhile(format, at, "hlLqjzt"); // sizes: the argument's own kind decides
    if (at < format.size()) {
        conversion.letter = format[at++];
        conversion.kind = KindOf(conversion.letter);
    }
    if (conversion.width.size() > kMaxDigits || conversion.precision.size() > kMaxDigits)
        conversion.kind = '?';
    conversion.length = at - start;
    return conversion;
}

std::string Pad(std::string text, const Conversion& conversion) {
    const std::size_t width =
        conversion.width.empty() ? 0 : std::stoul(std::string(conversion.width));
    if (text.size() >= width)
        return text;
    const std::string fill(width - text.size(), ' ');
    const bool left = conversion.flags.find('-') != std::string_view::npos;
    return left ? text + fill : fill + text;
}

std::string FormatNumber(const Conversion& conversion, const TextArg& arg) {
    std::string directive = "%";
    directive += conversion.flags;
    directive += conversion.width;
    if (conversion.hasPrecision)
        directive += "." + std::string(conversion.precision);
    if (conversion.kind == 'i')
        directive += "ll";
    directive += conversion.letter;
    const auto print = [&](char* buffer, std::size_t size) {
        return conversion.kind == 'i'
                   ? std::snprintf(buffer, size, directive.c_str(), arg.GetInteger())
                   : std::snprintf(buffer, size, directive.c_str(), arg.GetReal());
    };
    const int length = print(nullptr, 0);
    if (length <= 0)
        return {};
    std::string text(std::size_t(length) + 1, '\0');
    print(text.data(), text.size());
    text.pop_back();
    return text;
}

// The argument in the conversion's form; nothing when it does not fit the conversion.
std::optional<std::string> Formatted(const Conversion& conversion, const TextArg& arg) {
    switch (conversion.kind) {
    case 'i':
        if (arg.GetKind() != TextArg::Kind::Integer)
            return std::nullopt;
        return FormatNumber(conversion, arg);
    case 'f':
        if (arg.GetKind() == TextArg::Kind::Text)
            return std::nullopt;
        return FormatNumber(conversion, arg);
    case 's': {
        if (arg.GetKind() != TextArg::Kind::Text)
            return std::nullopt;
        std::string text(arg.GetText());
        if (conversion.hasPrecision)
            text.resize(std::min(text.size(), std::stoul("0" + std::string(conversion.precision))));
        return Pad(std::move(text), conversion);
    }
    default:
        return std::nullopt;
    }
}

} // namespace

std::string FormatText(std::string_view format, std::initializer_list<TextArg> args) {
    std::string result;
    const TextArg* next = args.begin();
    std::size_t at = 0;
    while (at < format.size()) {
        const std::size_t percent = format.find('%', at);
        result += format.substr(at, percent == std::string_view::npos ? percent : percent - at);
        if (percent == std::string_view::npos)
            break;
        if (percent + 1 < format.size() && format[percent + 1] == '%') {
            result += '%';
            at = percent + 2;
            continue;
        }
        const Conversion conversion = ReadConversion(format, percent + 1);
        at = percent + 1 + conversion.length;
        std::optional<std::string> text;
        if (next != args.end())
            text = Formatted(conversion, *next);
        if (text) {
            result += *text;
            ++next;
        } else {
            result += format.substr(percent, at - percent);
        }
    }
    return result;
}

std::string FormatConversions(std::string_view format) {
    std::string kinds;
    for (std::size_t at = format.find('%'); at != std::string_view::npos;
         at = format.find('%', at)) {
        if (at + 1 < format.size() && format[at + 1] == '%') {
            at += 2;
            continue;
        }
        const Conversion conversion = ReadConversion(format, at + 1);
        kinds += conversion.kind;
        at += 1 + conversion.length;
    }
    return kinds;
}
