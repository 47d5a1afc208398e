#pragma once

#include "QuillonCoreExport.h"

#include <exception>

// Common base of the two exceptions of the service methods. They are values: thrown by value,
// caught by reference (`catch (const CKvwsException&)` catches both).
class QUILLON_CORE_EXPORT CKvwsException : public std::exception {};
