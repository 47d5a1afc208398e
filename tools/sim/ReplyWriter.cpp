#include "ReplyWriter.h"

#include "SoapNamespaces.h"
#include "WireText.h"

namespace {

std::string EnvelopeAround(const std::string& bodyContent, bool soap11) {
    using namespace SoapNamespaces;
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out += "<SOAP-ENV:Envelope xmlns:SOAP-ENV=\"";
    out += soap11 ? kEnvelope11 : kEnvelope12;
    out += "\" xmlns:SOAP-ENC=\"";
    out += soap11 ? kEncoding11 : kEncoding12;
    out += "\" xmlns:xsi=\"" + std::string(kSchemaInstance) + "\" xmlns:xsd=\"" +
           std::string(kSchema) + "\" xmlns:ns1=\"" + std::string(kService) + "\">\n";
    out += "<SOAP-ENV:Body>" + bodyContent + "</SOAP-ENV:Body>\n</SOAP-ENV:Envelope>\n";
    return out;
}

} // namespace

ReplyWriter::ReplyWriter(std::string_view operation, bool utf8Mode, ReplyStyle style)
    : m_response("ns1:" + std::string(operation) + "Response"), m_utf8Mode(utf8Mode),
      m_style(std::move(style)) {}

void ReplyWriter::SetSession(std::string token, int validity) {
    m_token = std::move(token);
    m_validity = validity;
}

ReplyElement& ReplyWriter::Status(int code) {
    ReplyElement& status = m_response.Child("status").Text(std::to_string(code));
    if (!m_token.empty())
        Token(m_token, m_validity);
    return status;
}

void ReplyWriter::Token(const std::string& token, int validity) {
    m_response.Child("token")
        .Attribute("validity", m_style.badValidity ? "abc" : std::to_string(validity))
        .Text(token);
}

ReplyElement& ReplyWriter::Field(std::string name) {
    return m_response.Child(std::move(name));
}

ReplyElement& ReplyWriter::Array(std::string name, std::string itemType) {
    return Array(Field(std::move(name)), std::move(itemType));
}

ReplyElement& ReplyWriter::Array(ReplyElement& element, std::string itemType) const {
    return element.MakeArray(std::move(itemType), m_style.itemName);
}

std::string ReplyWriter::Envelope() const {
    std::string body;
    m_response.Write(body, m_utf8Mode, m_style.soap11);
    return EnvelopeAround(body, m_style.soap11);
}

std::string ReplyWriter::ContentType() const {
    return ContentType(m_style.soap11);
}

std::string ReplyWriter::ContentType(bool soap11) {
    return soap11 ? "text/xml; charset=utf-8" : "application/soap+xml; charset=utf-8";
}

std::string ReplyWriter::Fault(std::string_view reason, bool soap11, bool sender) {
    const std::string text = EscapeXml(reason, false, false);
    std::string fault = "<SOAP-ENV:Fault>";
    if (soap11) {
        fault += std::string("<faultcode>SOAP-ENV:") + (sender ? "Client" : "Server") +
                 "</faultcode><faultstring>" + text + "</faultstring>";
    } else {
        fault += std::string("<SOAP-ENV:Code><SOAP-ENV:Value>SOAP-ENV:") +
                 (sender ? "Sender" : "Receiver") +
                 "</SOAP-ENV:Value></SOAP-ENV:Code><SOAP-ENV:Reason><SOAP-ENV:Text "
                 "xml:lang=\"en\">" +
                 text + "</SOAP-ENV:Text></SOAP-ENV:Reason>";
    }
    fault += "</SOAP-ENV:Fault>";
    return EnvelopeAround(fault, soap11);
}
