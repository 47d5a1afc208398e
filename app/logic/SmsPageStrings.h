#pragma once

// Ids of the program's texts that the compose page shows.
namespace SmsPageString {
constexpr int WrongRecipient = 141;
constexpr int NoRecipient = 142;
constexpr int RecipientsColumn = 151;
constexpr int GroupDeleted = 152;
constexpr int ContactDeleted = 153;
constexpr int EmptyMessage = 154;
constexpr int Sent = 167;
constexpr int ScheduledSent = 214;
// The tooltips of the twelve emoticons, in the order of SmsPageEmoticons.
constexpr int FirstEmoticonTip = 224;
// The send button while a send is under way.
constexpr int Sending = 2300;
} // namespace SmsPageString
