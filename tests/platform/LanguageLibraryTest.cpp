#include "platform/LanguageLibrary.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <fstream>

namespace {

const std::string kLangDir = TEST_LANG_DIR;

std::string Library(const std::string& name) {
    return kLangDir + "/" + name + ".so";
}

// Whether the library is mapped into the process now.
bool IsLoaded(const std::string& path) {
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (!handle)
        return false;
    dlclose(handle);
    return true;
}

TEST(LanguageLibraryTest, AcceptsTheRequiredVersionAndCopiesItsTables) {
    const std::optional<LanguageResources> english =
        LoadLanguageLibrary(Library("english"), "1.3.0");
    ASSERT_TRUE(english);
    EXPECT_EQ(english->language, "english");
    EXPECT_EQ(english->version, "1.3.0");
    ASSERT_EQ(english->strings.size(), 6u);
    EXPECT_EQ(english->strings[0], (LanguageString{9, "Synchronisation completed"}));
    EXPECT_EQ(english->strings[5], (LanguageString{999, "Not a text of the core"}));
    ASSERT_EQ(english->captions.size(), 3u);
    EXPECT_EQ(english->captions[1], (LanguageCaption{193, 2, "Cancel"}));
    // The texts are copies: the library is closed again.
    EXPECT_FALSE(IsLoaded(Library("english")));
}

TEST(LanguageLibraryTest, RefusesAndUnloadsAnyOtherVersion) {
    EXPECT_FALSE(LoadLanguageLibrary(Library("oldversion"), "1.3.0"));
    EXPECT_FALSE(IsLoaded(Library("oldversion")));
    // The comparison is exact: no prefix, no longer text, no empty requirement.
    for (const char* required : {"1.3", "1.3.0.0", "", " 1.3.0"}) {
        EXPECT_FALSE(LoadLanguageLibrary(Library("english"), required)) << required;
        EXPECT_FALSE(IsLoaded(Library("english")));
    }
    EXPECT_TRUE(LoadLanguageLibrary(Library("oldversion"), "1.2.9"));
}

TEST(LanguageLibraryTest, MissingFileFunctionOrNonLibraryGiveNothing) {
    EXPECT_FALSE(LoadLanguageLibrary(Library("klingon"), "1.3.0"));
    EXPECT_FALSE(LoadLanguageLibrary(Library("nostrings"), "1.3.0"));
    EXPECT_FALSE(IsLoaded(Library("nostrings")));

    const TempDir dir;
    const std::string garbage = (dir.Path() / "garbage.so").string();
    std::ofstream(garbage) << "not a shared object";
    EXPECT_FALSE(LoadLanguageLibrary(garbage, "1.3.0"));
    EXPECT_FALSE(ReadLibraryLanguage(garbage));
    EXPECT_FALSE(LoadLanguageLibrary(dir.Path().string(), "1.3.0"));
    // A bare name is never looked for in the system's library folders.
    EXPECT_FALSE(LoadLanguageLibrary("english.so", "1.3.0"));
}

TEST(LanguageLibraryTest, ReadsTheLanguageOfAnyVersion) {
    EXPECT_EQ(ReadLibraryLanguage(Library("oldversion")), "english");
    EXPECT_EQ(ReadLibraryLanguage(Library("nostrings")), "english");
    EXPECT_FALSE(ReadLibraryLanguage(Library("klingon")));
    EXPECT_FALSE(IsLoaded(Library("oldversion")));
}

TEST(LanguageLibraryTest, PathsFollowTheProgramsPatterns) {
    EXPECT_EQ(ProgramLanguageLibraryPath("/opt/quillon/", "English"),
              "/opt/quillon/Lang/English_EXE.so");
    EXPECT_EQ(ToolLanguageLibraryPath("/opt/quillon", "english"), "/opt/quillon/Lang/english.so");
}

} // namespace
