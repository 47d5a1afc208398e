#pragma once

#include <stdexcept>
#include <string>

// The exit codes of quillon-cli (documented in its --help and the README).
enum ExitCode : int {
    ExitOk = 0,
    // The service refused the request (a status from 1 to 98).
    ExitRefused = 1,
    // Bad command line, or input the command needs is missing.
    ExitUsage = 2,
    // The service could not be reached or failed (transport error, status of 99 and more, a
    // database error of the service).
    ExitServiceError = 3,
    // A local problem: unknown contact or archive item, profile or archive busy.
    ExitLocalError = 4,
    // "poll --wait" gave up with messages still waiting for a delivery report.
    ExitTimedOut = 5,
};

// Ends a command with a message for stderr and an exit code.
class CliError : public std::runtime_error {
public:
    CliError(ExitCode code, const std::string& message)
        : std::runtime_error(message), m_code(code) {}
    ExitCode Code() const { return m_code; }

private:
    ExitCode m_code;
};

inline CliError UsageError(const std::string& message) {
    return CliError(ExitUsage, message);
}
inline CliError LocalError(const std::string& message) {
    return CliError(ExitLocalError, message);
}
