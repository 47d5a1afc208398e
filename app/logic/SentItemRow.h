#pragma once

#include "model/ArchiveItemKey.h"

#include <compare>
#include <cstdint>
#include <optional>
#include <string>

class CSmsArchive;
class CSmsArchiveItem;

// Names an archive item for the archive page so that the page finds it again under the
// archive's lock after letting go of it: by its key where it has one (the background worker
// reports by it), otherwise by what it holds (a message without any SMS id cannot change).
struct SentItemId {
    std::optional<ArchiveItemKey> key;
    std::int64_t sentTime = 0;
    std::string text;
    std::string number; // of the first recipient

    static SentItemId Of(const CSmsArchiveItem& item);
    // The item of the archive with this id, or null when it is gone; under the archive's lock.
    CSmsArchiveItem* Find(const CSmsArchive& archive) const;

    auto operator<=>(const SentItemId&) const = default;
};

// One row of the archive page as it was when last taken from the archive: what it shows and
// what it sorts and searches by, so that no row holds on to an item.
struct SentItemRow {
    SentItemId id;
    std::string name; // ANSI, column 0
    int icon = 0;     // ArchiveRows::Icon
    std::string time; // column 1
    std::string text; // ANSI, column 2 on one line
    bool scheduled = false;
    std::int64_t sentTime = 0;
    std::wstring sortName; // lower case; empty for scheduled and multi-recipient items
    std::wstring sortText;
    std::wstring searched; // text, names and numbers folded for the search

    static SentItemRow Of(const CSmsArchiveItem& item);
};
