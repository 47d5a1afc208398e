#include "platform/LanguageLibrary.h"

#include "platform/LanguageLibraryExports.h"

#include <dlfcn.h>

namespace {

// A table longer than this has lost its end marker: the rest is not read.
constexpr std::size_t kMaxEntries = 65536;

// The loaded library for as long as it lives. Only a path with a folder is opened: a bare name
// would make dlopen search the system's library folders and load whatever it finds there.
class OpenLibrary {
public:
    explicit OpenLibrary(const std::string& path)
        : m_handle(path.find('/') == std::string::npos
                       ? nullptr
                       : dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) {}
    ~OpenLibrary() {
        if (m_handle)
            dlclose(m_handle);
    }
    OpenLibrary(const OpenLibrary&) = delete;
    OpenLibrary& operator=(const OpenLibrary&) = delete;

    explicit operator bool() const { return m_handle != nullptr; }

    template <class Function> Function Find(const char* name) const {
        return reinterpret_cast<Function>(dlsym(m_handle, name));
    }

private:
    void* m_handle;
};

// The text a library function returns; nothing for a missing function or a null result.
template <class Function> std::optional<std::string> TextOf(Function function) {
    const char* text = function ? function() : nullptr;
    if (!text)
        return std::nullopt;
    return std::string(text);
}

std::vector<LanguageString> CopyStrings(const QuillonResString* table) {
    std::vector<LanguageString> strings;
    for (std::size_t i = 0; i < kMaxEntries && table[i].text; ++i)
        strings.push_back({table[i].id, table[i].text});
    return strings;
}

std::vector<LanguageCaption> CopyCaptions(const QuillonResCaption* table) {
    std::vector<LanguageCaption> captions;
    for (std::size_t i = 0; i < kMaxEntries && table[i].text; ++i)
        captions.push_back({table[i].dialog, table[i].control, table[i].text});
    return captions;
}

} // namespace

std::optional<LanguageResources> LoadLanguageLibrary(const std::string& path,
                                                     std::string_view requiredVersion) {
    const OpenLibrary library(path);
    if (!library)
        return std::nullopt;
    const auto language = library.Find<GetResLanguageFunction>("GetResLanguage");
    const auto version = library.Find<GetResVersionFunction>("GetResVersion");
    const auto strings = library.Find<GetResStringsFunction>("GetResStrings");
    const auto captions = library.Find<GetResCaptionsFunction>("GetResCaptions");
    if (!language || !strings || !captions)
        return std::nullopt;
    const std::optional<std::string> versionText = TextOf(version);
    if (!versionText || *versionText != requiredVersion)
        return std::nullopt;
    std::optional<std::string> languageText = TextOf(language);
    const QuillonResString* stringTable = strings();
    const QuillonResCaption* captionTable = captions();
    if (!languageText || !stringTable || !captionTable)
        return std::nullopt;
    return LanguageResources{std::move(*languageText), *versionText, CopyStrings(stringTable),
                             CopyCaptions(captionTable)};
}

std::optional<std::string> ReadLibraryLanguage(const std::string& path) {
    const OpenLibrary library(path);
    if (!library)
        return std::nullopt;
    return TextOf(library.Find<GetResLanguageFunction>("GetResLanguage"));
}

std::string ProgramLanguageLibraryPath(const std::string& programDir,
                                       const std::string& englishName) {
    return programDir + "Lang/" + englishName + "_EXE.so";
}

std::string ToolLanguageLibraryPath(const std::string& installDir,
                                    const std::string& languageName) {
    return installDir + "/Lang/" + languageName + ".so";
}
