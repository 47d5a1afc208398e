#pragma once

#include <exception>

// Common base of the two exceptions of the service methods. They are values: thrown by value,
// caught by reference (`catch (const CKvwsException&)` catches both).
class CKvwsException : public std::exception {};
