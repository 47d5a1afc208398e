#include "frontend/AddressBookExport.h"

#include "model/SmsAddressBook.h"

#include <cerrno>
#include <cstdio>
#include <system_error>
#include <unordered_map>

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

// Every member's groups field, built in one pass over the groups (in book order) rather than
// asking every group about every contact.
std::unordered_map<std::string, std::string> GroupsFields(const CSmsAddressBook& book) {
    std::unordered_map<std::string, std::string> fields;
    for (int i = 0; i < book.GetGroupCount(); ++i) {
        const CSmsAddressBookGroup* group = book.GetGroup(i);
        const std::string quoted = AddressBookExport::Quote(group->GetName());
        for (const std::string& member : group->GetMembers()) {
            std::string& field = fields[member];
            if (!field.empty())
                field += ';';
            field += quoted;
        }
    }
    return fields;
}

} // namespace

std::string AddressBookExport::Csv(const CSmsAddressBook& book) {
    const auto groups = GroupsFields(book);
    std::string csv;
    for (int i = 0; i < book.GetItemCount(); ++i) {
        const CSmsAddressBookItem* item = book.GetItem(i);
        const auto found = groups.find(item->GetName());
        csv += Quote(item->GetName()) + ',' + Quote(item->GetPhone1()) + ',' +
               Quote(item->GetPhone2()) + ',' +
               (found == groups.end() ? std::string() : Quote(found->second)) + '\n';
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
