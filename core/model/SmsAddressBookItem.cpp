#include "SmsAddressBookItem.h"

#include "UtilitiesInternal.h"
#include "XmlText.h"

#include <cstring>

CSmsAddressBookItem::CSmsAddressBookItem(const std::string& name, const std::string& phone1,
                                         const std::string& phone2)
    : m_Name(name), m_Phone1(phone1), m_Phone2(phone2) {}

CSmsAddressBookItem::CSmsAddressBookItem(const pugi::xml_node& entry) {
    for (const pugi::xml_node& child : entry.children()) {
        const char* text = child.text().get();
        if (std::strcmp(child.name(), "Name") == 0) {
            m_Name = XmlTextToAnsi(text);
            // The numbers are attributes of the name in the files this program writes, also
            // when the name is empty: a contact read once must read again after a save.
            if (const pugi::xml_attribute phone1 = child.attribute("Phone1"))
                m_Phone1 = XmlTextToAnsi(phone1.value());
            if (const pugi::xml_attribute phone2 = child.attribute("Phone2"))
                m_Phone2 = XmlTextToAnsi(phone2.value());
        } else if (*text == '\0') {
            continue;
        } else if (std::strcmp(child.name(), "Phone1") == 0) {
            m_Phone1 = XmlTextToAnsi(text);
        } else if (std::strcmp(child.name(), "Phone2") == 0) {
            m_Phone2 = XmlTextToAnsi(text);
        }
    }
}

std::string CSmsAddressBookItem::GetNameNoAccents() const {
    return StripAccents(m_Name);
}

std::string CSmsAddressBookItem::GetDisplayString(bool second) const {
    return m_Name + (second ? " (#2) " : " (#1) ") + (second ? m_Phone2 : m_Phone1);
}

void CSmsAddressBookItem::WriteXML(pugi::xml_node& parent) const {
    pugi::xml_node name = parent.append_child("Entry").append_child("Name");
    name.text().set(AnsiToXmlText(m_Name).c_str());
    name.append_attribute("Phone1").set_value(AnsiToXmlText(m_Phone1).c_str());
    if (!m_Phone2.empty())
        name.append_attribute("Phone2").set_value(AnsiToXmlText(m_Phone2).c_str());
}
