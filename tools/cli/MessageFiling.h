#pragma once

#include "Recipients.h"

#include "model/SmsResultRecords.h"

#include <cstdint>
#include <string>
#include <vector>

class CSmsArchive;
class CSmsArchiveItem;

// What the service said about one recipient of a send: the number it echoed and the SMS id it
// gave (0 for none, always 0 for a scheduled message).
struct SentResult {
    std::string number;
    std::int64_t smsId = 0;
};

// The results of a send as the service gave them.
std::vector<SentResult> SentResults(const SmsSentInfoList& sentInfo);

// The message being filed: the editor's text, the moment of sending, flash, its SMS parts.
struct FiledMessage {
    std::string text;
    std::int64_t sentTime = 0;
    bool flash = false;
    int smsCount = 1;
};

// The schedule of a delayed message as the user chose it.
struct ScheduleChoice {
    std::int64_t deliverAt = 0;
    int periodicity = 0;
    std::string name;
    bool report = false; // delivery reports asked of the service
};

// Files a message sent at once, as the compose page does: one item per contact that got a
// result, one group item per group with its members that got one, one item per typed number,
// and one item named "+" and the number for every result that matches no entry. A result is
// matched by the exact international number and used once.
void FileSentMessage(CSmsArchive& archive, const FiledMessage& message,
                     const std::vector<RecipientEntry>& entries, std::vector<SentResult> results);

// Files a scheduled message as one item whose recipients are the entries' recipients that got a
// result, then the results that match none (named "+" and the number). The item expects
// delivery reports when they were asked for and the service gave a message id to ask by.
CSmsArchiveItem* FileScheduledMessage(CSmsArchive& archive, const FiledMessage& message,
                                      const ScheduleChoice& schedule, std::int64_t messageId,
                                      const std::vector<RecipientEntry>& entries,
                                      std::vector<SentResult> results);

// The recipients of a replaced scheduled message: those the service gave a result stay, the
// others go; results that match none come first, named "+" and the number.
std::vector<Recipient> ReplacedRecipients(const std::vector<Recipient>& recipients,
                                          std::vector<SentResult> results);
