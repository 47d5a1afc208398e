#include "logic/LanguageChoice.h"
#include "logic/ProgramCaptions.h"
#include "logic/ProgramLanguage.h"
#include "logic/ProgramStrings.h"
#include "model/CoreCaptions.h"
#include "model/CoreStrings.h"
#include "model/CoreTexts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

const LanguageResources& English() {
    static const LanguageResources library = [] {
        const LanguageChoice choice = ChooseLanguage(1033, PROGRAM_DIR, ProgramVersion());
        return choice.resources.value_or(LanguageResources{});
    }();
    return library;
}

// Every text of a string table or caption table, by a key that names it in a failure.
using Texts = std::map<std::string, std::string>;

Texts TextsOf(const StringTable& table, const std::string& prefix) {
    Texts texts;
    for (int id : table.Ids())
        texts[prefix + std::to_string(id)] = std::string(*table.GetUtf8(id));
    return texts;
}

std::string CaptionKey(const std::string& prefix, int dialog, int control) {
    return prefix + std::to_string(dialog) + "/" + std::to_string(control);
}

Texts TextsOf(const CaptionTable& table, const std::string& prefix) {
    Texts texts;
    for (int dialog : table.Dialogs()) {
        const StringTable& controls = table.GetDialog(dialog);
        for (int control : controls.Ids())
            texts[CaptionKey(prefix, dialog, control)] = std::string(*controls.GetUtf8(control));
    }
    return texts;
}

// The built-in tables the program shows, and the library's entries under the same keys: the
// library holds the program's and the core's entries in one table, so the key has no prefix.
Texts BuiltInStrings() {
    Texts all = TextsOf(BuiltInProgramStrings(), "");
    all.merge(TextsOf(BuiltInCoreStrings(), ""));
    return all;
}

Texts BuiltInCaptions() {
    Texts all = TextsOf(BuiltInProgramCaptions(), "");
    all.merge(TextsOf(BuiltInCoreCaptions(), ""));
    return all;
}

Texts LibraryStrings() {
    Texts texts;
    for (const LanguageString& entry : English().strings)
        texts.emplace(std::to_string(entry.id), entry.text);
    return texts;
}

Texts LibraryCaptions() {
    Texts texts;
    for (const LanguageCaption& entry : English().captions)
        texts.emplace(CaptionKey("", entry.dialog, entry.control), entry.text);
    return texts;
}

std::size_t LineBreaks(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

// Whether the text has a keyboard accelerator ("&" before a letter, "&&" is a plain "&").
bool HasAccelerator(const std::string& text) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == '&' && text[i + 1] == '&')
            ++i;
        else if (text[i] == '&' && text[i + 1] != ' ')
            return true;
    }
    return false;
}

// What is wrong with the English of the built-in texts, one line each.
std::string Problems(const Texts& builtIn, const Texts& english) {
    std::ostringstream problems;
    for (const auto& [key, slovak] : builtIn) {
        const auto found = english.find(key);
        if (found == english.end()) {
            problems << "missing " << key << ": " << slovak << "\n";
            continue;
        }
        const std::string& text = found->second;
        if (!IsFittingTranslation(slovak, text))
            problems << "other arguments " << key << ": " << text << "\n";
        if (LineBreaks(slovak) != LineBreaks(text))
            problems << "other line breaks " << key << ": " << text << "\n";
        if (HasAccelerator(slovak) != HasAccelerator(text))
            problems << "accelerator differs " << key << ": " << text << "\n";
    }
    for (const auto& [key, text] : english) {
        if (!builtIn.contains(key))
            problems << "not a built-in text " << key << ": " << text << "\n";
    }
    return problems.str();
}

template <class Key> std::vector<Key> Common(std::vector<Key> a, std::vector<Key> b) {
    std::vector<Key> common;
    std::set_intersection(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(common));
    return common;
}

TEST(EnglishLanguage, TheProgramsLibraryIsTakenAndTranslatesItsTextsAndCaptions) {
    const LanguageChoice choice = ChooseLanguage(1033, PROGRAM_DIR, ProgramVersion());
    ASSERT_TRUE(choice.resources) << "Lang/English_EXE.so in " << PROGRAM_DIR;
    EXPECT_EQ(choice.lcid, 1033);

    EXPECT_EQ(ProgramStrings().GetUtf8(ProgramString::Exit), "&Koniec");
    ProgramLanguage::Use(*choice.resources);
    EXPECT_EQ(ProgramStrings().GetUtf8(ProgramString::Exit), "E&xit");
    EXPECT_EQ(ProgramStrings().GetUtf8(ProgramString::LoggedInAs), "Logged in: %s");
    EXPECT_EQ(ProgramCaptionTable().GetCaptionUtf8(176, 0), "Velora login");
    EXPECT_EQ(ProgramCaptionTable().GetCaptionUtf8(176, 1), "OK");
    // The core's texts are switched with the program's.
    EXPECT_EQ(CoreTexts::Utf8(CoreString::SyncShowDetails), "More >>");
    EXPECT_EQ(CoreTexts::CaptionUtf8(CoreCaptions::SyncErrors::kDialog, CoreCaptions::kCaption),
              "Synchronisation error");
    CoreTexts::UseBuiltIn();
}

TEST(EnglishLanguage, ALibraryOfAnotherVersionIsRefused) {
    EXPECT_FALSE(ChooseLanguage(1033, PROGRAM_DIR, "0.0.1").resources);
    EXPECT_EQ(ChooseLanguage(1033, PROGRAM_DIR, "0.0.1").lcid, kNoLanguage);
}

// One table in the library serves the program and the core: an id both had would be translated
// with one text for two meanings.
TEST(EnglishLanguage, TheProgramAndTheCoreNeverShareAnId) {
    EXPECT_EQ(Common(BuiltInProgramStrings().Ids(), BuiltInCoreStrings().Ids()),
              std::vector<int>{});
    EXPECT_EQ(Common(BuiltInProgramCaptions().Dialogs(), BuiltInCoreCaptions().Dialogs()),
              std::vector<int>{});
}

TEST(EnglishLanguage, EveryStringOfTheProgramAndTheCoreHasAFittingEnglishText) {
    ASSERT_FALSE(English().strings.empty());
    EXPECT_EQ(Problems(BuiltInStrings(), LibraryStrings()), "");
    EXPECT_EQ(LibraryStrings().size(), English().strings.size()) << "an id twice in the library";
}

TEST(EnglishLanguage, EveryCaptionOfTheProgramAndTheCoreHasAFittingEnglishText) {
    ASSERT_FALSE(English().captions.empty());
    EXPECT_EQ(Problems(BuiltInCaptions(), LibraryCaptions()), "");
    EXPECT_EQ(LibraryCaptions().size(), English().captions.size())
        << "a control twice in the library";
}

} // namespace
