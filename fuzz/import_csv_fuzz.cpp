// The readers of the address book's CSV files on any bytes: no crash, every record has a line
// that exists, and the fields of a line read back from what the export would write of them.
#include "frontend/AddressCsvFields.h"
#include "frontend/CsvImportReader.h"
#include "frontend/ImportText.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

void Check(bool condition) {
    if (!condition)
        __builtin_trap();
}

// The export's quoting of one field.
std::string Quoted(const std::string& field, char separator) {
    if (field.find('"') == std::string::npos && field.find(separator) == std::string::npos)
        return field;
    std::string quoted = "\"";
    for (char c : field)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

void ReadAll(const std::string& text, CsvImportReader::Format format, bool skip) {
    CsvImportReader reader(text, format, skip);
    ImportRecord record;
    int previous = 0;
    while (reader.Next(record) == IImportSource::Result::Record) {
        Check(record.line > previous);
        previous = record.line;
        Check(reader.Position() <= reader.Size());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string text = ImportTextToAnsi(bytes);
    ReadAll(text, CsvImportReader::Format::Quillon, size % 2 == 0);
    ReadAll(text, CsvImportReader::Format::Outlook98, false);

    // Fields without line breaks survive the export's quoting (but for a dropped empty last one).
    if (bytes.find_first_of("\r\n") == std::string::npos) {
        for (char separator : {',', ';'}) {
            const auto fields = AddressCsvFields(bytes, separator);
            std::string line;
            for (std::size_t i = 0; i < fields.size(); ++i)
                line +=
                    (i ? std::string(1, separator) : std::string()) + Quoted(fields[i], separator);
            auto again = AddressCsvFields(line, separator);
            auto expected = fields;
            if (!expected.empty() && expected.back().empty())
                expected.pop_back();
            Check(again == expected);
        }
    }
    return 0;
}
