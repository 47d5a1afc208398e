#include "SmsAddressBookItem.h"

#include "Utilities.h"
#include "XmlText.h"
#include "XmlWriter.h"

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

void CSmsAddressBookItem::WriteXML(CXmlWriter& writer) const {
    writer.Open("Entry");
    writer.Open("Name");
    writer.Attribute("Phone1", m_Phone1);
    if (!m_Phone2.empty())
        writer.Attribute("Phone2", m_Phone2);
    writer.Text(m_Name);
    writer.Close();
    writer.Close();
}
