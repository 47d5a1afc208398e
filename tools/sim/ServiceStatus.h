#pragma once

// The statuses that the service answers; 0 is success.
namespace ServiceStatus {
inline constexpr int kUnknownLogin = 10;
inline constexpr int kWrongPassword = 11;
inline constexpr int kLockedOut = 12;
inline constexpr int kDeactivated = 13;
inline constexpr int kUnknownToken = 20;
inline constexpr int kExpiredToken = 21;
inline constexpr int kNotInNetwork = 22;
inline constexpr int kNoMobile = 23;
inline constexpr int kServiceDisabled = 26;
inline constexpr int kServiceNotActivated = 27;
inline constexpr int kNoRecipients = 28;
inline constexpr int kNoCredit = 29;
inline constexpr int kWrongNumber = 31;
inline constexpr int kCannotChangeService = 32;
inline constexpr int kServiceInactive = 33;
inline constexpr int kNumberPresent = 35;
inline constexpr int kBadAliasName = 36;
inline constexpr int kWrongActivationCode = 37;
inline constexpr int kPostpaidOnly = 38;
inline constexpr int kCreditCapExceeded = 40;
inline constexpr int kRechargeTooSoon = 41;
inline constexpr int kClubForPostpaidOnly = 42;
inline constexpr int kNotEnoughClubPoints = 46;
inline constexpr int kMobileTaken = 48;
inline constexpr int kWrongMobile = 49;
inline constexpr int kWrongMobileCode = 50;
inline constexpr int kLoginTaken = 51;
inline constexpr int kBadLoginName = 52;
inline constexpr int kBadPassword = 53;
inline constexpr int kBadUserMobile = 54;
inline constexpr int kUserMobileNotInNetwork = 55;
inline constexpr int kUserMobileTaken = 56;
inline constexpr int kWrongUserCode = 57;
inline constexpr int kWrongRechargeCode = 58;
inline constexpr int kDailyLimit = 59;
inline constexpr int kServiceAlreadyActive = 60;
inline constexpr int kActivationPending = 61;
inline constexpr int kWrongVersion = 66;
inline constexpr int kBadSchedule = 67;
inline constexpr int kUnknownMessage = 69;
} // namespace ServiceStatus
