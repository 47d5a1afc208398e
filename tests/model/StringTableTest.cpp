#include "model/StringTable.h"
#include "model/CaptionTable.h"
#include "model/FormatText.h"

#include "../platform/ScopedEnv.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using ::testing::ElementsAre;

TEST(FormatTextTest, FormatsLikePrintfForTheConversionsItKnows) {
    EXPECT_EQ(FormatText("Počet SMS: %d/%d", {2, 3}), "Počet SMS: 2/3");
    EXPECT_EQ(FormatText("%d bodov, doplatok %.2f %s bez DPH", {150, 12.5, "Sk"}),
              "150 bodov, doplatok 12.50 Sk bez DPH");
    EXPECT_EQ(FormatText("[%5d|%-4s|%.3s|%05.1f|%x]", {42, "ab", "abcdef", 2.5, 255}),
              "[   42|ab  |abc|002.5|ff]");
    EXPECT_EQ(FormatText("100%% of %ld", {7LL}), "100% of 7");
    // A whole number is taken where a real one is asked for.
    EXPECT_EQ(FormatText("%.1f", {3}), "3.0");
}

TEST(FormatTextTest, NeverTrustsTheFormatOrReadsArgumentsAsFormats) {
    // Missing arguments, arguments of another kind and unknown conversions stay as written.
    EXPECT_EQ(FormatText("%s and %s", {"one"}), "one and %s");
    EXPECT_EQ(FormatText("%d", {"text"}), "%d");
    EXPECT_EQ(FormatText("%s", {5}), "%s");
    EXPECT_EQ(FormatText("%n%p%*d %", {1, 2}), "%n%p%*d %");
    EXPECT_EQ(FormatText("%9999d|%.1000f", {1, 1.0}), "%9999d|%.1000f");
    // A name with a per cent sign is put in as it is.
    EXPECT_EQ(FormatText("\"%s\" %s", {"50%s %d", "E26"}), "\"50%s %d\" E26");
    EXPECT_EQ(FormatText("", {1}), "");
}

TEST(FormatTextTest, ConversionsSpellWhatAFormatTakes) {
    EXPECT_EQ(FormatConversions("%d bodov, doplatok %.2f %s bez DPH"), "ifs");
    EXPECT_EQ(FormatConversions("100%% done"), "");
    EXPECT_EQ(FormatConversions("%-5ld %*d %n %"), "i???");
}

TEST(StringTableTest, HandsOutAnsiTextOfTheCodePageInForce) {
    const StringTable table{{1, "Dĺžka: %d/%d"}, {2, "Plain"}, {1, "second copy"}};
    EXPECT_EQ(table.GetUtf8(1), "Dĺžka: %d/%d");
    {
        const ScopedEnv cp("QUILLON_ANSI_CODEPAGE", "1250");
        EXPECT_EQ(table.GetString(1), "D\xE5\x9Eka: %d/%d");
    }
    {
        const ScopedEnv cp("QUILLON_ANSI_CODEPAGE", "1252");
        EXPECT_EQ(table.GetString(1), "D?\x9Eka: %d/%d");
    }
    EXPECT_EQ(table.GetString(2), "Plain");
    EXPECT_FALSE(table.GetString(3));
    EXPECT_FALSE(StringTable().GetString(0));
    EXPECT_THAT(table.Ids(), ElementsAre(1, 2));
}

TEST(StringTableTest, TakesOnlyTranslationsThatFit) {
    StringTable table{{9, "Synchronizácia ukončená"},
                      {11, "Kontakty \"%s\" a \"%s\""},
                      {12, "Chyba \"%s\". %s\r\n"},
                      {19, "%d bodov, %.2f %s"}};
    const std::size_t taken = table.Translate({
        {9, "Synchronisation completed"},
        {9, "A second copy does not count"},
        {11, "Contacts \"%s\" and \"%s\""},
        {12, "Error %d"},                 // other arguments
        {19, "%d points, \xC3( %.2f %s"}, // not UTF-8
        {77, "An id the table does not have"},
    });
    EXPECT_EQ(taken, 2u);
    EXPECT_EQ(table.GetUtf8(9), "Synchronisation completed");
    EXPECT_EQ(table.GetUtf8(11), "Contacts \"%s\" and \"%s\"");
    EXPECT_EQ(table.GetUtf8(12), "Chyba \"%s\". %s\r\n");
    EXPECT_EQ(table.GetUtf8(19), "%d bodov, %.2f %s");
    EXPECT_FALSE(table.GetUtf8(77));
    // Width and precision may differ; the arguments may not.
    EXPECT_TRUE(IsFittingTranslation("%d PK", "%5d PKC"));
    EXPECT_FALSE(IsFittingTranslation("%s %d", "%d %s"));
}

TEST(CaptionTableTest, LooksUpByDialogAndControlAndTranslates) {
    CaptionTable table{{193, 0, "Synchronizácia s Portella"},
                       {193, 2, "Storno"},
                       {1000, 2, "&Close"},
                       {193, 2, "second copy"}};
    EXPECT_EQ(table.GetCaptionUtf8(193, 2), "Storno");
    EXPECT_EQ(table.GetCaption(1000, 2), "&Close");
    EXPECT_FALSE(table.GetCaption(193, 1));
    EXPECT_FALSE(table.GetCaption(5, 0));
    EXPECT_THAT(table.Dialogs(), ElementsAre(193, 1000));

    EXPECT_EQ(table.Translate({{193, 2, "Cancel"}, {193, 7, "no such control"}, {5, 0, "none"}}),
              1u);
    EXPECT_EQ(table.GetCaptionUtf8(193, 2), "Cancel");
    EXPECT_EQ(table.GetCaptionUtf8(193, 0), "Synchronizácia s Portella");
    EXPECT_FALSE(table.GetCaption(193, 7));
    EXPECT_THAT(table.Dialogs(), ElementsAre(193, 1000));
}

} // namespace
