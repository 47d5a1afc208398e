#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Snapshots of the address book that the contacts and groups pages show; texts are ANSI, as
// the book keeps them. Nothing here points into the book, so a view may paint them while a
// synchronisation works on the user.

// What the contact dialog edits.
struct ContactFields {
    std::string name;
    std::string phone1;
    std::string phone2;
};

// One row of the contacts list.
struct ContactRow {
    std::uint32_t id = 0;
    std::string name;
    std::string phone1;
    std::string phone2;
};

// A group or a contact by its index in the book, with its name.
struct BookEntry {
    int index = -1;
    std::string name;
};

// The two lists of the group assignment of the contacts page.
struct GroupAssignment {
    std::vector<BookEntry> memberOf; // the groups that have the contact
    std::vector<BookEntry> others;   // the other groups
};

// The two member lists of the groups page.
struct MemberLists {
    std::vector<std::string> members; // the group's members, in its order
    std::vector<BookEntry> people;    // every contact that is not a member
};
