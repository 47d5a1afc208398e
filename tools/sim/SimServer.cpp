#include "SimServer.h"

#include <httplib.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace {

constexpr const char* kServicePath = "/sk/!kvws.sms";
constexpr std::size_t kMaxBody = 8 * 1024 * 1024;

// The request's headers as the client sent them (the library adds the connection's addresses).
std::vector<HttpHeader> SentHeaders(const httplib::Request& request) {
    std::vector<HttpHeader> headers;
    for (const auto& [name, value] : request.headers) {
        if (name != "REMOTE_ADDR" && name != "REMOTE_PORT" && name != "LOCAL_ADDR" &&
            name != "LOCAL_PORT")
            headers.push_back({name, value});
    }
    return headers;
}

void Log(const httplib::Request& request, const httplib::Response& response) {
    std::fprintf(stderr, "quillon-sim: %s %s -> %d\n", request.method.c_str(), request.path.c_str(),
                 response.status);
}

} // namespace

SimServer::SimServer(const SimOptions& options)
    : m_options(options),
      m_certificates(options.stateDir.empty() ? DefaultStateDir()
                                              : std::filesystem::absolute(options.stateDir)),
      m_clock(options.startTime), m_service(options, m_clock), m_faults(options.faults),
      m_admin(m_service.State(), m_faults), m_pages(m_service.State()) {
    m_certificates.Ensure();
    if (options.http) {
        m_http = std::make_unique<httplib::Server>();
    } else {
        m_http = std::make_unique<httplib::SSLServer>(m_certificates.CertFile().c_str(),
                                                      m_certificates.KeyFile().c_str());
    }
    if (!m_http->is_valid())
        throw std::runtime_error("cannot set up the TLS server with " +
                                 m_certificates.CertFile().string());
    m_http->set_payload_max_length(kMaxBody);
    m_http->set_logger(Log);
    const auto serve = [this](const httplib::Request& request, httplib::Response& response) {
        ServeOperation(request, response);
    };
    const std::string path = R"(/sk/!kvws\.sms)";
    m_http->Post(path, serve).Get(path, serve).Put(path, serve).Delete(path, serve);
    m_pages.Register(*m_http);
    if (options.admin)
        m_admin.Register(*m_http);
}

SimServer::~SimServer() = default;

std::filesystem::path SimServer::DefaultStateDir() {
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data)
        return std::filesystem::path(data) / "quillon-sim";
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home ? home : ".") / ".local/share/quillon-sim";
}

bool SimServer::Run(std::ostream& out) {
    const int port =
        m_options.port == 0
            ? m_http->bind_to_any_port("127.0.0.1")
            : (m_http->bind_to_port("127.0.0.1", m_options.port) ? m_options.port : -1);
    if (port <= 0)
        return false;
    out << "quillon-sim listening on " << (m_options.http ? "http" : "https")
        << "://127.0.0.1:" << port << kServicePath << "\n"
        << "CA file: " << m_certificates.CaFile().string() << std::endl;
    return m_http->listen_after_bind();
}

void SimServer::Stop() {
    m_faults.Release();
    m_http->stop();
}

void SimServer::ServeOperation(const httplib::Request& request, httplib::Response& response) {
    const FaultSettings faults = m_faults.Current();
    if (m_faults.Intercept(faults, request, response))
        return;
    ServiceReply reply = m_service.Answer(request.method, request.version, SentHeaders(request),
                                          request.body, FaultInjector::Style(faults));
    if (!reply.faultReason.empty())
        std::fprintf(stderr, "quillon-sim: SOAP Fault: %s\n", reply.faultReason.c_str());
    FaultInjector::Damage(faults, reply.body);
    response.status = reply.httpStatus;
    response.set_content(reply.body, reply.contentType.c_str());
    m_faults.Drip(faults, response);
}
