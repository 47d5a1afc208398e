#pragma once

#include "model/XmlWriter.h"

#include <cstddef>
#include <string>

// The text that write(CXmlWriter&) gives, whole.
template <typename Write> std::string WrittenXml(Write write) {
    std::string text;
    CXmlWriter writer([&text](const char* data, std::size_t count) { text.append(data, count); });
    write(writer);
    writer.Flush();
    return text;
}
