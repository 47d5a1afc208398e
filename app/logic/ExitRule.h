#pragma once

#include <functional>

// What the user gave in the exit confirmation.
struct ExitAnswer {
    bool yes = false;
    bool dontAskAgain = false;
};

// What the exit button leads to: whether the program ends, and the ConfirmExit setting after it.
struct ExitDecision {
    bool exit;
    bool confirmExit;
    bool operator==(const ExitDecision&) const = default;
};

// The exit button: without ConfirmExit the program ends at once; with it the user is asked, and
// the box decides whether the question comes again, whatever the answer was.
ExitDecision DecideExit(bool confirmExit, const std::function<ExitAnswer()>& ask);
