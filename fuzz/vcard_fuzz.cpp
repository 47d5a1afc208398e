// The vCard scan of phone suite backups and .vcf files on any bytes: no crash, the scan moves
// forward, and every record it hands out has a name.
#include "frontend/VCard.h"
#include "frontend/VCardImportReader.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

void Check(bool condition) {
    if (!condition)
        __builtin_trap();
}

void ReadAll(const std::string& bytes, const char* version) {
    VCardImportReader reader(bytes, version);
    ImportRecord record;
    std::size_t previous = 0;
    while (reader.Next(record) == IImportSource::Result::Record) {
        Check(!record.name.empty());
        Check(reader.Position() > previous && reader.Position() <= reader.Size());
        previous = reader.Position();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    ReadAll(bytes, "2.1");
    ReadAll(bytes, "3.0");
    ReadAll(bytes, "");
    // The bytes as the inside of one card, too.
    VCardRecord(ReadVCardProperties(bytes, size % 2 == 0));
    SplitVCardParameters(bytes);
    DecodeQuotedPrintable(bytes);
    return 0;
}
