#pragma once

#include "frontend/RecipientList.h"

#include <string>
#include <vector>

class CSmsAddressBook;

// Command-line texts (in the locale's character set) as ANSI text, the form of the address
// book's names. Throws a usage CliError for a text that does not decode.
std::vector<std::string> AnsiTexts(const std::vector<std::string>& texts);

// Turns command-line texts (ANSI) into a recipient list, as the compose page does with typed
// recipients: a valid number; else a group, then a contact, by exact name and then ignoring
// case. A contact means its first number; "NAME#2" picks its second (NAME#1 the first). An
// entry equal to an earlier one is left out. Throws a local CliError for a text that is none of
// these.
RecipientList ResolveRecipients(const std::vector<std::string>& texts, const CSmsAddressBook& book);
