#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

// The extra services of an account, by their type number on the wire.
enum ServiceType { kServiceObk = 0, kServicePostpaid = 1, kServiceSmtp = 2, kServiceCount = 3 };

struct Alias {
    std::string name;
    std::string number;
};

struct AliasGroup {
    std::string name;
    std::vector<std::string> members;
};

// One subscriber account of the simulated service. Texts that arrive in UTF-8 operations
// (login name, password, alias names) are kept in UTF-8.
struct Account {
    std::string login;
    std::string password;
    std::string mobile;
    bool deactivated = false;
    bool prepaid = false;
    std::array<bool, kServiceCount> active = {true, true, false};
    std::array<bool, kServiceCount> blocked = {};
    int portalCredit = 100;
    int clubPoints = 0;
    std::vector<std::string> versions; // empty: every version accepted
    int dailyLimit = 1000;
    std::map<std::string, int, std::less<>> refusals; // operation -> status it answers

    int failedLogins = 0;
    std::int64_t lastRechargeAt = 0;
    std::vector<Alias> aliases;
    std::vector<AliasGroup> groups;
};

// Reads one account in the form "login:password:mobile[,option...]" (see --help); throws
// std::invalid_argument naming what is wrong.
Account ParseAccount(const std::string& line);

// Reads an accounts file, one account a line; blank lines and lines starting with # are
// skipped. Throws std::invalid_argument with the line number of a bad line, or when the file
// cannot be read.
std::vector<Account> LoadAccountFile(const std::string& path);

// The status that an operation is configured to answer for the account, or 0.
int ConfiguredRefusal(const Account& account, std::string_view operation);

// The service type of a name ("obk", "postpaid", "smtp", any case), or -1.
int ServiceTypeOf(const std::string& name);
