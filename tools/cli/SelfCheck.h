#pragma once

#include <string>
#include <vector>

// "selfcheck": checks the core utilities on this machine (code page, folders, cipher vectors,
// Base64, compression, numbers) and prints one line per check; 0 when all pass.
int RunSelfCheck(const std::vector<std::string>& args);
