#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

// One element of a reply under construction. Arrays write their SOAP encoding attributes in the
// form of the envelope's SOAP version when the reply is serialised.
class ReplyElement {
public:
    explicit ReplyElement(std::string name) : m_name(std::move(name)) {}

    ReplyElement& Attribute(std::string name, std::string value);
    ReplyElement& Text(std::string text);
    ReplyElement& Child(std::string name);

    // Makes this element a SOAP-encoded array of itemType whose items are named itemName.
    ReplyElement& MakeArray(std::string itemType, std::string itemName);
    // Appends an item to an array.
    ReplyElement& AddItem();

    void Write(std::string& out, bool utf8Mode, bool soap11) const;

private:
    void WriteArrayAttributes(std::string& out, bool soap11) const;

    std::string m_name;
    std::vector<std::pair<std::string, std::string>> m_attributes;
    std::string m_text;
    std::vector<std::unique_ptr<ReplyElement>> m_children;
    std::string m_itemType;
    std::string m_itemName;
};
