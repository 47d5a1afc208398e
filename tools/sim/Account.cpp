#include "Account.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <strings.h>

namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(separator, start)) != std::string::npos; start = end + 1)
        parts.push_back(text.substr(start, end - start));
    parts.push_back(text.substr(start));
    return parts;
}

int ToCount(const std::string& option, const std::string& value) {
    int number = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
    if (error != std::errc() || end != value.data() + value.size() || number < 0)
        throw std::invalid_argument("account option " + option + " needs a number, not \"" + value +
                                    "\"");
    return number;
}

std::array<bool, kServiceCount> ToServices(const std::string& option, const std::string& value) {
    std::array<bool, kServiceCount> services = {};
    for (const std::string& name : Split(value, '+')) {
        if (name.empty())
            continue;
        const int type = ServiceTypeOf(name);
        if (type < 0)
            throw std::invalid_argument("account option " + option + ": unknown service \"" + name +
                                        "\" (obk, postpaid, smtp)");
        services[type] = true;
    }
    return services;
}

void AddRefusal(Account& account, const std::string& value) {
    const std::size_t slash = value.find('/');
    if (slash == std::string::npos || slash == 0)
        throw std::invalid_argument("account option refuse needs OPERATION/STATUS, not \"" + value +
                                    "\"");
    const std::string status = value.substr(slash + 1);
    const bool negative = status.starts_with("-");
    const int magnitude = ToCount("refuse", negative ? status.substr(1) : status);
    account.refusals[value.substr(0, slash)] = negative ? -magnitude : magnitude;
}

void ApplyOption(Account& account, const std::string& option) {
    using Setter = std::function<void(Account&, const std::string&)>;
    static const std::map<std::string, Setter, std::less<>> setters = {
        {"credit", [](Account& a, auto& v) { a.portalCredit = ToCount("credit", v); }},
        {"club", [](Account& a, auto& v) { a.clubPoints = ToCount("club", v); }},
        {"limit", [](Account& a, auto& v) { a.dailyLimit = ToCount("limit", v); }},
        {"services", [](Account& a, auto& v) { a.active = ToServices("services", v); }},
        {"blocked", [](Account& a, auto& v) { a.blocked = ToServices("blocked", v); }},
        {"versions", [](Account& a, auto& v) { a.versions = Split(v, '+'); }},
        {"refuse", [](Account& a, auto& v) { AddRefusal(a, v); }},
    };
    if (option == "prepaid") {
        account.prepaid = true;
        return;
    }
    if (option == "deactivated") {
        account.deactivated = true;
        return;
    }
    const std::size_t equals = option.find('=');
    const auto setter = setters.find(option.substr(0, equals));
    if (equals == std::string::npos || setter == setters.end())
        throw std::invalid_argument("unknown account option \"" + option + "\"");
    setter->second(account, option.substr(equals + 1));
}

} // namespace

Account ParseAccount(const std::string& line) {
    const std::size_t first = line.find(':');
    const std::size_t last = line.rfind(':');
    if (first == std::string::npos || first == last || first == 0)
        throw std::invalid_argument("an account reads login:password:mobile[,option...], not \"" +
                                    line + "\"");
    Account account;
    account.login = line.substr(0, first);
    account.password = line.substr(first + 1, last - first - 1);
    std::vector<std::string> rest = Split(line.substr(last + 1), ',');
    account.mobile = rest.front();
    if (!std::all_of(account.mobile.begin(), account.mobile.end(),
                     [](char c) { return c >= '0' && c <= '9'; }))
        throw std::invalid_argument("the mobile number of account " + account.login +
                                    " must be digits only (international form without +)");
    for (std::size_t i = 1; i < rest.size(); ++i)
        ApplyOption(account, rest[i]);
    return account;
}

std::vector<Account> LoadAccountFile(const std::string& path) {
    std::ifstream file(path);
    if (!file)
        throw std::invalid_argument("cannot read the accounts file " + path);
    std::vector<Account> accounts;
    std::string line;
    for (int number = 1; std::getline(file, line); ++number) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.find_first_not_of(" \t") == std::string::npos || line.front() == '#')
            continue;
        try {
            accounts.push_back(ParseAccount(line));
        } catch (const std::invalid_argument& error) {
            throw std::invalid_argument(path + ":" + std::to_string(number) + ": " + error.what());
        }
    }
    return accounts;
}

int ServiceTypeOf(const std::string& name) {
    static const char* const kNames[kServiceCount] = {"obk", "postpaid", "smtp"};
    for (int type = 0; type < kServiceCount; ++type) {
        if (strcasecmp(name.c_str(), kNames[type]) == 0)
            return type;
    }
    return -1;
}

int ConfiguredRefusal(const Account& account, std::string_view operation) {
    const auto found = account.refusals.find(operation);
    return found == account.refusals.end() ? 0 : found->second;
}
