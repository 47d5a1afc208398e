#include "frontend/VCardImportReader.h"

#include "frontend/ImportText.h"
#include "frontend/VCard.h"

#include <utility>

VCardImportReader::VCardImportReader(std::string bytes, std::string requiredVersion)
    : m_bytes(std::move(bytes)), m_scan(m_bytes), m_requiredVersion(std::move(requiredVersion)) {}

IImportSource::Result VCardImportReader::Next(ImportRecord& record) {
    for (;;) {
        std::string_view card;
        switch (m_scan.Next(card)) {
        case VCardScan::Result::End:
            return Result::End;
        case VCardScan::Result::Unterminated:
            return Result::DataError;
        case VCardScan::Result::Card:
            break;
        }
        const std::vector<VCardProperty> properties =
            ReadVCardProperties(card, m_requiredVersion.empty());
        if (!m_requiredVersion.empty() &&
            TrimImportLine(VCardValue(properties, "VERSION")) != m_requiredVersion)
            return Result::WrongVersion;
        record = VCardRecord(properties);
        if (!record.name.empty())
            return Result::Record;
    }
}
