#pragma once

#include "QuillonCoreExport.h"
#include "frontend/IImportSource.h"
#include "frontend/VCardScan.h"

#include <string>

// Reads the contacts of the vCards in a file: a phone suite's backup, whose cards must all be of
// one version, or a .vcf file of any version (values in UTF-8 unless a charset says otherwise).
class QUILLON_CORE_EXPORT VCardImportReader : public IImportSource {
public:
    // requiredVersion empty: no version check, and values are taken as UTF-8 by default.
    VCardImportReader(std::string bytes, std::string requiredVersion);
    VCardImportReader(const VCardImportReader&) = delete;
    VCardImportReader& operator=(const VCardImportReader&) = delete;

    // A record per card that names a contact (cards without a name are passed over); DataError
    // for a card that does not end, WrongVersion for a card of another version.
    Result Next(ImportRecord& record) override;

    std::size_t Position() const override { return m_scan.Position(); }
    std::size_t Size() const override { return m_scan.Size(); }

private:
    std::string m_bytes;
    VCardScan m_scan;
    std::string m_requiredVersion;
};
