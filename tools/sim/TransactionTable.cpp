#include "TransactionTable.h"

#include <cstdio>

TransactionTable::TransactionTable() : m_random(std::random_device{}()) {}

Transaction& TransactionTable::Open(Transaction transaction) {
    transaction.id = m_nextId++;
    transaction.code = std::to_string(std::uniform_int_distribution<int>(100000, 999999)(m_random));
    std::fprintf(stderr, "quillon-sim: check code for %s, transaction %lld: %s\n",
                 transaction.login.c_str(), static_cast<long long>(transaction.id),
                 transaction.code.c_str());
    const std::int64_t id = transaction.id;
    return m_open[id] = std::move(transaction);
}

Transaction* TransactionTable::Find(std::int64_t id, Transaction::Kind kind) {
    const auto found = m_open.find(id);
    return found == m_open.end() || found->second.kind != kind ? nullptr : &found->second;
}

std::vector<const Transaction*> TransactionTable::OpenFor(const std::string& login) const {
    std::vector<const Transaction*> open;
    for (const auto& [id, transaction] : m_open) {
        if (transaction.login == login)
            open.push_back(&transaction);
    }
    return open;
}
