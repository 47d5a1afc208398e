#include "logic/SmsLink.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace SmsLink {
namespace {

constexpr std::string_view kScheme = "sms:";

bool EqualNoCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
}

std::optional<std::string> PercentDecoded(std::string_view text) {
    std::string decoded;
    decoded.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            decoded += text[i];
            continue;
        }
        if (i + 2 >= text.size())
            return std::nullopt;
        const int high = HexValue(text[i + 1]);
        const int low = HexValue(text[i + 2]);
        if (high < 0 || low < 0)
            return std::nullopt;
        decoded += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return decoded;
}

// Well-formed UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF).
bool IsUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        unsigned min = 0;
        unsigned code = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2, min = 0x80, code = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3, min = 0x800, code = lead & 0x0F;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4, min = 0x10000, code = lead & 0x07;
        } else {
            return false;
        }
        if (i + length > text.size())
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = code << 6 | (next & 0x3F);
        }
        if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

bool IsAllowedControl(char c) {
    return c == '\n' || c == '\r' || c == '\t';
}

bool HasForbiddenControl(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return (byte < 0x20 || byte == 0x7F) && !IsAllowedControl(c);
    });
}

std::optional<std::string> Body(std::string_view query) {
    while (!query.empty()) {
        const std::size_t end = std::min(query.find('&'), query.size());
        const std::string_view field = query.substr(0, end);
        query.remove_prefix(std::min(end + 1, query.size()));
        const std::size_t equals = field.find('=');
        if (equals == std::string_view::npos || !EqualNoCase(field.substr(0, equals), "body"))
            continue;
        // Only the first body counts.
        return PercentDecoded(field.substr(equals + 1));
    }
    return std::string();
}

bool IsSeparator(char c) {
    return c == ' ' || c == '-' || c == '.' || c == '(' || c == ')';
}

// One recipient, decoded: "+" and digits without separators; nothing when it is no number.
std::optional<std::string> Number(std::string_view recipient) {
    const std::optional<std::string> decoded = PercentDecoded(recipient);
    if (!decoded)
        return std::nullopt;
    std::string_view text = *decoded;
    text = text.substr(0, text.find(';'));
    std::string number;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (IsSeparator(c))
            continue;
        const bool leadingPlus = c == '+' && number.empty();
        if (!leadingPlus && !std::isdigit(static_cast<unsigned char>(c)))
            return std::nullopt;
        number += c;
    }
    const std::size_t digits = number.size() - (!number.empty() && number[0] == '+' ? 1 : 0);
    if (digits == 0 || digits > kMaxDigits)
        return std::nullopt;
    return number;
}

} // namespace

bool IsLink(std::string_view text) {
    return text.size() >= kScheme.size() && EqualNoCase(text.substr(0, kScheme.size()), kScheme);
}

std::optional<ComposeRequest> Parse(std::string_view link) {
    if (!IsLink(link) || link.size() > kMaxLength)
        return std::nullopt;
    link.remove_prefix(kScheme.size());
    link = link.substr(0, link.find('#'));
    if (link.substr(0, 2) == "//")
        link.remove_prefix(2);
    const std::size_t question = link.find('?');
    std::string_view recipients = link.substr(0, question);
    // "sms://0905123456/?body=..." from desktops that treat the number as a host.
    if (!recipients.empty() && recipients.back() == '/')
        recipients.remove_suffix(1);

    ComposeRequest request;
    while (!recipients.empty()) {
        const std::size_t end = std::min(recipients.find(','), recipients.size());
        const std::string_view recipient = recipients.substr(0, end);
        recipients.remove_prefix(std::min(end + 1, recipients.size()));
        if (recipient.empty())
            continue;
        std::optional<std::string> number = Number(recipient);
        if (!number || request.numbers.size() == kMaxNumbers)
            return std::nullopt;
        request.numbers.push_back(std::move(*number));
    }
    if (question != std::string_view::npos) {
        std::optional<std::string> body = Body(link.substr(question + 1));
        if (!body || !IsUtf8(*body) || HasForbiddenControl(*body))
            return std::nullopt;
        request.body = std::move(*body);
    }
    return request;
}

} // namespace SmsLink
