#pragma once

#include "logic/AddressImport.h"

#include <string>

// Which options of the import dialog a file type offers, and what OK needs.
namespace ImportChoices {

// The number of file types in the dialog's list.
inline constexpr int kTypeCount = 5;

// Only the own CSV format may start with a header line of its own choosing.
bool OffersSkipFirstLine(ImportFileType type);
// The formats that carry other numbers besides the mobile one.
bool OffersNoMobileChoice(ImportFileType type);
// OK needs a file name that is not only blanks.
bool HasFileName(const std::string& fileName);

} // namespace ImportChoices
