#pragma once

#include "QuillonCoreExport.h"

#include <string>
#include <string_view>
#include <vector>

// The fields of one line of the address book's CSV files, split at the separator. A field that
// begins with a double quote runs to the closing quote that is followed by the separator or the
// line end; two double quotes inside it stand for one. A trailing empty field is dropped. The
// same rule splits the groups field at ";", which the export quotes the same way.
QUILLON_CORE_EXPORT std::vector<std::string> AddressCsvFields(std::string_view line,
                                                              char separator = ',');
