#pragma once

#include "QuillonCoreExport.h"

#include "model/CoreStrings.h"
#include "model/SmsUserInfo.h"

#include <cstdint>
#include <string>
#include <vector>

class CSmsAddressBook;
class CSmsAddressBookItem;
class CSyncServerCopy;
class IAddressBookSyncUi;
class IObkService;

// Synchronisation of the local address book with the server-side one (OBK): copy one book
// over the other or merge them, asking the user to settle conflicts and listing what the
// service refused. The server is reached only through IObkService and the user only through
// IAddressBookSyncUi.
//
// The directions follow a fixed order of "first match" lookups; they run on hash indexes that
// give the same first matches, so large books cost linear time.
class CAddressBookSync {
public:
    // The modes are the user object's; named here too for the engine's callers.
    using ManualSyncMode = CSmsUserInfo::ManualSyncMode;
    static constexpr ManualSyncMode ObToQln = CSmsUserInfo::ObToQln;
    static constexpr ManualSyncMode QlnToOb = CSmsUserInfo::QlnToOb;
    static constexpr ManualSyncMode Merge = CSmsUserInfo::Merge;

    CAddressBookSync(CSmsAddressBook& local, IObkService& service, IAddressBookSyncUi& ui);

    // The texts of the messages in the core's language, ANSI: two contacts with one number;
    // completed or ended.
    QUILLON_CORE_EXPORT static std::string DuplicatesMessage(const std::string& first,
                                                             const std::string& second);
    QUILLON_CORE_EXPORT static std::string FinishedMessage(bool completed);

    // The whole interactive run: duplicates check, mode, fetch, direction, result message.
    void Synchronize();
    // Runs one direction on the fetched server copy; false only when the user ended a merge.
    // Any other mode does nothing and counts as completed.
    bool ManualSync(CSmsAddressBook& server, ManualSyncMode mode);
    bool SyncObToQln(CSmsAddressBook& server);
    bool SyncQlnToOb(CSmsAddressBook& server);
    bool SyncMerge(CSmsAddressBook& server);

private:
    // A local contact with the name and numbers the OBK knows it by.
    struct LocalContact {
        std::uint32_t id;
        std::string name;
        std::string aliasName;
        std::string intl1;
        std::string intl2;
    };
    // Which name an upload error line names.
    enum class UploadErrorName { Alias, Contact };

    std::vector<LocalContact> DeriveContacts() const;
    // The first alias with the contact's first number, else with its second.
    static const CSmsAddressBookItem* AliasWithNumbers(const CSyncServerCopy& copy,
                                                       const LocalContact& contact);
    // The fetched aliases that no local contact matches, in order.
    std::vector<std::uint32_t> UnmatchedAliases(const CSmsAddressBook& server) const;
    // Asks about an alias of the contact's name with another number and does what the user
    // chose; upload is set for "copy to the OBK". False when the user ends the merge.
    bool SettleNameConflict(const LocalContact& contact, const CSmsAddressBookItem& alias,
                            bool& upload);
    void FetchAndSync(ManualSyncMode mode);
    void DeleteAliases(CSyncServerCopy& copy, const std::vector<std::uint32_t>& ids);
    void DeleteGroups(CSyncServerCopy& copy, const std::vector<std::uint32_t>& ids);
    void UploadContacts(CSyncServerCopy& copy, const std::vector<LocalContact>& contacts,
                        const std::vector<std::size_t>& uploads, UploadErrorName errorName);
    void SendLocalGroups(const CSyncServerCopy& copy);
    void MergeServerGroups(const CSyncServerCopy& copy);
    void SendMergedGroups(const CSyncServerCopy& copy);
    void AddError(CoreString line, const std::string& name, const std::string& text);
    void ShowErrors();

    CSmsAddressBook& m_local;
    IObkService& m_service;
    IAddressBookSyncUi& m_ui;
    std::string m_errors;
};
