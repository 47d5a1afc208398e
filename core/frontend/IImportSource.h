#pragma once

#include "frontend/ImportRecord.h"

#include <cstddef>

// A reader of an import file that hands out its records one at a time.
class IImportSource {
public:
    enum class Result {
        Record,       // the next record
        End,          // nothing more to read
        DataError,    // the file is damaged; reading ends
        WrongVersion, // the file's contacts are in another format version; reading ends
    };

    virtual ~IImportSource() = default;
    virtual Result Next(ImportRecord& record) = 0;
    // How far the reading has come, out of Size().
    virtual std::size_t Position() const = 0;
    virtual std::size_t Size() const = 0;
};
