#pragma once

#include "logic/ProgramCaptions.h"

// The dialogs of the address book import and the ids of their captioned controls.
namespace ProgramCaptions {

// The import dialog.
namespace Import {
inline constexpr int kDialog = 201;
inline constexpr int kFileName = 1099;
inline constexpr int kBrowse = 1100;
inline constexpr int kFolder = 1101;
inline constexpr int kChangeFolder = 1102;
inline constexpr int kKeepDuplicates = 1103;
inline constexpr int kOverwriteDuplicates = 1104;
inline constexpr int kSkipFirstLine = 1107;
inline constexpr int kNoMobileSkip = 1109;
inline constexpr int kNoMobileAsk = 1110;
inline constexpr int kNoMobileAskIfSeveral = 1217;
inline constexpr int kFileType = 1221;
inline constexpr int kFileSource = 1900;
inline constexpr int kOutlookSource = 1901;
inline constexpr int kSourceBox = 1902;
inline constexpr int kFileTypeLabel = 1903;
inline constexpr int kFileNameLabel = 1904;
inline constexpr int kFolderLabel = 1905;
inline constexpr int kDuplicatesBox = 1906;
inline constexpr int kNoMobileBox = 1907;
} // namespace Import

// The choice of another number for a record without a mobile number.
namespace AlternativeNumber {
inline constexpr int kDialog = 173;
inline constexpr int kYes = 6;
inline constexpr int kNo = 7;
inline constexpr int kNameLabel = 1900;
inline constexpr int kQuestion = 1901;
inline constexpr int kNumbers = 1902; // the list's accessible name
} // namespace AlternativeNumber

} // namespace ProgramCaptions
