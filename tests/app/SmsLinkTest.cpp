#include "logic/SmsLink.h"
#include "logic/CommandLine.h"

#include <gtest/gtest.h>

namespace {

ComposeRequest Request(std::vector<std::string> numbers, std::string body = "") {
    return {std::move(numbers), std::move(body)};
}

TEST(SmsLink, NumbersAndBodyOfTheUsualForms) {
    EXPECT_EQ(SmsLink::Parse("sms:+421905123456?body=Hi"), Request({"+421905123456"}, "Hi"));
    EXPECT_EQ(SmsLink::Parse("sms:0905111222,0905333444?body=Dobr%C3%BD%20de%C5%88"),
              Request({"0905111222", "0905333444"}, "Dobrý deň"));
    EXPECT_EQ(SmsLink::Parse("SMS:0905111222"), Request({"0905111222"}));
    EXPECT_EQ(SmsLink::Parse("sms:?body=no%20recipient"), Request({}, "no recipient"));
    EXPECT_EQ(SmsLink::Parse("sms:"), Request({}));
    // Other fields are ignored, the body's name is read in any case, the first body counts.
    EXPECT_EQ(SmsLink::Parse("sms:0905111222?x=1&BODY=a&body=b"), Request({"0905111222"}, "a"));
    // "+" is no blank in a URI; line breaks stay.
    EXPECT_EQ(SmsLink::Parse("sms:0905111222?body=1+1%0A2"), Request({"0905111222"}, "1+1\n2"));
    EXPECT_EQ(SmsLink::Parse("sms:0905111222?body=a#fragment"), Request({"0905111222"}, "a"));
}

TEST(SmsLink, TheFormsSomeDesktopsSend) {
    EXPECT_EQ(SmsLink::Parse("sms://+421905123456?body=Hi"), Request({"+421905123456"}, "Hi"));
    EXPECT_EQ(SmsLink::Parse("sms://0905123456/?body=Hi"), Request({"0905123456"}, "Hi"));
    EXPECT_EQ(SmsLink::Parse("sms:%2B421905123456"), Request({"+421905123456"}));
    // Visual separators and the parameters of a telephone number go.
    EXPECT_EQ(SmsLink::Parse("sms:+421-905-123.456,(0905)%20111%20222;phone-context=x"),
              Request({"+421905123456", "0905111222"}));
    // Empty places in the list are skipped.
    EXPECT_EQ(SmsLink::Parse("sms:0905111222,,0905333444,"), Request({"0905111222", "0905333444"}));
}

TEST(SmsLink, JunkIsRefusedWhole) {
    for (const char* junk : {"mailto:a@b.c",
                             "sm:0905",
                             "",
                             "sms:abc",
                             "sms:09051+11",
                             "sms:++421905",
                             "sms:+",
                             "sms:0905%",
                             "sms:0905%4",
                             "sms:0905?body=%zz",
                             "sms:0905?body=%",
                             "sms:0905?body=%00",
                             "sms:0905?body=%1B[31m",
                             "sms:0905?body=%FF%FE",
                             "sms:0905?body=%C0%AF",
                             "sms:0905?body=%ED%A0%80",
                             "sms:0905?body=%F4%90%80%80",
                             "sms:0905?body=%E2%82",
                             "sms:123456789012345678901",
                             "sms:0905%00",
                             "sms:0905;x,<script>",
                             "sms:javascript:alert(1)",
                             "sms:0905?body=a\x7f"}) {
        EXPECT_FALSE(SmsLink::Parse(junk)) << junk;
    }
}

TEST(SmsLink, OversizedLinksAndRecipientListsAreRefused) {
    std::string many = "sms:";
    for (std::size_t i = 0; i <= SmsLink::kMaxNumbers; ++i)
        many += "0905111222,";
    EXPECT_FALSE(SmsLink::Parse(many));
    many.resize(many.size() - 11);
    EXPECT_EQ(SmsLink::Parse(many)->numbers.size(), SmsLink::kMaxNumbers);

    const std::string body(SmsLink::kMaxLength, 'a');
    EXPECT_FALSE(SmsLink::Parse("sms:0905111222?body=" + body));
    const std::string fits(SmsLink::kMaxLength - 20, 'a');
    EXPECT_EQ(SmsLink::Parse("sms:0905111222?body=" + fits)->body, fits);
}

TEST(CommandLine, TheFirstSmsLinkComesAlongWithTheMinFlag) {
    const CommandLine both = ParseCommandLine({"-min", "sms:0905111222", "sms:0905333444"});
    EXPECT_TRUE(both.startMinimised);
    EXPECT_EQ(both.link, "sms:0905111222");
    EXPECT_EQ(ParseCommandLine({"SMS://0905111222"}).link, "SMS://0905111222");
    EXPECT_TRUE(ParseCommandLine({"--help", "smsfile"}).link.empty());
}

} // namespace
