#pragma once

#include "logic/IMobileAccount.h"

#include <deque>
#include <exception>
#include <string>
#include <utility>
#include <vector>

// A mobile account that records every call and answers with the scripted statuses (0 when the
// script is empty); the next call throws failNext when it is set.
class FakeMobileAccount : public IMobileAccount {
public:
    struct Check {
        std::string code;
        std::int64_t transaction;
    };

    std::deque<int> askStatuses;
    std::deque<int> checkStatuses;
    std::exception_ptr failNext;
    std::int64_t nextTransaction = 815;

    std::vector<std::string> asks; // the numbers sent
    std::vector<Check> checks;
    std::string phoneNr;

    int KvwsAsk4MobileRegistration(const std::string& mobile, std::int64_t& transaction) override {
        asks.push_back(mobile);
        ThrowIfFailing();
        const int status = Next(askStatuses);
        if (status == 0)
            transaction = nextTransaction;
        return status;
    }
    int KvwsMobileRegistration(const std::string& code, std::int64_t transaction) override {
        checks.push_back({code, transaction});
        ThrowIfFailing();
        return Next(checkStatuses);
    }
    void SetPhoneNr(const std::string& number) override { phoneNr = number; }

private:
    void ThrowIfFailing() {
        if (failNext)
            std::rethrow_exception(std::exchange(failNext, nullptr));
    }
    static int Next(std::deque<int>& statuses) {
        if (statuses.empty())
            return 0;
        const int status = statuses.front();
        statuses.pop_front();
        return status;
    }
};
