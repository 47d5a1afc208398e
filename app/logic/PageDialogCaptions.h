#pragma once

#include "logic/ProgramCaptions.h"

// The dialogs of the compose and archive pages and the ids of their captioned controls.
namespace ProgramCaptions {

// The scheduling dialog of a delayed message.
namespace Scheduling {
inline constexpr int kDialog = 194;
inline constexpr int kDateLabel = 1900;
inline constexpr int kTimeLabel = 1901;
inline constexpr int kPeriodLabel = 1902;
inline constexpr int kNameLabel = 1903;
} // namespace Scheduling

// The archive's filter.
namespace Filter {
inline constexpr int kDialog = 195;
inline constexpr int kAll = 1185;
inline constexpr int kDelivered = 1186;
inline constexpr int kUndelivered = 1187;
inline constexpr int kScheduled = 1188;
} // namespace Filter

// The details of a message to one recipient (169) and to a group (202); labels in both.
namespace Details {
inline constexpr int kSingleDialog = 169;
inline constexpr int kGroupDialog = 202;
inline constexpr int kToLabel = 1900;
inline constexpr int kNumberLabel = 1901;
inline constexpr int kSentLabel = 1902;
inline constexpr int kStateLabel = 1903;
inline constexpr int kFlashLabel = 1904;
inline constexpr int kCharactersLabel = 1905;
inline constexpr int kPartsLabel = 1906;
inline constexpr int kGroupLabel = 1907;
inline constexpr int kTextLabel = 1908;
inline constexpr int kRecipientsLabel = 1909;
} // namespace Details

// The scheduled message: OK saves the changes, cancel closes.
namespace Scheduled {
inline constexpr int kDialog = 199;
inline constexpr int kReport = 1205;
inline constexpr int kChange = 1209;
inline constexpr int kAdd = 1077;
inline constexpr int kRemove = 1014;
inline constexpr int kNameLabel = 1900;
inline constexpr int kTimeLabel = 1901;
inline constexpr int kPeriodLabel = 1902;
inline constexpr int kFlashLabel = 1903;
inline constexpr int kRecipientLabel = 1904;
inline constexpr int kRecipientsLabel = 1905;
inline constexpr int kTextLabel = 1906;
inline constexpr int kNumberColumn = 1907;
} // namespace Scheduled

} // namespace ProgramCaptions
