#pragma once

#include "logic/ProgramCaptions.h"

// The compose page and the two dialogs it opens for the recipients.
namespace ProgramCaptions {

namespace SmsPage {
inline constexpr int kDialog = 133;
inline constexpr int kRecipient = 1020;
inline constexpr int kAdd = 1077;
inline constexpr int kFromBook = 1038;
inline constexpr int kRecipientList = 1073;
inline constexpr int kSendLater = 1178;
inline constexpr int kSend = 1009;
inline constexpr int kRecipientLabel = 1900;
inline constexpr int kEmoticons = 1901;
} // namespace SmsPage

namespace NumberChoice {
inline constexpr int kDialog = 170;
inline constexpr int kQuestion = 1900;
inline constexpr int kFirst = 1901;
inline constexpr int kSecond = 1902;
inline constexpr int kDontAdd = kCancel;
} // namespace NumberChoice

namespace RecipientChooser {
inline constexpr int kDialog = 164;
inline constexpr int kContacts = 1900;
inline constexpr int kGroups = 1901;
inline constexpr int kAdd = 1902;
inline constexpr int kRemove = 1903;
inline constexpr int kChosen = 1904;
} // namespace RecipientChooser

} // namespace ProgramCaptions
