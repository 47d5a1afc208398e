#pragma once

#include "UtilitiesInternal.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Writes the XML text of the stored files as it goes, without a document in memory: the text
// collects in a buffer whose full pieces go to the sink, and Flush hands over the rest.
//
// The text is the compact form: no blanks between elements, an element without content as
// <Name/>, an element given a text (even an empty one) as <Name>text</Name>. Texts are ANSI,
// written as UTF-8 as AnsiToXmlText converts them; a text ends at its first NUL (XML cannot hold
// the character). Escaped are & < > in element texts and & < " in attribute values, and control
// characters as "&#NN;" with two digits (in element texts all but tab, line feed and carriage
// return).
//
// Element names are string literals or otherwise outlive the element.
class CXmlWriter {
public:
    static constexpr std::size_t kBufferSize = 64 << 10;

    explicit CXmlWriter(TextSink sink);

    // <?xml version="1.0" encoding="UTF-8"?>
    void Declaration();
    // Starts an element inside the one open now; attributes may follow until content does.
    void Open(std::string_view name);
    void Attribute(std::string_view name, std::int64_t number);
    void Attribute(std::string_view name, const std::string& ansi);
    // Content of the element open now.
    void Text(const std::string& ansi);
    void Text(std::int64_t number);
    // Ends the element opened last.
    void Close();
    // An element holding only the text or the number.
    void Element(std::string_view name, const std::string& ansi);
    void Element(std::string_view name, std::int64_t number);
    // Hands what the buffer holds to the sink.
    void Flush();

private:
    // Room for count more bytes in the buffer (at most kBufferSize), flushing first if needed;
    // returns where they go.
    char* Reserve(std::size_t count);
    // Takes the bytes written up to end after Reserve.
    void Commit(const char* end);
    void Put(std::string_view text);
    void PutNumber(std::int64_t number);
    void StartAttribute(std::string_view name);
    // Ends a start tag still open, before content.
    void EndStartTag();

    // The UTF-8 of a byte past ASCII: up to three bytes, then their count.
    using HighByteForm = std::array<char, 4>;
    // The text escaped as the kind of place it goes to asks for.
    void PutAnsi(const std::string& ansi, std::uint8_t escaped);
    // UTF-8 text as it is, or ANSI text converted byte by byte through highBytes.
    void PutEscaped(std::string_view text, std::uint8_t escaped, const HighByteForm* highBytes);

    TextSink m_sink;
    // The forms of the bytes 128-255 when the code page converts byte by byte; empty when its
    // texts are converted whole.
    std::vector<HighByteForm> m_highBytes;
    std::unique_ptr<char[]> m_buffer;
    std::size_t m_used = 0;
    std::vector<std::string_view> m_open;
    bool m_inStartTag = false;
};
