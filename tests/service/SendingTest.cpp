#include "SessionFixture.h"

#include "model/Utilities.h"

#include <string>
#include <vector>

using Strings = std::vector<std::string>;

namespace {

std::string Attribute(const ParsedRequest& request, const char* element, const char* name) {
    return request.Find(element).attribute(name).value();
}

bool HasAttribute(const ParsedRequest& request, const char* element, const char* name) {
    return !request.Find(element).attribute(name).empty();
}

Strings Recipients(const ParsedRequest& request) {
    Strings numbers;
    for (pugi::xml_node item : request.Find("recipients").children())
        numbers.push_back(item.text().as_string());
    return numbers;
}

std::string SentReply(const std::string& items, const std::string& statusAttributes = {}) {
    return Reply::Status(0, statusAttributes) + Reply::Token("T2") + "<recipients>" + items +
           "</recipients>";
}

// A reply item of a notification query.
std::string Delivery(const std::string& smsId, int status, const std::string& extra = {}) {
    return "<item status=\"" + std::to_string(status) + "\"" + extra + ">" + smsId + "</item>";
}

std::string NotificationReply(const std::string& items) {
    return Reply::Status(0) + "<sms>" + items + "</sms>";
}

} // namespace

class SendingTest : public SessionFixture {
protected:
    void SetUp() override { LogIn(); }
    ParsedRequest LastRequest() const {
        return transport->Request(transport->Requests().size() - 1);
    }
};

TEST_F(SendingTest, ImmediateSendFillsOptionsRecipientsAndResults) {
    transport->Answer("sendSMS",
                      SentReply("<item mobile=\"421903000001\"><smsid>5000000001</smsid></item>"
                                "<item mobile=\"421903000002\"/>"));
    SmsSentInfoList sent{{1, "earlier"}};
    EXPECT_EQ(
        user.KvwsSendSms("Hi & bye", false, true, true, {"421903000001", "0903 000 002"}, sent), 0);

    const ParsedRequest request = LastRequest();
    EXPECT_EQ(request.Operation(), "sendSMS");
    EXPECT_EQ(request.Text("token"), "T1");
    EXPECT_EQ(request.Text("service"), "POSTPAID");
    EXPECT_EQ(Attribute(request, "service", "type"), "1");
    EXPECT_EQ(Attribute(request, "service", "flash"), "true");
    EXPECT_EQ(Attribute(request, "service", "notification"), "true");
    EXPECT_FALSE(HasAttribute(request, "service", "deliverAt"));
    EXPECT_FALSE(HasAttribute(request, "service", "periodicity"));
    EXPECT_EQ(Recipients(request), (Strings{"421903000001", "0903 000 002"}));
    EXPECT_EQ(request.Text("text"), EncodeAmpChars("Hi & bye"));

    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[1].smsId, 5000000001);
    EXPECT_EQ(sent[1].number, "421903000001");
    EXPECT_EQ(sent[2].smsId, 0);
    EXPECT_EQ(sent[2].number, "421903000002");
}

TEST_F(SendingTest, PortalCreditAndSingleRecipient) {
    transport->Answer("sendSMS", SentReply("<item mobile=\"421903000001\"/>"));
    EXPECT_EQ(user.KvwsSendSms("Hi", true, false, "421903000001"), 0);
    const ParsedRequest request = LastRequest();
    EXPECT_EQ(request.Text("service"), "OBK");
    EXPECT_EQ(Attribute(request, "service", "type"), "0");
    EXPECT_EQ(Attribute(request, "service", "notification"), "false");
    EXPECT_EQ(Recipients(request), (Strings{"421903000001"}));
}

TEST_F(SendingTest, EmptyRecipientListSendsAnEmptyArray) {
    transport->Answer("sendSMS", Reply::Status(28));
    SmsSentInfoList sent;
    EXPECT_EQ(user.KvwsSendSms("Hi", false, false, false, {}, sent), 28);
    const ParsedRequest request = LastRequest();
    EXPECT_TRUE(request.Has("recipients"));
    EXPECT_TRUE(request.Find("recipients").children().empty());
    EXPECT_STREQ(request.Find("recipients").attribute("SOAP-ENC:arraySize").value(), "0");
    EXPECT_TRUE(sent.empty());
}

TEST_F(SendingTest, ScheduledSendGoesOutInUtcAndReturnsTheMessageId) {
    transport
        ->Answer("sendSMS", SentReply("<item mobile=\"421903000001\"><smsid>9</smsid></item>",
                                      "messageid=\"77000000000\""))
        .Answer("sendSMS", SentReply("", "messageid=\"78\""));
    SmsSentInfoList sent;
    std::int64_t messageId = 0;
    // Winter time in Bratislava is one hour east of UTC, summer time two.
    EXPECT_EQ(user.KvwsSendScheduledSms("Hi", false, false, true, 0, LocalTime(2005, 3, 10, 14, 30),
                                        {"421903000001"}, sent, messageId),
              0);
    ParsedRequest request = LastRequest();
    EXPECT_EQ(Attribute(request, "service", "deliverAt"), "10.03.2005 13:30");
    EXPECT_EQ(Attribute(request, "service", "periodicity"), "0");
    EXPECT_EQ(Attribute(request, "service", "type"), "1");
    EXPECT_EQ(request.Text("service"), "OBK"); // always, whatever the tariff
    EXPECT_EQ(messageId, 77000000000);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].smsId, 0); // a scheduled send has no SMS numbers yet
    EXPECT_EQ(sent[0].number, "421903000001");

    user.KvwsSendScheduledSms("Hi", true, false, false, 3, LocalTime(2005, 7, 1, 0, 15, 59),
                              {"421903000001"}, sent, messageId);
    request = LastRequest();
    EXPECT_EQ(Attribute(request, "service", "deliverAt"), "30.06.2005 22:15");
    EXPECT_EQ(Attribute(request, "service", "periodicity"), "3");
    EXPECT_EQ(messageId, 78);
}

TEST_F(SendingTest, RefusedScheduledSendChangesNothing) {
    transport->Answer("sendSMS", Reply::Status(67, "messageid=\"5\"") +
                                     "<recipients><item mobile=\"1\"/></recipients>");
    SmsSentInfoList sent;
    std::int64_t messageId = 42;
    EXPECT_EQ(user.KvwsSendScheduledSms("Hi", false, false, false, 0, kNow, {"1"}, sent, messageId),
              67);
    EXPECT_EQ(messageId, 42);
    EXPECT_TRUE(sent.empty());
}

TEST_F(SendingTest, ReplaceChangesTheScheduleOnlyWithBothValues) {
    transport->Answer("replaceSMS", SentReply("<item mobile=\"1\"><smsid>3</smsid></item>"))
        .Answer("replaceSMS", SentReply(""));
    SmsSentInfoList sent;
    const int periodicity = 2;
    const std::int64_t deliverAt = LocalTime(2005, 3, 11, 8, 0);
    EXPECT_EQ(user.KvwsReplaceSms("New", false, true, false, &periodicity, nullptr, {"1"}, sent,
                                  1234567890123),
              0);
    ParsedRequest request = LastRequest();
    EXPECT_EQ(request.Text("messageid"), "1234567890123");
    EXPECT_EQ(request.Text("service"), "Postpaid");
    EXPECT_FALSE(HasAttribute(request, "service", "deliverAt"));
    EXPECT_FALSE(HasAttribute(request, "service", "periodicity"));
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].smsId, 3);

    user.KvwsReplaceSms("New", true, true, false, &periodicity, &deliverAt, {"1"}, sent, 5);
    request = LastRequest();
    EXPECT_EQ(request.Text("service"), "OBK");
    EXPECT_EQ(Attribute(request, "service", "deliverAt"), "11.03.2005 07:00");
    EXPECT_EQ(Attribute(request, "service", "periodicity"), "2");
}

TEST_F(SendingTest, DeleteSendsTheMessageId) {
    transport->Answer("deleteSMS", Reply::Status(0) + Reply::Token("T2"));
    EXPECT_EQ(user.KvwsDeleteSms(9000000000000000000ull), 0);
    EXPECT_EQ(LastRequest().Text("messageid"), "9000000000000000000");
    EXPECT_EQ(user.GetToken(), "T2");
}

TEST_F(SendingTest, ExpiredSessionDuringSendAppendsOnlyTheSuccessfulAttempt) {
    transport
        ->Answer("sendSMS", Reply::Status(21) + "<recipients><item mobile=\"x\"/></recipients>")
        .Answer("Login", Reply::Status(0) + Reply::Token("T9"))
        .Answer("sendSMS", SentReply("<item mobile=\"1\"><smsid>4</smsid></item>"));
    SmsSentInfoList sent;
    EXPECT_EQ(user.KvwsSendSms("Hi", false, false, false, {"1"}, sent), 0);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].number, "1");
    EXPECT_EQ(transport->Request(3).Text("token"), "T9");
    EXPECT_EQ(transport->Request(3).Text("text"), "Hi");
}

using NotificationTest = SendingTest;

TEST_F(NotificationTest, QueryCutsIdsTo32BitsAndMatchesOnTheFullId) {
    const std::int64_t big = (std::int64_t{1} << 32) + 5; // low 32 bits: 5
    transport->Answer("getNotifications",
                      NotificationReply(Delivery("5", -2) + Delivery(std::to_string(big), 1) +
                                        Delivery("999", 1)));
    SmsDeliveryInfoList records{{5, 0, 0}, {big, 0, 0}, {3000000000, 0, 0}};
    EXPECT_EQ(user.KvwsGetNotifications(records), 0);

    const ParsedRequest request = LastRequest();
    Strings ids;
    for (pugi::xml_node item : request.Find("sms").children())
        ids.push_back(item.text().as_string());
    EXPECT_EQ(ids, (Strings{"5", "5", "-1294967296"}));
    EXPECT_FALSE(HasAttribute(request, "sms", "messageid"));

    EXPECT_EQ(records[0].status, -2);
    EXPECT_EQ(records[1].status, 1);
    EXPECT_EQ(records[1].timeDelivered, 0); // delivered without a time
    EXPECT_EQ(records[2].status, 0);        // not named by the reply
}

TEST_F(NotificationTest, DuplicatesAndDeliveryTimes) {
    transport->Answer("getNotifications",
                      NotificationReply(Delivery("7", 1, " delivered=\"10.03.2005 14:30:15\"") +
                                        Delivery("8", 3, " delivered=\"10.03.2005 14:30:15\"") +
                                        Delivery("9", 1, " delivered=\"10.03.2005 14:30\"") +
                                        Delivery("10", 1, " delivered=\"xx.03.2005 14:30:15\"")));
    SmsDeliveryInfoList records{{7, 0, 0}, {7, 0, 0}, {8, 0, 11}, {9, 0, 12}, {10, 0, 13}};
    EXPECT_EQ(user.KvwsGetNotifications(records), 0);
    EXPECT_EQ(records[0].status, 1);
    EXPECT_EQ(records[0].timeDelivered, LocalTime(2005, 3, 10, 14, 30, 15));
    EXPECT_EQ(records[1].status, 0); // only the first record of an SMS number is updated
    EXPECT_EQ(records[2].status, 3);
    EXPECT_EQ(records[2].timeDelivered, 11); // a time only comes with status 1
    EXPECT_EQ(records[3].status, 1);
    EXPECT_EQ(records[3].timeDelivered, 12); // not 19 characters
    EXPECT_EQ(records[4].timeDelivered, 13); // not a time
}

TEST_F(NotificationTest, RefusalLeavesTheRecordsAlone) {
    transport->Answer("getNotifications",
                      Reply::Status(26) + "<sms>" + Delivery("7", 1) + "</sms>");
    SmsDeliveryInfoList records{{7, 0, 0}};
    EXPECT_EQ(user.KvwsGetNotifications(records), 26);
    EXPECT_EQ(records[0].status, 0);
}

TEST_F(NotificationTest, ScheduledMessageQueryAppendsOneRecordPerRecipient) {
    transport->Answer(
        "getNotifications",
        NotificationReply(
            Delivery("0", 1, " mobile=\"421903000001\" delivered=\"01.07.2005 08:00:00\"") +
            Delivery("0", 1, " mobile=\"421903000002\" delivered=\"1.7.2005 08:00:00\"") +
            Delivery("0", -1, " mobile=\"421903000003\" delivered=\"01.07.2005 08:00:00\"") +
            Delivery("0", 0)));
    SmsSchedDlvrInfoList records;
    EXPECT_EQ(user.KvwsGetNotificationsSched(77000000000, records), 0);

    const ParsedRequest request = LastRequest();
    EXPECT_EQ(Attribute(request, "sms", "messageid"), "77000000000");
    ASSERT_EQ(request.Find("sms").select_nodes("*").size(), 1u);
    EXPECT_STREQ(request.Find("sms").first_child().text().as_string(), "0");

    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[0].number, "421903000001");
    EXPECT_EQ(records[0].timeDelivered, LocalTime(2005, 7, 1, 8));
    EXPECT_EQ(records[1].status, 1);
    EXPECT_EQ(records[1].timeDelivered, 0);
    EXPECT_EQ(records[2].status, -1);
    EXPECT_EQ(records[2].timeDelivered, 0);
    EXPECT_EQ(records[3].number, "");
}
