#pragma once

#include "ExitCode.h"

#include <string>

class CKvwsSoapException;

// How quillon-cli reports service outcomes: the English texts of the service statuses and
// transport errors, on one line.

// The text with its line breaks joined by ": " ("Error sending request: Error E150").
std::string OneLine(const std::string& text);
// A refusal (status 1 to 98): its English text, exit code ExitRefused.
CliError RefusalError(int status);
// A failed call: the exception's English text and its detail, exit code ExitServiceError.
CliError ServiceError(const CKvwsSoapException& error);
// A database error of the service, exit code ExitServiceError.
CliError DatabaseError();
