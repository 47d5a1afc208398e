#include "ScriptedTransport.h"

#include "BuildConfig.h"
#include "service/TransportError.h"

#include <gtest/gtest.h>

#include <cstring>

namespace Reply {

std::string Envelope(const std::string& operation, const std::string& inner) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
           "<SOAP-ENV:Envelope xmlns:SOAP-ENV=\"http://www.w3.org/2003/05/soap-envelope\" "
           "xmlns:ns1=\"" QUILLON_SERVICE_NAMESPACE "\"><SOAP-ENV:Body><ns1:" +
           operation + "Response>" + inner + "</ns1:" + operation +
           "Response></SOAP-ENV:Body></SOAP-ENV:Envelope>";
}

std::string Status(int status, const std::string& attributes) {
    return "<status" + (attributes.empty() ? "" : " " + attributes) + ">" + std::to_string(status) +
           "</status>";
}

std::string Token(const std::string& value, const std::string& validity) {
    return "<token validity=\"" + validity + "\">" + value + "</token>";
}

} // namespace Reply

namespace {

const char* LocalName(const char* name) {
    const char* colon = std::strchr(name, ':');
    return colon ? colon + 1 : name;
}

} // namespace

ParsedRequest::ParsedRequest(const std::string& body) {
    EXPECT_TRUE(m_document.load_string(body.c_str())) << body;
}

std::string ParsedRequest::Operation() const {
    const pugi::xml_node body = m_document.document_element().first_child();
    return LocalName(body.first_child().name());
}

pugi::xml_node ParsedRequest::Find(const char* name) const {
    return m_document.find_node([name](pugi::xml_node node) {
        return node.type() == pugi::node_element && std::strcmp(LocalName(node.name()), name) == 0;
    });
}

ScriptedTransport& ScriptedTransport::Answer(const std::string& operation,
                                             const std::string& inner) {
    std::lock_guard lock(m_mutex);
    m_script.push_back({0, 200, Reply::Envelope(operation, inner)});
    return *this;
}

ScriptedTransport& ScriptedTransport::Fail(int code) {
    std::lock_guard lock(m_mutex);
    m_script.push_back(SoapReply::Failed(code));
    return *this;
}

SoapReply ScriptedTransport::Post(const std::string& body) {
    std::lock_guard lock(m_mutex);
    m_requests.push_back(body);
    if (m_script.empty()) {
        ADD_FAILURE() << "unexpected request: " << body;
        return SoapReply::Failed(TransportError::SendFailed);
    }
    SoapReply reply = std::move(m_script.front());
    m_script.pop_front();
    return reply;
}

std::vector<std::string> ScriptedTransport::Requests() const {
    std::lock_guard lock(m_mutex);
    return m_requests;
}

ParsedRequest ScriptedTransport::Request(std::size_t index) const {
    const std::vector<std::string> requests = Requests();
    EXPECT_LT(index, requests.size());
    return ParsedRequest(index < requests.size() ? requests[index] : std::string());
}

std::vector<std::string> ScriptedTransport::Operations() const {
    std::vector<std::string> operations;
    for (const std::string& body : Requests())
        operations.push_back(ParsedRequest(body).Operation());
    return operations;
}

std::size_t ScriptedTransport::Unused() const {
    std::lock_guard lock(m_mutex);
    return m_script.size();
}
