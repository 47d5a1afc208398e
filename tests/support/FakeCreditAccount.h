#pragma once

#include "frontend/ICreditAccount.h"

#include <deque>
#include <exception>
#include <functional>
#include <utility>

// A credit account with a canned list that records every call: each entry is an amount, whether
// it is for club members only, and its club-point options. The next call of any kind throws
// failNext when it is set; the recharge steps answer with the scripted statuses (0 when the
// script is empty).
class FakeCreditAccount : public ICreditAccount {
public:
    struct Entry {
        unsigned amount;
        bool clubOnly;
        CreditInfoArray options;
    };
    struct Ask {
        int amount;
        int points;
    };
    struct Check {
        std::string code;
        std::int64_t transaction;
    };

    std::vector<Entry> list;
    std::exception_ptr failNext;
    // Runs at the start of every call, on the calling thread (a call that waits, say).
    std::function<void()> during;
    std::deque<int> askStatuses;
    std::deque<int> checkStatuses;
    std::int64_t nextTransaction = 4711;

    std::vector<bool> listCalls; // includeClubOnly of every GetAvailableCredits
    std::vector<Ask> asks;
    std::vector<Check> checks;

    void GetAvailableCredits(bool includeClubOnly, std::vector<unsigned>& amounts) override {
        listCalls.push_back(includeClubOnly);
        ThrowIfFailing();
        amounts.clear();
        for (const Entry& entry : list) {
            if (includeClubOnly || !entry.clubOnly)
                amounts.push_back(entry.amount);
        }
    }
    std::optional<CreditInfoArray> GetCreditInfo(unsigned amount) const override {
        for (const Entry& entry : list) {
            if (entry.amount == amount)
                return entry.options;
        }
        return std::nullopt;
    }
    int KvwsAsk4CreditRecharge(int amount, int clubPoints, std::int64_t& transaction) override {
        asks.push_back({amount, clubPoints});
        ThrowIfFailing();
        const int status = Next(askStatuses);
        if (status == 0)
            transaction = nextTransaction;
        return status;
    }
    int KvwsCreditRecharge(const std::string& code, std::int64_t transaction) override {
        checks.push_back({code, transaction});
        ThrowIfFailing();
        return Next(checkStatuses);
    }

private:
    void ThrowIfFailing() {
        if (during)
            during();
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
