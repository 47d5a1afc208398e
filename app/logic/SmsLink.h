#pragma once

#include "logic/ComposeRequest.h"

#include <optional>
#include <string_view>

// sms: links (RFC 5724) as desktops hand them to the program that handles the scheme:
// "sms:+421905123456?body=Hi", "sms:0905111222,0905333444?body=...", and the "sms://..." form
// some desktops send. Numbers and body are percent-decoded; visual separators (blanks, "-", ".",
// "(", ")") leave the numbers, as do the parameters after ";". Anything else is refused whole:
// a malformed percent sign, a body that is no UTF-8 or carries control characters other than
// line breaks and tabs, a number that is not an optional "+" and digits, and oversized links.
namespace SmsLink {

// The most a link may be long, and the most recipients it may name.
inline constexpr std::size_t kMaxLength = 16 * 1024;
inline constexpr std::size_t kMaxNumbers = 100;
// The most digits of one number.
inline constexpr std::size_t kMaxDigits = 20;

// Whether text starts with the scheme "sms:" (in any case).
bool IsLink(std::string_view text);
// The recipients and the text of the link; nothing for junk.
std::optional<ComposeRequest> Parse(std::string_view link);

} // namespace SmsLink
