#include "logic/NoticeHtml.h"
#include "logic/NoticeSchedule.h"
#include "logic/NoticeSlide.h"

#include <gtest/gtest.h>

#include <vector>

TEST(NoticeHtml, PlainTextIsWrappedInAPageWithoutContextMenu) {
    EXPECT_EQ(NoticeHtml("Nová verzia je tu"),
              "<HTML><BODY oncontextmenu=\"return false\">Nová verzia je tu</BODY></HTML>");
    EXPECT_EQ(NoticeHtml(""), "<HTML><BODY oncontextmenu=\"return false\"></BODY></HTML>");
}

TEST(NoticeHtml, APageGetsTheAttributeOnceWhateverTheCaseOfItsTags) {
    EXPECT_EQ(NoticeHtml("<html><body bgcolor=white>Ahoj</body></html>"),
              "<html><body oncontextmenu=\"return false\" bgcolor=white>Ahoj</body></html>");
    const std::string already = "<HTML><BODY OnContextMenu=\"x()\">Ahoj</BODY></HTML>";
    EXPECT_EQ(NoticeHtml(already), already);
    // An attribute of the same name further down the page does not count for the body tag.
    EXPECT_EQ(NoticeHtml("<html><body><div oncontextmenu=\"\">x</div></body></html>"),
              "<html><body oncontextmenu=\"return false\"><div oncontextmenu=\"\">x</div></body>"
              "</html>");
    // A page without a body is left as it is.
    EXPECT_EQ(NoticeHtml("<html>x</html>"), "<html>x</html>");
}

TEST(NoticeSchedule, ShownOnceAWeekToWhoeverWantsItWithTheProgramsPageWhenTheServiceSentNone) {
    const std::int64_t week = 604800;
    EXPECT_FALSE(IsNoticeDue(true, 1000 + week, 1000));
    EXPECT_TRUE(IsNoticeDue(true, 1001 + week, 1000));
    EXPECT_FALSE(IsNoticeDue(false, 1001 + week, 1000));
    EXPECT_TRUE(IsNoticeDue(true, 2000000000, 0)) << "never shown yet";
    EXPECT_EQ(NoticePage("", "<html><body>verzia</body></html>"),
              "<html><body oncontextmenu=\"return false\">verzia</body></html>");
    EXPECT_NE(NoticePage("Nové", "vlastná").find("Nové"), std::string::npos);
}

namespace {
std::vector<NoticeSlide::Frame> AllFrames(NoticeSlide slide) {
    std::vector<NoticeSlide::Frame> frames;
    while (auto frame = slide.Next())
        frames.push_back(*frame);
    return frames;
}
} // namespace

TEST(NoticeSlide, RisesFromTheBottomEdgeSlowingDownAndStopsExactlyAtItsPlace) {
    // Window 200 high to stand at 300 on an owner whose bottom edge is at 700.
    const auto frames = AllFrames(NoticeSlide(300, 700, 200));
    ASSERT_GE(frames.size(), 3u);
    EXPECT_EQ(frames.front(), (NoticeSlide::Frame{700, 0})) << "starts hidden below the edge";
    EXPECT_EQ(frames[1], (NoticeSlide::Frame{684, 16}));
    EXPECT_EQ(frames.back(), (NoticeSlide::Frame{300, 200}));
    for (std::size_t i = 1; i < frames.size(); ++i) {
        const int step = frames[i - 1].top - frames[i].top;
        EXPECT_GT(step, 0) << "always upwards";
        EXPECT_LE(frames[i].top + frames[i].height, 700) << "never below the owner";
        if (i >= 2 && frames[i].top != 300) {
            EXPECT_LE(step, frames[i - 2].top - frames[i - 1].top) << "never faster again";
        }
    }
    // Halving: the first step after half the distance is covered is 8, the last ones 1.
    EXPECT_EQ(frames[frames.size() - 2].top - frames.back().top, 1);

    // A window already in place (an owner too small to slide in) shows at once.
    EXPECT_EQ(AllFrames(NoticeSlide(300, 300, 200)), (std::vector<NoticeSlide::Frame>{{300, 0}}));
}
