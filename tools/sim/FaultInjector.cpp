#include "FaultInjector.h"

#include "ConnectionDropper.h"

#include <httplib.h>

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>

namespace {

bool IsOff(const std::string& value) {
    return value.empty() || value == "0" || value == "false";
}

int ToInt(const std::string& name, const std::string& value) {
    try {
        std::size_t used = 0;
        const int number = IsOff(value) ? 0 : std::stoi(value, &used);
        if (!IsOff(value) && used != value.size())
            throw std::invalid_argument(value);
        return number;
    } catch (const std::exception&) {
        throw std::invalid_argument("fault " + name + " needs a number, not \"" + value + "\"");
    }
}

} // namespace

FaultSettings FaultInjector::Current() const {
    std::lock_guard lock(m_mutex);
    return m_settings;
}

void FaultInjector::Set(const std::string& name, const std::string& value) {
    using Setter = std::function<void(FaultSettings&, const std::string&)>;
    static const std::map<std::string, Setter> setters = {
        {"delay", [](FaultSettings& f, auto& v) { f.delayMs = ToInt("delay", v); }},
        {"drip", [](FaultSettings& f, auto& v) { f.dripMs = ToInt("drip", v); }},
        {"drip-endless",
         [](FaultSettings& f, auto& v) { f.endlessDripMs = ToInt("drip-endless", v); }},
        {"drop", [](FaultSettings& f, auto& v) { f.drop = !IsOff(v); }},
        {"http-status", [](FaultSettings& f, auto& v) { f.httpStatus = ToInt("http-status", v); }},
        {"soap-fault", [](FaultSettings& f, auto& v) { f.soapFault = !IsOff(v); }},
        {"truncate", [](FaultSettings& f, auto& v) { f.truncate = !IsOff(v); }},
        {"soap11", [](FaultSettings& f, auto& v) { f.soap11 = !IsOff(v); }},
        {"item-name", [](FaultSettings& f, auto& v) { f.itemName = v.empty() ? "item" : v; }},
        {"bad-validity", [](FaultSettings& f, auto& v) { f.badValidity = !IsOff(v); }},
    };
    const auto setter = setters.find(name);
    if (setter == setters.end())
        throw std::invalid_argument("unknown fault \"" + name + "\"");
    std::lock_guard lock(m_mutex);
    setter->second(m_settings, value);
}

void FaultInjector::Release() {
    {
        std::lock_guard lock(m_mutex);
        m_releasing = true;
    }
    m_released.notify_all();
}

bool FaultInjector::Wait(int milliseconds) const {
    std::unique_lock lock(m_mutex);
    return !m_released.wait_for(lock, std::chrono::milliseconds(milliseconds),
                                [this] { return m_releasing; });
}

bool FaultInjector::Intercept(const FaultSettings& faults, const httplib::Request& request,
                              httplib::Response& response) const {
    if (faults.delayMs > 0)
        Wait(faults.delayMs);
    if (faults.drop) {
        DropConnection(request.remote_addr, request.remote_port, request.local_port);
        return true;
    }
    if (faults.httpStatus > 0) {
        response.status = faults.httpStatus;
        if (faults.httpStatus == 401)
            response.set_header("WWW-Authenticate", "Basic realm=\"Velora\"");
        if (faults.httpStatus == 407)
            response.set_header("Proxy-Authenticate", "Basic realm=\"Velora\"");
        return true;
    }
    if (faults.soapFault) {
        response.status = 500;
        response.set_content(
            ReplyWriter::Fault("the service failed (simulated)", faults.soap11, false),
            ReplyWriter::ContentType(faults.soap11).c_str());
        return true;
    }
    return false;
}

void FaultInjector::Damage(const FaultSettings& faults, std::string& body) {
    if (faults.truncate)
        body.resize(body.size() / 2);
}

void FaultInjector::Drip(const FaultSettings& faults, httplib::Response& response) const {
    const bool endless = faults.endlessDripMs > 0;
    const int every = endless ? faults.endlessDripMs : faults.dripMs;
    if (every <= 0)
        return;
    const auto body = std::make_shared<const std::string>(std::move(response.body));
    response.body.clear();
    const std::string type = response.get_header_value("Content-Type");
    response.headers.erase("Content-Type"); // the content provider sets it again
    // One byte, then the pause; past the reply an endless body goes on with spaces.
    auto next = [this, body, every](std::size_t offset, httplib::DataSink& sink) {
        const char byte = offset < body->size() ? (*body)[offset] : ' ';
        return sink.write(&byte, 1) && Wait(every);
    };
    if (endless) {
        response.set_chunked_content_provider(type, next);
    } else {
        response.set_content_provider(
            body->size(), type, [next](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                return next(offset, sink);
            });
    }
}

ReplyStyle FaultInjector::Style(const FaultSettings& faults) {
    return {faults.soap11, faults.itemName, faults.badValidity};
}
