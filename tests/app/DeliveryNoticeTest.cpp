#include "logic/DeliveryNotice.h"

#include <gtest/gtest.h>

TEST(DeliveryNotice, CountsTakeTheSlovakFormsOfOneTwoToFourAndFiveOrMore) {
    EXPECT_EQ(SlovakCountForm(1), 0);
    for (const int few : {2, 3, 4})
        EXPECT_EQ(SlovakCountForm(few), 1) << few;
    for (const int many : {0, 5, 11, 21, 22, 100})
        EXPECT_EQ(SlovakCountForm(many), 2) << many;

    EXPECT_EQ(DeliveryNoticeText({1, 0, 0}).body, "Doručená 1 SMS");
    EXPECT_EQ(DeliveryNoticeText({3, 0, 0}).body, "Doručené 3 SMS");
    EXPECT_EQ(DeliveryNoticeText({5, 0, 0}).body, "Doručených 5 SMS");
    EXPECT_EQ(DeliveryNoticeText({0, 1, 0}).body, "Nedoručená 1 SMS");
    EXPECT_EQ(DeliveryNoticeText({0, 4, 0}).body, "Nedoručené 4 SMS");
    EXPECT_EQ(DeliveryNoticeText({0, 12, 0}).body, "Nedoručených 12 SMS");
    EXPECT_EQ(DeliveryNoticeText({0, 0, 7}).body, "Vypršala platnosť 7 SMS");
}

TEST(DeliveryNotice, OneLineForEachStateThatCameInAFixedOrder) {
    const DeliveryNotice notice = DeliveryNoticeText({2, 1, 1});
    EXPECT_EQ(notice.summary, "Správy o doručení SMS");
    EXPECT_EQ(notice.body, "Doručené 2 SMS\nNedoručená 1 SMS\nVypršala platnosť 1 SMS");
    EXPECT_EQ(notice.openArchive, "Otvoriť archív");
    EXPECT_EQ(DeliveryNoticeText({0, 2, 5}).body, "Nedoručené 2 SMS\nVypršala platnosť 5 SMS");
}
