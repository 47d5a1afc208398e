#pragma once

#include "QuillonCoreExport.h"

#include "service/KvwsException.h"

// A negative service status: the service's database failed. It carries no text of its own;
// the programs show their generic message for it.
class QUILLON_CORE_EXPORT CKvwsDbException : public CKvwsException {
public:
    const char* what() const noexcept override { return "service database error"; }
};
