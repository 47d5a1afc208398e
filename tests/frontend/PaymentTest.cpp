#include "frontend/Payment.h"

#include <gtest/gtest.h>

TEST(Payment, CreditPaysThroughThePortalOrWithoutPostpaidSending) {
    // use portal, portal active, postpaid active
    EXPECT_TRUE(Payment(true, true, true, "", "").ByCredit());
    EXPECT_FALSE(Payment(true, false, true, "", "").ByCredit());
    EXPECT_FALSE(Payment(false, true, true, "", "").ByCredit());
    EXPECT_TRUE(Payment(false, false, false, "", "").ByCredit());
    EXPECT_TRUE(Payment(false, true, false, "", "").ByCredit());
}

TEST(Payment, DummyTextIsThatOfTheWayTheMessageGoes) {
    EXPECT_EQ(Payment(true, true, true, "portal", "postpaid!").DummyTextLength(), 6);
    // Portal chosen but not active: the postpaid text, also when postpaid is not active.
    EXPECT_EQ(Payment(true, false, false, "portal", "postpaid!").DummyTextLength(), 9);
    EXPECT_EQ(Payment(false, true, true, "portal", "postpaid!").DummyTextLength(), 9);
    EXPECT_EQ(Payment(false, false, true, "portal", "").DummyTextLength(), 0);
}
