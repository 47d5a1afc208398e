#pragma once

#include <string>
#include <vector>

// A CSV file as spreadsheets read it: UTF-8 with a byte order mark, CR LF between records, and
// fields quoted when they hold a comma, a quote, a line break or edge blanks (quotes doubled).
class CsvWriter {
public:
    CsvWriter();
    // Fields in UTF-8.
    void AddRecord(const std::vector<std::string>& fields);
    const std::string& Text() const { return m_text; }

    static std::string Field(const std::string& field);

private:
    std::string m_text;
};
