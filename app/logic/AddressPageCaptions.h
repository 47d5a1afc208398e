#pragma once

#include "logic/ProgramCaptions.h"

// The contacts and groups pages, their two dialogs and the ids of their captioned controls.
namespace ProgramCaptions {

// The contacts page.
namespace Contacts {
inline constexpr int kDialog = 135;
inline constexpr int kList = 1011; // the list's accessible name
inline constexpr int kMemberOf = 1015;
inline constexpr int kOtherGroups = 1016;
inline constexpr int kAddToGroup = 1017;
inline constexpr int kRemoveFromGroup = 1018;
inline constexpr int kSelectAll = 1135;
inline constexpr int kNew = 1900;
inline constexpr int kEdit = 1901;
inline constexpr int kDelete = 1902;
inline constexpr int kExport = 1903;
inline constexpr int kImport = 1904;
inline constexpr int kSynchronize = 1905;
inline constexpr int kGroupsBox = 1906;
} // namespace Contacts

// The groups page.
namespace Groups {
inline constexpr int kDialog = 137;
inline constexpr int kMembers = 1042;
inline constexpr int kPeople = 1043;
inline constexpr int kAddMember = 1044;
inline constexpr int kRemoveMember = 1045;
inline constexpr int kGroups = 1046;
inline constexpr int kNew = 1900;
inline constexpr int kEdit = 1901;
inline constexpr int kDelete = 1902;
} // namespace Groups

// The contact dialog; its caption is string 131 or 132.
namespace ContactDialog {
inline constexpr int kDialog = 162;
inline constexpr int kNameLabel = 1900;
inline constexpr int kPhone1Label = 1901;
inline constexpr int kPhone2Label = 1902;
} // namespace ContactDialog

// The group dialog; its caption is string 135 or 136.
namespace GroupDialog {
inline constexpr int kDialog = 163;
inline constexpr int kNameLabel = 1900;
} // namespace GroupDialog

} // namespace ProgramCaptions
