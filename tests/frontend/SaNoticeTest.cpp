#include "frontend/SaNotice.h"
#include "model/SmsUserInfo.h"

#include <gtest/gtest.h>

namespace {

TEST(SaNotice, IsDueWithoutPostpaidSendingWhileTheUserWantsIt) {
    EXPECT_TRUE(SaNotice::IsDue(false, 1));
    EXPECT_FALSE(SaNotice::IsDue(false, 0));
    EXPECT_FALSE(SaNotice::IsDue(true, 1));
}

TEST(SaNotice, AnAcceptedNoticeStoresTheNegationOfItsBox) {
    CSmsUserInfo user("eva", "1.1", "QLN");
    ASSERT_EQ(user.ShowSA(), 1);
    int shown = 0;
    const auto answering = [&](bool accepted, bool dontShowAgain) {
        return [&shown, accepted, dontShowAgain] {
            ++shown;
            return SaNotice::Answer{accepted, dontShowAgain};
        };
    };
    EXPECT_TRUE(SaNotice::Offer(user, answering(false, true)));
    EXPECT_EQ(user.ShowSA(), 1) << "a notice closed otherwise changes nothing";
    EXPECT_TRUE(SaNotice::Offer(user, answering(true, false)));
    EXPECT_EQ(user.ShowSA(), 1);
    EXPECT_TRUE(SaNotice::Offer(user, answering(true, true)));
    EXPECT_EQ(user.ShowSA(), 0);
    EXPECT_FALSE(SaNotice::Offer(user, answering(true, false)));
    EXPECT_EQ(shown, 3) << "not shown once the user asked not to see it";
}

} // namespace
