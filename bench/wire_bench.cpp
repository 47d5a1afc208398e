// Cost of the wire layer: writing and reading one call, next to the bare copy and pugixml
// parse of the same bytes.
#include "service/SoapReader.h"
#include "service/SoapWriter.h"

#include <benchmark/benchmark.h>
#include <pugixml.hpp>

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

} // namespace

BENCHMARK_MAIN();
