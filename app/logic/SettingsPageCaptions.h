#pragma once

#include "logic/ProgramCaptions.h"

// The settings and about pages and the dialogs of the settings page, with the ids of their
// captioned controls.
namespace ProgramCaptions {

// The settings page.
namespace Settings {
inline constexpr int kDialog = 136;
inline constexpr int kPortalCredits = 1008;
inline constexpr int kMonthlyPlan = 1007;
inline constexpr int kDoArchive = 1025;
inline constexpr int kDeliveryReport = 1026;
inline constexpr int kSeveralUsers = 1031;
inline constexpr int kOneUser = 1032;
inline constexpr int kName = 1033; // the name field's accessible name
inline constexpr int kSavePassword = 1034;
inline constexpr int kAutoDelete = 1087;
inline constexpr int kByAge = 1088;
inline constexpr int kByCount = 1089;
inline constexpr int kMaxDays = 1090;  // the days field's accessible name
inline constexpr int kMaxItems = 1091; // the count field's accessible name
inline constexpr int kRecharge = 1129;
inline constexpr int kMinToTray = 1133;
inline constexpr int kAutostart = 1134;
inline constexpr int kLanguage = 1154; // the language list's accessible name
inline constexpr int kShowNotice = 1189;
inline constexpr int kEnterKey = 1194;
inline constexpr int kPaymentBox = 1900;
inline constexpr int kDaysUnit = 1901;
inline constexpr int kNameLabel = 1902;
inline constexpr int kLanguageLabel = 1903;
inline constexpr int kArchiveBox = 1904;
inline constexpr int kUsersBox = 1905;
inline constexpr int kProgramBox = 1906;
inline constexpr int kServiceBox = 1907;
} // namespace Settings

// The about page.
namespace About {
inline constexpr int kDialog = 100;
inline constexpr int kSupport = 1114;
inline constexpr int kNews = 1115;
inline constexpr int kUpdate = 1116;
inline constexpr int kManual = 1117;
inline constexpr int kVersion = 1146; // the version label's accessible name
inline constexpr int kProgramName = 1900;
} // namespace About

// The activation of the postpaid service: the terms, the explanation, the check string.
namespace Activation {
inline constexpr int kDialog = 178;
inline constexpr int kTermsCaption = 1900;
inline constexpr int kExplanation = 1901;
inline constexpr int kCodeLabel = 1902;
inline constexpr int kTerms = 1903; // the terms' accessible name
} // namespace Activation

// What the Enter key does while a message is written.
namespace EnterKey {
inline constexpr int kDialog = 191;
inline constexpr int kBox = 1900;
inline constexpr int kNewLine = 1155;
inline constexpr int kSend = 1156;
} // namespace EnterKey

} // namespace ProgramCaptions
