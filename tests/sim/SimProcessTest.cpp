#include "SimRequests.h"
#include "SimulatorProcess.h"
#include "TestSupport.h"

#include <curl/curl.h>
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

namespace {

struct HttpResult {
    CURLcode code = CURLE_OK;
    long status = 0;
    std::string contentType;
    std::string body;
};

std::size_t Collect(char* data, std::size_t size, std::size_t count, void* body) {
    static_cast<std::string*>(body)->append(data, size * count);
    return size * count;
}

// A GET, or a POST with exactly the client's headers when body is given.
HttpResult Fetch(const SimulatorProcess& sim, const std::string& url, const std::string* body,
                 long timeoutMs = 20000) {
    HttpResult result;
    CURL* curl = curl_easy_init();
    curl_slist* headers = nullptr;
    for (const char* header :
         {"Accept:", "Expect:", "User-Agent: Quillon 1.1",
          "Content-Type: application/soap+xml; charset=utf-8", "Connection: close"})
        headers = curl_slist_append(headers, header);
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_CAINFO, sim.CaFile().c_str());
    curl_easy_setopt(curl, CURLOPT_NOPROXY, "*");
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, timeoutMs);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, Collect);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &result.body);
    if (body) {
        curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
        curl_easy_setopt(curl, CURLOPT_POSTFIELDS, body->c_str());
        curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE, static_cast<long>(body->size()));
    }
    result.code = curl_easy_perform(curl);
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &result.status);
    char* type = nullptr;
    curl_easy_getinfo(curl, CURLINFO_CONTENT_TYPE, &type);
    result.contentType = type ? type : "";
    curl_slist_free_all(headers);
    curl_easy_cleanup(curl);
    return result;
}

HttpResult Post(const SimulatorProcess& sim, const std::string& body, long timeoutMs = 20000) {
    return Fetch(sim, sim.Url(), &body, timeoutMs);
}

std::string ReadFile(const std::string& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

class SimProcess : public ::testing::Test {
protected:
    SimulatorProcess Start(std::vector<std::string> args) {
        args.insert(args.begin(), {"--state", m_state.Path().string()});
        return SimulatorProcess(QUILLON_SIM_PATH, args);
    }

    std::string LoginToken(const SimulatorProcess& sim) {
        const HttpResult login = Post(sim, SimRequests::Login("demo", "demo"));
        EXPECT_EQ(login.status, 200) << login.body;
        return ParsedReply(login.body).Token();
    }

    TempDir m_state;
};

} // namespace

TEST_F(SimProcess, ServesOverHttpsWithItsOwnCertificatesAndStopsCleanly) {
    SimulatorProcess sim = Start({});
    EXPECT_EQ(sim.Url(), "https://127.0.0.1:" + std::to_string(sim.Port()) + "/sk/!kvws.sms");
    EXPECT_EQ(sim.CaFile(), (m_state.Path() / "ca.pem").string());
    const HttpResult login = Post(sim, SimRequests::Login("demo", "demo"));
    ASSERT_EQ(login.code, CURLE_OK) << curl_easy_strerror(login.code);
    EXPECT_EQ(login.status, 200);
    EXPECT_EQ(login.contentType, "application/soap+xml; charset=utf-8");
    EXPECT_EQ(ParsedReply(login.body).Status(), 0);
    const std::string ca = ReadFile(sim.CaFile());
    EXPECT_EQ(sim.Stop(), 0);

    SimulatorProcess again = Start({"--http"});
    EXPECT_EQ(ReadFile(again.CaFile()), ca) << "the CA is generated once and reused";
    EXPECT_EQ(again.Url().rfind("http://", 0), 0u);
    EXPECT_EQ(Post(again, SimRequests::Login("demo", "demo")).status, 200);
}

TEST_F(SimProcess, AnswersAMalformedRequestWithAFaultNamingTheProblem) {
    SimulatorProcess sim = Start({"--http"});
    const std::string body = SimRequests::WithToken("KeepAlive", "t", "<extra/>");
    const HttpResult result = Post(sim, body);
    EXPECT_EQ(result.status, 500);
    const ParsedReply fault(result.body);
    ASSERT_TRUE(fault.IsFault());
    EXPECT_NE(fault.FaultText().find("unexpected element extra"), std::string::npos);
    EXPECT_EQ(Fetch(sim, sim.Url(), nullptr).status, 500);
}

TEST_F(SimProcess, FaultsThatReplaceTheReply) {
    const std::string login = SimRequests::Login("demo", "demo");
    {
        SimulatorProcess sim = Start({"--http-status", "503"});
        const HttpResult result = Post(sim, login);
        EXPECT_EQ(result.status, 503);
        EXPECT_TRUE(result.body.empty());
    }
    {
        SimulatorProcess sim = Start({"--soap-fault"});
        const HttpResult result = Post(sim, login);
        EXPECT_EQ(result.status, 500);
        EXPECT_TRUE(ParsedReply(result.body).IsFault());
    }
    {
        SimulatorProcess sim = Start({"--drop"});
        const HttpResult result = Post(sim, login);
        EXPECT_NE(result.code, CURLE_OK);
        EXPECT_EQ(result.status, 0);
    }
    {
        SimulatorProcess sim = Start({"--delay", "5000"});
        EXPECT_EQ(Post(sim, login, 300).code, CURLE_OPERATION_TIMEDOUT);
    }
}

TEST_F(SimProcess, FaultsThatChangeTheReply) {
    {
        SimulatorProcess sim = Start({"--truncate"});
        const HttpResult result = Post(sim, SimRequests::Login("demo", "demo"));
        EXPECT_EQ(result.status, 200);
        EXPECT_EQ(result.body.find("</SOAP-ENV:Envelope>"), std::string::npos);
        pugi::xml_document document;
        EXPECT_FALSE(document.load_string(result.body.c_str()));
    }
    {
        SimulatorProcess sim = Start({"--soap11", "--item-name", "svc", "--bad-validity"});
        const HttpResult result = Post(sim, SimRequests::WithToken("getServices", LoginToken(sim)));
        EXPECT_EQ(result.contentType, "text/xml; charset=utf-8");
        EXPECT_NE(result.body.find("xmlns:SOAP-ENV=\"http://schemas.xmlsoap.org/soap/envelope/\""),
                  std::string::npos);
        const ParsedReply reply(result.body);
        EXPECT_STREQ(reply.Response().child("services").attribute("SOAP-ENC:arrayType").value(),
                     "ns1:service[3]");
        EXPECT_STREQ(reply.Items("services")[0].name(), "svc");
        EXPECT_STREQ(reply.Response().child("token").attribute("validity").value(), "abc");
    }
}

TEST_F(SimProcess, DripsRepliesAndStopsCleanlyWhileDripping) {
    const std::string login = SimRequests::Login("demo", "demo");
    {
        SimulatorProcess sim = Start({"--drip", "1"});
        const HttpResult result = Post(sim, login);
        EXPECT_EQ(result.status, 200);
        EXPECT_EQ(result.contentType, "application/soap+xml; charset=utf-8");
        EXPECT_EQ(ParsedReply(result.body).Status(), 0) << "the whole reply arrives";
    }
    SimulatorProcess sim = Start({"--drip-endless", "10"});
    const HttpResult given = Post(sim, login, 1500);
    EXPECT_EQ(given.code, CURLE_OPERATION_TIMEDOUT);
    EXPECT_EQ(given.status, 200);
    EXPECT_EQ(given.body.rfind("<?xml", 0), 0u) << given.body;
    // A client still being dripped to does not keep the simulator from stopping.
    HttpResult waiting;
    std::thread client([&] { waiting = Post(sim, login, 60000); });
    std::this_thread::sleep_for(std::chrono::seconds(1));
    EXPECT_EQ(sim.Stop(), 0);
    client.join();
    EXPECT_NE(waiting.code, CURLE_OK);
    EXPECT_NE(waiting.code, CURLE_OPERATION_TIMEDOUT);
}

TEST_F(SimProcess, AdminPathMovesTheClockSwitchesFaultsAndShowsCheckCodes) {
    SimulatorProcess plain = Start({});
    EXPECT_THROW(plain.Admin("/admin/time"), std::runtime_error);

    SimulatorProcess sim = Start({"--admin", "--token-validity", "60", "--start-time", "1000000"});
    const std::string token = LoginToken(sim);
    EXPECT_EQ(sim.Admin("/admin/advance?seconds=61", true), "1000061\n");
    EXPECT_EQ(ParsedReply(Post(sim, SimRequests::WithToken("KeepAlive", token)).body).Status(), 21);

    sim.Admin("/admin/faults?http-status=404", true);
    EXPECT_EQ(Post(sim, SimRequests::Login("demo", "demo")).status, 404);
    sim.Admin("/admin/faults?http-status=0", true);
    const std::string fresh = LoginToken(sim);

    const ParsedReply asked = ParsedReply(
        Post(sim, SimRequests::WithToken("ask4CreditRecharge", fresh, "<credit>50</credit>")).body);
    ASSERT_EQ(asked.Status(), 0);
    const std::string id = asked.Response().child("status").attribute("id").value();
    const std::string codes = sim.Admin("/admin/codes/demo");
    ASSERT_EQ(codes.rfind(id + " ", 0), 0u) << codes;
    const std::string code = codes.substr(id.size() + 1, 6);
    EXPECT_EQ(
        ParsedReply(Post(sim, SimRequests::WithToken("CreditRecharge", fresh,
                                                     "<code id=\"" + id + "\">" + code + "</code>"))
                        .body)
            .Status(),
        0);
    EXPECT_NE(sim.Admin("/admin/account/demo").find("credit=150"), std::string::npos);

    sim.Admin("/admin/refuse?login=demo&operation=KeepAlive&status=45", true);
    EXPECT_EQ(ParsedReply(Post(sim, SimRequests::WithToken("KeepAlive", fresh)).body).Status(), 45);
}

TEST_F(SimProcess, ServesTheStatisticsAndHelpPages) {
    SimulatorProcess sim = Start({});
    const std::string token = LoginToken(sim);
    const HttpResult stats = Fetch(sim, sim.BaseUrl() + "/sk/kvws.stats?token=" + token, nullptr);
    EXPECT_EQ(stats.status, 200);
    EXPECT_EQ(stats.contentType, "text/html; charset=utf-8");
    EXPECT_NE(stats.body.find("demo"), std::string::npos);
    EXPECT_EQ(Fetch(sim, sim.BaseUrl() + "/sk/kvws.stats?token=nope", nullptr).status, 403);
    const HttpResult help = Fetch(sim, sim.BaseUrl() + "/quillon/help.html", nullptr);
    EXPECT_EQ(help.status, 200);
    EXPECT_NE(help.body.find("Quillon"), std::string::npos);
}
