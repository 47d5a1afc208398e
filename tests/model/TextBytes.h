#pragma once

#include <string>

// Texts for the tests of the stored text.

// Every byte from 1 to 255, in order.
inline std::string EveryByte() {
    std::string text;
    for (int byte = 1; byte < 256; ++byte)
        text += static_cast<char>(byte);
    return text;
}

inline std::string Repeated(const std::string& text, int times) {
    std::string result;
    for (int i = 0; i < times; ++i)
        result += text;
    return result;
}
