#pragma once

#include "QuillonCoreExport.h"

#include "SmsAddressBookId.h"

#include <pugixml.hpp>

#include <cstdint>
#include <string>
#include <vector>

class CXmlWriter;

// A named group of contacts; members are contact names in the order they were added, without
// repetition.
class QUILLON_CORE_EXPORT CSmsAddressBookGroup {
public:
    explicit CSmsAddressBookGroup(const std::string& name);
    // The members come from the "Member" children of a "Group" element.
    CSmsAddressBookGroup(const std::string& name, const pugi::xml_node& group);
    CSmsAddressBookGroup(const CSmsAddressBookGroup& other) = default;
    CSmsAddressBookGroup& operator=(const CSmsAddressBookGroup& other) = default;
    ~CSmsAddressBookGroup() = default;

    const std::string& GetName() const { return m_Name; }
    void SetName(const std::string& name) { m_Name = name; }
    std::string GetNameNoAccents() const;
    std::uint32_t GetID() const { return m_ID.Value(); }
    const std::vector<std::string>& GetMembers() const { return m_members; }
    bool IsEmpty() const { return m_members.empty(); }

    // False when the name is already a member.
    bool AddMember(const std::string& name);
    // False when the name is not a member.
    bool RemoveMember(const std::string& name);
    // Whether some member, without accents when noAccents is set and cut to prefixLen
    // characters unless that is -1, equals the name exactly (the name is taken as it is).
    bool IsMember(const std::string& name, bool noAccents = false, int prefixLen = -1) const;

    // Writes a "Group" element.
    void WriteXML(CXmlWriter& writer) const;

private:
    std::string m_Name;
    std::vector<std::string> m_members;
    CSmsAddressBookId m_ID;
};
