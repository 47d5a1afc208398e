#include "MessageText.h"
#include "../platform/ScopedEnv.h"

#include <gtest/gtest.h>

TEST(MessageText, EditorTextCleansLikeThePasteOfTheEditor) {
    ScopedEnv codePage("QUILLON_ANSI_CODEPAGE", "1250");
    // "Žltý kôň?" with a tab, a bell, an emoji and mixed line breaks.
    const std::string typed = "  \xC5\xBDlt\xC3\xBD\tk\xC3\xB4\xC5\x88?\a\xF0\x9F\x98\x80\nline\r\n"
                              "last\rend \n";
    EXPECT_EQ(EditorText(typed), "Zlty kon?\r\nline\r\nlast\r\nend");
    EXPECT_EQ(EditorText(" \r\n "), "");
}

TEST(MessageText, EditorCountsAreTheStandardEditorsWithTheServiceText) {
    EXPECT_EQ(EditorCounts(false, 0).GetMaxUserCharCount(), 468);
    EXPECT_EQ(EditorCounts(true, 0).GetMaxUserCharCount(), 160);
    EXPECT_EQ(EditorCounts(false, 20).GetSmsCount(std::string(140, 'x')), 2);
}
