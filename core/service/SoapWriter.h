#pragma once

#include "service/KvwsMessages.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace Kvws {

// Writes SOAP 1.2 envelopes byte for byte: no whitespace between elements, every element as a
// start and an end tag (also when empty), attributes in the order they are visited, optional
// fields left out when absent. Text: "&", "<", ">" escaped; carriage returns as "&#13;" (so
// they survive the reader's line-end handling); in attributes also '"', tab and line feed as
// references; in the default string mode every byte of 0x80 or more as "&#N;" with the byte's
// value. Numbers in decimal, floats with 8 significant digits, booleans "true" / "false".
class SoapWriter {
public:
    explicit SoapWriter(StringMode mode) : m_mode(mode) {}

    // The XML declaration, the envelope with its five namespaces and the opening of the body.
    void BeginEnvelope();
    void EndEnvelope();
    void BeginElement(std::string_view name);
    void EndElement(std::string_view name);

    template <class T>
    void Element(std::string_view name, const T& value, Presence = Presence::Optional) {
        if constexpr (IsOptional<T>::value) {
            if (value)
                Element(name, *value);
        } else {
            BeginElement(name);
            if constexpr (Composite<T>)
                T::Visit(value, *this);
            else
                Content(value);
            EndElement(name);
        }
    }

    template <class T> void Attribute(std::string_view name, const T& value) {
        if constexpr (IsOptional<T>::value) {
            if (value)
                Attribute(name, *value);
        } else {
            m_out += ' ';
            m_out += name;
            m_out += "=\"";
            Value(value, true);
            m_out += '"';
        }
    }

    template <class T> void Content(const T& value) {
        EndStartTag();
        Value(value, false);
    }

    template <class T>
    void Array(std::string_view name, std::string_view itemType, std::string_view itemName,
               const std::vector<T>& items) {
        BeginElement(name);
        Items(itemType, itemName, items);
        EndElement(name);
    }

    template <class T>
    void Items(std::string_view itemType, std::string_view itemName, const std::vector<T>& items) {
        Attribute("xsi:type", std::string_view("SOAP-ENC:Array"));
        Attribute("SOAP-ENC:itemType", itemType);
        Attribute("SOAP-ENC:arraySize", static_cast<std::int64_t>(items.size()));
        for (const T& item : items)
            Element(itemName, item);
    }

    template <class T> void Repeated(std::string_view name, const std::vector<T>& items) {
        for (const T& item : items)
            Element(name, item);
    }

    std::string Take() { return std::move(m_out); }

private:
    void EndStartTag();
    void Value(std::string_view text, bool inAttribute);
    void Value(const std::string& text, bool inAttribute) {
        Value(std::string_view(text), inAttribute);
    }
    void Value(std::int32_t number, bool inAttribute);
    void Value(std::int64_t number, bool inAttribute);
    void Value(bool flag, bool inAttribute);
    void Value(float number, bool inAttribute);

    std::string m_out;
    StringMode m_mode;
    bool m_inStartTag = false;
};

// The envelope of a request: the operation element "ns1:<op>" holding "ns1:<op>Request".
template <class Request> std::string WriteSoapRequest(const Request& request) {
    const std::string operation = std::string("ns1:") + Request::kOperation;
    SoapWriter writer(Request::kMode);
    writer.BeginEnvelope();
    writer.BeginElement(operation);
    writer.Element(operation + "Request", request);
    writer.EndElement(operation);
    writer.EndEnvelope();
    return writer.Take();
}

// The envelope of the service's reply, "ns1:<op>Response" directly in the body; for fake
// transports and benchmarks.
template <class Request> std::string WriteSoapResponse(const typename Request::Response& response) {
    SoapWriter writer(Request::kMode);
    writer.BeginEnvelope();
    writer.Element(std::string("ns1:") + Request::kOperation + "Response", response);
    writer.EndEnvelope();
    return writer.Take();
}

} // namespace Kvws
