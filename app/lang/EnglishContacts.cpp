// The English texts of the contacts and groups pages and their dialogs.
#include "EnglishTexts.h"

namespace {

const QuillonResString kStrings[] = {
    {131, "Edit Contact"},
    {132, "New Contact"},
    {133, "A contact with this name already exists. Do you want to correct the details?"},
    {134, "Do you really want to delete the contact from the address book?"},
    {135, "Edit Group"},
    {136, "New Group"},
    {137, "A group with this name already exists. Do you want to correct the details?"},
    {138, "Do you really want to delete the group from the address book?"},
    {139, "You have not entered any phone number"},
    {144, "Name"},
    {145, "Phone 1"},
    {146, "Phone 2"},
    {172, "Do you really want to delete %d contacts from the address book?"},
    {2600, "Export Address Book"},
    {2601, "contacts.csv"},
};

const QuillonResCaption kCaptions[] = {
    {135, 0, "Contacts"},
    {135, 1011, "Contacts"},
    {135, 1015, "Member of:"},
    {135, 1016, "Other groups:"},
    {135, 1017, "<<"},
    {135, 1018, ">>"},
    {135, 1135, "All"},
    {135, 1900, "&New..."},
    {135, 1901, "&Edit..."},
    {135, 1902, "Delete..."},
    {135, 1903, "E&xport..."},
    {135, 1904, "&Import..."},
    {135, 1905, "&Synchronize..."},
    {135, 1906, "Group membership"},
    {137, 0, "Groups"},
    {137, 1042, "Group members:"},
    {137, 1043, "People:"},
    {137, 1044, "<<"},
    {137, 1045, ">>"},
    {137, 1046, "Groups:"},
    {137, 1900, "&New..."},
    {137, 1901, "&Edit..."},
    {137, 1902, "Delete..."},
    {162, 1900, "&Name:"},
    {162, 1901, "Phone number &1:"},
    {162, 1902, "Phone number &2:"},
    {162, 1, "OK"},
    {162, 2, "Cancel"},
    {163, 1900, "Group name:"},
    {163, 1, "OK"},
    {163, 2, "Cancel"},
};

} // namespace

EnglishTexts EnglishContactsTexts() {
    return {kStrings, kCaptions};
}
