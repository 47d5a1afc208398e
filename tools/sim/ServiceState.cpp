#include "ServiceState.h"

#include <algorithm>

ServiceState::ServiceState(const SimOptions& options, SimClock& clock)
    : m_options(options), m_clock(clock), m_sessions(options.tokenValidity),
      m_messages(options.firstSmsId, options.deliveryAfter) {
    std::vector<Account> accounts;
    if (!options.accountsFile.empty())
        accounts = LoadAccountFile(options.accountsFile);
    for (const std::string& line : options.accountLines)
        accounts.push_back(ParseAccount(line));
    if (accounts.empty())
        accounts.push_back(ParseAccount("demo:demo:421905123456"));
    for (Account& account : accounts)
        AddAccount(std::move(account));
}

Account* ServiceState::FindAccount(std::string_view login) {
    const auto found =
        std::find_if(m_accounts.begin(), m_accounts.end(),
                     [login](const std::unique_ptr<Account>& a) { return a->login == login; });
    return found == m_accounts.end() ? nullptr : found->get();
}

Account* ServiceState::FindAccountByMobile(std::string_view mobile) {
    const auto found =
        std::find_if(m_accounts.begin(), m_accounts.end(),
                     [mobile](const std::unique_ptr<Account>& a) { return a->mobile == mobile; });
    return found == m_accounts.end() ? nullptr : found->get();
}

Account& ServiceState::AddAccount(Account account) {
    if (Account* existing = FindAccount(account.login)) {
        *existing = std::move(account);
        return *existing;
    }
    m_accounts.push_back(std::make_unique<Account>(std::move(account)));
    return *m_accounts.back();
}
