#pragma once

#include "QuillonCoreExport.h"

#include "service/AddressBookSync.h"

#include <optional>
#include <string>

class CKvwsSoapException;

// Everything a synchronisation asks the user or shows: the desktop program implements it with
// its dialogs, the command-line client with questions on the terminal, tests with scripted
// answers. Texts are ANSI, like all text inside the system.
class QUILLON_CORE_EXPORT IAddressBookSyncUi {
public:
    // A local contact has the number of an alias with another name.
    enum class NumberConflictChoice {
        DeleteAlias,   // delete the alias from the OBK
        DeleteContact, // delete the contact from the local book
        Ignore,        // leave both, do not copy the contact
        EndSync,       // "Ukončiť synchronizáciu"
    };

    // An alias and a local contact of the same name have different numbers.
    enum class NameConflictChoice {
        CopyToObk,     // upload the local number
        StoreAsPhone1, // the alias's number becomes the contact's first number
        StoreAsPhone2, // ... its second number
        DoNotSync,     // leave both
        EndSync,       // "Ukončiť synchronizáciu"
    };

    virtual ~IAddressBookSyncUi() = default;

    // The mode dialog; nothing when the user cancels ("Storno").
    virtual std::optional<CAddressBookSync::ManualSyncMode> AskMode() = 0;
    // Two contacts share a number (the first named is the later one); nothing else happens.
    // The desktop shows CAddressBookSync::DuplicatesMessage with an exclamation icon.
    virtual void ShowDuplicates(const std::string& first, const std::string& second) = 0;
    // The progress window and the wait cursor, shown for the fetch and the chosen direction.
    virtual void ShowProgress(bool shown) = 0;
    // contactName: the local contact's name; aliasName: the alias that has its number.
    virtual NumberConflictChoice AskNumberConflict(const std::string& contactName,
                                                   const std::string& aliasName) = 0;
    // name: the contact's name; obkNumber: "+" and the alias's number; localNumbers: the
    // contact's first number, followed by ", " and the second one when there is one.
    virtual NameConflictChoice AskNameConflict(const std::string& name,
                                               const std::string& obkNumber,
                                               const std::string& localNumbers) = 0;
    // The error dialog with every error line (each ends with CR LF).
    virtual void ShowErrors(const std::string& lines) = 0;
    // The server book could not be fetched: the refusal's status; nothing was changed.
    virtual void ShowFetchRefused(int status) = 0;
    // The run is over: completed, or ended by the user in a merge (the desktop shows
    // CAddressBookSync::FinishedMessage).
    virtual void ShowFinished(bool completed) = 0;
    // A service database failure: the program's text "service temporarily unavailable".
    virtual void ShowDbError() = 0;
    // A service or transport failure: the exception's text, or the program's generic
    // communication error when it has none.
    virtual void ShowSoapError(const CKvwsSoapException& error) = 0;
    // The running program's text of a refusal status (its string 300 + status, or string 300
    // formatted with the status).
    virtual std::string StatusText(int status) const = 0;
};
