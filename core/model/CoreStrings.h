#pragma once

#include "QuillonCoreExport.h"
#include "model/StringTable.h"

// The ids of the core library's own texts. The code asks for them only by these names; a new
// text gets the next number, before End, and an entry in kCoreStringUses.
enum class CoreString : int {
    SmsCount = 1,              // the edit control's part counter
    Length = 2,                // the edit control's length counter
    ReloadNotCompleted = 3,    // credit dialog: closing while a request is pending
    ReloadRequestSent = 4,     // credit dialog: the check code is on its way
    CheckCodeEmpty = 5,        // credit dialog
    ReloadDone = 6,            // credit dialog
    WrongCheckCode = 7,        // credit dialog: repeat?
    FlashTooLong = 8,          // edit control: cut the text for a flash message?
    SyncCompleted = 9,         // address book synchronisation
    SyncEndedByUser = 10,      // address book synchronisation
    SyncDuplicates = 11,       // two contacts with one number (names)
    SyncDeleteAliasError = 12, // error line (name, error text)
    SyncSetAliasError = 13,    // error line (name, error text)
    SyncSetGroupError = 14,    // error line (name, error text)
    SyncDeleteGroupError = 15, // error line (name, error text)
    SyncShowDetails = 16,      // the sync error dialog's toggle while collapsed
    SyncHideDetails = 17,      // ... while expanded
    AmountItem = 18,           // credit dialog: an amount
    PointsItem = 19,           // credit dialog: points, surcharge, currency
    End
};

// What the code gives each text: its arguments as FormatConversions spells them.
struct CoreStringUse {
    CoreString id;
    const char* conversions;
};

inline constexpr CoreStringUse kCoreStringUses[] = {
    {CoreString::SmsCount, "ii"},
    {CoreString::Length, "ii"},
    {CoreString::ReloadNotCompleted, ""},
    {CoreString::ReloadRequestSent, ""},
    {CoreString::CheckCodeEmpty, ""},
    {CoreString::ReloadDone, ""},
    {CoreString::WrongCheckCode, ""},
    {CoreString::FlashTooLong, ""},
    {CoreString::SyncCompleted, ""},
    {CoreString::SyncEndedByUser, ""},
    {CoreString::SyncDuplicates, "ss"},
    {CoreString::SyncDeleteAliasError, "ss"},
    {CoreString::SyncSetAliasError, "ss"},
    {CoreString::SyncSetGroupError, "ss"},
    {CoreString::SyncDeleteGroupError, "ss"},
    {CoreString::SyncShowDetails, ""},
    {CoreString::SyncHideDetails, ""},
    {CoreString::AmountItem, "i"},
    {CoreString::PointsItem, "ifs"},
};

// The core's built-in (Slovak) texts.
QUILLON_CORE_EXPORT const StringTable& BuiltInCoreStrings();
