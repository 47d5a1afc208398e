#pragma once

#include "QuillonCoreExport.h"

#include <string>

// The per-user configuration directory "<local data>/Velora/Quillon/" (legacy: ".../Korvana/
// Quillon/"), ending in "/". With create, the missing folders are made with mode 0700, and the
// program's own two (Velora and Quillon) are made private when they exist already.
QUILLON_CORE_EXPORT std::string GetConfigDir(bool create, bool legacy);

// Takes away the access of group and others to a folder of this user. Links and other users'
// folders are left as they are.
void TightenFolder(const std::string& path);
// Makes the folder with mode 0700, or tightens it when it is there already.
void MakePrivateFolder(const std::string& path);

// The folder of the loaded module that contains the given address, ending in "/"; null stands
// for QuillonCore's own module.
QUILLON_CORE_EXPORT std::string GetAppDir(const void* moduleAddress);
