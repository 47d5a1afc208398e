#include "logic/ExitRule.h"

ExitDecision DecideExit(bool confirmExit, const std::function<ExitAnswer()>& ask) {
    if (!confirmExit)
        return {true, false};
    const ExitAnswer answer = ask();
    return {answer.yes, !answer.dontAskAgain};
}
