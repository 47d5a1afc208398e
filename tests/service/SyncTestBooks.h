#pragma once

#include "model/SmsAddressBook.h"

#include <string>
#include <vector>

// Books written down as short texts for the synchronisation tests.
namespace SyncTestBooks {

struct Contact {
    std::string name;
    std::string phone1;
    std::string phone2;
};

struct Group {
    std::string name;
    std::vector<std::string> members;
};

// Repeated names and members that name no contact are left out.
void Fill(CSmsAddressBook& book, const std::vector<Contact>& contacts,
          const std::vector<Group>& groups = {});

// "name phone1[, phone2]" per contact and "[group] member, member" per group, in order.
std::vector<std::string> Describe(const CSmsAddressBook& book);

} // namespace SyncTestBooks
