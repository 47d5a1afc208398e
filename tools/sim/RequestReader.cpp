#include "RequestReader.h"

#include "RequestError.h"
#include "SoapNamespaces.h"
#include "WireText.h"

#include <pugixml.hpp>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <limits>
#include <regex>
#include <strings.h>

namespace {

constexpr std::string_view kDeclaration = R"(<?xml version="1.0" encoding="UTF-8"?>)";
constexpr std::string_view kContentType = "application/soap+xml; charset=utf-8";
constexpr std::string_view kUserAgent = "Quillon 1.1";

struct NamespaceDeclaration {
    std::string_view attribute;
    std::string_view uri;
};

constexpr NamespaceDeclaration kNamespaces[] = {
    {"xmlns:SOAP-ENV", SoapNamespaces::kEnvelope12},
    {"xmlns:SOAP-ENC", SoapNamespaces::kEncoding12},
    {"xmlns:xsi", SoapNamespaces::kSchemaInstance},
    {"xmlns:xsd", SoapNamespaces::kSchema},
    {"xmlns:ns1", SoapNamespaces::kService},
};

[[noreturn]] void Reject(const std::string& what) {
    throw RequestError(what);
}

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && strncasecmp(a.data(), b.data(), a.size()) == 0;
}

// --- HTTP ---------------------------------------------------------------------------------

const HttpHeader* FindHeader(const std::vector<HttpHeader>& headers, std::string_view name) {
    const auto found = std::find_if(headers.begin(), headers.end(),
                                    [name](const HttpHeader& h) { return SameName(h.name, name); });
    return found == headers.end() ? nullptr : &*found;
}

void RequireHeader(const std::vector<HttpHeader>& headers, std::string_view name,
                   std::string_view expected) {
    const HttpHeader* header = FindHeader(headers, name);
    if (!header)
        Reject("HTTP header " + std::string(name) + " is missing");
    if (!expected.empty() && header->value != expected)
        Reject("HTTP header " + std::string(name) + " is " + Quoted(header->value) + ", expected " +
               Quoted(expected));
}

void CheckHeaderNames(const std::vector<HttpHeader>& headers) {
    static constexpr std::string_view kAllowed[] = {
        "Host",       "User-Agent",    "Content-Type",       "Content-Length",
        "Connection", "Authorization", "Proxy-Authorization"};
    for (std::size_t i = 0; i < headers.size(); ++i) {
        const std::string& name = headers[i].name;
        if (SameName(name, "SOAPAction"))
            Reject("HTTP header SOAPAction is not sent in SOAP 1.2 (the action is empty)");
        if (SameName(name, "Expect"))
            Reject("HTTP header Expect is not allowed: the body is sent with the request");
        if (SameName(name, "Transfer-Encoding"))
            Reject("HTTP header Transfer-Encoding is not allowed: the body length is known");
        if (std::none_of(std::begin(kAllowed), std::end(kAllowed),
                         [&name](std::string_view allowed) { return SameName(name, allowed); }))
            Reject("unexpected HTTP header " + name);
        for (std::size_t j = 0; j < i; ++j) {
            if (SameName(headers[j].name, name))
                Reject("HTTP header " + name + " is repeated");
        }
    }
}

// --- XML structure ------------------------------------------------------------------------

std::string NameOf(pugi::xml_node node) {
    return node.name();
}

bool IsBlank(const char* text) {
    return std::all_of(text, text + std::char_traits<char>::length(text),
                       [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; });
}

// The element children of a node; text (other than blanks between elements), comments and
// processing instructions are refused.
std::vector<pugi::xml_node> ChildElements(pugi::xml_node parent) {
    std::vector<pugi::xml_node> elements;
    for (pugi::xml_node child : parent.children()) {
        switch (child.type()) {
        case pugi::node_element:
            elements.push_back(child);
            break;
        case pugi::node_pcdata:
        case pugi::node_cdata:
            if (!IsBlank(child.value()))
                Reject("unexpected text inside " + NameOf(parent));
            break;
        default:
            Reject("unexpected comment, processing instruction or declaration inside " +
                   NameOf(parent));
        }
    }
    return elements;
}

pugi::xml_node OnlyChild(pugi::xml_node parent, std::string_view expectedName) {
    const std::vector<pugi::xml_node> children = ChildElements(parent);
    if (children.size() != 1)
        Reject(NameOf(parent) + " must hold exactly one element (" + std::string(expectedName) +
               "), it holds " + std::to_string(children.size()));
    return children.front();
}

void RequireNoAttributes(pugi::xml_node node, std::string_view why = {}) {
    if (pugi::xml_attribute attribute = node.first_attribute())
        Reject("unexpected attribute " + std::string(attribute.name()) + " on " + NameOf(node) +
               std::string(why));
}

void CheckEnvelopeDeclarations(pugi::xml_node envelope) {
    std::size_t index = 0;
    for (pugi::xml_attribute attribute : envelope.attributes()) {
        const std::string_view name = attribute.name();
        if (index == std::size(kNamespaces))
            Reject("unexpected attribute " + std::string(name) + " on SOAP-ENV:Envelope");
        const NamespaceDeclaration& expected = kNamespaces[index++];
        if (name != expected.attribute)
            Reject("SOAP-ENV:Envelope declares " + std::string(name) + " where " +
                   std::string(expected.attribute) +
                   " belongs (the five prefixes SOAP-ENV, SOAP-ENC, xsi, xsd, ns1 in this "
                   "order)");
        if (attribute.value() == SoapNamespaces::kEnvelope11)
            Reject("the envelope uses the SOAP 1.1 namespace; requests are SOAP 1.2");
        if (attribute.value() != expected.uri)
            Reject(std::string(name) + " is " + Quoted(attribute.value()) + ", expected " +
                   Quoted(expected.uri));
    }
    if (index < std::size(kNamespaces))
        Reject("SOAP-ENV:Envelope lacks the namespace declaration " +
               std::string(kNamespaces[index].attribute));
}

// The node after this one in document order, staying below root; null at the end. A loop,
// not recursion, so that a hostile nesting depth cannot exhaust the stack.
pugi::xml_node NextInDocument(pugi::xml_node node, pugi::xml_node root) {
    if (node.first_child())
        return node.first_child();
    for (; node && node != root; node = node.parent()) {
        if (node.next_sibling())
            return node.next_sibling();
    }
    return {};
}

// Only the envelope declares namespaces, so prefixes can be compared as written.
void CheckNoInnerDeclarations(pugi::xml_node envelope) {
    for (pugi::xml_node node = envelope.first_child(); node;
         node = NextInDocument(node, envelope)) {
        for (pugi::xml_attribute attribute : node.attributes()) {
            if (std::string_view(attribute.name()).starts_with("xmlns"))
                Reject("namespace declaration " + std::string(attribute.name()) + " on " +
                       NameOf(node) + "; only SOAP-ENV:Envelope declares namespaces");
        }
    }
}

// --- values -------------------------------------------------------------------------------

template <typename Int> bool IsInteger(const std::string& text) {
    Int value{};
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return !text.empty() && text.front() != '+' && error == std::errc() && stop == end;
}

void CheckValue(const std::string& text, ValueType type, const std::string& what) {
    switch (type) {
    case ValueType::Int:
        if (!IsInteger<std::int32_t>(text))
            Reject(what + " must be an xsd:int, not " + Quoted(text));
        break;
    case ValueType::Long:
        if (!IsInteger<std::int64_t>(text))
            Reject(what + " must be an xsd:long, not " + Quoted(text));
        break;
    case ValueType::Boolean:
        if (text != "true" && text != "false")
            Reject(what + " must be \"true\" or \"false\", not " + Quoted(text));
        break;
    case ValueType::String:
    case ValueType::None:
        break;
    }
}

// A text as the service keeps it: UTF-8 in UTF-8 mode, one byte a character otherwise.
std::string Decode(const char* utf8, bool utf8Mode, const std::string& what) {
    if (utf8Mode)
        return utf8;
    std::optional<std::string> bytes = DefaultModeBytes(utf8);
    if (!bytes)
        Reject(what + " holds a character above 255, which a default-mode string cannot carry");
    return *bytes;
}

std::string ReadText(pugi::xml_node node, ValueType type, bool utf8Mode) {
    std::string text;
    for (pugi::xml_node child : node.children()) {
        if (child.type() != pugi::node_pcdata && child.type() != pugi::node_cdata)
            Reject(NameOf(node) + " must hold text only");
        text += child.value();
    }
    const std::string what = "the content of " + NameOf(node);
    std::string decoded = Decode(text.c_str(), utf8Mode, what);
    CheckValue(decoded, type, what);
    return decoded;
}

// --- fields -------------------------------------------------------------------------------

bool IsArrayAttribute(std::string_view name) {
    return name == "xsi:type" || name == "SOAP-ENC:itemType" || name == "SOAP-ENC:arraySize";
}

// An attribute that the schema puts before the current one was not there.
void RequireSkippedAttribute(pugi::xml_node node, const AttributeLayout& skipped) {
    const std::string name(skipped.name);
    if (node.attribute(name.c_str()))
        Reject("attribute " + name + " on " + NameOf(node) + " is out of order");
    if (!skipped.optional)
        Reject(NameOf(node) + " lacks the attribute " + name);
}

std::vector<std::pair<std::string, std::string>>
ReadAttributes(pugi::xml_node node, const FieldLayout& layout, bool utf8Mode) {
    const bool isArray =
        layout.shape == FieldShape::StringArray || layout.shape == FieldShape::IntArray;
    std::vector<std::pair<std::string, std::string>> values;
    std::size_t next = 0;
    for (pugi::xml_attribute attribute : node.attributes()) {
        const std::string name = attribute.name();
        if (isArray && IsArrayAttribute(name))
            continue;
        if (name == "SOAP-ENC:arrayType")
            Reject(name + " on " + std::string(layout.name) +
                   " is SOAP 1.1; SOAP 1.2 arrays carry SOAP-ENC:itemType and "
                   "SOAP-ENC:arraySize");
        const auto known =
            std::find_if(layout.attributes.begin(), layout.attributes.end(),
                         [&name](const AttributeLayout& a) { return a.name == name; });
        if (known == layout.attributes.end())
            Reject("unexpected attribute " + name + " on " + NameOf(node));
        const auto index = static_cast<std::size_t>(known - layout.attributes.begin());
        if (index < next)
            Reject("attribute " + name + " on " + NameOf(node) + " is out of order");
        for (; next < index; ++next)
            RequireSkippedAttribute(node, layout.attributes[next]);
        ++next;
        const std::string what = "attribute " + name + " of " + NameOf(node);
        std::string value = Decode(attribute.value(), utf8Mode, what);
        CheckValue(value, known->type, what);
        values.emplace_back(name, std::move(value));
    }
    for (; next < layout.attributes.size(); ++next)
        RequireSkippedAttribute(node, layout.attributes[next]);
    return values;
}

void RequireAttribute(pugi::xml_node node, const char* name, const std::string& expected) {
    const pugi::xml_attribute attribute = node.attribute(name);
    if (!attribute)
        Reject("the array " + NameOf(node) + " lacks the attribute " + name);
    if (attribute.value() != expected)
        Reject("attribute " + std::string(name) + " of " + NameOf(node) + " is " +
               Quoted(attribute.value()) + ", expected " + Quoted(expected));
}

std::vector<std::string> ReadArrayItems(pugi::xml_node node, const FieldLayout& layout,
                                        bool utf8Mode) {
    const std::vector<pugi::xml_node> items = ChildElements(node);
    RequireAttribute(node, "xsi:type", "SOAP-ENC:Array");
    RequireAttribute(node, "SOAP-ENC:itemType",
                     layout.shape == FieldShape::IntArray ? "xsd:int" : "xsd:string");
    RequireAttribute(node, "SOAP-ENC:arraySize", std::to_string(items.size()));
    std::vector<std::string> values;
    for (pugi::xml_node item : items) {
        if (item.name() != layout.itemName)
            Reject("the array " + NameOf(node) + " holds " + NameOf(item) + " where an item " +
                   std::string(layout.itemName) + " belongs");
        RequireNoAttributes(item);
        values.push_back(ReadText(item, layout.content, utf8Mode));
    }
    return values;
}

std::vector<std::string> ReadGroupMembers(pugi::xml_node node, bool utf8Mode) {
    std::vector<std::string> members;
    for (pugi::xml_node member : ChildElements(node)) {
        if (NameOf(member) != "alias")
            Reject("unexpected element " + NameOf(member) + " in " + NameOf(node) +
                   " (members are alias elements)");
        RequireNoAttributes(member);
        members.push_back(ReadText(member, ValueType::String, utf8Mode));
    }
    return members;
}

RequestField ReadField(pugi::xml_node node, const FieldLayout& layout, bool utf8Mode) {
    RequestField field;
    field.attributes = ReadAttributes(node, layout, utf8Mode);
    switch (layout.shape) {
    case FieldShape::Scalar:
        field.text = ReadText(node, layout.content, utf8Mode);
        break;
    case FieldShape::StringArray:
    case FieldShape::IntArray:
        field.items = ReadArrayItems(node, layout, utf8Mode);
        break;
    case FieldShape::Group:
        field.items = ReadGroupMembers(node, utf8Mode);
        break;
    }
    return field;
}

std::string FieldOrder(const OperationLayout& layout) {
    std::string order;
    for (const FieldLayout& field : layout.request)
        order += (order.empty() ? "" : ", ") + std::string(field.name);
    return order;
}

void ReadFields(pugi::xml_node request, SoapRequest& result) {
    const OperationLayout& layout = result.Layout();
    const std::string where = " in " + NameOf(request);
    std::size_t next = 0;
    auto requireUpTo = [&](std::size_t end) {
        for (; next < end; ++next) {
            const std::string skipped(layout.request[next].name);
            if (request.child(skipped.c_str()))
                Reject("element " + skipped + where +
                       " is out of order (expected order: " + FieldOrder(layout) + ")");
            if (!layout.request[next].optional)
                Reject("missing element " + skipped + where);
        }
    };
    for (pugi::xml_node child : ChildElements(request)) {
        const std::string name = NameOf(child);
        if (name.find(':') != std::string::npos)
            Reject("element " + name + where + " must be unqualified (no prefix)");
        const auto known = std::find_if(layout.request.begin(), layout.request.end(),
                                        [&name](const FieldLayout& f) { return f.name == name; });
        if (known == layout.request.end())
            Reject("unexpected element " + name + where);
        const auto index = static_cast<std::size_t>(known - layout.request.begin());
        if (index < next)
            Reject("element " + name + where +
                   " is repeated or out of order (expected order: " + FieldOrder(layout) + ")");
        requireUpTo(index);
        next = index + 1;
        result.SetField(name, ReadField(child, *known, layout.utf8));
    }
    requireUpTo(layout.request.size());
}

// --- envelope -----------------------------------------------------------------------------

const OperationLayout& IdentifyOperation(pugi::xml_node wrapper) {
    const std::string name = NameOf(wrapper);
    if (!name.starts_with("ns1:"))
        Reject("SOAP-ENV:Body holds " + name +
               "; an operation element ns1:<operation> belongs "
               "there");
    const std::string operation = name.substr(4);
    if (const OperationLayout* layout = FindOperation(operation))
        return *layout;
    if (operation.ends_with("Request")) {
        if (FindOperation(operation.substr(0, operation.size() - 7)))
            Reject(name +
                   " stands directly in SOAP-ENV:Body; it belongs inside the operation "
                   "element ns1:" +
                   operation.substr(0, operation.size() - 7));
    }
    Reject("unknown operation " + name);
}

// Default-mode bodies are pure ASCII (other bytes travel as references); UTF-8 bodies must be
// valid UTF-8.
void CheckBytes(std::string_view body, bool utf8Mode) {
    if (utf8Mode) {
        const std::size_t bad = FindInvalidUtf8(body);
        if (bad != std::string_view::npos)
            Reject("the body is not valid UTF-8 at byte offset " + std::to_string(bad));
        return;
    }
    const auto nonAscii = std::find_if(
        body.begin(), body.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    if (nonAscii != body.end()) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "0x%02X", static_cast<unsigned char>(*nonAscii));
        Reject(std::string("byte ") + hex + " at offset " +
               std::to_string(nonAscii - body.begin()) +
               ": this operation sends bytes of 0x80 and more as character references");
    }
}

// The parser leaves an unknown "&..." as text; in XML it is an error.
void CheckReferences(std::string_view body) {
    static const std::regex reference("&(amp|lt|gt|quot|apos|#[0-9]+|#x[0-9a-fA-F]+);");
    for (std::size_t at = body.find('&'); at != std::string_view::npos;
         at = body.find('&', at + 1)) {
        const std::string_view rest = body.substr(at, 12);
        if (!std::regex_search(rest.begin(), rest.end(), reference,
                               std::regex_constants::match_continuous))
            Reject("bare '&' at offset " + std::to_string(at) + ": escape it as &amp;");
    }
}

pugi::xml_node EnvelopeOf(const pugi::xml_document& document) {
    pugi::xml_node envelope;
    for (pugi::xml_node node : document.children()) {
        if (node.type() == pugi::node_declaration)
            continue;
        if (node.type() != pugi::node_element || envelope)
            Reject("the document must hold only the XML declaration and SOAP-ENV:Envelope");
        envelope = node;
    }
    if (NameOf(envelope) != "SOAP-ENV:Envelope")
        Reject("the root element is " + NameOf(envelope) + ", expected SOAP-ENV:Envelope");
    return envelope;
}

} // namespace

void RequestReader::CheckHttp(std::string_view method, std::string_view version,
                              const std::vector<HttpHeader>& headers, std::size_t bodySize) {
    if (method != "POST")
        Reject("HTTP method " + std::string(method) + " is not accepted; requests are POSTed");
    if (version != "HTTP/1.1")
        Reject("the request is " + std::string(version) + ", expected HTTP/1.1");
    CheckHeaderNames(headers);
    RequireHeader(headers, "Host", {});
    RequireHeader(headers, "User-Agent", kUserAgent);
    if (const HttpHeader* type = FindHeader(headers, "Content-Type");
        type && type->value == "text/xml; charset=utf-8")
        Reject("Content-Type text/xml is SOAP 1.1; requests are SOAP 1.2 (" +
               std::string(kContentType) + ")");
    RequireHeader(headers, "Content-Type", kContentType);
    RequireHeader(headers, "Content-Length", std::to_string(bodySize));
    RequireHeader(headers, "Connection", "close");
}

SoapRequest RequestReader::ReadEnvelope(std::string_view body) {
    if (!body.starts_with(kDeclaration))
        Reject("the body must start with the declaration " + std::string(kDeclaration));
    CheckReferences(body);
    pugi::xml_document document;
    const unsigned options = pugi::parse_default | pugi::parse_declaration |
                             pugi::parse_ws_pcdata_single | pugi::parse_comments | pugi::parse_pi |
                             pugi::parse_doctype;
    const pugi::xml_parse_result parsed =
        document.load_buffer(body.data(), body.size(), options, pugi::encoding_utf8);
    if (!parsed)
        Reject(std::string("the body is not well-formed XML: ") + parsed.description() +
               " at offset " + std::to_string(parsed.offset));
    const pugi::xml_node envelope = EnvelopeOf(document);
    CheckEnvelopeDeclarations(envelope);
    CheckNoInnerDeclarations(envelope);
    const std::vector<pugi::xml_node> parts = ChildElements(envelope);
    for (pugi::xml_node part : parts) {
        if (NameOf(part) == "SOAP-ENV:Header")
            Reject("the request carries a SOAP-ENV:Header; requests have none");
    }
    const pugi::xml_node soapBody = OnlyChild(envelope, "SOAP-ENV:Body");
    if (NameOf(soapBody) != "SOAP-ENV:Body")
        Reject("SOAP-ENV:Envelope holds " + NameOf(soapBody) + ", expected SOAP-ENV:Body");
    RequireNoAttributes(soapBody, " (the body is literal: no encodingStyle)");
    const pugi::xml_node wrapper = OnlyChild(soapBody, "the operation element");
    const OperationLayout& layout = IdentifyOperation(wrapper);
    CheckBytes(body, layout.utf8);
    RequireNoAttributes(wrapper);
    const std::string requestName = "ns1:" + std::string(layout.name) + "Request";
    const pugi::xml_node request = OnlyChild(wrapper, requestName);
    if (NameOf(request) != requestName)
        Reject(NameOf(wrapper) + " holds " + NameOf(request) + ", expected " + requestName);
    RequireNoAttributes(request);
    SoapRequest result(layout);
    ReadFields(request, result);
    return result;
}
