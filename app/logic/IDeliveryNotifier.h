#pragma once

#include "frontend/DeliveryCounts.h"

// Tells the user on the desktop what a pass of the background worker learnt of delivery
// reports: one notification per pass, whose action opens the archive page.
class IDeliveryNotifier {
public:
    virtual ~IDeliveryNotifier() = default;
    // counts.Any() is true. Nothing when the user turned desktop notifications off.
    virtual void Notify(const DeliveryCounts& counts) = 0;
};
