// Service calls per second through the whole user object (request writing, the libcurl
// transport with its own TLS checks, reply reading, token handling, the lock) over HTTPS
// against quillon-sim, next to raw libcurl posting the same prepared request bytes to it in
// the same run. Every call, both ways, opens a connection of its own ("Connection: close").
#include "SimulatorProcess.h"
#include "TestSupport.h"

#include "model/SmsUserInfo.h"
#include "service/CurlTransport.h"
#include "service/SoapWriter.h"

#include <benchmark/benchmark.h>
#include <curl/curl.h>

#include <chrono>
#include <memory>

namespace {

const std::string kNumber = "421905000001";

// The simulator and one logged-in user, shared by every benchmark of the run.
struct Service {
    TempDir state;
    SimulatorProcess sim{QUILLON_SIM_PATH,
                         {"--state", state.Path().string(), "--token-validity", "86400",
                          "--account", "bench:bench:421905000000,limit=100000000"}};
    CSmsUserInfo user{"bench", "1.1.0", "QLN"};

    Service() {
        user.SetPassword("bench");
        user.SetTransport(
            std::make_shared<CurlTransport>(TransportOptions{sim.Url(), sim.CaFile()}));
        if (user.KvwsLogin(true) != 0)
            throw std::runtime_error("the benchmark account cannot log in");
    }
};

Service& TheService() {
    static Service service;
    return service;
}

std::size_t Discard(char*, std::size_t size, std::size_t count, void*) {
    return size * count;
}

// One POST of prepared bytes with the client's headers, as a bare libcurl program would.
bool RawPost(const Service& service, const std::string& body) {
    CURL* curl = curl_easy_init();
    curl_slist* headers = nullptr;
    for (const char* header :
         {"User-Agent: Quillon 1.1", "Content-Type: application/soap+xml; charset=utf-8",
          "Connection: close", "Accept:", "Expect:"})
        headers = curl_slist_append(headers, header);
    curl_easy_setopt(curl, CURLOPT_URL, service.sim.Url().c_str());
    curl_easy_setopt(curl, CURLOPT_CAINFO, service.sim.CaFile().c_str());
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(curl, CURLOPT_POSTFIELDS, body.data());
    curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, Discard);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    const bool ok = curl_easy_perform(curl) == CURLE_OK;
    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    curl_slist_free_all(headers);
    curl_easy_cleanup(curl);
    return ok && status == 200;
}

template <class Work> double Seconds(Work&& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// A whole call through the user object against the raw post of the bytes it sends, one after
// the other, so that the load of the machine weighs on both alike.
template <class UserCall>
void UserVersusRaw(benchmark::State& state, UserCall&& userCall, const std::string& rawBody) {
    Service& service = TheService();
    double user = 0;
    double raw = 0;
    for (auto _ : state) {
        user += Seconds([&] {
            if (userCall(service.user) != 0)
                state.SkipWithError("the call through the user object failed");
        });
        raw += Seconds([&] {
            if (!RawPost(service, rawBody))
                state.SkipWithError("the raw post failed");
        });
    }
    const auto calls = static_cast<double>(state.iterations());
    state.counters["user_calls_per_s"] = calls / user;
    state.counters["raw_calls_per_s"] = calls / raw;
    state.counters["user_per_raw"] = raw / user;
}

void KeepAlive(benchmark::State& state) {
    Kvws::KeepAliveRequest request;
    request.token = TheService().user.GetToken();
    UserVersusRaw(
        state, [](CSmsUserInfo& user) { return user.KvwsKeepAlive(); },
        Kvws::WriteSoapRequest(request));
}

// One SMS to one number, with a delivery report, postpaid.
void SendSms(benchmark::State& state) {
    Kvws::SendSmsRequest request;
    request.token = TheService().user.GetToken();
    request.service.notification = true;
    request.service.type = 1;
    request.service.tariff = "POSTPAID";
    request.recipients = {kNumber};
    request.text = "Benchmark";
    UserVersusRaw(
        state,
        [](CSmsUserInfo& user) {
            SmsSentInfoList sent;
            return user.KvwsSendSms("Benchmark", false, false, true, {kNumber}, sent);
        },
        Kvws::WriteSoapRequest(request));
}

BENCHMARK(KeepAlive)->Unit(benchmark::kMillisecond)->MinTime(5);
BENCHMARK(SendSms)->Unit(benchmark::kMillisecond)->MinTime(5);

} // namespace

BENCHMARK_MAIN();
