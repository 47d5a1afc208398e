#pragma once

#include "QuillonCoreExport.h"

#include <cstdint>
#include <list>
#include <memory>
#include <string>

class CXmlWriter;

// One entry of the recipient history that feeds auto-completion: the recipient as typed and
// when it was last used.
class QUILLON_CORE_EXPORT CSmsHistoryItem {
public:
    CSmsHistoryItem(const std::string& text, std::int64_t timeStamp)
        : m_text(text), m_timeStamp(timeStamp) {}

    const std::string& GetText() const { return m_text; }
    std::int64_t GetTimeStamp() const { return m_timeStamp; }

    // Writes a "HistoryItem" element.
    void WriteXML(CXmlWriter& writer) const;

private:
    std::string m_text;
    std::int64_t m_timeStamp;
};

// The history, newest first, texts unique, kept short by its users (see CSmsArchive).
using SmsHistoryList = std::list<std::unique_ptr<CSmsHistoryItem>>;
