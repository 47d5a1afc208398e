#pragma once

#include <string>

// The per-user configuration directory "<local data>/Velora/Quillon/" (legacy: ".../Korvana/
// Quillon/"), ending in "/". With create, the missing folders are made with mode 0700.
std::string GetConfigDir(bool create, bool legacy);

// The folder of the loaded module that contains the given address, ending in "/"; null stands
// for QuillonCore's own module.
std::string GetAppDir(const void* moduleAddress);
