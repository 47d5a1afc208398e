#include "logic/NoticeLinks.h"

#include <algorithm>
#include <array>
#include <cctype>

bool IsNoticeLinkOpenable(const std::string& scheme) {
    std::string lower = scheme;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    static const std::array<std::string, 3> kAllowed{"http", "https", "mailto"};
    return std::find(kAllowed.begin(), kAllowed.end(), lower) != kAllowed.end();
}
