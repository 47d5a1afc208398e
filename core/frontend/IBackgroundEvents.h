#pragma once

#include "frontend/DeliveryCounts.h"
#include "model/ArchiveItemKey.h"

// What the background worker tells the windows, on the worker's own thread: a window posts
// each event to its own thread and looks the item up there under the archive's lock. Events
// carry keys only, never references that are valid only while a lock is held.
class IBackgroundEvents {
public:
    virtual ~IBackgroundEvents() = default;
    // The session token may have changed (keep-alive, a delivery report query): links that
    // carry it, such as the statistics link, must be built anew.
    virtual void TokenRefreshed() = 0;
    // The delivery states of this archive item changed.
    virtual void ArchiveItemChanged(const ArchiveItemKey& key) = 0;
    // At the end of a pass in which recipients reached a final delivery state (counts.Any()).
    virtual void DeliveriesReported(const DeliveryCounts& counts) { (void)counts; }
};
