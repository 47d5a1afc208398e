#include "frontend/SmsEditor.h"
#include "../platform/ScopedEnv.h"
#include "ScriptedMessageBox.h"
#include "frontend/IMessageBox.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>

namespace {

using Answer = IMessageBox::Answer;

std::u16string Text(std::size_t length, char16_t c = u'x') {
    return std::u16string(length, c);
}

SmsEditor Editor(int codePage = 1250) {
    return SmsEditor(480, 160, codePage);
}

// A message box that notes whether the editor was checking the flash state while it was open.
class WatchingBox : public IMessageBox {
public:
    explicit WatchingBox(const SmsEditor& editor) : m_editor(editor) {}
    using IMessageBox::Show;
    Answer Show(const Request& request) override {
        checkingWhileOpen = m_editor.IsCheckingFlash();
        shown = request;
        return Answer::Yes;
    }
    bool checkingWhileOpen = false;
    Request shown;

private:
    const SmsEditor& m_editor;
};

} // namespace

TEST(SmsEditor, CountersShowLengthOfMaxUserAndPartsOfPartsMax) {
    const SmsEditor editor = Editor();
    auto counters = editor.Update(u"");
    EXPECT_EQ(counters.lengthText, "Dĺžka: 0/468");
    EXPECT_EQ(counters.partText, "Počet SMS: 1/3");

    EXPECT_EQ(editor.Update(Text(160)).smsCount, 1);
    counters = editor.Update(Text(161));
    EXPECT_EQ(counters.length, 161);
    EXPECT_EQ(counters.partText, "Počet SMS: 2/3");
    // A line break is one character to the counters, two to the text limit.
    const std::u16string withBreak = Text(159) + u"\n";
    EXPECT_EQ(editor.Update(withBreak).length, 160);
    EXPECT_EQ(editor.GetSmsCount(withBreak), 1);
    EXPECT_EQ(SmsEditor::EditLength(withBreak), 161);
    // Characters outside ASCII (set by a program) count one each.
    EXPECT_EQ(editor.Update(u"čaj").length, 3);
}

TEST(SmsEditor, DummyTextShrinksTheRoomAndCutsALongerText) {
    SmsEditor editor = Editor();
    EXPECT_EQ(editor.TextLimit(), 468);
    const std::u16string text = editor.SetDummyTextLen(20, Text(450));
    EXPECT_EQ(text.size(), 405u);
    EXPECT_EQ(editor.TextLimit(), 405);
    EXPECT_EQ(editor.GetSmsCount(Text(139)), 1);
    EXPECT_EQ(editor.GetSmsCount(Text(140)), 2);
    EXPECT_EQ(editor.Update(Text(139)).lengthText, "Dĺžka: 139/405");

    // Without a dummy text the limit is that of three parts, whatever the flash state.
    editor.SetFlash(true);
    EXPECT_EQ(editor.SetDummyTextLen(0, Text(300)).size(), 300u);
    EXPECT_EQ(editor.TextLimit(), 468);
    EXPECT_EQ(editor.GetMaxUserCharCount(), 160);
}

TEST(SmsEditor, DummyTextLongerThanAPartLeavesNoRoomAndNoOverflow) {
    SmsEditor editor = Editor();
    for (const int dummyLen : {200, 65535, INT_MAX}) {
        const std::u16string text = editor.SetDummyTextLen(dummyLen, Text(100));
        EXPECT_TRUE(text.empty()) << dummyLen;
        EXPECT_EQ(editor.TextLimit(), 0);
        EXPECT_EQ(editor.GetMaxUserCharCount(), 0);
        EXPECT_TRUE(editor.Typed(u"abc", u"", 0, 0).empty());
        EXPECT_EQ(editor.Paste(u"", 0, 0, u"abc").text, u"");
        const auto counters = editor.Update(Text(10));
        EXPECT_EQ(counters.smsCount, 10) << "every character a part of its own";
    }
}

TEST(SmsEditor, TypedAccentedLettersBecomePlainByTheChosenCodePage) {
    const SmsEditor central = Editor(1250);
    EXPECT_EQ(central.Typed(u"Žltý kôň č", u"", 0, 0), u"Zlty kon c");
    // Both are letters of 1250; the euro sign is no letter.
    EXPECT_EQ(central.Typed(u"ůş€", u"", 0, 0), u"us");
    EXPECT_EQ(central.Typed(u"ñ", u"", 0, 0), u"") << "not a letter of 1250";

    const SmsEditor western = Editor(1252);
    EXPECT_EQ(western.Typed(u"éñøŸ", u"", 0, 0), u"enoY");
    EXPECT_EQ(western.Typed(u"č", u"", 0, 0), u"") << "not a letter of 1252";

    const SmsEditor other = Editor(1251);
    EXPECT_EQ(other.Typed(u"aéč", u"", 0, 0), u"a");
}

TEST(SmsEditor, TypedTextDropsControlsAndEmojiAndStopsAtTheLimit) {
    const SmsEditor editor = Editor();
    EXPECT_EQ(editor.Typed(std::u16string(u"a\0b\x1b\x7f\tc", 7), u"", 0, 0), u"abc");
    EXPECT_EQ(editor.Typed(u"x\U0001F600y", u"", 0, 0), u"xy");

    const std::u16string full = Text(467);
    EXPECT_EQ(editor.Typed(u"abc", full, 467, 467), u"a");
    EXPECT_EQ(editor.Typed(u"abc", full + u"a", 468, 468), u"");
    // A selection typed over makes room for what replaces it.
    EXPECT_EQ(editor.Typed(u"abc", full + u"a", 0, 2), u"ab");
    EXPECT_FALSE(editor.LineBreakFits(full, 0, 0));
    EXPECT_TRUE(editor.LineBreakFits(full, 0, 1));
}

TEST(SmsEditor, PasteCleansTheWholeTextAndKeepsTheCaretAfterTheInsertion) {
    const SmsEditor editor = Editor(1250);
    // Tabs become blanks, letters of the code page plain letters, anything else goes.
    auto pasted = editor.Paste(u"", 0, 0, u"Žltý\tkôň€ ok");
    EXPECT_EQ(pasted.text, u"Zlty kon ok");
    EXPECT_EQ(pasted.caret, pasted.text.size());
    EXPECT_FALSE(pasted.cleanedAround);

    // A program set "é€" before the caret and "ß" after it: the paste cleans them too, and
    // the caret moves back by the one character that went before it.
    pasted = editor.Paste(u"é€|ß", 3, 3, u"x");
    EXPECT_EQ(pasted.text, u"e|x");
    EXPECT_EQ(pasted.caret, 3u);
    EXPECT_TRUE(pasted.cleanedAround);
    EXPECT_TRUE(pasted.changed);

    // Replacing a selection.
    pasted = editor.Paste(u"abcdef", 1, 4, u"Ý");
    EXPECT_EQ(pasted.text, u"aYef");
    EXPECT_EQ(pasted.caret, 2u);
    EXPECT_EQ(pasted.insertion, u"Y");

    // Nothing an SMS can carry: nothing changes.
    pasted = editor.Paste(u"abc", 1, 1, u"€\U0001F600");
    EXPECT_FALSE(pasted.changed);
    EXPECT_EQ(pasted.caret, 1u);
}

TEST(SmsEditor, PasteOfBadInputStaysWithinTheLimit) {
    const SmsEditor editor = Editor();
    // Megabytes: only what fits is taken.
    const std::u16string huge(4 << 20, u'é');
    auto pasted = editor.Paste(u"start", 5, 5, huge);
    EXPECT_EQ(pasted.text.size(), 468u);
    EXPECT_EQ(pasted.caret, 468u);

    // NUL, controls and a broken surrogate pair go; CR LF and lone CR are one line break each.
    std::u16string bad(u"a\0b\x01\x1b_c\r\nd\re", 12);
    bad[5] = 0xD800;
    pasted = editor.Paste(u"", 0, 0, bad);
    EXPECT_EQ(pasted.text, u"abc\nd\ne");
    EXPECT_EQ(SmsEditor::EditLength(pasted.text), 9);

    // A line break that would need two places where one is left is cut with what follows.
    pasted = editor.Paste(Text(466), 466, 466, u"y\nz");
    EXPECT_EQ(pasted.text, Text(466) + u"y");
    // A text already over the limit (flash set without a check) takes nothing more.
    pasted = editor.Paste(Text(500), 500, 500, u"abc");
    EXPECT_EQ(pasted.text.size(), 500u);
}

TEST(SmsEditor, FlashQuestionNoKeepsTextAndStateYesCuts) {
    SmsEditor editor = Editor();
    const std::u16string text = Text(200);
    ScriptedMessageBox boxes;
    boxes.AnswerNext(Answer::No);
    auto result = editor.CheckFlash(true, text, boxes);
    EXPECT_FALSE(result.flash);
    EXPECT_FALSE(result.applied);
    EXPECT_FALSE(result.cut);
    EXPECT_FALSE(editor.IsFlash());
    EXPECT_EQ(editor.TextLimit(), 468);
    ASSERT_EQ(boxes.ShownIds(), std::vector<int>{int(CoreString::FlashTooLong)});
    EXPECT_EQ(boxes.Last().text,
              "Maximálna dĺžka Flash SMS je 160 znakov!\n\nMá byť text automaticky skrátený?");
    EXPECT_EQ(boxes.Last().icon, IMessageBox::Icon::Question);
    EXPECT_EQ(boxes.Last().buttons, IMessageBox::Buttons::YesNo);
    EXPECT_EQ(boxes.Last().defaultButton, Answer::No);

    boxes.AnswerNext(Answer::Yes);
    result = editor.CheckFlash(true, text, boxes);
    EXPECT_TRUE(result.flash);
    ASSERT_TRUE(result.cut);
    EXPECT_EQ(result.cutText, Text(160));
    EXPECT_TRUE(editor.IsFlash());
    EXPECT_EQ(editor.TextLimit(), 160);
    EXPECT_EQ(editor.Update(result.cutText).partText, "Počet SMS: 1/1");

    // Off again: more room, no question.
    boxes.Clear();
    result = editor.CheckFlash(false, result.cutText, boxes);
    EXPECT_FALSE(result.flash);
    EXPECT_TRUE(boxes.Shown().empty());
    EXPECT_EQ(editor.TextLimit(), 468);
}

TEST(SmsEditor, FlashCutCountsLineBreaksAsTheFieldDoes) {
    SmsEditor editor = Editor();
    // 150 characters and 6 line breaks: 156 to the counters, 162 to the field.
    std::u16string text = Text(150);
    for (int i = 0; i < 6; ++i)
        text.insert(text.begin() + i * 10 + 5, u'\n');
    ScriptedMessageBox boxes;
    boxes.AnswerNext(Answer::Yes);
    const auto result = editor.CheckFlash(true, text, boxes);
    ASSERT_TRUE(result.cut);
    EXPECT_LE(SmsEditor::EditLength(result.cutText), 160);
    EXPECT_EQ(result.cutText, text.substr(0, 154));
}

TEST(SmsEditor, FlashQuestionIsOpenWhileCheckingAndTakesTheHostedTexts) {
    SmsEditor editor = Editor();
    editor.Host(std::make_shared<StringTable>(
        StringTable{{1, "Parts %d/%d"}, {2, "Length %d/%d"}, {8, "Cut it?"}}));
    WatchingBox box(editor);
    editor.CheckFlash(true, Text(161), box);
    EXPECT_TRUE(box.checkingWhileOpen);
    EXPECT_FALSE(editor.IsCheckingFlash());
    EXPECT_EQ(box.shown.text, "Cut it?");
    const auto counters = editor.Update(Text(160));
    EXPECT_EQ(counters.lengthText, "Length 160/160");
    EXPECT_EQ(counters.partText, "Parts 1/1");
}

TEST(SmsEditor, FocusLossIsTheHostsOnly) {
    SmsEditor editor = Editor();
    EXPECT_FALSE(editor.ReportsFocusLoss(false)) << "only in hosted mode";
    editor.Host(std::make_shared<StringTable>());
    EXPECT_TRUE(editor.ReportsFocusLoss(false));
    EXPECT_FALSE(editor.ReportsFocusLoss(true));
}

TEST(SmsEditor, CoreTextIsAnsiWithCrLfAndPositionsCountBreaksTwice) {
    ScopedEnv codePage("QUILLON_ANSI_CODEPAGE", "1250");
    EXPECT_EQ(SmsEditor::CoreText(u"čo\nje"), "\xE8o\r\nje");
    EXPECT_EQ(SmsEditor::WindowText("\xE8o\r\nje\rx"), u"čo\nje\nx");
    EXPECT_EQ(SmsEditor::CoreText(std::u16string(1, char16_t(0xDC00))), "?");

    const std::u16string text = u"ab\ncd";
    EXPECT_EQ(SmsEditor::TextPosition(text, 0), 0u);
    EXPECT_EQ(SmsEditor::TextPosition(text, 2), 2u);
    EXPECT_EQ(SmsEditor::TextPosition(text, 4), 3u);
    EXPECT_EQ(SmsEditor::TextPosition(text, 5), 4u);
    EXPECT_EQ(SmsEditor::TextPosition(text, 99), 5u);
    EXPECT_EQ(SmsEditor::TextPosition(text, -1), 5u);

    // A program's text is cut to the limit, a line break never in half.
    const SmsEditor editor = Editor();
    EXPECT_EQ(editor.TextToSet(std::string(467, 'x') + "\r\nyz"), Text(467));
}
