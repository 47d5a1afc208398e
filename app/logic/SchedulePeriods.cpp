#include "logic/SchedulePeriods.h"

namespace SchedulePeriods {

std::vector<std::string> Texts(const StringTable& strings) {
    std::vector<std::string> texts;
    for (int id = kFirstString;; ++id) {
        const auto text = strings.GetUtf8(id);
        if (!text)
            return texts;
        texts.emplace_back(*text);
    }
}

std::string Text(const StringTable& strings, int code) {
    if (code < 0)
        return {};
    const auto text = strings.GetUtf8(kFirstString + code);
    return text ? std::string(*text) : std::string();
}

} // namespace SchedulePeriods
