#pragma once

#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <vector>

// The first step of a two-step request: what is asked for and the check code that the service
// "sends by SMS" (the simulator prints it to its log and shows it on the admin path).
struct Transaction {
    enum class Kind { CreditRecharge, ServiceActivation, MobileRegistration, UserRegistration };

    std::int64_t id = 0;
    Kind kind = Kind::CreditRecharge;
    std::string login{};
    std::string code{};
    std::int64_t openedAt = 0;
    int amount = 0;
    int clubPoints = 0;
    int serviceType = 0;
    std::string mobile{};
    std::string password{};
};

// Open two-step requests by transaction number.
class TransactionTable {
public:
    TransactionTable();

    // Opens a transaction with a fresh number and check code and logs the code.
    Transaction& Open(Transaction transaction);
    // The open transaction of that number and kind, or null.
    Transaction* Find(std::int64_t id, Transaction::Kind kind);
    void Close(std::int64_t id) { m_open.erase(id); }
    std::vector<const Transaction*> OpenFor(const std::string& login) const;

private:
    std::map<std::int64_t, Transaction> m_open;
    std::int64_t m_nextId = 5001;
    std::mt19937 m_random;
};
