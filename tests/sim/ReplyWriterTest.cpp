#include "ReplyWriter.h"
#include "SimRequests.h"
#include "WireText.h"

#include <gtest/gtest.h>

TEST(ReplyWriter, WritesDefaultModeBytesAsReferencesAndUtf8AsItIs) {
    ReplyWriter plain("getServices", false, {});
    plain.Status(0);
    plain.Array("services", "ns1:service")
        .AddItem()
        .Attribute("supplementary_info", "\xE1\"<")
        .Text("a&\xE9");
    const std::string body = plain.Envelope();
    EXPECT_NE(body.find("supplementary_info=\"&#225;&quot;&lt;\""), std::string::npos) << body;
    EXPECT_NE(body.find(">a&amp;&#233;</item>"), std::string::npos) << body;

    ReplyWriter utf8("getAddressBook", true, {});
    utf8.Status(0);
    utf8.Field("name").Text("\xC3\xA1");
    EXPECT_NE(utf8.Envelope().find("<name>\xC3\xA1</name>"), std::string::npos);
}

TEST(ReplyWriter, PutsTheSessionTokenRightAfterTheStatus) {
    ReplyWriter reply("sendSMS", false, {});
    reply.SetSession("abc", 300);
    reply.Status(0).Attribute("messageid", "7");
    reply.Array("recipients", "ns1:to").AddItem().Attribute("mobile", "421905000001");
    const ParsedReply parsed(reply.Envelope());
    EXPECT_STREQ(parsed.Response().name(), "ns1:sendSMSResponse");
    EXPECT_STREQ(parsed.Response().first_child().name(), "status");
    EXPECT_STREQ(parsed.Response().first_child().attribute("messageid").value(), "7");
    EXPECT_EQ(parsed.Token(), "abc");
    EXPECT_STREQ(parsed.Response().child("token").attribute("validity").value(), "300");
    EXPECT_STREQ(parsed.Response().child("recipients").attribute("SOAP-ENC:arraySize").value(),
                 "1");
}

TEST(ReplyWriter, FaultsInBothSoapVersions) {
    const ParsedReply soap12(ReplyWriter::Fault("bad <thing>", false, true));
    ASSERT_TRUE(soap12.IsFault());
    EXPECT_EQ(soap12.FaultText(), "bad <thing>");
    EXPECT_STREQ(soap12.Response().child("SOAP-ENV:Code").child_value("SOAP-ENV:Value"),
                 "SOAP-ENV:Sender");
    const ParsedReply soap11(ReplyWriter::Fault("broken", true, false));
    EXPECT_EQ(soap11.FaultText(), "broken");
    EXPECT_STREQ(soap11.Response().child_value("faultcode"), "SOAP-ENV:Server");
}

TEST(WireText, DecodesTheClientsEscapes) {
    EXPECT_EQ(DecodeAmpChars("a&=b\r=\n=%25%2B"), "a&b\r\n%+");
    EXPECT_EQ(DecodeAmpChars("%252B"), "%2B");
    EXPECT_FALSE(DecodeAmpChars("a&b"));
    EXPECT_FALSE(DecodeAmpChars("tab\t"));
    EXPECT_EQ(DefaultModeBytes("\xC3\xA1"), "\xE1");
    EXPECT_FALSE(DefaultModeBytes("\xC4\x8D"));
    EXPECT_EQ(FindInvalidUtf8("ok \xC3\xA1 \xE1 x"), 6u);
    EXPECT_EQ(FindInvalidUtf8("\xC0\x80"), 0u) << "an overlong form is invalid";
}
