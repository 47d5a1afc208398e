#pragma once

#include "QuillonCoreExport.h"

#include "service/StringSource.h"

// The English texts for service statuses and transport errors (ANSI text, "%d" where the
// generic texts take the number).
class QUILLON_CORE_EXPORT CEnglishServiceStrings : public IStringSource {
public:
    std::optional<std::string> GetString(int id) const override;
};
