#pragma once

// What one pass of the background worker learnt of delivery reports: how many recipients
// reached each final state in it.
struct DeliveryCounts {
    int delivered = 0;
    int undelivered = 0;
    int expired = 0;

    bool Any() const { return delivered + undelivered + expired > 0; }
    bool operator==(const DeliveryCounts&) const = default;
};
