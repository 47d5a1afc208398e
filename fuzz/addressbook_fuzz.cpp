// The address book reader on any document: no crash, and the book's promises hold afterwards.
#include "WrittenXml.h"
#include "model/SmsAddressBook.h"
#include "model/StoredXml.h"

#include <pugixml.hpp>

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>

namespace {

void Check(bool condition) {
    if (!condition)
        __builtin_trap();
}

void CheckInvariants(const CSmsAddressBook& book) {
    std::set<std::string> names;
    for (int i = 0; i < book.GetItemCount(); ++i) {
        const CSmsAddressBookItem* item = book.GetItem(i);
        Check(!item->GetPhone1().empty() || !item->GetPhone2().empty());
        Check(names.insert(item->GetName()).second);
        Check(item->GetID() < CSmsAddressBookId::Limit);
    }
    std::set<std::string> groups;
    for (int i = 0; i < book.GetGroupCount(); ++i) {
        const CSmsAddressBookGroup* group = book.GetGroup(i);
        Check(groups.insert(group->GetName()).second);
        for (const std::string& member : group->GetMembers())
            Check(names.count(member) == 1);
    }
}

std::string Serialise(const CSmsAddressBook& book) {
    return WrittenXml([&](CXmlWriter& writer) {
        writer.Open("User");
        book.WriteXML(writer);
        writer.Close();
    });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    pugi::xml_document doc;
    if (!doc.load_buffer(data, size, kStoredXmlParseFlags))
        return 0;
    CSmsAddressBook book;
    book.ReadXML(doc.document_element());
    CheckInvariants(book);

    // What was written reads back as the same book.
    const std::string text = Serialise(book);
    pugi::xml_document again;
    Check(static_cast<bool>(again.load_string(text.c_str(), kStoredXmlParseFlags)));
    CSmsAddressBook copy;
    copy.ReadXML(again.document_element().child("AddressBook"));
    Check(copy.GetItemCount() == book.GetItemCount());
    Check(copy.GetGroupCount() == book.GetGroupCount());
    Check(Serialise(copy) == text);

    int later = 0, earlier = 0;
    book.HasDuplicates(later, earlier);
    if (book.GetItemCount() > 0) {
        const std::string& name = book.GetItem(0)->GetName();
        Check(book.GetItemByName(name) == book.GetItem(0));
        book.GetItemByName(name, true, true, 3);
        book.GetItemByNumber(book.GetItem(0)->GetPhone1(), true, true);
    }
    return 0;
}
