#include "XmlText.h"

#include "platform/CodePage.h"

std::string XmlTextToAnsi(const char* text) {
    const std::string_view raw = text ? text : "";
    bool valid = true;
    std::string ansi = Utf8TextToAnsi(raw, valid);
    if (!valid)
        ansi.assign(raw);
    return ansi;
}

std::string AnsiToXmlText(const std::string& ansi) {
    return AnsiTextToUtf8(ansi);
}

std::string XmlChildText(const pugi::xml_node& node, const char* childName) {
    return XmlTextToAnsi(node.child(childName).text().get());
}

std::string XmlAttributeText(const pugi::xml_node& node, const char* attributeName) {
    return XmlTextToAnsi(node.attribute(attributeName).value());
}
