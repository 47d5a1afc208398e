#pragma once

#include "model/StringTable.h"

// Ids of the desktop program's own texts that its logic refers to by name.
namespace ProgramString {
constexpr int Title = 102;
constexpr int Exit = 128;
constexpr int ServiceUnavailable = 165;
constexpr int CommunicationError = 166;
constexpr int LoggedInAs = 170;
constexpr int RegisterNumberNow = 192;
constexpr int WrongCheckString = 193;
constexpr int StopRegistration = 196;
constexpr int RegistrationRequestSent = 197;
constexpr int NoNumber = 198;
constexpr int NumberRegistered = 199;
constexpr int NoCheckString = 200;
constexpr int SecondCopy = 221;
constexpr int DefaultNotice = 222;
constexpr int ServiceError = 300;
constexpr int WrongVersion = 366;
constexpr int TransportError = 400;
constexpr int TrayTip = 57344;
// Desktop notifications of delivery reports: each state has three forms (SlovakCountForm).
constexpr int DeliveriesSummary = 2200;
constexpr int DeliveredOne = 2201;
constexpr int UndeliveredOne = 2204;
constexpr int ExpiredOne = 2207;
constexpr int OpenArchive = 2210;
} // namespace ProgramString

// The desktop program's string table (Slovak, UTF-8): its own texts and the texts it shows for
// the service's statuses (300 + n, 300 for any other) and transport failures (400 + n, 400).
const StringTable& BuiltInProgramStrings();
// The same in the interface language (ProgramLanguage::Use).
const StringTable& ProgramStrings();
