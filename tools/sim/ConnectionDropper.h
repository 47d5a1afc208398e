#pragma once

#include <string>

// Ends one of this process's TCP connections without a reply, found by its two ends: the HTTP
// library gives handlers no socket, only the addresses. Returns whether it was found.
bool DropConnection(const std::string& remoteAddress, int remotePort, int localPort);
