#include "model/CoreTexts.h"
#include "model/CoreCaptions.h"
#include "model/CoreStrings.h"
#include "model/FormatText.h"
#include "platform/CodePage.h"
#include "platform/LanguageLibrary.h"

#include "../platform/ScopedEnv.h"

#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <thread>

namespace {

// Whether the text survives the trip to the code page and back.
bool ConvertsWithoutLoss(std::string_view utf8, const char* codePage) {
    const ScopedEnv cp("QUILLON_ANSI_CODEPAGE", codePage);
    return Utf8TextToAnsi(utf8) != std::string(utf8.size(), '?') &&
           AnsiTextToUtf8(Utf8TextToAnsi(utf8)) == utf8;
}

bool IsAscii(std::string_view text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) > 127)
            return false;
    }
    return true;
}

// Valid UTF-8, and in the code pages of its language: Slovak in 1250, plain ASCII in both.
void ExpectUsable(std::string_view text) {
    EXPECT_TRUE(IsValidUtf8(text)) << text;
    EXPECT_TRUE(ConvertsWithoutLoss(text, "1250")) << text;
    if (IsAscii(text)) {
        EXPECT_TRUE(ConvertsWithoutLoss(text, "1252")) << text;
    }
}

class CoreTextsTest : public ::testing::Test {
protected:
    void TearDown() override { CoreTexts::UseBuiltIn(); }
};

TEST_F(CoreTextsTest, EveryIdTheCodeUsesHasABuiltInTextTakingItsArguments) {
    const StringTable& table = BuiltInCoreStrings();
    std::set<int> used;
    for (const CoreStringUse& use : kCoreStringUses) {
        const int id = static_cast<int>(use.id);
        EXPECT_TRUE(used.insert(id).second) << "listed twice: " << id;
        const std::optional<std::string_view> text = table.GetUtf8(id);
        ASSERT_TRUE(text) << "no text for " << id;
        EXPECT_EQ(FormatConversions(*text), use.conversions) << id;
    }
    // Every name up to End is listed, and the table holds nothing else.
    for (int id = 1; id < static_cast<int>(CoreString::End); ++id)
        EXPECT_TRUE(used.contains(id)) << "not listed: " << id;
    EXPECT_EQ(table.Ids(), std::vector<int>(used.begin(), used.end()));
}

TEST_F(CoreTextsTest, EveryBuiltInTextIsUsableInItsCodePages) {
    for (const int id : BuiltInCoreStrings().Ids())
        ExpectUsable(*BuiltInCoreStrings().GetUtf8(id));
    const CaptionTable& captions = BuiltInCoreCaptions();
    for (const int dialog : captions.Dialogs()) {
        const StringTable& controls = captions.GetDialog(dialog);
        for (const int control : controls.Ids()) {
            ExpectUsable(*controls.GetUtf8(control));
            EXPECT_EQ(FormatConversions(*controls.GetUtf8(control)), "")
                << dialog << "/" << control;
        }
    }
}

TEST_F(CoreTextsTest, EveryCoreDialogHasItsCaptions) {
    using namespace CoreCaptions;
    const CaptionTable& captions = BuiltInCoreCaptions();
    const std::pair<int, int> named[] = {
        {Credit::kDialog, kCaption},
        {Credit::kDialog, Credit::kReload},
        {Credit::kDialog, Credit::kVerify},
        {Credit::kDialog, Credit::kClub},
        {Credit::kDialog, kCancel},
        {Credit::kDialog, Credit::kExplanation},
        {Sa::kDialog, Sa::kText},
        {Sa::kDialog, Sa::kDoNotShowAgain},
        {SmsEdit::kWindow, SmsEdit::kFlash},
        {SmsEdit::kWindow, SmsEdit::kLengthCounter},
        {SmsEdit::kWindow, SmsEdit::kPartCounter},
        {SyncMode::kDialog, SyncMode::kGroup},
        {SyncMode::kDialog, SyncMode::kFirstMode + 2},
        {SyncProgress::kWindow, SyncProgress::kTitle},
        {SyncProgress::kWindow, SyncProgress::kText},
        {NumberConflict::kDialog, NumberConflict::kFirstChoice + 2},
        {NameConflict::kDialog, NameConflict::kFirstChoice + 3},
        {SyncErrors::kDialog, SyncErrors::kText},
    };
    for (const auto& [dialog, control] : named)
        EXPECT_TRUE(captions.GetCaption(dialog, control)) << dialog << "/" << control;
    for (const int dialog : {SyncMode::kDialog, NumberConflict::kDialog, NameConflict::kDialog}) {
        EXPECT_TRUE(captions.GetCaption(dialog, kCaption)) << dialog;
        EXPECT_EQ(captions.GetCaptionUtf8(dialog, kOk), "OK") << dialog;
    }
    EXPECT_EQ(captions.GetCaptionUtf8(NameConflict::kDialog, kCancel), "Ukončiť synchronizáciu");
    EXPECT_EQ(captions.GetCaptionUtf8(Sa::kDialog, Sa::kDoNotShowAgain), "&Viackrát nezobrazovať");
}

TEST_F(CoreTextsTest, FormatsInTheCodePageInForce) {
    const ScopedEnv cp("QUILLON_ANSI_CODEPAGE", "1250");
    EXPECT_EQ(CoreTexts::Format(CoreString::SmsCount, {1, 3}), Utf8TextToAnsi("Počet SMS: 1/3"));
    EXPECT_EQ(CoreTexts::Format(CoreString::AmountItem, {50}), "50 PK");
    EXPECT_EQ(CoreTexts::Format(CoreString::PointsItem, {200, 1.5, "Sk"}),
              "200 bodov, doplatok 1.50 Sk bez DPH");
    EXPECT_EQ(CoreTexts::String(CoreString::SyncHideDetails), Utf8TextToAnsi("Skryť <<"));
    EXPECT_EQ(CoreTexts::Caption(CoreCaptions::SmsEdit::kWindow, CoreCaptions::SmsEdit::kFlash),
              "&Flash SMS");
}

TEST_F(CoreTextsTest, AnAcceptedLibraryTranslatesWhatFitsAndTheRestStaysBuiltIn) {
    const std::optional<LanguageResources> english =
        LoadLanguageLibrary(std::string(TEST_LANG_DIR) + "/english.so", "1.3.0");
    ASSERT_TRUE(english);
    const std::shared_ptr<const StringTable> before = CoreTexts::Strings();
    CoreTexts::UseLanguage(*english);

    EXPECT_EQ(CoreTexts::String(CoreString::SyncCompleted), "Synchronisation completed");
    EXPECT_EQ(CoreTexts::Format(CoreString::SyncDeleteAliasError, {"Jan", "E26"}),
              "Error deleting contact \"Jan\" from Portella. E26\r\n");
    // Other arguments, invalid UTF-8, and ids it lacks: the built-in texts.
    for (const CoreString id : {CoreString::SyncSetAliasError, CoreString::SyncSetGroupError,
                                CoreString::SyncEndedByUser})
        EXPECT_EQ(CoreTexts::Strings()->GetUtf8(static_cast<int>(id)),
                  BuiltInCoreStrings().GetUtf8(static_cast<int>(id)));
    EXPECT_FALSE(CoreTexts::Strings()->GetUtf8(999));
    EXPECT_EQ(CoreTexts::Caption(193, 2), "Cancel");
    EXPECT_EQ(CoreTexts::Captions()->GetCaptionUtf8(193, 1), "OK");
    EXPECT_FALSE(CoreTexts::Caption(555, 1));
    // A table handed out before the switch stays as it was.
    EXPECT_EQ(before->GetUtf8(9), "Synchronizácia ukončená");

    CoreTexts::UseBuiltIn();
    EXPECT_EQ(CoreTexts::Strings()->GetUtf8(9), "Synchronizácia ukončená");
    EXPECT_EQ(CoreTexts::Caption(193, 2), "Storno");
}

// Look-ups from other threads while the language changes (the thread sanitizer runs this).
TEST_F(CoreTextsTest, LookUpsWhileTheLanguageChanges) {
    LanguageResources english;
    english.strings = {{9, "Synchronisation completed"}};
    std::atomic<bool> stop{false};
    std::atomic<int> unexpected{0};
    std::vector<std::thread> readers;
    for (int i = 0; i < 2; ++i) {
        readers.emplace_back([&] {
            while (!stop) {
                const std::shared_ptr<const StringTable> strings = CoreTexts::Strings();
                const std::string text(*strings->GetUtf8(9));
                if (text != "Synchronisation completed" && text != "Synchronizácia ukončená")
                    ++unexpected;
            }
        });
    }
    for (int i = 0; i < 200; ++i) {
        if (i % 2)
            CoreTexts::UseLanguage(english);
        else
            CoreTexts::UseBuiltIn();
    }
    stop = true;
    for (std::thread& reader : readers)
        reader.join();
    EXPECT_EQ(unexpected, 0);
}

} // namespace
