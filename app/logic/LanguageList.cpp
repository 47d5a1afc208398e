#include "logic/LanguageList.h"

#include "logic/LanguageMap.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace {

constexpr std::string_view kSuffix = "_EXE.so";

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

} // namespace

std::vector<std::string> ListFolder(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error))
        names.push_back(it->path().filename().string());
    return names;
}

std::vector<std::uint16_t> ProgramLanguages(const std::string& programDir,
                                            std::string_view programVersion,
                                            const LanguageLoader& load, const FolderLister& list) {
    std::vector<std::uint16_t> languages{kBuiltInLanguage};
    const std::string folder = programDir + "Lang/";
    std::vector<std::string> names = list(folder);
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        if (name.size() <= kSuffix.size() || !name.ends_with(kSuffix))
            continue;
        const auto found = LanguageMap().find(Lower(name.substr(0, name.size() - kSuffix.size())));
        if (found == LanguageMap().end() || found->second == kBuiltInLanguage ||
            std::find(languages.begin(), languages.end(), found->second) != languages.end())
            continue;
        if (load(folder + name, programVersion))
            languages.push_back(found->second);
    }
    return languages;
}
