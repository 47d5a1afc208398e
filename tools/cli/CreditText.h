#pragma once

#include <string>

struct _CreditInfo;

// One way to pay a credit amount with club points, as "credit list" shows it: "or 100 club
// points, surcharge 0.50 EUR excl. VAT", without the currency when the service names none.
std::string CreditOptionText(const _CreditInfo& option);
