#pragma once

// Qt's headers first: moc cannot parse the standard library's <compare> when it meets it alone.
#include <QObject>

#include "frontend/DeliveryCounts.h"
#include "frontend/IBackgroundEvents.h"
#include "model/ArchiveItemKey.h"

// The background worker's reports, taken from its thread to this object's thread as signals.
// A report still queued when the object goes is dropped with it.
class WorkerEventBridge : public QObject, public IBackgroundEvents {
    Q_OBJECT
public:
    using QObject::QObject;

    // From any thread.
    void TokenRefreshed() override;
    void ArchiveItemChanged(const ArchiveItemKey& key) override;
    void DeliveriesReported(const DeliveryCounts& counts) override;

signals:
    void tokenRefreshed();
    void archiveItemChanged(ArchiveItemKey key);
    void deliveriesReported(DeliveryCounts counts);
};
