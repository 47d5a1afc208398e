#pragma once

#include "QuillonCoreExport.h"

#include <string>
#include <vector>

// One way to pay a credit amount with club points, as the credit list offers it.
struct QUILLON_CORE_EXPORT _CreditInfo {
    // Club points needed.
    int points = 0;
    // The surcharge in money, and its currency (empty when the service names none).
    float addCharge = 0;
    std::string currency;
};

// The club-point options of one credit amount, in the service's order.
using CreditInfoArray = std::vector<_CreditInfo>;
