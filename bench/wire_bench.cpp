// Cost of the wire layer: writing and reading one call, next to the bare copy and pugixml
// parse of the same bytes; and whole calls over HTTPS against the simulator through the client,
// next to raw libcurl posting the same prepared bytes.
#include "service/CurlTransport.h"
#include "service/SoapCall.h"
#include "service/SoapReader.h"
#include "service/SoapWriter.h"

#ifdef QUILLON_SIM_PATH
#include "SimulatorProcess.h"
#include "TestSupport.h"
#endif

#include <benchmark/benchmark.h>
#include <curl/curl.h>
#include <pugixml.hpp>

#include <chrono>

using namespace Kvws;

namespace {

LoginRequest Login() {
    LoginRequest request;
    request.LoginName = "jan.novak";
    request.Password = "heslo&123";
    request.Client = ClientId{"QLN", true, std::string(64, 'A')};
    request.Version = "1.1.0";
    return request;
}

LoginResponse LoginAnswer() {
    LoginResponse response;
    response.mobile = "421903111222";
    response.token = Token{"1800", std::string(40, 'T')};
    response.notice = "Nov\xC3\xA1 verzia je k dispoz\xC3\xAD"
                      "cii";
    return response;
}

SendSmsRequest SendSms() {
    SendSmsRequest request;
    request.token = std::string(40, 'T');
    request.service.notification = true;
    request.service.tariff = "credit";
    for (int i = 0; i < 100; ++i)
        request.recipients.push_back("421903" + std::to_string(100000 + i));
    request.text = "Dobr\xFD de\xF2, stretneme sa o 18:00 pri font\xE1ne? <3 & pozdrav";
    return request;
}

SendSmsResponse SendSmsAnswer() {
    SendSmsResponse response;
    response.status.messageid = 9000000001;
    response.token = Token{"1800", std::string(40, 'T')};
    for (int i = 0; i < 100; ++i)
        response.recipients.push_back(SentTo{"421903" + std::to_string(100000 + i), 1000 + i});
    return response;
}

GetNotificationsRequest Notifications() {
    GetNotificationsRequest request;
    request.token = std::string(40, 'T');
    for (int i = 0; i < 1000; ++i)
        request.sms.id.push_back(100000 + i);
    return request;
}

GetNotificationsResponse NotificationsAnswer() {
    GetNotificationsResponse response;
    response.token = Token{"1800", std::string(40, 'T')};
    for (int i = 0; i < 1000; ++i)
        response.sms.push_back(
            Delivery{"10.03.2005 14:30:05", 2, "421903" + std::to_string(100000 + i), 100000 + i});
    return response;
}

template <class Request> void Write(benchmark::State& state, const Request& request) {
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteSoapRequest(request));
    state.SetBytesProcessed(state.iterations() * WriteSoapRequest(request).size());
}

template <class Request>
void Read(benchmark::State& state, const typename Request::Response& answer) {
    const std::string body = WriteSoapResponse<Request>(answer);
    for (auto _ : state) {
        typename Request::Response response;
        if (ReadSoapResponse<Request>(body, response) != 0)
            state.SkipWithError("unparsable");
        benchmark::DoNotOptimize(response);
    }
    state.SetBytesProcessed(state.iterations() * body.size());
}

// Baselines: copying the request bytes, parsing the reply bytes into a pugixml document.
void Copy(benchmark::State& state, const std::string& bytes) {
    for (auto _ : state)
        benchmark::DoNotOptimize(std::string(bytes));
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

void Parse(benchmark::State& state, const std::string& body) {
    for (auto _ : state) {
        pugi::xml_document document;
        benchmark::DoNotOptimize(document.load_buffer(
            body.data(), body.size(), pugi::parse_default | pugi::parse_ws_pcdata_single));
    }
    state.SetBytesProcessed(state.iterations() * body.size());
}

BENCHMARK_CAPTURE(Write, Login, Login());
BENCHMARK_CAPTURE(Copy, Login_baseline, WriteSoapRequest(Login()));
void ReadLogin(benchmark::State& state) {
    Read<LoginRequest>(state, LoginAnswer());
}
void ReadSendSms100(benchmark::State& state) {
    Read<SendSmsRequest>(state, SendSmsAnswer());
}
void ReadNotifications1000(benchmark::State& state) {
    Read<GetNotificationsRequest>(state, NotificationsAnswer());
}

BENCHMARK(ReadLogin);
BENCHMARK_CAPTURE(Parse, Login_baseline, WriteSoapResponse<LoginRequest>(LoginAnswer()));

BENCHMARK_CAPTURE(Write, SendSms100, SendSms());
BENCHMARK_CAPTURE(Copy, SendSms100_baseline, WriteSoapRequest(SendSms()));
BENCHMARK(ReadSendSms100);
BENCHMARK_CAPTURE(Parse, SendSms100_baseline, WriteSoapResponse<SendSmsRequest>(SendSmsAnswer()));

BENCHMARK_CAPTURE(Write, Notifications1000, Notifications());
BENCHMARK_CAPTURE(Copy, Notifications1000_baseline, WriteSoapRequest(Notifications()));
BENCHMARK(ReadNotifications1000);
BENCHMARK_CAPTURE(Parse, Notifications1000_baseline,
                  WriteSoapResponse<GetNotificationsRequest>(NotificationsAnswer()));

#ifdef QUILLON_SIM_PATH
// One simulator for the whole run.
const SimulatorProcess& Simulator() {
    static TempDir state;
    static SimulatorProcess sim(QUILLON_SIM_PATH, {"--state", state.Path().string()});
    return sim;
}

KeepAliveRequest KeepAlive() {
    KeepAliveRequest request;
    request.token = std::string(40, 'T');
    return request;
}

std::size_t Collect(char* data, std::size_t size, std::size_t count, void* body) {
    static_cast<std::string*>(body)->append(data, size * count);
    return size * count;
}

// The baseline: libcurl alone posting the same bytes with the same headers, one connection per
// call like the client.
class RawPoster {
public:
    RawPoster(const SimulatorProcess& sim, std::string body) : m_sim(sim), m_body(std::move(body)) {
        for (const std::string& header :
             {"Host: 127.0.0.1:" + std::to_string(sim.Port()),
              std::string("User-Agent: Quillon 1.1"),
              std::string("Content-Type: application/soap+xml; charset=utf-8"),
              "Content-Length: " + std::to_string(m_body.size()), std::string("Connection: close"),
              std::string("Accept:"), std::string("Expect:")})
            m_headers = curl_slist_append(m_headers, header.c_str());
    }
    ~RawPoster() { curl_slist_free_all(m_headers); }

    bool Post() const {
        std::string reply;
        CURL* curl = curl_easy_init();
        curl_easy_setopt(curl, CURLOPT_URL, m_sim.Url().c_str());
        curl_easy_setopt(curl, CURLOPT_HTTP_VERSION, long{CURL_HTTP_VERSION_1_1});
        curl_easy_setopt(curl, CURLOPT_CAINFO, m_sim.CaFile().c_str());
        curl_easy_setopt(curl, CURLOPT_HTTPHEADER, m_headers);
        curl_easy_setopt(curl, CURLOPT_POSTFIELDS, m_body.data());
        curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(m_body.size()));
        curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, Collect);
        curl_easy_setopt(curl, CURLOPT_WRITEDATA, &reply);
        const bool posted = curl_easy_perform(curl) == CURLE_OK;
        curl_easy_cleanup(curl);
        return posted;
    }

private:
    const SimulatorProcess& m_sim;
    std::string m_body;
    curl_slist* m_headers = nullptr;
};

template <class Work> double Seconds(Work work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// A whole KeepAlive call through the client (write, post, read, status) against the raw post
// of the same bytes, alternating so that the load of the machine weighs on both alike.
void HttpsCallClientVersusRaw(benchmark::State& state) {
    TransportOptions options;
    options.url = Simulator().Url();
    options.caFile = Simulator().CaFile();
    CurlTransport transport(options);
    const RawPoster raw(Simulator(), WriteSoapRequest(KeepAlive()));
    double client = 0;
    double baseline = 0;
    for (auto _ : state) {
        client += Seconds([&] { benchmark::DoNotOptimize(Call(transport, KeepAlive())); });
        baseline += Seconds([&] {
            if (!raw.Post())
                state.SkipWithError("raw post failed");
        });
    }
    const auto calls = static_cast<double>(state.iterations());
    state.counters["client_calls_per_s"] = calls / client;
    state.counters["raw_calls_per_s"] = calls / baseline;
    state.counters["client_per_raw"] = baseline / client;
}

BENCHMARK(HttpsCallClientVersusRaw)->Unit(benchmark::kMillisecond)->MinTime(5);
#endif

} // namespace

BENCHMARK_MAIN();
