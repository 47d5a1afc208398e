#pragma once

#include "QuillonCoreExport.h"

#include <memory>

class IAutoCompleteObject;

// Makes the system's auto-completion object for one edit field (the field is the factory's
// business); null when the system cannot.
class QUILLON_CORE_EXPORT IAutoCompleteFactory {
public:
    virtual ~IAutoCompleteFactory() = default;
    virtual std::unique_ptr<IAutoCompleteObject> Create() = 0;
};
