#include "logic/ImportFilter.h"

#include "logic/ProgramStrings.h"

namespace {

std::string Text(int id) {
    return std::string(ProgramStrings().GetUtf8(id).value_or(""));
}

std::vector<std::string> Parts(const std::string& text) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t hash = text.find('#'); hash != std::string::npos;
         hash = text.find('#', start)) {
        parts.push_back(text.substr(start, hash - start));
        start = hash + 1;
    }
    if (start < text.size())
        parts.push_back(text.substr(start));
    return parts;
}

std::string FixedPattern(std::string pattern) {
    return pattern == ".*.*" ? "*.*" : pattern;
}

} // namespace

std::vector<FileFilterEntry> ParseFileFilter(const std::string& text) {
    std::vector<FileFilterEntry> entries;
    const std::vector<std::string> parts = Parts(text);
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].empty())
            break;
        entries.push_back({parts[i], FixedPattern(parts[i + 1])});
    }
    return entries;
}

std::string ImportFilterText(ImportFileType type) {
    switch (type) {
    case ImportFileType::QuillonCsv:
    case ImportFileType::Outlook98Csv:
        return Text(ProgramString::CsvFilter);
    case ImportFileType::Nfc:
        return Text(ProgramString::NfcFilter);
    case ImportFileType::Nbu:
        return Text(ProgramString::NbuFilter);
    case ImportFileType::VCard:
        break;
    }
    return Text(ProgramString::VCardFilter);
}

std::string ImportTypeName(ImportFileType type) {
    switch (type) {
    case ImportFileType::QuillonCsv:
        return Text(ProgramString::QuillonCsvType);
    case ImportFileType::Outlook98Csv:
        return Text(ProgramString::Outlook98CsvType);
    case ImportFileType::Nfc:
        return Text(ProgramString::NfcType);
    case ImportFileType::Nbu:
        return Text(ProgramString::NbuType);
    case ImportFileType::VCard:
        break;
    }
    return Text(ProgramString::VCardType);
}
