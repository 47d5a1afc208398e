#include "CreditText.h"

#include "model/CreditInfo.h"
#include "model/Utilities.h"

#include <cstdio>

std::string CreditOptionText(const _CreditInfo& option) {
    char surcharge[64];
    std::snprintf(surcharge, sizeof surcharge, "%.2f", static_cast<double>(option.addCharge));
    const std::string currency = option.currency.empty() ? "" : " " + AnsiToUtf8(option.currency);
    return "or " + std::to_string(option.points) + " club points, surcharge " + surcharge +
           currency + " excl. VAT";
}
