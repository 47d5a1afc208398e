#include "logic/LanguageChoice.h"
#include "logic/LanguageMap.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <utility>
#include <vector>

namespace {

// Records the paths it is asked for and answers with a library of the given language.
struct FakeLoader {
    explicit FakeLoader(std::optional<std::string> language = std::nullopt)
        : language(std::move(language)) {}

    std::optional<std::string> language;
    std::vector<std::string> paths;

    LanguageLoader Loader() {
        return [this](const std::string& path, std::string_view version) {
            paths.push_back(path);
            if (!language || version != "1.1.0")
                return std::optional<LanguageResources>();
            return std::optional<LanguageResources>(
                LanguageResources{*language, std::string(version), {{102, "Quillon"}}, {}});
        };
    }
};

TEST(LanguageMap, NamesTheProgramsLanguagesAndTheSmallestIdWins) {
    EXPECT_EQ(EnglishLanguageName(1033), "English");
    EXPECT_EQ(EnglishLanguageName(2057), "English");
    EXPECT_EQ(EnglishLanguageName(1051), "Slovak");
    EXPECT_EQ(EnglishLanguageName(1029), "Czech");
    EXPECT_EQ(EnglishLanguageName(1031), "German");
    EXPECT_EQ(EnglishLanguageName(1038), "Hungarian");
    EXPECT_EQ(EnglishLanguageName(1045), "Polish");
    EXPECT_EQ(EnglishLanguageName(1058), "Ukrainian");
    EXPECT_EQ(EnglishLanguageName(1049), "Russian");
    EXPECT_FALSE(EnglishLanguageName(0));
    EXPECT_FALSE(EnglishLanguageName(9999));

    const auto& map = LanguageMap();
    EXPECT_EQ(map.at("english"), 1033);
    EXPECT_EQ(map.at("german"), 1031);
    EXPECT_EQ(map.at("slovak"), 1051);
    EXPECT_FALSE(map.count("English"));
    // Every entry leads back to a language of that name.
    for (const auto& [name, lcid] : map)
        EXPECT_TRUE(EnglishLanguageName(lcid)) << name;
}

TEST(LanguageChoice, TheBuiltInLanguageNeedsNoLibraryAndIsStoredAsNone) {
    FakeLoader fake{"english"};
    for (std::uint16_t lcid : {std::uint16_t(0), std::uint16_t(1051)}) {
        const LanguageChoice choice = ChooseLanguage(lcid, "/opt/quillon/", "1.1.0", fake.Loader());
        EXPECT_EQ(choice.lcid, 0);
        EXPECT_FALSE(choice.resources);
    }
    EXPECT_TRUE(fake.paths.empty());
    EXPECT_FALSE(LanguageLibraryFor(1051, "/opt/quillon/"));
}

TEST(LanguageChoice, ALibraryOfTheLanguageAndVersionIsTaken) {
    FakeLoader fake{"English"};
    const LanguageChoice choice = ChooseLanguage(2057, "/opt/quillon/", "1.1.0", fake.Loader());
    EXPECT_EQ(choice.lcid, 2057);
    ASSERT_TRUE(choice.resources);
    EXPECT_EQ(choice.resources->strings.front().text, "Quillon");
    EXPECT_EQ(fake.paths, std::vector<std::string>{"/opt/quillon/Lang/English_EXE.so"});
}

TEST(LanguageChoice, AnyFailureFallsBackToTheBuiltInTexts) {
    FakeLoader missing;
    EXPECT_EQ(ChooseLanguage(1029, "/opt/quillon/", "1.1.0", missing.Loader()).lcid, 0);
    EXPECT_EQ(missing.paths, std::vector<std::string>{"/opt/quillon/Lang/Czech_EXE.so"});

    FakeLoader otherLanguage{"german"};
    const LanguageChoice wrong =
        ChooseLanguage(1029, "/opt/quillon/", "1.1.0", otherLanguage.Loader());
    EXPECT_EQ(wrong.lcid, 0);
    EXPECT_FALSE(wrong.resources);

    FakeLoader oldVersion{"czech"};
    EXPECT_EQ(ChooseLanguage(1029, "/opt/quillon/", "1.0.9", oldVersion.Loader()).lcid, 0);

    FakeLoader unknown{"klingon"};
    EXPECT_EQ(ChooseLanguage(9999, "/opt/quillon/", "1.1.0", unknown.Loader()).lcid, 0);
    EXPECT_TRUE(unknown.paths.empty());
}

TEST(LanguageChoice, TheRealLoaderTakesALibraryFromTheProgramsLangFolder) {
    TempDir program;
    std::filesystem::create_directories(program.Path() / "Lang");
    std::filesystem::copy_file(std::string(TEST_LANG_DIR) + "/english.so",
                               program.Path() / "Lang" / "English_EXE.so");
    const std::string folder = program.Path().string() + "/";

    const LanguageChoice english = ChooseLanguage(1033, folder, "1.3.0");
    EXPECT_EQ(english.lcid, 1033);
    ASSERT_TRUE(english.resources);
    EXPECT_FALSE(english.resources->strings.empty());
    // Another version, or a language without a library: built-in.
    EXPECT_EQ(ChooseLanguage(1033, folder, "1.3.1").lcid, 0);
    EXPECT_EQ(ChooseLanguage(1031, folder, "1.3.0").lcid, 0);
}

} // namespace
