#include "logic/CsvWriter.h"

namespace {

bool NeedsQuotes(const std::string& field) {
    if (field.empty())
        return false;
    return field.find_first_of(",\"\r\n") != std::string::npos || field.front() == ' ' ||
           field.back() == ' ';
}

} // namespace

CsvWriter::CsvWriter() : m_text("\xEF\xBB\xBF") {}

void CsvWriter::AddRecord(const std::vector<std::string>& fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            m_text += ',';
        m_text += Field(fields[i]);
    }
    m_text += "\r\n";
}

std::string CsvWriter::Field(const std::string& field) {
    if (!NeedsQuotes(field))
        return field;
    std::string quoted = "\"";
    for (const char c : field) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}
