#pragma once

#include <optional>
#include <string>
#include <string_view>

// Texts as the service's wire carries them. An operation runs either in UTF-8 mode (texts are
// UTF-8) or in the default mode, where every string byte of 0x80 or more travels as a numeric
// character reference of the byte's value and is kept as that one byte.

// The bytes of a default-mode text that the XML parser delivered as UTF-8; empty when it holds
// a character above 255 or is not UTF-8 at all.
std::optional<std::string> DefaultModeBytes(std::string_view utf8);

// The offset of the first byte that breaks UTF-8, or npos when the text is valid.
std::size_t FindInvalidUtf8(std::string_view text);

// XML character data (or an attribute value) for a text; in default mode bytes of 0x80 or more
// become "&#N;".
std::string EscapeXml(std::string_view text, bool utf8Mode, bool attribute);

// Undoes the client's escaping of texts for the service: "=" after a tab, line feed, carriage
// return, "&", "<" or ">" is dropped, "%25" is "%" and "%2B" is "+". Empty when the text was
// not escaped that way (such a character without its "=", or another "%" sequence).
std::optional<std::string> DecodeAmpChars(std::string_view text);
