#pragma once

#include "model/SmsAddressBookText.h"
#include "model/Utilities.h"
#include "model/UtilitiesInternal.h"

#include <string>

// The names under which the server address book knows local contacts and groups. Server
// names are at most 15 plain characters.
namespace SyncNames {

constexpr int kLength = 15;

// A contact's or group member's alias name: transliterated, then cut.
inline std::string AliasName(const std::string& name) {
    return CutToPrefix(StripAccents(name), kLength);
}

// The name a local group is sent under: cut, then transliterated.
inline std::string GroupName(const std::string& name) {
    return StripAccents(CutToPrefix(name, kLength));
}

} // namespace SyncNames
