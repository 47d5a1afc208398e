#pragma once

#include "QuillonCoreExport.h"
#include "model/StringTable.h"

// The English texts for service statuses and transport errors ("%d" where the generic texts
// take the number): a string table filled with them.
class QUILLON_CORE_EXPORT CEnglishServiceStrings : public StringTable {
public:
    CEnglishServiceStrings();
};
