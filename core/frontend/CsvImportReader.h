#pragma once

#include "QuillonCoreExport.h"
#include "frontend/IImportSource.h"
#include "frontend/ImportRecord.h"
#include "frontend/ImportText.h"

#include <cstddef>
#include <string>

// Reads the records of an address book CSV file line by line: the program's own format (name,
// number 1, number 2, groups; the export's format) or the format of an Outlook 98 export (a
// header line, the name in columns 0 to 3, the mobile number in column 39 and four other
// numbers). Lines are trimmed and empty lines skipped.
class QUILLON_CORE_EXPORT CsvImportReader : public IImportSource {
public:
    enum class Format { Quillon, Outlook98 };

    // The text in the ANSI code page (see ImportTextToAnsi). The Outlook 98 header is always
    // skipped; skipFirstLine skips the first line of the own format.
    CsvImportReader(std::string text, Format format, bool skipFirstLine);
    // The line reader looks into the text this reader holds.
    CsvImportReader(const CsvImportReader&) = delete;
    CsvImportReader& operator=(const CsvImportReader&) = delete;

    // Record or End.
    Result Next(ImportRecord& record) override;

    std::size_t Position() const override { return m_lines.Position(); }
    std::size_t Size() const override { return m_text.size(); }

    // One line's record, for a line already split into fields.
    static ImportRecord QuillonRecord(const std::vector<std::string>& fields);
    static ImportRecord Outlook98Record(const std::vector<std::string>& fields);

private:
    std::string m_text;
    ImportLines m_lines;
    Format m_format;
    bool m_skipFirstLine;
};
