#include "RequestReader.h"
#include "RequestError.h"
#include "SimRequests.h"

#include <gtest/gtest.h>

namespace {

// text with every occurrence of from replaced.
std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    EXPECT_NE(text.find(from), std::string::npos) << from;
    for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
        text.replace(at, from.size(), to);
    return text;
}

// The text of the RequestError that reading body raises, or "" when it is accepted.
std::string Problem(const std::string& body) {
    try {
        RequestReader::ReadEnvelope(body);
        return {};
    } catch (const RequestError& error) {
        return error.what();
    }
}

std::string HttpProblem(const std::vector<HttpHeader>& headers, const std::string& method = "POST",
                        const std::string& version = "HTTP/1.1") {
    try {
        RequestReader::CheckHttp(method, version, headers, 100);
        return {};
    } catch (const RequestError& error) {
        return error.what();
    }
}

const std::string kSend = SimRequests::Send("tok", {"421905111222", "421905333444"}, "Ahoj");

} // namespace

TEST(RequestReader, ReadsAWellFormedRequest) {
    const SoapRequest request = RequestReader::ReadEnvelope(kSend);
    EXPECT_EQ(request.Operation(), "sendSMS");
    EXPECT_EQ(request.Text("token"), "tok");
    EXPECT_EQ(request.Items("recipients"),
              (std::vector<std::string>{"421905111222", "421905333444"}));
    EXPECT_TRUE(request.Flag("service", "notification"));
    EXPECT_FALSE(request.Flag("service", "flash"));
    EXPECT_EQ(request.AttributeNumber("service", "type"), 1);
    EXPECT_FALSE(request.Attribute("service", "deliverAt"));
    EXPECT_EQ(request.Text("text"), "Ahoj");
}

TEST(RequestReader, DecodesCharacterReferencesOfDefaultModeBytes) {
    const SoapRequest request =
        RequestReader::ReadEnvelope(Replaced(kSend, "<text>Ahoj", "<text>&#225;&#138;&amp;=x"));
    EXPECT_EQ(request.Text("text"), "\xE1\x8A&=x");
    EXPECT_EQ(request.EscapedText("text"), "\xE1\x8A&x");
}

TEST(RequestReader, KeepsUtf8InUtf8Operations) {
    const SoapRequest request =
        RequestReader::ReadEnvelope(SimRequests::Login("\xC5\xA0imon", "p%25w%2B"));
    EXPECT_EQ(request.EscapedText("LoginName"), "\xC5\xA0imon");
    EXPECT_EQ(request.EscapedText("Password"), "p%w+");
    EXPECT_EQ(request.Attribute("Client", "id"), "QLN");
}

TEST(RequestReader, NamesWhatIsWrongWithTheEnvelope) {
    const std::string login = SimRequests::Login("alice", "secret");
    const struct {
        std::string body;
        const char* problem;
    } cases[] = {
        {Replaced(kSend, "encoding=\"UTF-8\"", "encoding=\"utf-8\""), "declaration"},
        {Replaced(kSend, "<text>Ahoj", "<text>Ahoj & co"), "bare '&'"},
        {Replaced(kSend, "<text>Ahoj", "<text>Ahoj &amp co"), "bare '&'"},
        {Replaced(kSend, "<text>Ahoj", "<text>Ahoj <b>"), "not well-formed"},
        {Replaced(kSend, "2003/05/soap-envelope", "2003/05/soap-envelopes"), "xmlns:SOAP-ENV is"},
        {Replaced(kSend, "http://www.w3.org/2003/05/soap-envelope",
                  "http://schemas.xmlsoap.org/soap/envelope/"),
         "SOAP 1.1"},
        {Replaced(kSend, "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" ", ""),
         "declares xmlns:xsd where xmlns:xsi belongs"},
        {Replaced(kSend, "<SOAP-ENV:Body>", "<SOAP-ENV:Header/><SOAP-ENV:Body>"),
         "SOAP-ENV:Header"},
        {Replaced(kSend, "<SOAP-ENV:Body>",
                  "<SOAP-ENV:Body SOAP-ENV:encodingStyle=\"http://www.w3.org/2003/05/"
                  "soap-encoding\">"),
         "no encodingStyle"},
        {Replaced(Replaced(kSend, "<ns1:sendSMS>", ""), "</ns1:sendSMS>", ""),
         "belongs inside the operation element ns1:sendSMS"},
        {Replaced(kSend, "ns1:sendSMS>", "ns1:sendSMSX>"), "unknown operation"},
        {Replaced(kSend, "<token>tok</token>", ""), "missing element token"},
        {Replaced(Replaced(kSend, "<token>tok</token>", ""), "<text>", "<token>tok</token><text>"),
         "out of order"},
        {Replaced(Replaced(kSend, "<text>", "<ns1:text>"), "</text>", "</ns1:text>"),
         "unqualified"},
        {Replaced(kSend, "<token>", "<token xsi:type=\"xsd:string\">"), "unexpected attribute"},
        {Replaced(kSend, "flash=\"false\" ", ""), "lacks the attribute flash"},
        {Replaced(kSend, "flash=\"false\"", "flash=\"0\""), "\"true\" or \"false\""},
        {Replaced(kSend, "type=\"1\"", "type=\"x1\""), "xsd:int"},
        {Replaced(kSend, "notification=\"true\" flash=\"false\"",
                  "flash=\"false\" notification=\"true\""),
         "out of order"},
        {Replaced(kSend, "arraySize=\"2\"", "arraySize=\"3\""), "SOAP-ENC:arraySize"},
        {Replaced(kSend, "SOAP-ENC:itemType=\"xsd:string\" SOAP-ENC:arraySize=\"2\"",
                  "SOAP-ENC:arrayType=\"xsd:string[2]\""),
         "SOAP 1.1"},
        {Replaced(kSend, "<to>421905111222</to>", "<item>421905111222</item>"),
         "an item to belongs"},
        {Replaced(kSend, "<text>Ahoj", "<text>\xC3\xA1"), "byte 0xC3"},
        {Replaced(kSend, "<text>Ahoj", "<text>&#269;"), "above 255"},
        {Replaced(kSend, "<recipients ", "<recipients xmlns:x=\"urn:x\" "),
         "namespace declaration"},
        {Replaced(login, "<LoginName>alice", "<LoginName>\xE1"), "not valid UTF-8"},
        {Replaced(login, "<Client id=\"QLN\" firstTime=\"true\">", "<Client id=\"QLN\">"),
         "lacks the attribute firstTime"},
        {Replaced(kSend, "<text>", "<!-- x --><text>"), "unexpected comment"},
    };
    for (const auto& c : cases) {
        const std::string problem = Problem(c.body);
        EXPECT_NE(problem.find(c.problem), std::string::npos)
            << "expected \"" << c.problem << "\", got \"" << problem << "\"";
    }
}

TEST(RequestReader, SurvivesAHostileNestingDepth) {
    const std::size_t depth = 200000;
    std::string deep;
    for (std::size_t i = 0; i < depth; ++i)
        deep += "<a>";
    for (std::size_t i = 0; i < depth; ++i)
        deep += "</a>";
    EXPECT_NE(Problem(Replaced(kSend, "<text>Ahoj</text>", "<text>" + deep + "</text>"))
                  .find("text only"),
              std::string::npos);
}

TEST(RequestReader, RefusesTextsThatWereNotEscapedForTheService) {
    for (const char* xmlText : {"a&amp;b", "50%", "50%2", "1+1", "line\nbreak", "a&lt;b"}) {
        const SoapRequest request = RequestReader::ReadEnvelope(
            Replaced(kSend, "<text>Ahoj", std::string("<text>") + xmlText));
        EXPECT_THROW(request.EscapedText("text"), RequestError) << xmlText;
    }
}

TEST(RequestReader, ChecksTheHttpRequest) {
    EXPECT_EQ(HttpProblem(SimRequests::Headers(100)), "");
    EXPECT_NE(HttpProblem(SimRequests::Headers(100), "GET").find("POST"), std::string::npos);
    EXPECT_NE(HttpProblem(SimRequests::Headers(100), "POST", "HTTP/1.0").find("HTTP/1.1"),
              std::string::npos);
    const struct {
        HttpHeader header; // replaces the header of that name, or is added
        const char* problem;
    } cases[] = {
        {{"User-Agent", "curl/7.88"}, "User-Agent"},
        {{"Content-Type", "text/xml; charset=utf-8"}, "SOAP 1.1"},
        {{"Content-Type", "application/soap+xml"}, "Content-Type"},
        {{"Content-Length", "99"}, "Content-Length"},
        {{"Connection", "keep-alive"}, "Connection"},
        {{"SOAPAction", "\"\""}, "SOAPAction"},
        {{"Expect", "100-continue"}, "Expect"},
        {{"Accept", "*/*"}, "unexpected HTTP header Accept"},
        {{"connection", "close"}, "repeated"},
    };
    for (const auto& c : cases) {
        std::vector<HttpHeader> headers = SimRequests::Headers(100);
        bool replaced = false;
        for (HttpHeader& header : headers) {
            if (header.name == c.header.name) {
                header.value = c.header.value;
                replaced = true;
            }
        }
        if (!replaced)
            headers.push_back(c.header);
        EXPECT_NE(HttpProblem(headers).find(c.problem), std::string::npos) << c.problem;
    }
    std::vector<HttpHeader> withoutHost = SimRequests::Headers(100);
    withoutHost.erase(withoutHost.begin());
    EXPECT_NE(HttpProblem(withoutHost).find("Host"), std::string::npos);
}
