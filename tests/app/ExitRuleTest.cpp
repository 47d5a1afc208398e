#include "logic/ExitRule.h"
#include "logic/NoticeLinks.h"
#include "logic/ProgramCaptions.h"

#include <gtest/gtest.h>

namespace {

TEST(ExitRule, WithoutConfirmationTheProgramEndsUnasked) {
    bool asked = false;
    const ExitDecision decision = DecideExit(false, [&] {
        asked = true;
        return ExitAnswer{false, false};
    });
    EXPECT_FALSE(asked);
    EXPECT_EQ(decision, (ExitDecision{true, false}));
}

TEST(ExitRule, TheAnswerDecidesAndTheBoxStopsTheQuestionEitherWay) {
    const auto answered = [](bool yes, bool box) {
        return DecideExit(true, [=] { return ExitAnswer{yes, box}; });
    };
    EXPECT_EQ(answered(true, false), (ExitDecision{true, true}));
    EXPECT_EQ(answered(false, false), (ExitDecision{false, true}));
    EXPECT_EQ(answered(true, true), (ExitDecision{true, false}));
    // "Nie" with the box ticked keeps the program running, yet the next exit is not asked.
    EXPECT_EQ(answered(false, true), (ExitDecision{false, false}));
}

TEST(NoticeLinks, OnlyWebAndMailLinksLeaveTheWindow) {
    EXPECT_TRUE(IsNoticeLinkOpenable("https"));
    EXPECT_TRUE(IsNoticeLinkOpenable("HTTP"));
    EXPECT_TRUE(IsNoticeLinkOpenable("mailto"));
    EXPECT_FALSE(IsNoticeLinkOpenable("file"));
    EXPECT_FALSE(IsNoticeLinkOpenable("javascript"));
    EXPECT_FALSE(IsNoticeLinkOpenable(""));
    EXPECT_FALSE(IsNoticeLinkOpenable("httpsx"));
}

TEST(ProgramCaptions, TheQuestionAndItsButtonsReadAsTheUserSeesThem) {
    using namespace ProgramCaptions;
    const CaptionTable& table = BuiltInProgramCaptions();
    EXPECT_EQ(table.GetCaptionUtf8(Exit::kDialog, Exit::kQuestion), "Chcete ukončiť aplikáciu?");
    EXPECT_EQ(table.GetCaptionUtf8(Exit::kDialog, Exit::kYes), "Áno");
    EXPECT_EQ(table.GetCaptionUtf8(Exit::kDialog, Exit::kNo), "Nie");
    EXPECT_EQ(table.GetCaptionUtf8(Exit::kDialog, Exit::kDontAskAgain), "&Viackrát nezobrazovať");
    EXPECT_TRUE(table.GetCaptionUtf8(Notice::kDialog, Notice::kClose).has_value());
}

} // namespace
