#pragma once

#include "service/SoapTransport.h"

#include <pugixml.hpp>

#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

// Reply texts of the operator's service.
namespace Reply {
// A complete reply envelope with the response element of the operation around inner.
std::string Envelope(const std::string& operation, const std::string& inner);
std::string Status(int status, const std::string& attributes = {});
std::string Token(const std::string& value, const std::string& validity = "600");
} // namespace Reply

// A request as the service would see it.
class ParsedRequest {
public:
    explicit ParsedRequest(const std::string& body);
    // The operation's name ("Login").
    std::string Operation() const;
    // The first element of that local name anywhere in the body (empty node if none).
    pugi::xml_node Find(const char* name) const;
    std::string Text(const char* name) const { return Find(name).text().as_string(); }
    bool Has(const char* name) const { return !Find(name).empty(); }

private:
    pugi::xml_document m_document;
};

// A transport that answers from a script, in order, and records every request. A post beyond
// the script fails the test and the call (transport code 21).
class ScriptedTransport : public ISoapTransport {
public:
    // The next answer: the response of the operation with the given children.
    ScriptedTransport& Answer(const std::string& operation, const std::string& inner);
    // The next answer: a failure at transport level.
    ScriptedTransport& Fail(int code);

    SoapReply Post(const std::string& body) override;

    std::vector<std::string> Requests() const;
    ParsedRequest Request(std::size_t index) const;
    // The operations of the requests, in order.
    std::vector<std::string> Operations() const;
    std::size_t Unused() const;

private:
    mutable std::mutex m_mutex;
    std::deque<SoapReply> m_script;
    std::vector<std::string> m_requests;
};
