#include "frontend/MessageCounts.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

MessageCounts Counts(bool flash, int dummyLen) {
    MessageCounts counts;
    counts.SetFlash(flash);
    counts.SetDummyTextLen(dummyLen);
    return counts;
}

std::string Text(int length) {
    return std::string(static_cast<std::size_t>(length), 'x');
}

} // namespace

TEST(MessageCounts, DefaultsGiveThreePartsOf160) {
    const MessageCounts counts = Counts(false, 0);
    EXPECT_EQ(counts.Parts(), 3);
    EXPECT_EQ(counts.GetMaxUserCharCount(), 468);
    EXPECT_EQ(counts.PartsMax(), 3);
    EXPECT_EQ(counts.PerPart(), 156);
    // An empty text is 1 of 3 parts.
    EXPECT_EQ(counts.GetSmsCount(""), 1);
    EXPECT_EQ(counts.GetSmsCount(Text(160)), 1);
    EXPECT_EQ(counts.GetSmsCount(Text(161)), 2);
    EXPECT_EQ(counts.GetSmsCount(Text(312)), 2);
    EXPECT_EQ(counts.GetSmsCount(Text(313)), 3);
    EXPECT_EQ(counts.GetSmsCount(Text(468)), 3);
    // 159 characters and one CR LF are 160.
    EXPECT_EQ(counts.GetSmsCount(Text(159) + "\r\n"), 1);

    const MessageCounts flash = Counts(true, 0);
    EXPECT_EQ(flash.GetMaxUserCharCount(), 160);
    EXPECT_EQ(flash.PartsMax(), 1);
}

TEST(MessageCounts, ADummyTextTakesRoomFromEveryPart) {
    const MessageCounts counts = Counts(false, 20);
    EXPECT_EQ(counts.GetMaxUserCharCount(), 405);
    EXPECT_EQ(counts.SingleLimit(), 139);
    EXPECT_EQ(counts.PerPart(), 135);
    EXPECT_EQ(counts.GetSmsCount(Text(139)), 1);
    EXPECT_EQ(counts.GetSmsCount(Text(140)), 2);
    EXPECT_EQ(counts.GetSmsCount(Text(271)), 3);
    EXPECT_EQ(Counts(true, 20).GetMaxUserCharCount(), 139);
}

TEST(MessageCounts, OtherSizesOfTheEditor) {
    MessageCounts counts(320, 160);
    EXPECT_EQ(counts.Parts(), 2);
    EXPECT_EQ(counts.GetMaxUserCharCount(), 312);
    EXPECT_EQ(counts.GetSmsCount(Text(161)), 2);
    // A part longer than the whole message leaves no parts, and nothing divides by zero.
    MessageCounts odd(100, 160);
    EXPECT_EQ(odd.Parts(), 0);
    EXPECT_EQ(odd.PerPart(), 0);
    EXPECT_GE(odd.GetSmsCount(Text(200)), 1);
    MessageCounts none(480, 0);
    EXPECT_EQ(none.Parts(), 0);
    EXPECT_GE(none.GetSmsCount(Text(10)), 1);
}

TEST(MessageCounts, AServiceTextLongerThanAPartLeavesNoRoomInsteadOfWrapping) {
    // Unclamped, 480 - 205 x 3 would wrap round to 65401 in 16 bits.
    EXPECT_EQ(Counts(false, 200).GetMaxUserCharCount(), 0);
    EXPECT_EQ(Counts(true, 200).GetMaxUserCharCount(), 0);
    EXPECT_GE(Counts(false, 200).GetSmsCount(Text(10)), 1);
    EXPECT_GE(Counts(true, 200).GetSmsCount(Text(10)), 1);
}

TEST(MessageCounts, TextLimitFollowsTheDummyText) {
    // Without a dummy text the limit is that of an ordinary message, also while flash is on.
    const MessageCounts flash = Counts(true, 0);
    EXPECT_EQ(flash.TextLimit(), 468);
    EXPECT_EQ(flash.GetMaxUserCharCount(), 160);
    EXPECT_EQ(Counts(false, 20).TextLimit(), 405);
    EXPECT_EQ(Counts(true, 20).TextLimit(), 139);
}

TEST(MessageCounts, LengthCountsCrLfOnce) {
    EXPECT_EQ(MessageCounts::TextLength("a\r\nb\r\nc"), 5);
    EXPECT_EQ(MessageCounts::TextLength("a\rb\nc"), 5);
    EXPECT_EQ(MessageCounts::TextLength(""), 0);
}

TEST(MessageCounts, FlashCheckAsksBeforeCuttingALongerText) {
    const MessageCounts counts = Counts(false, 0);
    const auto longText = counts.CheckFlash(true, Text(200));
    EXPECT_EQ(longText.maxUser, 160);
    EXPECT_TRUE(longText.mustAsk);
    EXPECT_EQ(MessageCounts::Cut(Text(200), longText.maxUser), Text(160));
    EXPECT_FALSE(counts.CheckFlash(true, Text(160)).mustAsk);
    // Turning flash off never cuts.
    const auto off = Counts(true, 0).CheckFlash(false, Text(160));
    EXPECT_EQ(off.maxUser, 468);
    EXPECT_FALSE(off.mustAsk);
}

TEST(MessageCounts, CutNeverSplitsALineBreak) {
    EXPECT_EQ(MessageCounts::Cut("ab\r\ncd", 3), "ab");
    EXPECT_EQ(MessageCounts::Cut("ab\r\ncd", 4), "ab\r\n");
    EXPECT_EQ(MessageCounts::Cut("abc", 10), "abc");
    EXPECT_EQ(MessageCounts::Cut("abc", -1), "");
}

TEST(MessageCounts, HugeDummyLengthsLeaveNoRoomWithoutOverflow) {
    for (const int dummyLen : {INT_MAX, INT_MAX - 4}) {
        for (const bool flash : {false, true}) {
            const MessageCounts counts = Counts(flash, dummyLen);
            EXPECT_EQ(counts.GetMaxUserCharCount(), 0);
            EXPECT_EQ(counts.TextLimit(), 0);
            EXPECT_LT(counts.SingleLimit(), 0);
            EXPECT_EQ(counts.GetSmsCount("abc"), 3);
        }
    }
}
