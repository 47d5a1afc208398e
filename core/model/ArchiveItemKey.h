#pragma once

#include "QuillonCoreExport.h"

#include <compare>
#include <cstdint>
#include <optional>

class CSmsArchive;
class CSmsArchiveItem;

// Names an archive item so that another thread can find it again later under the archive's
// lock, whatever happened to the archive meanwhile: a scheduled message by its message id, a
// sent one by the SMS id of its first recipient that has one. Work done outside the lock
// (a background worker reporting to a window) hands these on, never the item itself.
struct QUILLON_CORE_EXPORT ArchiveItemKey {
    bool scheduled = false;
    std::int64_t id = 0;

    // None for a sent message without any SMS id.
    static std::optional<ArchiveItemKey> Of(const CSmsArchiveItem& item);
    // The first item of the archive (newest first) with this key; null when it is gone. The
    // caller holds the archive's lock.
    CSmsArchiveItem* Find(const CSmsArchive& archive) const;

    auto operator<=>(const ArchiveItemKey&) const = default;
};
