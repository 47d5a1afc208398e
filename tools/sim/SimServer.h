#pragma once

#include "AdminApi.h"
#include "CertificateStore.h"
#include "FaultInjector.h"
#include "SimClock.h"
#include "SimOptions.h"
#include "SimService.h"
#include "WebPages.h"

#include <memory>
#include <ostream>

namespace httplib {
class Server;
struct Request;
struct Response;
} // namespace httplib

// The simulator's HTTPS (or HTTP) server on 127.0.0.1: the service path, the web pages and,
// with --admin, the admin path.
class SimServer {
public:
    // Prepares the state folder and its certificates; throws std::exception on failure.
    explicit SimServer(const SimOptions& options);
    ~SimServer();

    // Binds, writes the two start lines to out and serves until Stop(); false when it cannot
    // bind or listen.
    bool Run(std::ostream& out);
    // Safe from any thread; ends Run.
    void Stop();

private:
    void ServeOperation(const httplib::Request& request, httplib::Response& response);

    static std::filesystem::path DefaultStateDir();

    SimOptions m_options;
    CertificateStore m_certificates;
    SimClock m_clock;
    SimService m_service;
    FaultInjector m_faults;
    AdminApi m_admin;
    WebPages m_pages;
    std::unique_ptr<httplib::Server> m_http;
};
