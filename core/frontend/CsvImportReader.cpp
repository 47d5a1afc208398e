#include "frontend/CsvImportReader.h"

#include "frontend/AddressCsvFields.h"

#include <utility>

namespace {

// Columns of an Outlook 98 export.
constexpr std::size_t kNameColumns = 4;
constexpr std::size_t kMobileColumn = 39;
struct CandidateColumn {
    std::size_t column;
    NumberLabel label;
};
constexpr CandidateColumn kCandidateColumns[] = {
    {30, NumberLabel::Work},
    {36, NumberLabel::Home},
    {43, NumberLabel::Primary},
    {41, NumberLabel::Other},
};

const std::string& Column(const std::vector<std::string>& fields, std::size_t index) {
    static const std::string empty;
    return index < fields.size() ? fields[index] : empty;
}

} // namespace

CsvImportReader::CsvImportReader(std::string text, Format format, bool skipFirstLine)
    : m_text(std::move(text)), m_lines(m_text), m_format(format),
      m_skipFirstLine(skipFirstLine || format == Format::Outlook98) {}

IImportSource::Result CsvImportReader::Next(ImportRecord& record) {
    std::string_view line;
    while (m_lines.Next(line)) {
        if (m_skipFirstLine && m_lines.LineNumber() == 1)
            continue;
        line = TrimImportLine(line);
        if (line.empty())
            continue;
        const std::vector<std::string> fields = AddressCsvFields(line);
        record = m_format == Format::Quillon ? QuillonRecord(fields) : Outlook98Record(fields);
        record.line = m_lines.LineNumber();
        return Result::Record;
    }
    return Result::End;
}

ImportRecord CsvImportReader::QuillonRecord(const std::vector<std::string>& fields) {
    ImportRecord record;
    record.name = Column(fields, 0);
    record.phone1 = Column(fields, 1);
    record.phone2 = Column(fields, 2);
    record.groups = Column(fields, 3);
    return record;
}

ImportRecord CsvImportReader::Outlook98Record(const std::vector<std::string>& fields) {
    ImportRecord record;
    for (std::size_t i = 0; i < kNameColumns; ++i) {
        const std::string& part = Column(fields, i);
        if (part.empty())
            continue;
        if (!record.name.empty())
            record.name += ' ';
        record.name += part;
    }
    record.phone1 = Column(fields, kMobileColumn);
    for (const CandidateColumn& candidate : kCandidateColumns)
        if (!Column(fields, candidate.column).empty())
            record.candidates.push_back({candidate.label, Column(fields, candidate.column)});
    return record;
}
