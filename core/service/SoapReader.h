#pragma once

#include "service/KvwsMessages.h"
#include "service/TransportError.h"

#include <pugixml.hpp>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace Kvws {

// Reads the fields of one element of a reply. Children and attributes are matched by their
// local name (the first match counts, order does not matter), array items by position
// whatever their names. A missing field keeps its default, an optional one stays empty; a
// missing required field or a value that is not of its type marks the reply unparsable.
// Strings in the default mode come in one byte per character (characters above 255 become
// "?", bytes that are not UTF-8 stay as they are); in UTF-8 mode the bytes are kept.
class SoapReader {
public:
    SoapReader(pugi::xml_node node, StringMode mode, bool& failed)
        : m_node(node), m_mode(mode), m_failed(failed) {}

    template <class T>
    void Element(std::string_view name, T& field, Presence presence = Presence::Optional) {
        const pugi::xml_node child = Child(name);
        if (!child) {
            m_failed |= presence == Presence::Required;
        } else if constexpr (IsOptional<T>::value) {
            Read(child, field.emplace());
        } else {
            Read(child, field);
        }
    }

    template <class T> void Attribute(std::string_view name, T& field) {
        const pugi::xml_attribute attribute = FindAttribute(name);
        if (!attribute)
            return;
        if constexpr (IsOptional<T>::value)
            Parse(attribute.value(), field.emplace());
        else
            Parse(attribute.value(), field);
    }

    template <class T> void Content(T& field) {
        std::string scratch;
        Parse(Text(m_node, scratch), field);
    }

    template <class T>
    void Array(std::string_view name, std::string_view itemType, std::string_view itemName,
               std::vector<T>& items) {
        if (const pugi::xml_node child = Child(name))
            SoapReader(child, m_mode, m_failed).Items(itemType, itemName, items);
    }

    template <class T> void Items(std::string_view, std::string_view, std::vector<T>& items) {
        items.reserve(items.size() + ElementCount());
        for (pugi::xml_node item = m_node.first_child(); item; item = item.next_sibling()) {
            if (item.type() == pugi::node_element)
                Read(item, items.emplace_back());
        }
    }

    template <class T> void Repeated(std::string_view name, std::vector<T>& items) {
        for (pugi::xml_node item = m_node.first_child(); item; item = item.next_sibling()) {
            if (item.type() == pugi::node_element && LocalName(item.name()) == name)
                Read(item, items.emplace_back());
        }
    }

    static std::string_view LocalName(std::string_view qualifiedName);
    // The reason text of a fault element as the server wrote it (UTF-8): the first Reason/Text
    // of SOAP 1.2, else the faultstring of SOAP 1.1; empty when it has neither.
    static std::string FaultReason(pugi::xml_node fault);

private:
    template <class T> void Read(pugi::xml_node node, T& value) {
        if constexpr (Composite<T>) {
            SoapReader reader(node, m_mode, m_failed);
            T::Visit(value, reader);
        } else {
            std::string scratch;
            Parse(Text(node, scratch), value);
        }
    }

    pugi::xml_node Child(std::string_view name) const;
    pugi::xml_attribute FindAttribute(std::string_view name) const;
    std::size_t ElementCount() const;
    // All character data of an element, as the parser delivers it (UTF-8); scratch holds it
    // when it comes in several pieces.
    static std::string_view Text(pugi::xml_node node, std::string& scratch);

    void Parse(std::string_view text, std::string& value) const;
    void Parse(std::string_view text, std::int32_t& value);
    void Parse(std::string_view text, std::int64_t& value);
    void Parse(std::string_view text, bool& value);
    void Parse(std::string_view text, float& value);

    pugi::xml_node m_node;
    StringMode m_mode;
    bool& m_failed;
};

// Parses a reply envelope (SOAP 1.2 or 1.1) and finds the response element directly in its
// body. Returns 0, TransportError::SoapFault for a fault (response is then the fault element),
// TransportError::UnparsableReply for anything else, or TransportError::OutOfMemory.
int LoadSoapResponse(pugi::xml_document& document, std::string_view body,
                     std::string_view responseName, pugi::xml_node& response);

// Reads the reply to a request into its response structure; returns 0 or a transport code.
// For a SOAP fault, faultReason (when given) receives the fault's reason.
template <class Request>
int ReadSoapResponse(std::string_view body, typename Request::Response& response,
                     std::string* faultReason = nullptr) {
    pugi::xml_document document;
    pugi::xml_node node;
    const int error =
        LoadSoapResponse(document, body, std::string(Request::kOperation) + "Response", node);
    if (error == TransportError::SoapFault && faultReason)
        *faultReason = SoapReader::FaultReason(node);
    if (error != 0)
        return error;
    bool failed = false;
    SoapReader reader(node, Request::kMode, failed);
    Request::Response::Visit(response, reader);
    return failed ? TransportError::UnparsableReply : 0;
}

} // namespace Kvws
