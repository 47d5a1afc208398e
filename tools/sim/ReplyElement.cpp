#include "ReplyElement.h"

#include "WireText.h"

ReplyElement& ReplyElement::Attribute(std::string name, std::string value) {
    m_attributes.emplace_back(std::move(name), std::move(value));
    return *this;
}

ReplyElement& ReplyElement::Text(std::string text) {
    m_text = std::move(text);
    return *this;
}

ReplyElement& ReplyElement::Child(std::string name) {
    m_children.push_back(std::make_unique<ReplyElement>(std::move(name)));
    return *m_children.back();
}

ReplyElement& ReplyElement::MakeArray(std::string itemType, std::string itemName) {
    m_itemType = std::move(itemType);
    m_itemName = std::move(itemName);
    return *this;
}

ReplyElement& ReplyElement::AddItem() {
    return Child(m_itemName);
}

void ReplyElement::WriteArrayAttributes(std::string& out, bool soap11) const {
    out += " xsi:type=\"SOAP-ENC:Array\"";
    const std::string count = std::to_string(m_children.size());
    if (soap11)
        out += " SOAP-ENC:arrayType=\"" + m_itemType + "[" + count + "]\"";
    else
        out += " SOAP-ENC:itemType=\"" + m_itemType + "\" SOAP-ENC:arraySize=\"" + count + "\"";
}

void ReplyElement::Write(std::string& out, bool utf8Mode, bool soap11) const {
    out += "<" + m_name;
    for (const auto& [name, value] : m_attributes)
        out += " " + name + "=\"" + EscapeXml(value, utf8Mode, true) + "\"";
    if (!m_itemType.empty())
        WriteArrayAttributes(out, soap11);
    if (m_text.empty() && m_children.empty()) {
        out += "/>";
        return;
    }
    out += ">" + EscapeXml(m_text, utf8Mode, false);
    for (const auto& child : m_children)
        child->Write(out, utf8Mode, soap11);
    out += "</" + m_name + ">";
}
