#pragma once

#include "logic/LanguageChoice.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The file names in a folder (no paths); empty when it cannot be read.
using FolderLister = std::function<std::vector<std::string>(const std::string& folder)>;
std::vector<std::string> ListFolder(const std::string& folder);

// The languages the settings page offers: the built-in Slovak first, then the language of every
// library "<programDir>Lang/<English name>_EXE.so" whose name the language map knows and that
// carries the program's version, in the order of the file names, each once.
std::vector<std::uint16_t> ProgramLanguages(const std::string& programDir,
                                            std::string_view programVersion,
                                            const LanguageLoader& load = LoadLanguageLibrary,
                                            const FolderLister& list = ListFolder);
