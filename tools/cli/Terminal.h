#pragma once

#include <optional>
#include <string>

// Questions to the user at the controlling terminal (not stdin/stdout, which scripts may use).

// Shows the prompt and reads one line; with echo false the typed text is not shown (a
// password). Nothing when there is no terminal or the input ended.
std::optional<std::string> AskTerminal(const std::string& prompt, bool echo);
