#pragma once

#include "Account.h"
#include "MessageStore.h"
#include "SessionTable.h"
#include "SimClock.h"
#include "SimOptions.h"
#include "TransactionTable.h"

#include <memory>
#include <mutex>
#include <string_view>

// Everything the simulated service remembers: accounts, sessions, messages. One mutex guards
// all of it; an operation holds it for its whole run.
class ServiceState {
public:
    ServiceState(const SimOptions& options, SimClock& clock);

    std::mutex& Mutex() { return m_mutex; }
    std::int64_t Now() const { return m_clock.Now(); }
    SimClock& Clock() { return m_clock; }
    const SimOptions& Options() const { return m_options; }

    Account* FindAccount(std::string_view login);
    Account* FindAccountByMobile(std::string_view mobile);
    Account& AddAccount(Account account);

    SessionTable& Sessions() { return m_sessions; }
    MessageStore& Messages() { return m_messages; }
    TransactionTable& Transactions() { return m_transactions; }

private:
    std::mutex m_mutex;
    const SimOptions m_options;
    SimClock& m_clock;
    std::vector<std::unique_ptr<Account>> m_accounts;
    SessionTable m_sessions;
    MessageStore m_messages;
    TransactionTable m_transactions;
};
