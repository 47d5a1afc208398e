#include "LoopbackServer.h"
#include "ScriptedPrompt.h"

#include "service/CurlTransport.h"
#include "service/TransportError.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const std::string kBody = "<?xml version=\"1.0\"?><x>\xC3\xA1</x>";

// The loopback servers speak plain HTTP.
TransportOptions Options(const std::string& url) {
    TransportOptions options;
    options.url = url;
    options.connectTimeout = 5;
    options.inactivityTimeout = 1;
    options.allowHttp = true;
    return options;
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

std::string Head(const std::string& request) {
    return request.substr(0, request.find("\r\n\r\n") + 4);
}

TEST(CurlTransport, SendsExactlyTheRequestLineHeadersAndBody) {
    LoopbackServer server({LoopbackServer::Answer("200 OK", "<reply/>")});
    CurlTransport transport(Options(server.Url()));
    const SoapReply reply = transport.Post(kBody);
    EXPECT_EQ(reply.error, 0);
    EXPECT_EQ(reply.httpStatus, 200);
    EXPECT_EQ(reply.body, "<reply/>");
    ASSERT_EQ(server.Requests().size(), 1u);
    EXPECT_EQ(server.Requests()[0], "POST /sk/!kvws.sms HTTP/1.1\r\n"
                                    "Host: 127.0.0.1:" +
                                        std::to_string(server.Port()) +
                                        "\r\n"
                                        "User-Agent: Quillon 1.1\r\n"
                                        "Content-Type: application/soap+xml; charset=utf-8\r\n"
                                        "Content-Length: " +
                                        std::to_string(kBody.size()) +
                                        "\r\n"
                                        "Connection: close\r\n\r\n" +
                                        kBody);
}

// Through a proxy from the environment; the port-80 endpoint's Host carries no port.
TEST(CurlTransport, UsesTheProxyOfTheEnvironment) {
    LoopbackServer proxy({LoopbackServer::Answer("200 OK", "<reply/>")});
    setenv("http_proxy", ("http://127.0.0.1:" + std::to_string(proxy.Port())).c_str(), 1);
    const SoapReply reply =
        CurlTransport(Options("http://sms.velora.example/sk/!kvws.sms")).Post(kBody);
    unsetenv("http_proxy");
    EXPECT_EQ(reply.httpStatus, 200);
    ASSERT_EQ(proxy.Requests().size(), 1u);
    EXPECT_EQ(Head(proxy.Requests()[0]), "POST http://sms.velora.example/sk/!kvws.sms HTTP/1.1\r\n"
                                         "Host: sms.velora.example\r\n"
                                         "User-Agent: Quillon 1.1\r\n"
                                         "Content-Type: application/soap+xml; charset=utf-8\r\n"
                                         "Content-Length: " +
                                             std::to_string(kBody.size()) +
                                             "\r\n"
                                             "Connection: close\r\n\r\n");
}

TEST(CurlTransport, FailuresBeforeTheStatusAreCode21) {
    EXPECT_EQ(CurlTransport(Options("http://127.0.0.1:" + std::to_string(UnusedPort()) + "/x"))
                  .Post(kBody)
                  .error,
              TransportError::SendFailed);
    LoopbackServer silent({LoopbackServer::kSilent});
    EXPECT_EQ(CurlTransport(Options(silent.Url())).Post(kBody).error, TransportError::SendFailed);
    LoopbackServer garbage({"SSH-2.0-OpenSSH\r\n"});
    EXPECT_EQ(CurlTransport(Options(garbage.Url())).Post(kBody).error, TransportError::SendFailed);
}

TEST(CurlTransport, PlainHttpIsRefusedUnlessAllowed) {
    LoopbackServer server({LoopbackServer::Answer("200 OK", "<reply/>")});
    TransportOptions options = Options(server.Url());
    options.allowHttp = false;
    const SoapReply refused = CurlTransport(options).Post(kBody);
    EXPECT_EQ(refused.error, TransportError::InvalidUrl);
    EXPECT_TRUE(Contains(refused.detail, "unencrypted")) << refused.detail;
    EXPECT_TRUE(Contains(refused.detail, "QUILLON_ALLOW_HTTP=1")) << refused.detail;
    EXPECT_TRUE(server.Requests().empty()) << "the password must not leave";

    options.allowHttp = true;
    EXPECT_EQ(CurlTransport(options).Post(kBody).body, "<reply/>");
}

TEST(CurlTransport, UrlsThatCannotBeOpened) {
    for (const char* url : {"", "not a url", "ftp://127.0.0.1/sk/!kvws.sms", "https://"})
        EXPECT_EQ(CurlTransport(Options(url)).Post(kBody).error, TransportError::InvalidUrl) << url;
}

TEST(CurlTransport, HttpErrorsComeBackAsStatuses) {
    LoopbackServer server({LoopbackServer::Answer("503 Service Unavailable", "")});
    const SoapReply reply = CurlTransport(Options(server.Url())).Post(kBody);
    EXPECT_EQ(reply.error, 0);
    EXPECT_EQ(reply.httpStatus, 503);
}

TEST(CurlTransport, AReplyCutShortKeepsWhatArrived) {
    LoopbackServer server({"HTTP/1.1 200 OK\r\nContent-Length: 8\r\n\r\n<re"});
    const SoapReply reply = CurlTransport(Options(server.Url())).Post(kBody);
    EXPECT_EQ(reply.httpStatus, 200);
    EXPECT_EQ(reply.body, "<re");
}

// A server that keeps sending a little cannot hold the call: every case ends with code 21 and
// says why. The figures are small so that the test is quick; the bounds guard against a hang.
TEST(CurlTransport, ADrippingServerIsCutOff) {
    using std::chrono::milliseconds;
    const std::string dripped = LoopbackServer::Answer("200 OK", std::string(400, ' ') + "<r/>");
    const std::string stalled = "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n<reply>";
    const struct {
        std::string answer;
        milliseconds drip;
        long callTimeout;
        long minimumRate;
        std::string reason;
    } cases[] = {
        {dripped, milliseconds(20), 2, 0, "the exchange took longer than 2 s"},
        {LoopbackServer::kEndless, milliseconds(20), 2, 0, "the exchange took longer than 2 s"},
        {LoopbackServer::kEndless, milliseconds(20), 600, 1000,
         "the data came slower than 1000 bytes/s"},
        {stalled, milliseconds(2000), 600, 0, "nothing was sent or received for 1 s"},
    };
    for (const auto& c : cases) {
        LoopbackServer server({c.answer}, c.drip);
        TransportOptions options = Options(server.Url());
        options.callTimeout = c.callTimeout;
        options.minimumRate = c.minimumRate;
        options.rateWindow = 1;
        const auto started = std::chrono::steady_clock::now();
        const SoapReply reply = CurlTransport(options).Post(kBody);
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(30));
        EXPECT_EQ(reply.error, TransportError::SendFailed) << c.reason;
        EXPECT_EQ(reply.detail, c.reason);
    }
}

TEST(CurlTransport, AnOversizedReplyIsRefused) {
    LoopbackServer server({LoopbackServer::Answer("200 OK", std::string(17 * 1024 * 1024, 'x'))});
    EXPECT_EQ(CurlTransport(Options(server.Url())).Post(kBody).error, TransportError::OutOfMemory);
}

TEST(CurlTransport, Refused401Stands) {
    const std::string unauthorized = LoopbackServer::Answer(
        "401 Unauthorized", "", "WWW-Authenticate: Basic realm=\"kvws\"\r\n");
    LoopbackServer server({unauthorized, unauthorized});
    ScriptedPrompt prompt;
    EXPECT_EQ(CurlTransport(Options(server.Url()), &prompt).Post(kBody).httpStatus, 401);
    EXPECT_EQ(prompt.credentialQuestions, 1);
    EXPECT_FALSE(prompt.askedForProxy);
    // Without a prompt nobody is asked.
    EXPECT_EQ(CurlTransport(Options(server.Url())).Post(kBody).httpStatus, 401);
    EXPECT_EQ(server.Requests().size(), 2u);
}

TEST(CurlTransport, CredentialsResendTheRequestAndAreKept) {
    LoopbackServer server({LoopbackServer::Answer("401 Unauthorized", "",
                                                  "WWW-Authenticate: Basic realm=\"kvws\"\r\n"),
                           LoopbackServer::Answer("200 OK", "<first/>"),
                           LoopbackServer::Answer("200 OK", "<second/>")});
    ScriptedPrompt prompt;
    prompt.credentials = HttpCredentials{"user", "secret"};
    CurlTransport transport(Options(server.Url()), &prompt);
    EXPECT_EQ(transport.Post(kBody).body, "<first/>");
    EXPECT_EQ(transport.Post(kBody).body, "<second/>");
    EXPECT_EQ(prompt.credentialQuestions, 1);
    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].find("Authorization"), std::string::npos);
    for (int i : {1, 2}) {
        EXPECT_NE(requests[i].find("\r\nAuthorization: Basic dXNlcjpzZWNyZXQ=\r\n"),
                  std::string::npos);
        EXPECT_EQ(requests[i].substr(requests[i].size() - kBody.size()), kBody);
    }
}

TEST(CurlTransport, ProxyCredentials) {
    LoopbackServer proxy({LoopbackServer::Answer("407 Proxy Authentication Required", "",
                                                 "Proxy-Authenticate: Basic realm=\"p\"\r\n"),
                          LoopbackServer::Answer("200 OK", "<ok/>")});
    setenv("http_proxy", ("http://127.0.0.1:" + std::to_string(proxy.Port())).c_str(), 1);
    ScriptedPrompt prompt;
    prompt.credentials = HttpCredentials{"user", "secret"};
    const SoapReply reply =
        CurlTransport(Options("http://sms.velora.example/sk/!kvws.sms"), &prompt).Post(kBody);
    unsetenv("http_proxy");
    EXPECT_EQ(reply.body, "<ok/>");
    EXPECT_TRUE(prompt.askedForProxy);
    ASSERT_EQ(proxy.Requests().size(), 2u);
    EXPECT_NE(proxy.Requests()[1].find("\r\nProxy-Authorization: Basic dXNlcjpzZWNyZXQ=\r\n"),
              std::string::npos);
}

TEST(CurlTransport, APromptThatAlwaysSaysYesCannotLoopForEver) {
    const std::string unauthorized = LoopbackServer::Answer("401 Unauthorized", "");
    LoopbackServer server(std::vector<std::string>(10, unauthorized));
    ScriptedPrompt prompt;
    prompt.credentials = HttpCredentials{"user", "wrong"};
    EXPECT_EQ(CurlTransport(Options(server.Url()), &prompt).Post(kBody).httpStatus, 401);
    EXPECT_EQ(prompt.credentialQuestions, 5);
}

// An extra CA file that cannot be used fails the call, naming the file, instead of leaving the
// system store alone in charge.
TEST(CurlTransport, AnUnusableCaFileFailsTheCall) {
    const std::string folder = testing::TempDir();
    const std::string missing = folder + "no-such-ca.pem";
    const std::string garbage = folder + "garbage-ca.pem";
    const std::string locked = folder + "locked-ca.pem";
    std::FILE* file = std::fopen(garbage.c_str(), "w");
    std::fputs("this is no certificate\n", file);
    std::fclose(file);
    std::fclose(std::fopen(locked.c_str(), "w"));
    chmod(locked.c_str(), 0);
    const struct {
        std::string file;
        std::string reason;
    } cases[] = {
        {missing, "No such file or directory"},
        {garbage, "it holds no PEM certificate"},
        {locked, "Permission denied"},
    };
    for (const auto& c : cases) {
        if (c.file == locked && geteuid() == 0)
            continue; // root reads it all the same
        LoopbackServer server({LoopbackServer::kSilent});
        TransportOptions options =
            Options("https://127.0.0.1:" + std::to_string(server.Port()) + "/sk/!kvws.sms");
        options.caFile = c.file;
        const SoapReply reply = CurlTransport(options).Post(kBody);
        EXPECT_EQ(reply.error, TransportError::OpenFailed) << c.file;
        EXPECT_EQ(reply.detail, "the CA file \"" + c.file + "\" cannot be read: " + c.reason);
    }
}

TEST(CurlTransport, EndpointAndCaFileFromTheEnvironment) {
    unsetenv("QUILLON_SERVICE_URL");
    unsetenv("QUILLON_CA_FILE");
    EXPECT_EQ(TransportOptions::FromEnvironment().url, "https://sms.velora.example/sk/!kvws.sms");
    EXPECT_EQ(TransportOptions::FromEnvironment().caFile, "");
    setenv("QUILLON_SERVICE_URL", "https://127.0.0.1:8443/sk/!kvws.sms", 1);
    setenv("QUILLON_CA_FILE", "/tmp/ca.pem", 1);
    EXPECT_EQ(TransportOptions::FromEnvironment().url, "https://127.0.0.1:8443/sk/!kvws.sms");
    EXPECT_EQ(TransportOptions::FromEnvironment().caFile, "/tmp/ca.pem");
    EXPECT_EQ(TransportOptions::FromEnvironment().connectTimeout, 60);
    EXPECT_EQ(TransportOptions::FromEnvironment().inactivityTimeout, 30);
    unsetenv("QUILLON_SERVICE_URL");
    unsetenv("QUILLON_CA_FILE");
    EXPECT_FALSE(TransportOptions::FromEnvironment().allowHttp);
    for (const char* value : {"0", "yes", ""}) {
        setenv("QUILLON_ALLOW_HTTP", value, 1);
        EXPECT_FALSE(TransportOptions::FromEnvironment().allowHttp) << value;
    }
    setenv("QUILLON_ALLOW_HTTP", "1", 1);
    EXPECT_TRUE(TransportOptions::FromEnvironment().allowHttp);
    unsetenv("QUILLON_ALLOW_HTTP");
}

} // namespace
