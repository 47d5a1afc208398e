#include "frontend/Utf8StringSource.h"

std::optional<std::string> Utf8StringSource::GetString(int id) const {
    const auto text = m_table.GetUtf8(id);
    if (!text)
        return std::nullopt;
    return std::string(*text);
}
