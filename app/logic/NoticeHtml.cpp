#include "logic/NoticeHtml.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr const char* kNoMenu = "oncontextmenu=\"return false\"";

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

} // namespace

std::string NoticeHtml(const std::string& text) {
    const std::string upper = Upper(text);
    if (upper.find("<HTML") == std::string::npos)
        return std::string("<HTML><BODY ") + kNoMenu + ">" + text + "</BODY></HTML>";
    const std::size_t body = upper.find("<BODY");
    // A page without a body tag is shown as it is: there is nowhere to put the attribute.
    if (body == std::string::npos)
        return text;
    const std::size_t afterBody = body + 5;
    const std::size_t tagEnd = upper.find('>', afterBody);
    const std::size_t existing = upper.find("ONCONTEXTMENU", afterBody);
    if (existing != std::string::npos && (tagEnd == std::string::npos || existing < tagEnd))
        return text;
    return text.substr(0, afterBody) + " " + kNoMenu + text.substr(afterBody);
}
