#pragma once

#include <string>

// The text of a message as the message editor of the desktop program would hold it, and the
// counts it derives from it (standard editor: 480 characters in at most 3 parts of 160).

// Text typed on the command line (UTF-8) as the editor's text: ANSI, accented letters as plain
// ones and other non-ASCII characters dropped, a tab as a blank, other control characters but
// line breaks dropped, every line break as CR LF, trimmed on both sides.
std::string EditorText(const std::string& utf8);
// The text the service gets: every CR LF as LF.
std::string ServiceText(const std::string& editorText);

// The length with every CR LF counted as one character.
int TextLength(const std::string& editorText);
// The most characters a message may have; dummyLen is the length of the text the service adds
// to every part (0 for none).
int MaxUserCharCount(bool flash, int dummyLen);
// The SMS parts the text needs.
int SmsCount(const std::string& editorText, bool flash, int dummyLen);
