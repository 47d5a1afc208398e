#include "AdminApi.h"

#include <httplib.h>

#include <mutex>
#include <stdexcept>

namespace {

// The clock only moves forward, by at most about a century at a time.
constexpr std::int64_t kLongestAdvance = 100LL * 365 * 86400;

void Answer(httplib::Response& response, int status, const std::string& text) {
    response.status = status;
    response.set_content(text + "\n", "text/plain; charset=utf-8");
}

std::int64_t NumberParam(const httplib::Request& request, const char* name) {
    try {
        std::size_t used = 0;
        const std::string text = request.get_param_value(name);
        const std::int64_t value = std::stoll(text, &used);
        if (used != text.size())
            throw std::invalid_argument(text);
        return value;
    } catch (const std::exception&) {
        throw std::invalid_argument(std::string("parameter ") + name + " needs a number");
    }
}

std::string ServiceList(const std::array<bool, kServiceCount>& flags) {
    static const char* const kNames[kServiceCount] = {"obk", "postpaid", "smtp"};
    std::string list;
    for (int type = 0; type < kServiceCount; ++type) {
        if (!flags[type])
            continue;
        if (!list.empty())
            list += '+';
        list += kNames[type];
    }
    return list;
}

std::string Describe(const Account& account, const MessageStore& messages) {
    std::string text = "login=" + account.login + "\nmobile=" + account.mobile +
                       "\ncredit=" + std::to_string(account.portalCredit) +
                       "\nclub=" + std::to_string(account.clubPoints) +
                       "\nservices=" + ServiceList(account.active) +
                       "\nfailedLogins=" + std::to_string(account.failedLogins) +
                       "\naliases=" + std::to_string(account.aliases.size()) +
                       "\ngroups=" + std::to_string(account.groups.size());
    for (const Alias& alias : account.aliases)
        text += "\nalias=" + alias.name + ":" + alias.number;
    for (const AliasGroup& group : account.groups) {
        text += "\ngroup=" + group.name + ":";
        for (std::size_t i = 0; i < group.members.size(); ++i)
            text += (i ? "+" : "") + group.members[i];
    }
    // Each scheduled message with the report choice its last send or replace carried.
    for (const ScheduledMessage* message : messages.ScheduledOf(account.login))
        text += "\nscheduled=" + std::to_string(message->id) +
                ":notification=" + (message->notify ? "true" : "false");
    return text;
}

// Runs an admin action under the state's lock; bad parameters answer 400.
template <typename Action> httplib::Server::Handler Guarded(ServiceState& state, Action action) {
    return [&state, action](const httplib::Request& request, httplib::Response& response) {
        std::lock_guard lock(state.Mutex());
        try {
            action(request, response);
        } catch (const std::invalid_argument& error) {
            Answer(response, 400, error.what());
        }
    };
}

} // namespace

void AdminApi::Register(httplib::Server& server) {
    server.Get("/admin/time", Guarded(m_state, [this](auto&, auto& response) {
                   Answer(response, 200, std::to_string(m_state.Now()));
               }));
    server.Post("/admin/advance", Guarded(m_state, [this](auto& request, auto& response) {
                    const std::int64_t seconds = NumberParam(request, "seconds");
                    if (seconds < 0 || seconds > kLongestAdvance)
                        throw std::invalid_argument("seconds must be 0 to " +
                                                    std::to_string(kLongestAdvance));
                    m_state.Clock().Advance(seconds);
                    Answer(response, 200, std::to_string(m_state.Now()));
                }));
    server.Post("/admin/faults", Guarded(m_state, [this](auto& request, auto& response) {
                    for (const auto& [name, value] : request.params)
                        m_faults.Set(name, value);
                    Answer(response, 200, "ok");
                }));
    server.Get("/admin/codes/(.+)", Guarded(m_state, [this](auto& request, auto& response) {
                   std::string lines;
                   for (const Transaction* open :
                        m_state.Transactions().OpenFor(request.matches[1].str()))
                       lines += std::to_string(open->id) + " " + open->code + "\n";
                   response.set_content(lines, "text/plain; charset=utf-8");
               }));
    server.Post("/admin/refuse", Guarded(m_state, [this](auto& request, auto& response) {
                    Account* account = m_state.FindAccount(request.get_param_value("login"));
                    if (!account)
                        throw std::invalid_argument("no such account");
                    account->refusals[request.get_param_value("operation")] =
                        static_cast<int>(NumberParam(request, "status"));
                    Answer(response, 200, "ok");
                }));
    server.Get("/admin/account/(.+)", Guarded(m_state, [this](auto& request, auto& response) {
                   const Account* account = m_state.FindAccount(request.matches[1].str());
                   if (!account)
                       Answer(response, 404, "no such account");
                   else
                       Answer(response, 200, Describe(*account, m_state.Messages()));
               }));
}
