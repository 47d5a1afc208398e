#pragma once

#include "RequestReader.h"

#include <pugixml.hpp>

#include <memory>
#include <string>
#include <vector>

// Requests written the way a well-behaved client writes them, and replies read back, for the
// simulator's tests.
namespace SimRequests {

// A SOAP 1.2 envelope around ns1:<operation>/ns1:<operation>Request holding children.
std::string Envelope(const std::string& operation, const std::string& children);
// The client's HTTP headers for a body of that length.
std::vector<HttpHeader> Headers(std::size_t bodyLength);

std::string Login(const std::string& login, const std::string& password,
                  const std::string& version = "1.1.0", const std::string& clientType = "QLN");
// An operation whose request holds the token and then children.
std::string WithToken(const std::string& operation, const std::string& token,
                      const std::string& children = "");
// A string array of recipients with items "to".
std::string Recipients(const std::vector<std::string>& numbers);
// "sendSMS" with the given attributes on the options element (after notification and flash).
std::string Send(const std::string& token, const std::vector<std::string>& numbers,
                 const std::string& text, const std::string& optionAttributes = "type=\"1\"");

} // namespace SimRequests

// A reply envelope parsed for checks.
class ParsedReply {
public:
    explicit ParsedReply(const std::string& body);

    bool IsFault() const;
    std::string FaultText() const;
    // The response element (ns1:<operation>Response).
    pugi::xml_node Response() const { return m_response; }
    int Status() const;
    std::string Token() const;
    // The items of an array child of the response; they live as long as this reply, so a
    // temporary reply cannot hand them out.
    std::vector<pugi::xml_node> Items(const char* array) const&;
    std::vector<pugi::xml_node> Items(const char* array) const&& = delete;

private:
    std::shared_ptr<pugi::xml_document> m_document;
    pugi::xml_node m_body;
    pugi::xml_node m_response;
};
