#include "ServiceErrors.h"
#include "MessageOptions.h"

#include "service/KvwsSoapException.h"
#include "service/TransportError.h"

#include <gtest/gtest.h>

TEST(ServiceErrors, TextsComeFromTheEnglishTableOnOneLine) {
    EXPECT_EQ(OneLine("a\n\nb\nc\n"), "a: b: c");
    EXPECT_EQ(OneLine("\nfirst"), "first");

    const CliError wrong = RefusalError(11);
    EXPECT_EQ(wrong.Code(), ExitRefused);
    EXPECT_STREQ(wrong.what(), "Wrong username or password");
    // A refusal without an English text gets the generic one with its number.
    EXPECT_STREQ(RefusalError(67).what(), "Error sending request: Error E67");

    const CliError unreachable = ServiceError(CKvwsSoapException(0, TransportError::SendFailed));
    EXPECT_EQ(unreachable.Code(), ExitServiceError);
    EXPECT_STREQ(unreachable.what(), "Can not establish conneciton to Velora: Check your "
                                     "internet connection and/or settings");
    EXPECT_STREQ(ServiceError(CKvwsSoapException(150, 0)).what(),
                 "Error sending request: Error E150");
    EXPECT_STREQ(ServiceError(CKvwsSoapException(0, 404)).what(),
                 "Error sending request: Error S404");
    EXPECT_EQ(DatabaseError().Code(), ExitServiceError);
}

TEST(ServiceErrors, TheDetailFollowsTheText) {
    EXPECT_STREQ(
        ServiceError(CKvwsSoapException(0, TransportError::SoapFault, "Token unknown\n\x1B[31m"))
            .what(),
        "Error sending request: Error S1: the service says \"Token unknown [31m\"");
    EXPECT_STREQ(ServiceError(CKvwsSoapException(0, TransportError::InvalidUrl,
                                                 "plain http:// is not allowed"))
                     .what(),
                 "Error sending request: Error S10: plain http:// is not allowed");
}

TEST(ServiceErrors, MessagesLongerThanTheEditorAllowsAreRefused) {
    EXPECT_NO_THROW(CheckMessageLength(std::string(468, 'x'), false, 0));
    EXPECT_THROW(CheckMessageLength(std::string(469, 'x'), false, 0), CliError);
    EXPECT_THROW(CheckMessageLength(std::string(161, 'x'), true, 0), CliError);
    EXPECT_THROW(CheckMessageLength("x", false, 200), CliError);
}
