#include "CreditText.h"

#include "model/CreditInfo.h"

#include <gtest/gtest.h>

TEST(CreditText, OptionShowsItsCurrencyOnlyWhenItHasOne) {
    EXPECT_EQ(CreditOptionText({100, 0.5f, "EUR"}),
              "or 100 club points, surcharge 0.50 EUR excl. VAT");
    EXPECT_EQ(CreditOptionText({900, 0, ""}), "or 900 club points, surcharge 0.00 excl. VAT");
}
