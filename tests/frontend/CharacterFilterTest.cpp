#include "frontend/CharacterFilter.h"
#include "../platform/ScopedEnv.h"

#include <gtest/gtest.h>

namespace {

using Action = CharacterFilter::Action;

} // namespace

TEST(CharacterFilter, TypedCharactersBelow128GoInAndTheOwnerKeysToTheOwner) {
    ScopedEnv codePage("QUILLON_ANSI_CODEPAGE", "1250");
    for (const char key : {'\x1B', '\r', '\t', '\n'})
        EXPECT_EQ(CharacterFilter::OfTyped(key).action, Action::Owner) << int(key);
    const auto typed = CharacterFilter::OfTyped('a');
    EXPECT_EQ(typed.action, Action::Insert);
    EXPECT_EQ(typed.character, 'a');
    EXPECT_EQ(CharacterFilter::OfTyped('\b').action, Action::Insert);
}

TEST(CharacterFilter, TypedAccentedLettersBecomePlainByTheCodePage) {
    {
        ScopedEnv codePage("QUILLON_ANSI_CODEPAGE", "1250");
        const auto z = CharacterFilter::OfTyped('\x9E'); // ž
        EXPECT_EQ(z.action, Action::Insert);
        EXPECT_EQ(z.character, 'z');
        EXPECT_EQ(CharacterFilter::OfTyped('\xF8').character, 'r'); // ř
        // The euro sign has no plain letter.
        EXPECT_EQ(CharacterFilter::OfTyped('\x80').action, Action::Drop);
    }
    {
        ScopedEnv codePage("QUILLON_ANSI_CODEPAGE", "1252");
        EXPECT_EQ(CharacterFilter::OfTyped('\xF8').character, 'o'); // ø
        EXPECT_EQ(CharacterFilter::OfTyped('\x9F').character, 'Y'); // Ÿ
    }
    {
        ScopedEnv codePage("QUILLON_ANSI_CODEPAGE", "1251");
        EXPECT_EQ(CharacterFilter::OfTyped('\xE1').action, Action::Drop) << "no table";
    }
}

TEST(CharacterFilter, PasteTurnsTabsIntoBlanksAndDropsWhatAnSmsCannotCarry) {
    ScopedEnv codePage("QUILLON_ANSI_CODEPAGE", "1250");
    // "Žltý\tkôň" with a bell, an euro sign, DEL and a line break.
    const auto pasted = CharacterFilter::CleanPaste("\x8Elt\xFD\tk\xF4\xF2\a\x80\x7F!\r\n.", 0);
    EXPECT_EQ(pasted.text, "Zlty kon!\r\n.");
    EXPECT_TRUE(pasted.changed);

    const auto clean = CharacterFilter::CleanPaste("plain\r\ntext", 3);
    EXPECT_FALSE(clean.changed);
    EXPECT_EQ(clean.removedBeforeCaret, 0u);
}

TEST(CharacterFilter, PasteTellsHowFarTheCaretMovesBack) {
    ScopedEnv codePage("QUILLON_ANSI_CODEPAGE", "1250");
    // Two characters go before the caret (at 5), one after; the tab only changes.
    const std::string text = "a\a\x80\tb|\x01z";
    const auto pasted = CharacterFilter::CleanPaste(text, 5);
    EXPECT_EQ(pasted.text, "a b|z");
    EXPECT_EQ(pasted.removedBeforeCaret, 2u);
    EXPECT_EQ(CharacterFilter::CleanPaste(text, 0).removedBeforeCaret, 0u);
    EXPECT_EQ(CharacterFilter::CleanPaste(text, 100).removedBeforeCaret, 3u);
}

TEST(CharacterFilter, ServiceTextHasLfLineBreaks) {
    EXPECT_EQ(CharacterFilter::ServiceText("a\r\nb\r\nc"), "a\nb\nc");
    EXPECT_EQ(CharacterFilter::ServiceText("a\rb\n"), "a\rb\n");
}
