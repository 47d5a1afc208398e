#pragma once

#include "ReplyElement.h"

#include <cstdint>
#include <string>
#include <string_view>

// How replies are written; the fault injection flags change it.
struct ReplyStyle {
    bool soap11 = false;
    std::string itemName = "item";
    bool badValidity = false;
};

// Builds the reply of one operation: the response element ns1:<operation>Response directly
// under the SOAP body, its children unqualified and in the order they are added.
class ReplyWriter {
public:
    ReplyWriter(std::string_view operation, bool utf8Mode, ReplyStyle style);

    // From now on the status is followed by this session token.
    void SetSession(std::string token, int validity);
    // The plain status; an attribute (transaction id, message id) may be added to it.
    ReplyElement& Status(int code);
    // The session token with its validity in seconds.
    void Token(const std::string& token, int validity);
    ReplyElement& Field(std::string name);
    ReplyElement& Array(std::string name, std::string itemType);
    // Turns an element (an array item) into an array of its own.
    ReplyElement& Array(ReplyElement& element, std::string itemType) const;

    std::string Envelope() const;
    std::string ContentType() const;

    // A SOAP Fault with the reason text; sender says whether the request was at fault.
    static std::string Fault(std::string_view reason, bool soap11, bool sender);
    static std::string ContentType(bool soap11);

private:
    ReplyElement m_response;
    bool m_utf8Mode;
    ReplyStyle m_style;
    std::string m_token;
    int m_validity = 0;
};
