#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Ways to make the service misbehave, so that clients can be tested against broken replies.
struct FaultSettings {
    int delayMs = 0;
    // Headers at once, then the body a byte every so many milliseconds (0: no dripping); the
    // endless drip sends a chunked body that never ends.
    int dripMs = 0;
    int endlessDripMs = 0;
    bool drop = false;
    int httpStatus = 0;
    bool soapFault = false;
    bool truncate = false;
    bool soap11 = false;
    std::string itemName = "item";
    bool badValidity = false;
};

// Everything the command line can set.
struct SimOptions {
    int port = 0;
    std::string stateDir;
    bool http = false;
    bool admin = false;
    bool help = false;
    FaultSettings faults;
    std::vector<std::string> accountLines;
    std::string accountsFile;
    int tokenValidity = 600;
    int maxLoginFailures = 3;
    int deliveryAfter = 30;
    std::vector<std::string> networkPrefixes;
    std::int64_t firstSmsId = 100001;
    std::optional<std::int64_t> startTime;
    std::string notice;
};

// Reads the arguments after the program name; throws std::invalid_argument naming a bad one.
SimOptions ParseSimOptions(const std::vector<std::string>& args);

// The text printed by --help.
std::string SimUsage();
