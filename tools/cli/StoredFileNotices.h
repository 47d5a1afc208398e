#pragma once

#include <string>

struct StoredFileNotice;

// The line that tells the user what the profile store found wrong with one of its files.
std::string DescribeStoredFileNotice(const StoredFileNotice& notice);
// Prints the notices that are waiting on standard error, each once.
void PrintStoredFileNotices();
