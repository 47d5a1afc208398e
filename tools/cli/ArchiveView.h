#pragma once

#include <cstdint>
#include <optional>
#include <string>

class CSmsArchive;
class CSmsArchiveItem;
class CSmsRecipientInfo;

// Whether the item still waits for a delivery report that may come: an immediate message with
// a recipient that has an SMS id and no final state, inside the notification window; or a
// scheduled message with reports whose latest occurrence has come and is not yet reported.
bool AwaitsReport(const CSmsArchiveItem& item, std::int64_t now);

// The archive page's filters and a few more; an item passes when it meets every one set.
struct ArchiveFilter {
    bool delivered = false;   // not scheduled, and delivered unless it has no delivery report
    bool undelivered = false; // not scheduled and not delivered
    bool scheduled = false;
    bool pending = false; // AwaitsReport
    std::optional<std::int64_t> since;
    int limit = 0; // at most this many items; 0 for all

    bool Passes(const CSmsArchiveItem& item, std::int64_t now) const;
};

// A recipient's state in English: "delivered", "pending", "expired", "not deliverable", or
// "no delivery report" for a message sent without one.
std::string RecipientState(const CSmsArchiveItem& item, const CSmsRecipientInfo& recipient);

// The items that pass the filter, newest first, numbered by their 1-based archive index: a
// heading line (index, sent time, what kind of message), the text on one line, then one line
// per recipient (name, number, state and delivery time).
std::string FormatArchive(CSmsArchive& archive, const ArchiveFilter& filter, std::int64_t now);
// The same as tab-separated lines, one per recipient: index, sent time, kind ("sms", "group",
// "scheduled"), message id, recipient name, number, SMS id, status, state, delivery time, text
// (times in seconds since 1970, line breaks of the text as blanks).
std::string FormatArchiveTsv(CSmsArchive& archive, const ArchiveFilter& filter, std::int64_t now);
