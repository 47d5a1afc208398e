#include "MessageText.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

class MessageText : public testing::Test {
protected:
    void SetUp() override { setenv("QUILLON_ANSI_CODEPAGE", "1250", 1); }
    void TearDown() override { unsetenv("QUILLON_ANSI_CODEPAGE"); }
};

} // namespace

TEST_F(MessageText, EditorTextCleansLikeThePasteOfTheEditor) {
    // "Žltý kôň?" with a tab, a bell, an emoji and mixed line breaks.
    const std::string typed = "  \xC5\xBDlt\xC3\xBD\tk\xC3\xB4\xC5\x88?\a\xF0\x9F\x98\x80\nline\r\n"
                              "last\rend \n";
    EXPECT_EQ(EditorText(typed), "Zlty kon?\r\nline\r\nlast\r\nend");
    EXPECT_EQ(EditorText(" \r\n "), "");
}

TEST_F(MessageText, ServiceTextAndLengthCountLineBreaksOnce) {
    const std::string text = "a\r\nb\r\nc";
    EXPECT_EQ(ServiceText(text), "a\nb\nc");
    EXPECT_EQ(TextLength(text), 5);
}

TEST_F(MessageText, PartsFollowTheEditor) {
    EXPECT_EQ(MaxUserCharCount(false, 0), 468);
    EXPECT_EQ(MaxUserCharCount(true, 0), 160);
    EXPECT_EQ(SmsCount("", false, 0), 1);
    EXPECT_EQ(SmsCount(std::string(160, 'x'), false, 0), 1);
    EXPECT_EQ(SmsCount(std::string(161, 'x'), false, 0), 2);
    EXPECT_EQ(SmsCount(std::string(312, 'x'), false, 0), 2);
    EXPECT_EQ(SmsCount(std::string(313, 'x'), false, 0), 3);
    // 159 characters and one CR LF are 160.
    EXPECT_EQ(SmsCount(std::string(159, 'x') + "\r\n", false, 0), 1);
    // With 20 characters added by the service to every part.
    EXPECT_EQ(MaxUserCharCount(false, 20), 405);
    EXPECT_EQ(MaxUserCharCount(true, 20), 139);
    EXPECT_EQ(SmsCount(std::string(139, 'x'), false, 20), 1);
    EXPECT_EQ(SmsCount(std::string(140, 'x'), false, 20), 2);
}

TEST_F(MessageText, AHugeServiceTextLeavesNoRoomButNeverDividesByZero) {
    EXPECT_LT(MaxUserCharCount(false, 200), 0);
    EXPECT_GE(SmsCount(std::string(10, 'x'), false, 200), 1);
    EXPECT_GE(SmsCount(std::string(10, 'x'), true, 200), 1);
}
