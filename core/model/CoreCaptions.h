#pragma once

#include "QuillonCoreExport.h"
#include "model/CaptionTable.h"

// The dialogs of the core library and the ids of their controls that carry a caption. Every
// dialog's own caption is control 0 and its OK and cancel buttons are 1 and 2. Where a dialog's
// control has no id of its own, it takes one from 1900 on, in the order the control appears; the
// message edit control, a window rather than a dialog, has the id 900 of our own, the list of
// recipient suggestions 901.
namespace CoreCaptions {

inline constexpr int kCaption = 0;
inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;

// The credit reload dialog.
namespace Credit {
inline constexpr int kDialog = 1000;
inline constexpr int kReload = 1004;
inline constexpr int kVerify = 1008;
inline constexpr int kClub = 1005;
inline constexpr int kExplanation = 1900;
inline constexpr int kAmountLabel = 1901;
inline constexpr int kPointsLabel = 1902;
inline constexpr int kCodeLabel = 1903;
} // namespace Credit

// The service-activation notice.
namespace Sa {
inline constexpr int kDialog = 203;
inline constexpr int kDoNotShowAgain = 1143;
inline constexpr int kText = 1900;
} // namespace Sa

// The message edit control's strip below the text.
namespace SmsEdit {
inline constexpr int kWindow = 900;
inline constexpr int kPartCounter = 2;
inline constexpr int kLengthCounter = 3;
inline constexpr int kFlash = 4;
inline constexpr int kText = 1900; // the field's accessible name
} // namespace SmsEdit

// The synchronisation's mode dialog; the three modes in their order.
namespace SyncMode {
inline constexpr int kDialog = 193;
inline constexpr int kGroup = 1900;
inline constexpr int kFirstMode = 1901;
} // namespace SyncMode

// The synchronisation's progress window.
namespace SyncProgress {
inline constexpr int kWindow = 1004;
inline constexpr int kTitle = 1900;
inline constexpr int kText = 1901;
} // namespace SyncProgress

// A local contact has the number of an alias of another name; kCancel ends the synchronisation.
namespace NumberConflict {
inline constexpr int kDialog = 1002;
inline constexpr int kText = 1900;
inline constexpr int kContactLabel = 1901;
inline constexpr int kAliasLabel = 1902;
inline constexpr int kFirstChoice = 1903; // three choices
} // namespace NumberConflict

// An alias and a contact of one name have different numbers; kCancel ends the synchronisation.
namespace NameConflict {
inline constexpr int kDialog = 1003;
inline constexpr int kText = 1900;
inline constexpr int kNameLabel = 1901;
inline constexpr int kPortellaLabel = 1902;
inline constexpr int kQuillonLabel = 1903;
inline constexpr int kFirstChoice = 1904; // four choices
} // namespace NameConflict

// The synchronisation's error dialog; its toggle shows CoreString::SyncShowDetails and
// SyncHideDetails.
namespace SyncErrors {
inline constexpr int kDialog = 198;
inline constexpr int kText = 1900;
} // namespace SyncErrors

// The list of suggestions that pops up below a recipient field.
namespace AutoComplete {
inline constexpr int kWindow = 901;
inline constexpr int kSuggestions = 1900;
} // namespace AutoComplete

// The buttons of every message box and question.
namespace MessageBox {
inline constexpr int kWindow = 902;
inline constexpr int kYes = 1900;
inline constexpr int kNo = 1901;
// kOk and kCancel as in a dialog.
} // namespace MessageBox

} // namespace CoreCaptions

// The captions of the core's own dialogs, built in (the credit dialog's in English, the others in
// Slovak).
QUILLON_CORE_EXPORT const CaptionTable& BuiltInCoreCaptions();
