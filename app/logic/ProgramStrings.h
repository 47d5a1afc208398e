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
// The archive page
constexpr int DeleteOne = 143;
constexpr int NumberColumn = 147;
constexpr int TimeColumn = 148;
constexpr int TextColumn = 149;
constexpr int DeleteSeveral = 171;
constexpr int StateUndeliverable = 179;
constexpr int StatePending = 180;
constexpr int StateExpired = 181;
constexpr int StateNoReport = 182;
constexpr int DeletePeriodic = 212;
constexpr int ExportSent = 2400;
constexpr int ExportName = 2401;
constexpr int ExportNumber = 2402;
constexpr int ExportState = 2403;
constexpr int ExportDeliveryTime = 2404;
constexpr int ExportText = 2405;
constexpr int StateDeliveredNoTime = 2406;
constexpr int SearchPlaceholder = 2407;
constexpr int ExportButton = 2408;
constexpr int ExportTitle = 2409;
constexpr int ExportFilter = 2410;
constexpr int ExportFailed = 2411;
constexpr int ExportFileName = 2412;
// The contacts page and the address book import
constexpr int BadNumberFormat = 140;
constexpr int CsvFilter = 173;
// The contacts and groups pages
constexpr int EditContactTitle = 131;
constexpr int NewContactTitle = 132;
constexpr int ContactNameTaken = 133;
constexpr int DeleteContact = 134;
constexpr int EditGroupTitle = 135;
constexpr int NewGroupTitle = 136;
constexpr int GroupNameTaken = 137;
constexpr int DeleteGroup = 138;
constexpr int NoPhoneNumber = 139;
constexpr int ContactNameColumn = 144;
constexpr int Phone1Column = 145;
constexpr int Phone2Column = 146;
constexpr int DeleteContacts = 172;
constexpr int AddressExportTitle = 2600;
constexpr int AddressExportFileName = 2601;
// The settings page
constexpr int NumberTooBig = 155;
constexpr int ActivateService = 168;
constexpr int DeactivateService = 169;
constexpr int EnterUserName = 175;
constexpr int WrongActivationCode = 195;
constexpr int ConfirmDeactivation = 202;
constexpr int CheckStringVerified = 203;
constexpr int ServiceDeactivated = 204;
constexpr int ProgramMustEnd = 205;
constexpr int LanguageAfterRestart = 208;
constexpr int DesktopNotificationsOption = 2800;
constexpr int SettingsNotSaved = 2801;
constexpr int AutostartNotSet = 2802;
constexpr int VersionLabel = 2803;
// The address book import
constexpr int NoContactsInFolder = 156;
constexpr int ImportLineError = 157;
constexpr int NoNumbers = 158;
constexpr int ImportDone = 159;
constexpr int EnterFileName = 160;
constexpr int LabelWork = 161;
constexpr int LabelHome = 162;
constexpr int LabelPrimary = 163;
constexpr int LabelOther = 164;
constexpr int BadVCardNumber = 174;
constexpr int NoOutlook = 189;
constexpr int NbuType = 190;
constexpr int NbuFilter = 191;
constexpr int GoOnWithoutRecord = 213;
constexpr int QuillonCsvType = 215;
constexpr int Outlook98CsvType = 216;
constexpr int NfcType = 217;
constexpr int NfcFilter = 218;
constexpr int BackupDataError = 219;
constexpr int BackupWrongVersion = 220;
constexpr int VCardType = 2700;
constexpr int VCardFilter = 2701;
constexpr int ImportProgress = 2702;
constexpr int ImportCancel = 2703;
constexpr int ImportFileTitle = 2704;
constexpr int ImportReadFailed = 2705;
} // namespace ProgramString

// The desktop program's string table (Slovak, UTF-8): its own texts and the texts it shows for
// the service's statuses (300 + n, 300 for any other) and transport failures (400 + n, 400).
const StringTable& BuiltInProgramStrings();
// The same in the interface language (ProgramLanguage::Use).
const StringTable& ProgramStrings();
