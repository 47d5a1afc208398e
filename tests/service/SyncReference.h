#pragma once

#include "service/AddressBookSync.h"

#include <string>

class CSmsAddressBook;
class IAddressBookSyncUi;
class IObkService;

// The synchronisation directions written the plain way: every lookup a linear search of the
// books in order, every work list a vector. The indexed engine must do exactly what this does.
class CSyncReference {
public:
    CSyncReference(CSmsAddressBook& local, IObkService& service, IAddressBookSyncUi& ui);
    bool ManualSync(CSmsAddressBook& server, CAddressBookSync::ManualSyncMode mode);

private:
    bool ObToQln(CSmsAddressBook& server);
    bool QlnToOb(CSmsAddressBook& server);
    bool Merge(CSmsAddressBook& server);
    void Error(const char* before, const std::string& name, const char* middle,
               const std::string& text);

    CSmsAddressBook& m_local;
    IObkService& m_service;
    IAddressBookSyncUi& m_ui;
    std::string m_errors;
};
