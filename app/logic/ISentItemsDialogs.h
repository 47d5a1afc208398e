#pragma once

#include "logic/SmsDetails.h"

#include <optional>

class CSmsArchiveItem;

// The dialogs the archive page opens; the windows show them, tests script them. The page takes
// its snapshots under the archive's lock and shows them after releasing it, so the background
// worker is never kept waiting by an open dialog.
class ISentItemsDialogs {
public:
    virtual ~ISentItemsDialogs() = default;
    // The filter dialog: the new filter mode (ArchiveRows::Filter) on OK, nothing on cancel.
    virtual std::optional<int> ChooseFilter(int mode) = 0;
    // The details of an immediate message: one recipient or a group.
    virtual void ShowDetails(const SmsDetails& details) = 0;
    // The scheduled message dialog: edits the copy and replaces the message at the service.
    // True when it was replaced; then message holds what the archive item is to become
    // (ScheduledSms::ApplyTo).
    virtual bool EditScheduled(ScheduledSms& message) = 0;
};
