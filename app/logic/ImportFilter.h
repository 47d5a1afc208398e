#pragma once

#include "logic/AddressImport.h"

#include <string>
#include <vector>

// One entry of a file dialog's type list: what the user reads and the patterns it shows.
struct FileFilterEntry {
    std::string description;
    // Patterns separated by ";", as the string holds them.
    std::string patterns;
};

// The entries of a filter string whose parts are separated by "#" (description, patterns,
// description, patterns, ..., ended by "##"). A pattern ".*.*" is taken as the "*.*" it was
// meant to be: as written it would show no file at all.
std::vector<FileFilterEntry> ParseFileFilter(const std::string& text);

// The filter string (UTF-8) the browse button of the import dialog uses for the file type.
std::string ImportFilterText(ImportFileType type);
// The name of the file type in the dialog's list (UTF-8).
std::string ImportTypeName(ImportFileType type);
