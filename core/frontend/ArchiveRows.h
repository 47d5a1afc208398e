#pragma once

#include "QuillonCoreExport.h"

#include <string>

class CSmsArchiveItem;
class CSmsRecipientInfo;

// How the archive page shows, filters and sorts archived messages, one row per item.
class QUILLON_CORE_EXPORT ArchiveRows {
public:
    // The row icons, by their index in the page's image lists.
    enum Icon { NoReport = 0, Delivered = 1, NotDelivered = 2, Scheduled = 3, Group = 4 };
    // Pending shares the picture of a message without a report.
    static constexpr Icon Pending = NoReport;

    enum Filter { All = 0, OnlyDelivered = 1, OnlyUndelivered = 2, OnlyScheduled = 3 };
    enum Column { NameColumn = 0, TimeColumn = 1, TextColumn = 2 };

    struct Row {
        std::string name;
        Icon icon = NoReport;
    };
    // Column 0: a scheduled item by its message name, a group or several recipients by the group
    // name, otherwise the single recipient by name with its delivery state.
    static Row NameAndIcon(const CSmsArchiveItem& item);
    // One recipient by its delivery state: no SMS id to ask by, on its way, delivered or not.
    static Icon RecipientIcon(const CSmsRecipientInfo& recipient);
    // A single-recipient immediate item that a delivery report changed.
    static Icon NotifiedIcon(const CSmsArchiveItem& item);
    // Column 2: the text on one line (CR LF and LF as a blank).
    static std::string RowText(const std::string& text);

    // Whether the item is shown under the filter mode (0 to 3; any other shows everything).
    static bool Passes(const CSmsArchiveItem& item, int filter);

    // What column 0 sorts by: empty for scheduled and multi-recipient items.
    static std::string SortName(const CSmsArchiveItem& item);
    // Negative, 0 or positive as a comes before, with or after b when sorting by the column:
    // names and texts without regard to case, times by number.
    static int Compare(const CSmsArchiveItem& a, const CSmsArchiveItem& b, int column,
                       bool ascending);
};
