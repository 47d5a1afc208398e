#pragma once

#include "ReplyWriter.h"
#include "SimOptions.h"

#include <condition_variable>
#include <mutex>
#include <string>

namespace httplib {
struct Request;
struct Response;
} // namespace httplib

// The fault injection in force: set from the command line, changeable through the admin path.
class FaultInjector {
public:
    explicit FaultInjector(FaultSettings settings) : m_settings(std::move(settings)) {}

    FaultSettings Current() const;
    // Changes one setting by its command-line name without the dashes ("delay", "drop", ...);
    // "0", "false" or an empty value switch it off. Throws std::invalid_argument.
    void Set(const std::string& name, const std::string& value);

    // Applies the faults that replace the reply (delay first, then drop, HTTP status, SOAP
    // Fault); true when the request is answered or dropped that way.
    bool Intercept(const FaultSettings& faults, const httplib::Request& request,
                   httplib::Response& response) const;
    // Ends every delay and drip now and skips later ones, so that stopping never waits for them.
    void Release();
    // Applies the faults that change a reply (truncation).
    static void Damage(const FaultSettings& faults, std::string& body);
    // Applies the faults that change how a reply is sent (dripping); the injector must outlive
    // the sending.
    void Drip(const FaultSettings& faults, httplib::Response& response) const;
    static ReplyStyle Style(const FaultSettings& faults);

private:
    // Waits unless released; false once released.
    bool Wait(int milliseconds) const;

    mutable std::mutex m_mutex;
    mutable std::condition_variable m_released;
    bool m_releasing = false;
    FaultSettings m_settings;
};
