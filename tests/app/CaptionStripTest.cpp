#include "logic/CaptionStrip.h"
#include "logic/MinimiseRule.h"

#include <gtest/gtest.h>

namespace {

constexpr int kWidth = 500;

// The middle of a part of the strip.
struct Point {
    int x;
    int y;
};
Point Centre(const StripRect& r) {
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

class Strip : public ::testing::Test {
protected:
    StripCommand Press(const StripRect& r) { return strip.Press(Centre(r).x, Centre(r).y); }
    void Move(const StripRect& r) { strip.Move(Centre(r).x, Centre(r).y); }
    StripCommand Release(const StripRect& r) { return strip.Release(Centre(r).x, Centre(r).y); }

    CaptionStrip strip{kWidth};
    const StripRect bare{100, 0, 120, CaptionStrip::kHeight};
};

} // namespace

TEST_F(Strip, GeometryFollowsTheWidth) {
    EXPECT_EQ(strip.Caption(), (StripRect{0, 0, 500, 22}));
    EXPECT_EQ(strip.CloseButton(), (StripRect{482, 4, 498, 18}));
    EXPECT_EQ(strip.ImageCell(), (StripRect{465, 4, 481, 18}));
    EXPECT_EQ(strip.MinimiseButton(), (StripRect{448, 4, 464, 18}));
    EXPECT_EQ(strip.SystemMenuArea(), (StripRect{2, 2, 64, 16}));
    strip.SetWidth(300);
    EXPECT_EQ(strip.CloseButton(), (StripRect{282, 4, 298, 18}));
    EXPECT_EQ(strip.MinimiseButton().Width(), 16);
    EXPECT_EQ(strip.ImageCell().Height(), 14);
}

TEST_F(Strip, HitTestNamesEveryPartAndItsEdges) {
    EXPECT_EQ(strip.HitTest(482, 4), StripPart::Close);
    EXPECT_EQ(strip.HitTest(497, 17), StripPart::Close);
    EXPECT_EQ(strip.HitTest(498, 17), StripPart::Caption); // right edge is outside the button
    EXPECT_EQ(strip.HitTest(490, 18), StripPart::Caption);
    EXPECT_EQ(strip.HitTest(470, 10), StripPart::ImageCell);
    EXPECT_EQ(strip.HitTest(448, 10), StripPart::Minimise);
    EXPECT_EQ(strip.HitTest(464, 10), StripPart::Caption); // between minimise and the cell
    EXPECT_EQ(strip.HitTest(2, 2), StripPart::SystemMenu);
    EXPECT_EQ(strip.HitTest(64, 10), StripPart::Caption);
    EXPECT_EQ(strip.HitTest(250, 21), StripPart::Caption);
    EXPECT_EQ(strip.HitTest(250, 22), StripPart::Outside);
    EXPECT_EQ(strip.HitTest(-1, 5), StripPart::Outside);
}

TEST_F(Strip, ReleaseOverThePressedButtonRunsItsCommand) {
    EXPECT_EQ(Press(strip.CloseButton()), StripCommand::None);
    EXPECT_TRUE(strip.IsArmed());
    EXPECT_EQ(strip.PressedButton(), StripPart::Close);
    EXPECT_EQ(Release(strip.CloseButton()), StripCommand::Close);
    EXPECT_FALSE(strip.IsArmed());
    EXPECT_EQ(strip.PressedButton(), StripPart::Outside);

    Press(strip.MinimiseButton());
    EXPECT_EQ(strip.PressedButton(), StripPart::Minimise);
    EXPECT_EQ(Release(strip.MinimiseButton()), StripCommand::Minimise);
}

TEST_F(Strip, MovingOffDrawsBothNormalAndReleasingElsewhereDoesNothing) {
    Press(strip.CloseButton());
    Move(strip.MinimiseButton());
    EXPECT_EQ(strip.PressedButton(), StripPart::Outside);
    EXPECT_TRUE(strip.IsArmed()); // the mouse is still held
    // Released over the other button: neither command.
    EXPECT_EQ(Release(strip.MinimiseButton()), StripCommand::None);
    EXPECT_FALSE(strip.IsArmed());

    Press(strip.MinimiseButton());
    Move(bare);
    EXPECT_EQ(Release(bare), StripCommand::None);
    // A release with nothing armed is nothing either.
    EXPECT_EQ(Release(strip.CloseButton()), StripCommand::None);
}

TEST_F(Strip, MovingBackOverTheButtonPressesItAgain) {
    Press(strip.CloseButton());
    Move(bare);
    Move(strip.CloseButton());
    EXPECT_EQ(strip.PressedButton(), StripPart::Close);
    EXPECT_EQ(Release(strip.CloseButton()), StripCommand::Close);
}

TEST_F(Strip, CancelVoidsThePress) {
    Press(strip.MinimiseButton());
    strip.Cancel();
    EXPECT_EQ(strip.PressedButton(), StripPart::Outside);
    EXPECT_EQ(Release(strip.MinimiseButton()), StripCommand::None);
}

TEST_F(Strip, PressesOutsideTheButtonsMoveTheWindowOrOpenTheMenu) {
    EXPECT_EQ(Press(strip.SystemMenuArea()), StripCommand::SystemMenu);
    EXPECT_FALSE(strip.IsArmed());
    EXPECT_EQ(Press(bare), StripCommand::Move);
    EXPECT_EQ(Press(strip.ImageCell()), StripCommand::None);
    EXPECT_EQ(strip.Press(10, 30), StripCommand::None);
    EXPECT_FALSE(strip.IsArmed());
}

TEST_F(Strip, IsDrawnActiveUntilTold) {
    EXPECT_TRUE(strip.IsActive());
    strip.SetActive(false);
    EXPECT_FALSE(strip.IsActive());
}

TEST(MinimiseRule, TheTrayOnlyWhenWantedAndThere) {
    EXPECT_EQ(ChooseMinimiseTarget(true, true), MinimiseTarget::Tray);
    EXPECT_EQ(ChooseMinimiseTarget(true, false), MinimiseTarget::Taskbar);
    EXPECT_EQ(ChooseMinimiseTarget(false, true), MinimiseTarget::Taskbar);
    EXPECT_EQ(ChooseMinimiseTarget(false, false), MinimiseTarget::Taskbar);
}
