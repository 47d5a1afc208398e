#include "service/SoapReader.h"

#include "BuildConfig.h"

#include <algorithm>
#include <charconv>

namespace Kvws {

namespace {

constexpr std::string_view kSoap12Envelope = "http://www.w3.org/2003/05/soap-envelope";
constexpr std::string_view kSoap11Envelope = "http://schemas.xmlsoap.org/soap/envelope/";

std::string_view TrimXmlSpace(std::string_view text) {
    constexpr std::string_view space = " \t\r\n";
    const std::size_t first = text.find_first_not_of(space);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(space) - first + 1);
}

template <class Integer> bool ParseInteger(std::string_view text, Integer& value) {
    text = TrimXmlSpace(text);
    if (text.size() > 1 && text[0] == '+' && text[1] != '-')
        text.remove_prefix(1);
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && result.ec == std::errc() && result.ptr == text.data() + text.size();
}

// The namespace a name's prefix stands for, from the xmlns declarations in scope.
std::string_view NamespaceOf(pugi::xml_node node) {
    const std::string_view name = node.name();
    const std::size_t colon = name.find(':');
    const std::string declaration =
        colon == std::string_view::npos ? "xmlns" : "xmlns:" + std::string(name.substr(0, colon));
    for (pugi::xml_node scope = node; scope; scope = scope.parent()) {
        if (const pugi::xml_attribute attribute = scope.attribute(declaration.c_str()))
            return attribute.value();
    }
    return {};
}

pugi::xml_node FirstElement(pugi::xml_node parent) {
    pugi::xml_node child = parent.first_child();
    while (child && child.type() != pugi::node_element)
        child = child.next_sibling();
    return child;
}

// Appends the character of a UTF-8 sequence as one byte ("?" above 255); a byte that does
// not start a valid sequence is taken as it stands. Returns the length consumed.
std::size_t AppendAsByte(std::string_view text, std::size_t at, std::string& out) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    char32_t code = length == 4 ? lead & 0x07 : length == 3 ? lead & 0x0F : lead & 0x1F;
    bool valid = length > 1 && lead <= 0xF4 && at + length <= text.size();
    for (std::size_t i = 1; valid && i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        valid = (next & 0xC0) == 0x80;
        code = code << 6 | (next & 0x3F);
    }
    constexpr char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (!valid || code < smallest[length]) {
        out += static_cast<char>(lead);
        return 1;
    }
    out += code <= 0xFF ? static_cast<char>(code) : '?';
    return length;
}

// The first child element of that local name.
pugi::xml_node ChildNamed(pugi::xml_node parent, std::string_view name) {
    for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_element && SoapReader::LocalName(child.name()) == name)
            return child;
    }
    return {};
}

} // namespace

std::string_view SoapReader::LocalName(std::string_view qualifiedName) {
    const std::size_t colon = qualifiedName.find(':');
    return colon == std::string_view::npos ? qualifiedName : qualifiedName.substr(colon + 1);
}

pugi::xml_node SoapReader::Child(std::string_view name) const {
    return ChildNamed(m_node, name);
}

pugi::xml_attribute SoapReader::FindAttribute(std::string_view name) const {
    for (pugi::xml_attribute attribute : m_node.attributes()) {
        if (LocalName(attribute.name()) == name)
            return attribute;
    }
    return {};
}

std::size_t SoapReader::ElementCount() const {
    std::size_t count = 0;
    for (pugi::xml_node child = m_node.first_child(); child; child = child.next_sibling())
        count += child.type() == pugi::node_element;
    return count;
}

std::string_view SoapReader::Text(pugi::xml_node node, std::string& scratch) {
    const auto isText = [](pugi::xml_node child) {
        return child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata;
    };
    const pugi::xml_node first = node.first_child();
    if (!first.next_sibling() && isText(first))
        return first.value();
    for (pugi::xml_node child = first; child; child = child.next_sibling()) {
        if (isText(child))
            scratch += child.value();
    }
    return scratch;
}

void SoapReader::Parse(std::string_view text, std::string& value) const {
    const auto isAscii = [](char c) { return static_cast<unsigned char>(c) < 0x80; };
    if (m_mode == StringMode::Utf8 || std::all_of(text.begin(), text.end(), isAscii)) {
        value = text;
        return;
    }
    value.clear();
    value.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        if (static_cast<unsigned char>(text[at]) < 0x80)
            value += text[at++];
        else
            at += AppendAsByte(text, at, value);
    }
}

void SoapReader::Parse(std::string_view text, std::int32_t& value) {
    m_failed |= !ParseInteger(text, value);
}

void SoapReader::Parse(std::string_view text, std::int64_t& value) {
    m_failed |= !ParseInteger(text, value);
}

void SoapReader::Parse(std::string_view text, bool& value) {
    text = TrimXmlSpace(text);
    value = text == "true" || text == "1";
    m_failed |= !value && text != "false" && text != "0";
}

void SoapReader::Parse(std::string_view text, float& value) {
    text = TrimXmlSpace(text);
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    m_failed |= text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size();
}

int LoadSoapResponse(pugi::xml_document& document, std::string_view body,
                     std::string_view responseName, pugi::xml_node& response) {
    const pugi::xml_parse_result parsed = document.load_buffer(
        body.data(), body.size(), pugi::parse_default | pugi::parse_ws_pcdata_single);
    if (parsed.status == pugi::status_out_of_memory)
        return TransportError::OutOfMemory;
    if (!parsed)
        return TransportError::UnparsableReply;

    const pugi::xml_node envelope = document.document_element();
    const std::string_view soap = NamespaceOf(envelope);
    if (SoapReader::LocalName(envelope.name()) != "Envelope" ||
        (soap != kSoap12Envelope && soap != kSoap11Envelope))
        return TransportError::UnparsableReply;

    pugi::xml_node bodyElement = FirstElement(envelope);
    while (bodyElement && (SoapReader::LocalName(bodyElement.name()) != "Body" ||
                           NamespaceOf(bodyElement) != soap))
        bodyElement = bodyElement.next_sibling();
    const pugi::xml_node element = FirstElement(bodyElement);
    if (!element)
        return TransportError::UnparsableReply;
    const std::string_view name = SoapReader::LocalName(element.name());
    const std::string_view elementNamespace = NamespaceOf(element);
    if (name == "Fault" && elementNamespace == soap) {
        response = element;
        return TransportError::SoapFault;
    }
    if (name != responseName || elementNamespace != QUILLON_SERVICE_NAMESPACE)
        return TransportError::UnparsableReply;
    response = element;
    return 0;
}

std::string SoapReader::FaultReason(pugi::xml_node fault) {
    pugi::xml_node text = ChildNamed(ChildNamed(fault, "Reason"), "Text");
    if (!text)
        text = ChildNamed(fault, "faultstring");
    std::string scratch;
    return std::string(Text(text, scratch));
}

} // namespace Kvws
