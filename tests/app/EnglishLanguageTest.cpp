#include "logic/LanguageChoice.h"
#include "logic/ProgramLanguage.h"
#include "logic/ProgramStrings.h"
#include "model/CoreTexts.h"

#include <gtest/gtest.h>

namespace {

TEST(EnglishLanguage, TheProgramsLibraryIsTakenAndTranslatesItsTextsAndCaptions) {
    const LanguageChoice choice = ChooseLanguage(1033, PROGRAM_DIR, ProgramVersion());
    ASSERT_TRUE(choice.resources) << "Lang/English_EXE.so in " << PROGRAM_DIR;
    EXPECT_EQ(choice.lcid, 1033);

    EXPECT_EQ(ProgramStrings().GetUtf8(ProgramString::Exit), "&Koniec");
    ProgramLanguage::Use(*choice.resources);
    EXPECT_EQ(ProgramStrings().GetUtf8(ProgramString::Exit), "E&xit");
    EXPECT_EQ(ProgramStrings().GetUtf8(ProgramString::LoggedInAs), "Logged in: %s");
    // Texts the library lacks keep the built-in ones.
    EXPECT_EQ(ProgramStrings().GetUtf8(ProgramString::DefaultNotice),
              BuiltInProgramStrings().GetUtf8(ProgramString::DefaultNotice));
    EXPECT_EQ(ProgramCaptionTable().GetCaptionUtf8(176, 0), "Velora login");
    EXPECT_EQ(ProgramCaptionTable().GetCaptionUtf8(176, 1), "OK");
    CoreTexts::UseBuiltIn();
}

TEST(EnglishLanguage, ALibraryOfAnotherVersionIsRefused) {
    EXPECT_FALSE(ChooseLanguage(1033, PROGRAM_DIR, "0.0.1").resources);
    EXPECT_EQ(ChooseLanguage(1033, PROGRAM_DIR, "0.0.1").lcid, kNoLanguage);
}

} // namespace
