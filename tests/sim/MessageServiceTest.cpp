#include "ServiceFixture.h"

#include <ctime>

namespace {

class MessageService : public ServiceFixture {
protected:
    MessageService() {
        m_options.accountLines = {"ann:pw:421905000001,credit=5", "nomobile:pw:,services=postpaid",
                                  "blocked:pw:421905000002,blocked=postpaid",
                                  "prepay:pw:421905000003,services=obk",
                                  "few:pw:421905000004,limit=3"};
        m_options.deliveryAfter = 30;
        m_options.tokenValidity = 400 * 86400; // tokens outlive the jumps in time
    }

    // Options of a send: tariff and, for a scheduled message, its schedule.
    static std::string Scheduled(std::int64_t deliverAt, int periodicity, int type = 1) {
        const auto time = static_cast<std::time_t>(deliverAt);
        std::tm tm{};
        gmtime_r(&time, &tm);
        char text[32];
        std::strftime(text, sizeof text, "%d.%m.%Y %H:%M", &tm);
        return "type=\"" + std::to_string(type) + "\" deliverAt=\"" + text + "\" periodicity=\"" +
               std::to_string(periodicity) + "\"";
    }

    static std::string SmsQuery(const std::vector<std::int64_t>& ids,
                                const std::string& messageId = {}) {
        std::string items;
        for (std::int64_t id : ids)
            items += "<id>" + std::to_string(static_cast<std::int32_t>(id)) + "</id>";
        return "<sms xsi:type=\"SOAP-ENC:Array\" SOAP-ENC:itemType=\"xsd:int\" "
               "SOAP-ENC:arraySize=\"" +
               std::to_string(ids.size()) + "\"" +
               (messageId.empty() ? "" : " messageid=\"" + messageId + "\"") + ">" + items +
               "</sms>";
    }

    int SendStatus(const std::string& login, const std::vector<std::string>& numbers,
                   const std::string& options = "type=\"1\"") {
        return Call(SimRequests::Send(LoginToken(login, "pw"), numbers, "Ahoj", options)).Status();
    }
};

} // namespace

TEST_F(MessageService, SendsToEachRecipientAndReportsDeliveryOverTime) {
    const std::string token = LoginToken("ann", "pw");
    const ParsedReply sent =
        Call(SimRequests::Send(token, {"421905111000", "421905111666", "421905111999"}, "Ahoj"));
    ASSERT_EQ(sent.Status(), 0);
    EXPECT_GT(sent.Response().child("status").attribute("messageid").as_llong(), 0);
    const auto recipients = sent.Items("recipients");
    ASSERT_EQ(recipients.size(), 3u);
    std::vector<std::int64_t> ids;
    for (pugi::xml_node item : recipients)
        ids.push_back(item.child("smsid").text().as_llong());
    EXPECT_STREQ(recipients[1].attribute("mobile").value(), "421905111666");
    EXPECT_NE(ids[0], ids[1]);

    ParsedReply report = Call(SimRequests::WithToken("getNotifications", token, SmsQuery(ids)));
    ASSERT_EQ(report.Items("sms").size(), 3u);
    EXPECT_EQ(report.Items("sms")[0].attribute("status").as_int(), 0);
    EXPECT_FALSE(report.Items("sms")[0].attribute("delivered"));

    Advance(30);
    report = Call(SimRequests::WithToken("getNotifications", token, SmsQuery(ids)));
    const auto items = report.Items("sms");
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].text().as_llong(), ids[0]);
    EXPECT_EQ(items[0].attribute("status").as_int(), 1);
    EXPECT_EQ(std::string(items[0].attribute("delivered").value()), "11.03.2024 10:00:30");
    EXPECT_EQ(items[1].attribute("status").as_int(), -1);
    EXPECT_EQ(items[2].attribute("status").as_int(), -2);
    EXPECT_STREQ(items[2].attribute("mobile").value(), "421905111999");
}

TEST_F(MessageService, ReportsOnlyKnownSmsThatAskedForAReport) {
    m_options.firstSmsId = (std::int64_t{1} << 32) + 5;
    const std::string token = LoginToken("ann", "pw");
    const auto idOf = [](const ParsedReply& reply) {
        return reply.Items("recipients")[0].child("smsid").text().as_llong();
    };
    const std::int64_t reported = idOf(Call(SimRequests::Send(token, {"421905111000"}, "A")));
    const std::int64_t silent = idOf(Call(SimRequests::WithToken(
        "sendSMS", token,
        "<service notification=\"false\" flash=\"true\" type=\"1\">POSTPAID</service>" +
            SimRequests::Recipients({"421905111000"}) + "<text>B</text>")));
    EXPECT_GT(reported, std::int64_t{1} << 32);
    const ParsedReply report =
        Call(SimRequests::WithToken("getNotifications", token, SmsQuery({reported, silent, 77})));
    const auto items = report.Items("sms");
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].text().as_llong(), reported);
}

TEST_F(MessageService, SendingRefusals) {
    EXPECT_EQ(SendStatus("ann", {}), 28);
    EXPECT_EQ(SendStatus("ann", {"0905111000"}), 22);
    EXPECT_EQ(SendStatus("ann", {"4219051x1000"}), 31);
    EXPECT_EQ(SendStatus("ann", {"123"}), 31);
    EXPECT_EQ(SendStatus("nomobile", {"421905111000"}), 23);
    EXPECT_EQ(SendStatus("blocked", {"421905111000"}), 26);
    EXPECT_EQ(SendStatus("prepay", {"421905111000"}), 27);
    EXPECT_EQ(SendStatus("prepay", {"421905111000"}, "type=\"0\""), 0);
}

TEST_F(MessageService, PortalCreditPaysPerSmsPart) {
    const std::string token = LoginToken("ann", "pw");
    const std::string longText(200, 'x'); // two parts
    EXPECT_EQ(
        Call(SimRequests::Send(token, {"421905111000", "421905111001"}, longText, "type=\"0\""))
            .Status(),
        0);
    EXPECT_EQ(Call(SimRequests::WithToken("getOBK", token)).Response().child("OBK").text().as_int(),
              1);
    EXPECT_EQ(Call(SimRequests::Send(token, {"421905111000", "421905111001"}, "x", "type=\"0\""))
                  .Status(),
              29);
    EXPECT_EQ(Call(SimRequests::Send(token, {"421905111000"}, "x", "type=\"0\"")).Status(), 0);
}

TEST_F(MessageService, DailyLimitCountsUntilTheNextDay) {
    EXPECT_EQ(SendStatus("few", {"421905111000", "421905111001"}), 0);
    EXPECT_EQ(SendStatus("few", {"421905111000", "421905111001"}), 59);
    EXPECT_EQ(SendStatus("few", {"421905111000"}), 0);
    Advance(14 * 3600); // past midnight
    EXPECT_EQ(SendStatus("few", {"421905111000", "421905111001", "421905111002"}), 0);
}

TEST_F(MessageService, SchedulesBetweenFifteenMinutesAndTwelveMonthsAhead) {
    EXPECT_EQ(SendStatus("ann", {"421905111000"}, Scheduled(Now() + 14 * 60, 0)), 67);
    EXPECT_EQ(SendStatus("ann", {"421905111000"}, Scheduled(Now() + 366 * 86400, 0)), 67);
    EXPECT_EQ(SendStatus("ann", {"421905111000"}, Scheduled(Now() + 15 * 60, 0)), 0);
    EXPECT_EQ(SendStatus("ann", {"421905111000"}, Scheduled(Now() + 360 * 86400, 10)), 0);
    const ParsedReply bad = Call(SimRequests::Send(LoginToken("ann", "pw"), {"421905111000"}, "x",
                                                   "type=\"1\" deliverAt=\"2024-03-11 10:00\" "
                                                   "periodicity=\"0\""));
    ASSERT_TRUE(bad.IsFault());
    EXPECT_NE(bad.FaultText().find("deliverAt"), std::string::npos);
}

TEST_F(MessageService, ScheduledMessageReportsItsLatestOccurrencePerRecipient) {
    const std::string token = LoginToken("ann", "pw");
    const ParsedReply sent = Call(SimRequests::Send(token, {"421905111000", "421905111666"}, "Ahoj",
                                                    Scheduled(Now() + 3600, 5)));
    ASSERT_EQ(sent.Status(), 0);
    EXPECT_FALSE(sent.Items("recipients")[0].child("smsid"));
    const std::string messageId = sent.Response().child("status").attribute("messageid").value();
    const auto query = [&] {
        return Call(SimRequests::WithToken("getNotifications", token, SmsQuery({0}, messageId)));
    };
    const ParsedReply early = query();
    EXPECT_EQ(early.Items("sms")[0].attribute("status").as_int(), 0);
    Advance(86400 + 3600 + 30); // the second daily occurrence has been delivered
    const ParsedReply report = query();
    const auto items = report.Items("sms");
    ASSERT_EQ(items.size(), 2u);
    EXPECT_STREQ(items[0].attribute("mobile").value(), "421905111000");
    EXPECT_EQ(items[0].attribute("status").as_int(), 1);
    EXPECT_EQ(std::string(items[0].attribute("delivered").value()), "12.03.2024 11:00:30");
    EXPECT_EQ(items[1].attribute("status").as_int(), -1);
    Advance(10); // the next occurrence is not due; still the same one
    const ParsedReply later = query();
    EXPECT_EQ(later.Items("sms")[0].attribute("status").as_int(), 1);
}

TEST_F(MessageService, ReplacesAndDeletesOnlyPendingScheduledMessages) {
    const std::string token = LoginToken("ann", "pw");
    const std::string messageId =
        Call(SimRequests::Send(token, {"421905111000"}, "Ahoj", Scheduled(Now() + 3600, 0)))
            .Response()
            .child("status")
            .attribute("messageid")
            .value();
    const auto replace = [&](const std::string& options) {
        return Call(SimRequests::WithToken(
            "replaceSMS", token,
            "<messageid>" + messageId + "</messageid><service notification=\"true\" " +
                "flash=\"false\" " + options + ">Postpaid</service>" +
                SimRequests::Recipients({"421905111000", "421905111001"}) + "<text>Nove</text>"));
    };
    const ParsedReply replaced = replace(Scheduled(Now() + 7200, 0));
    EXPECT_EQ(replaced.Status(), 0);
    EXPECT_EQ(replaced.Items("recipients").size(), 2u);
    EXPECT_EQ(replace("type=\"1\"").Status(), 0);
    Advance(7200); // delivered: no longer replaceable
    EXPECT_EQ(replace("type=\"1\"").Status(), 69);
    EXPECT_EQ(
        Call(SimRequests::WithToken("deleteSMS", token, "<messageid>" + messageId + "</messageid>"))
            .Status(),
        69);

    const std::string periodic =
        Call(SimRequests::Send(token, {"421905111000"}, "Ahoj", Scheduled(Now() + 3600, 1)))
            .Response()
            .child("status")
            .attribute("messageid")
            .value();
    const std::string remove =
        SimRequests::WithToken("deleteSMS", token, "<messageid>" + periodic + "</messageid>");
    Advance(5 * 3600); // a periodic message stays pending
    EXPECT_EQ(Call(remove).Status(), 0);
    EXPECT_EQ(Call(remove).Status(), 69);
    EXPECT_EQ(Call(SimRequests::WithToken("deleteSMS", LoginToken("prepay", "pw"),
                                          "<messageid>" + messageId + "</messageid>"))
                  .Status(),
              69);
}
