#pragma once

#include "StoredFile.h"

// Tells the front ends (see StoredFileNotice) about a file that was found but cannot be used,
// after keeping a copy of a damaged one beside it, so that the next write does not take what is
// left of it: "<path>.damaged-YYYYMMDD-HHMMSS" (local time), private to the user, the newest
// three per file. A damaged file of the fallback folder is never written, so it stays where it
// is. Nothing happens for a file read or missing. The caller holds the profile lock.
void ReportStoredFileProblem(const StoredFileSource& source);
