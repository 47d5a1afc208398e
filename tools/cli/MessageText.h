#pragma once

#include "frontend/MessageCounts.h"

#include <string>

// The text of a message as the message editor of the desktop program would hold it, and the
// counts it derives from it (standard editor: 480 characters in at most 3 parts of 160).

// Text typed on the command line (UTF-8) as the editor's text: ANSI, cleaned as a paste into
// the editor is (accented letters as plain ones, other non-ASCII characters dropped, a tab as a
// blank, other control characters but line breaks dropped), every line break as CR LF, trimmed
// on both sides.
std::string EditorText(const std::string& utf8);

// The standard editor's counts for a message; dummyLen is the length of the text the service
// adds to every part (0 for none).
MessageCounts EditorCounts(bool flash, int dummyLen);
