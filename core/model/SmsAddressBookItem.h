#pragma once

#include "QuillonCoreExport.h"

#include "SmsAddressBookId.h"

#include <pugixml.hpp>

#include <cstdint>
#include <string>

class CXmlWriter;

// A contact: a name, unique within its address book, and up to two phone numbers as entered.
class QUILLON_CORE_EXPORT CSmsAddressBookItem {
public:
    CSmsAddressBookItem(const std::string& name, const std::string& phone1,
                        const std::string& phone2);
    // From an "Entry" element; missing parts stay empty.
    explicit CSmsAddressBookItem(const pugi::xml_node& entry);
    // Copies keep the ID.
    CSmsAddressBookItem(const CSmsAddressBookItem& other) = default;
    CSmsAddressBookItem& operator=(const CSmsAddressBookItem& other) = default;
    ~CSmsAddressBookItem() = default;

    const std::string& GetName() const { return m_Name; }
    const std::string& GetPhone1() const { return m_Phone1; }
    const std::string& GetPhone2() const { return m_Phone2; }
    std::uint32_t GetID() const { return m_ID.Value(); }

    void SetName(const std::string& name) { m_Name = name; }
    void SetName(const char* name) { m_Name = name ? name : ""; }
    void SetPhone1(const std::string& phone) { m_Phone1 = phone; }
    void SetPhone1(const char* phone) { m_Phone1 = phone ? phone : ""; }
    void SetPhone2(const std::string& phone) { m_Phone2 = phone; }

    std::string GetNameNoAccents() const;
    // "name (#2) phone2" or "name (#1) phone1".
    std::string GetDisplayString(bool second) const;

    // Writes an "Entry" element.
    void WriteXML(CXmlWriter& writer) const;

private:
    std::string m_Name;
    std::string m_Phone1;
    std::string m_Phone2;
    CSmsAddressBookId m_ID;
};
