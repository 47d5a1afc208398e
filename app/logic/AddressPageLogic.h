#pragma once

#include "logic/AddressBookEntries.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class CSmsAddressBook;
class CSmsUserInfo;
class IAddressBookSyncUi;
class IAddressPageDialogs;
class ICallRunner;
class IMessageBox;

// The contacts page without its window: the contacts as rows keyed by contact id, new, edit
// and delete with their questions, the group assignment of the selected contact, the export,
// the import and the synchronisation. The book is used under the user's data lock, never while
// a dialog is open.
class AddressPageLogic {
public:
    // Which buttons a selection of that many rows enables.
    struct Buttons {
        bool edit = false;            // "&Uprav..." and "Vymaž..."
        bool addToGroup = false;      // "<<": exactly one row
        bool removeFromGroup = false; // ">>"
        bool editIsDefault = false;   // else "&Nový..." is the default button
    };

    // All must outlive the logic.
    AddressPageLogic(CSmsUserInfo& user, IMessageBox& boxes, IAddressPageDialogs& dialogs);

    // Every contact, in book order (the view sorts).
    std::vector<ContactRow> Rows() const;
    static Buttons ButtonsFor(int selectedRows);

    // With exactly one contact selected, its groups and the others; otherwise all groups.
    GroupAssignment Assignment(const std::vector<std::uint32_t>& selected) const;
    // The contact into or out of the group (by index); true when something changed.
    bool AddToGroup(std::uint32_t contact, int group);
    bool RemoveFromGroup(std::uint32_t contact, int group);

    // The contact dialog until the name is free or the user gives up: the new contact's id.
    std::optional<std::uint32_t> NewContact();
    // The dialog with the contact's fields; true when it changed.
    bool EditContact(std::uint32_t id);
    // After asking (one or several, No by default); true when they went, then the profile is
    // saved.
    bool Delete(const std::vector<std::uint32_t>& ids);

    // Asks for the file and writes the book to it; a file error is shown with its text.
    bool Export();
    bool ExportTo(const std::string& path);

    // The import, under the data lock (the background worker skips its passes meanwhile); true
    // when the book may have changed, then the profile is saved.
    bool Import();

    // The synchronisation with the server's book through the runner; when it is over the
    // profile is saved and finished runs. False when another call was running.
    bool Synchronize(ICallRunner& calls, IAddressBookSyncUi& ui, std::function<void()> finished);

private:
    bool AskToCorrect(int stringId);

    CSmsUserInfo& m_user;
    IMessageBox& m_boxes;
    IAddressPageDialogs& m_dialogs;
};
