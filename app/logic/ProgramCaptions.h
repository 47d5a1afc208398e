#pragma once

#include "model/CaptionTable.h"

// The desktop program's dialogs and the ids of their controls that carry a caption. A dialog's
// own caption is control 0, its OK and cancel buttons 1 and 2; controls without an id of their
// own take one from 1900 on.
namespace ProgramCaptions {

inline constexpr int kCaption = 0;
inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;
inline constexpr int kYes = 6;
inline constexpr int kNo = 7;

// The login dialog.
namespace Login {
inline constexpr int kDialog = 176;
inline constexpr int kNameLabel = 1900;
inline constexpr int kPasswordLabel = 1901;
} // namespace Login

// The registration of the mobile number; its close button is the cancel button.
namespace MobileRegistration {
inline constexpr int kDialog = 177;
inline constexpr int kNumberLabel = 1900;
inline constexpr int kCodeLabel = 1901;
inline constexpr int kSendRequest = 1902;
inline constexpr int kVerify = 1903;
} // namespace MobileRegistration

// The exit confirmation.
namespace Exit {
inline constexpr int kDialog = 182;
inline constexpr int kYes = 6;
inline constexpr int kNo = 7;
inline constexpr int kQuestion = 1900;
inline constexpr int kDontAskAgain = 1901;
} // namespace Exit

// The notice window.
namespace Notice {
inline constexpr int kDialog = 196;
inline constexpr int kBrowser = 1190; // the page's accessible name
inline constexpr int kClose = 1900;
} // namespace Notice

// The archive page.
namespace SentItems {
inline constexpr int kDialog = 134;
inline constexpr int kList = 1027; // the list's accessible name
inline constexpr int kDelete = 1014;
inline constexpr int kDetails = 1084;
inline constexpr int kCreditCaption = 1119;
inline constexpr int kSelectAll = 1135;
inline constexpr int kForward = 1142;
inline constexpr int kFilter = 1184;
inline constexpr int kStatistics = 1029;
inline constexpr int kCountCaption = 1900;
inline constexpr int kSearch = 1901;
inline constexpr int kExport = 1902;
} // namespace SentItems

} // namespace ProgramCaptions

// The captions as the program carries them (Slovak, UTF-8).
const CaptionTable& BuiltInProgramCaptions();
