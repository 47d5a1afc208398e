#include "service/SoapWriter.h"

#include "BuildConfig.h"

#include <charconv>

namespace Kvws {

namespace {

template <class Number> void AppendNumber(std::string& out, Number number) {
    char buffer[32];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, number);
    out.append(buffer, result.ptr);
}

// The reference for one byte of text, or null when the byte goes out as it is.
const char* Escape(unsigned char byte, bool inAttribute) {
    switch (byte) {
    case '&':
        return "&amp;";
    case '<':
        return "&lt;";
    case '>':
        return "&gt;";
    case '\r':
        return "&#13;";
    case '"':
        return inAttribute ? "&quot;" : nullptr;
    case '\t':
        return inAttribute ? "&#9;" : nullptr;
    case '\n':
        return inAttribute ? "&#10;" : nullptr;
    default:
        return nullptr;
    }
}

} // namespace

void SoapWriter::BeginEnvelope() {
    m_out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
             "<SOAP-ENV:Envelope"
             " xmlns:SOAP-ENV=\"http://www.w3.org/2003/05/soap-envelope\""
             " xmlns:SOAP-ENC=\"http://www.w3.org/2003/05/soap-encoding\""
             " xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\""
             " xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\""
             " xmlns:ns1=\"" QUILLON_SERVICE_NAMESPACE "\">"
             "<SOAP-ENV:Body>";
}

void SoapWriter::EndEnvelope() {
    m_out += "</SOAP-ENV:Body></SOAP-ENV:Envelope>";
}

void SoapWriter::BeginElement(std::string_view name) {
    EndStartTag();
    m_out += '<';
    m_out += name;
    m_inStartTag = true;
}

void SoapWriter::EndElement(std::string_view name) {
    EndStartTag();
    m_out += "</";
    m_out += name;
    m_out += '>';
}

void SoapWriter::EndStartTag() {
    if (m_inStartTag)
        m_out += '>';
    m_inStartTag = false;
}

void SoapWriter::Value(std::string_view text, bool inAttribute) {
    std::size_t plain = 0; // start of the run of bytes not yet copied
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const char* reference = Escape(byte, inAttribute);
        const bool asNumber = !reference && byte >= 0x80 && m_mode == StringMode::Default;
        if (!reference && !asNumber)
            continue;
        m_out.append(text, plain, i - plain);
        plain = i + 1;
        if (reference) {
            m_out += reference;
        } else {
            m_out += "&#";
            AppendNumber(m_out, static_cast<unsigned>(byte));
            m_out += ';';
        }
    }
    m_out.append(text, plain);
}

void SoapWriter::Value(std::int32_t number, bool) {
    AppendNumber(m_out, number);
}

void SoapWriter::Value(std::int64_t number, bool) {
    AppendNumber(m_out, number);
}

void SoapWriter::Value(bool flag, bool) {
    m_out += flag ? "true" : "false";
}

void SoapWriter::Value(float number, bool) {
    char buffer[32];
    auto result =
        std::to_chars(buffer, buffer + sizeof buffer, number, std::chars_format::general, 8);
    m_out.append(buffer, result.ptr);
}

} // namespace Kvws
