#include "SimRequests.h"

#include "BuildConfig.h"
#include "ClientId.h"

std::string SimRequests::Envelope(const std::string& operation, const std::string& children) {
    return std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n") +
           "<SOAP-ENV:Envelope xmlns:SOAP-ENV=\"http://www.w3.org/2003/05/soap-envelope\" "
           "xmlns:SOAP-ENC=\"http://www.w3.org/2003/05/soap-encoding\" "
           "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
           "xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\" xmlns:ns1=\"" +
           QUILLON_SERVICE_NAMESPACE + "\"><SOAP-ENV:Body><ns1:" + operation +
           "><ns1:" + operation + "Request>" + children + "</ns1:" + operation +
           "Request></ns1:" + operation + "></SOAP-ENV:Body></SOAP-ENV:Envelope>\n";
}

std::vector<HttpHeader> SimRequests::Headers(std::size_t bodyLength) {
    return {{"Host", "127.0.0.1:443"},
            {"User-Agent", "Quillon 1.1"},
            {"Content-Type", "application/soap+xml; charset=utf-8"},
            {"Content-Length", std::to_string(bodyLength)},
            {"Connection", "close"}};
}

std::string SimRequests::Login(const std::string& login, const std::string& password,
                               const std::string& version, const std::string& clientType) {
    return Envelope("Login", "<LoginName>" + login + "</LoginName><Password>" + password +
                                 "</Password><Client id=\"" + clientType +
                                 "\" firstTime=\"true\">" + EncryptClientId(login, clientType) +
                                 "</Client><Version>" + version + "</Version>");
}

std::string SimRequests::WithToken(const std::string& operation, const std::string& token,
                                   const std::string& children) {
    return Envelope(operation, "<token>" + token + "</token>" + children);
}

std::string SimRequests::Recipients(const std::vector<std::string>& numbers) {
    std::string items;
    for (const std::string& number : numbers)
        items += "<to>" + number + "</to>";
    return "<recipients xsi:type=\"SOAP-ENC:Array\" SOAP-ENC:itemType=\"xsd:string\" "
           "SOAP-ENC:arraySize=\"" +
           std::to_string(numbers.size()) + "\">" + items + "</recipients>";
}

std::string SimRequests::Send(const std::string& token, const std::vector<std::string>& numbers,
                              const std::string& text, const std::string& optionAttributes) {
    return WithToken("sendSMS", token,
                     "<service notification=\"true\" flash=\"false\" " + optionAttributes +
                         ">POSTPAID</service>" + Recipients(numbers) + "<text>" + text + "</text>");
}

ParsedReply::ParsedReply(const std::string& body)
    : m_document(std::make_shared<pugi::xml_document>()) {
    m_document->load_string(body.c_str());
    m_body = m_document->document_element().child("SOAP-ENV:Body");
    m_response = m_body.first_child();
}

bool ParsedReply::IsFault() const {
    return std::string(m_response.name()) == "SOAP-ENV:Fault";
}

std::string ParsedReply::FaultText() const {
    const pugi::xml_node reason = m_response.child("SOAP-ENV:Reason").child("SOAP-ENV:Text");
    return reason ? reason.text().get() : m_response.child("faultstring").text().get();
}

int ParsedReply::Status() const {
    return m_response.child("status").text().as_int(-9999);
}

std::string ParsedReply::Token() const {
    return m_response.child("token").text().get();
}

std::vector<pugi::xml_node> ParsedReply::Items(const char* array) const& {
    std::vector<pugi::xml_node> items;
    for (pugi::xml_node item : m_response.child(array).children())
        items.push_back(item);
    return items;
}
