#include "frontend/AddressCsvFields.h"

namespace {

// The quoted field that starts at pos (on its opening quote); pos moves past its separator, or
// beyond the end when the field ends the line. A quote that never closes runs to the line end.
std::string QuotedField(std::string_view line, std::size_t& pos, char separator) {
    std::string field;
    std::size_t i = pos + 1;
    while (i < line.size()) {
        const char c = line[i];
        if (c != '"') {
            field += c;
            ++i;
        } else if (i + 1 == line.size() || line[i + 1] == separator) {
            pos = i + 2;
            return field;
        } else if (line[i + 1] == '"') {
            field += '"';
            i += 2;
        } else {
            // A lone quote inside the field stays as it is.
            field += c;
            ++i;
        }
    }
    pos = line.size() + 1;
    return field;
}

std::string PlainField(std::string_view line, std::size_t& pos, char separator) {
    const std::size_t end = line.find(separator, pos);
    if (end == std::string_view::npos) {
        std::string field(line.substr(pos));
        pos = line.size() + 1;
        return field;
    }
    std::string field(line.substr(pos, end - pos));
    pos = end + 1;
    return field;
}

} // namespace

std::vector<std::string> AddressCsvFields(std::string_view line, char separator) {
    std::vector<std::string> fields;
    std::size_t pos = 0;
    while (pos < line.size()) {
        if (line[pos] == '"')
            fields.push_back(QuotedField(line, pos, separator));
        else
            fields.push_back(PlainField(line, pos, separator));
    }
    // pos == size means the line ended with a separator: that empty last field is dropped.
    return fields;
}
