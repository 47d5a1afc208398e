#include "SmsAddressBookGroup.h"

#include "SmsAddressBookText.h"
#include "Utilities.h"
#include "XmlText.h"
#include "XmlWriter.h"

#include <algorithm>

CSmsAddressBookGroup::CSmsAddressBookGroup(const std::string& name) : m_Name(name) {}

CSmsAddressBookGroup::CSmsAddressBookGroup(const std::string& name, const pugi::xml_node& group)
    : m_Name(name) {
    for (const pugi::xml_node& member : group.children("Member")) {
        const char* text = member.text().get();
        if (*text != '\0')
            AddMember(XmlTextToAnsi(text));
    }
}

std::string CSmsAddressBookGroup::GetNameNoAccents() const {
    return StripAccents(m_Name);
}

bool CSmsAddressBookGroup::AddMember(const std::string& name) {
    if (std::find(m_members.begin(), m_members.end(), name) != m_members.end())
        return false;
    m_members.push_back(name);
    return true;
}

bool CSmsAddressBookGroup::RemoveMember(const std::string& name) {
    const auto found = std::find(m_members.begin(), m_members.end(), name);
    if (found == m_members.end())
        return false;
    m_members.erase(found);
    return true;
}

bool CSmsAddressBookGroup::IsMember(const std::string& name, bool noAccents, int prefixLen) const {
    if (!noAccents && prefixLen == -1)
        return std::find(m_members.begin(), m_members.end(), name) != m_members.end();
    return std::any_of(m_members.begin(), m_members.end(), [&](const std::string& member) {
        return CutToPrefix(noAccents ? StripAccents(member) : member, prefixLen) == name;
    });
}

void CSmsAddressBookGroup::WriteXML(CXmlWriter& writer) const {
    writer.Open("Group");
    writer.Attribute("Name", m_Name);
    for (const std::string& member : m_members)
        writer.Element("Member", member);
    writer.Close();
}
