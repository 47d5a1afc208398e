#pragma once

#include <string>

// Name comparisons shared by the contacts and groups of the address book.

// The first prefixLen characters; -1 keeps the whole text (any other negative length cuts all).
inline std::string CutToPrefix(std::string text, int prefixLen) {
    if (prefixLen == -1)
        return text;
    const std::size_t keep = prefixLen < 0 ? 0 : static_cast<std::size_t>(prefixLen);
    if (keep < text.size())
        text.resize(keep);
    return text;
}
