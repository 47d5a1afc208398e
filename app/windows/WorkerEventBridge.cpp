#include "windows/WorkerEventBridge.h"

void WorkerEventBridge::TokenRefreshed() {
    QMetaObject::invokeMethod(
        this, [this] { emit tokenRefreshed(); }, Qt::QueuedConnection);
}

void WorkerEventBridge::ArchiveItemChanged(const ArchiveItemKey& key) {
    QMetaObject::invokeMethod(
        this, [this, key] { emit archiveItemChanged(key); }, Qt::QueuedConnection);
}

void WorkerEventBridge::DeliveriesReported(const DeliveryCounts& counts) {
    QMetaObject::invokeMethod(
        this, [this, counts] { emit deliveriesReported(counts); }, Qt::QueuedConnection);
}
