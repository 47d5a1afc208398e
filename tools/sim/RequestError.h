#pragma once

#include <stdexcept>
#include <string>

// A request that breaks the protocol; the text names what is wrong and becomes the reason of
// the SOAP Fault that answers it.
class RequestError : public std::runtime_error {
public:
    explicit RequestError(const std::string& what) : std::runtime_error(what) {}
};
