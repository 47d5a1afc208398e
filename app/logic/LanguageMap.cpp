#include "logic/LanguageMap.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <utility>

namespace {

constexpr std::array<std::pair<std::uint16_t, const char*>, 28> kLanguages{{
    {1026, "Bulgarian"}, {1029, "Czech"},     {1030, "Danish"},   {1031, "German"},
    {1032, "Greek"},     {1033, "English"},   {1034, "Spanish"},  {1035, "Finnish"},
    {1036, "French"},    {1038, "Hungarian"}, {1040, "Italian"},  {1043, "Dutch"},
    {1044, "Norwegian"}, {1045, "Polish"},    {1048, "Romanian"}, {1049, "Russian"},
    {1050, "Croatian"},  {1051, "Slovak"},    {1053, "Swedish"},  {1058, "Ukrainian"},
    {1060, "Slovenian"}, {2055, "German"},    {2057, "English"},  {3079, "German"},
    {3081, "English"},   {3082, "Spanish"},   {4105, "English"},  {5129, "English"},
}};

std::string Lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::map<std::string, std::uint16_t> BuildMap() {
    std::map<std::string, std::uint16_t> map;
    for (const auto& [lcid, name] : kLanguages) {
        auto [entry, added] = map.emplace(Lowered(name), lcid);
        if (!added)
            entry->second = std::min(entry->second, lcid);
    }
    return map;
}

} // namespace

std::optional<std::string> EnglishLanguageName(std::uint16_t lcid) {
    const auto found = std::find_if(kLanguages.begin(), kLanguages.end(),
                                    [lcid](const auto& entry) { return entry.first == lcid; });
    if (found == kLanguages.end())
        return std::nullopt;
    return std::string(found->second);
}

const std::map<std::string, std::uint16_t>& LanguageMap() {
    static const std::map<std::string, std::uint16_t> map = BuildMap();
    return map;
}
