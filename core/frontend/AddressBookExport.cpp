#include "frontend/AddressBookExport.h"

#include "model/SmsAddressBook.h"

#include <cerrno>
#include <cstdio>
#include <system_error>

std::string AddressBookExport::Quote(const std::string& value) {
    if (value.find_first_of("\",") == std::string::npos)
        return value;
    std::string quoted = "\"";
    for (const char c : value) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

namespace {

std::string GroupsField(const CSmsAddressBook& book, const std::string& name) {
    std::string field;
    for (int i = 0; i < book.GetGroupCount(); ++i) {
        const CSmsAddressBookGroup* group = book.GetGroup(i);
        if (!group->IsMember(name))
            continue;
        if (!field.empty())
            field += ';';
        field += AddressBookExport::Quote(group->GetName());
    }
    return field;
}

} // namespace

std::string AddressBookExport::Csv(const CSmsAddressBook& book) {
    std::string csv;
    for (int i = 0; i < book.GetItemCount(); ++i) {
        const CSmsAddressBookItem* item = book.GetItem(i);
        csv += Quote(item->GetName()) + ',' + Quote(item->GetPhone1()) + ',' +
               Quote(item->GetPhone2()) + ',' + Quote(GroupsField(book, item->GetName())) + '\n';
    }
    return csv;
}

bool AddressBookExport::Write(const CSmsAddressBook& book, const std::string& path,
                              std::string& error) {
    const std::string csv = Csv(book);
    std::FILE* file = std::fopen(path.c_str(), "w");
    if (!file) {
        error = std::system_category().message(errno);
        return false;
    }
    const bool written = std::fwrite(csv.data(), 1, csv.size(), file) == csv.size();
    int code = written ? 0 : errno;
    // A full disk may show only when the buffer is flushed.
    if (std::fclose(file) != 0 && code == 0)
        code = errno;
    if (!written && code == 0)
        code = EIO;
    if (code != 0) {
        error = std::system_category().message(code);
        return false;
    }
    return true;
}
