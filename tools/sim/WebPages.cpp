#include "WebPages.h"

#include "WireText.h"

#include <httplib.h>

#include <mutex>

namespace {

std::string Page(const std::string& title, const std::string& body) {
    const std::string escaped = EscapeXml(title, true, false);
    return "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>" + escaped +
           "</title></head>\n<body><h1>" + escaped + "</h1>\n" + body + "</body></html>\n";
}

std::string Row(const std::string& name, const std::string& value) {
    return "<tr><th>" + name + "</th><td>" + EscapeXml(value, true, false) + "</td></tr>\n";
}

} // namespace

void WebPages::Register(httplib::Server& server) {
    server.Get(
        R"(/sk/kvws\.stats)", [this](const httplib::Request& request, httplib::Response& response) {
            response.set_content(Statistics(request.get_param_value("token"), response.status),
                                 "text/html; charset=utf-8");
        });
    server.Get("/quillon(/.*)?", [](const httplib::Request& request, httplib::Response& response) {
        const std::string topic = request.matches[1].str();
        response.set_content(
            Page("Quillon - pomocník",
                 "<p>Pomocník programu Quillon: " + EscapeXml(topic, true, false) +
                     "</p>\n<p>Quillon posiela SMS správy cez službu operátora Velora.</p>\n"),
            "text/html; charset=utf-8");
    });
}

std::string WebPages::Statistics(const std::string& token, int& httpStatus) {
    std::lock_guard lock(m_state.Mutex());
    std::string login;
    const Account* account = m_state.Sessions().Use(token, m_state.Now(), login) == 0
                                 ? m_state.FindAccount(login)
                                 : nullptr;
    if (!account) {
        httpStatus = 403;
        return Page("Štatistika",
                    "<p>Relácia je neplatná alebo vypršala. Prihláste sa znova.</p>\n");
    }
    httpStatus = 200;
    const MessageStore& messages = m_state.Messages();
    return Page("Štatistika",
                "<table>\n" + Row("Používateľ", account->login) + Row("Mobil", account->mobile) +
                    Row("Kredit Portella", std::to_string(account->portalCredit)) +
                    Row("Klubové body", std::to_string(account->clubPoints)) +
                    Row("SMS dnes", std::to_string(messages.SentOnDayOf(login, m_state.Now()))) +
                    Row("SMS celkom", std::to_string(messages.SmsCountOf(login))) + "</table>\n");
}
