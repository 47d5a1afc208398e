#include "CheckCode.h"

#include <gtest/gtest.h>

TEST(CheckCode, ConfirmingCommandIsQuotedForTheShell) {
    EXPECT_EQ(ShellCommand({"quillon-cli", "--user", "jan.novak@firma", "--code", "CODE"}),
              "quillon-cli --user jan.novak@firma --code CODE");
    // A blank, a quote, a dollar and an empty word each survive the shell.
    EXPECT_EQ(ShellCommand({"--user", "Jan Novák", "it's", "$HOME", ""}),
              "--user 'Jan Novák' 'it'\\''s' '$HOME' ''");
}
