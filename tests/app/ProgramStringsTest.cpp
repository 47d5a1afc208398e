#include "logic/ProgramStrings.h"
#include "frontend/ServiceErrorText.h"
#include "service/KvwsSoapException.h"

#include <gtest/gtest.h>

// The table's texts reach people through the service error boxes: a status with a text of its
// own, one without (the generic text with the number), and the transport codes.
TEST(ProgramStrings, ServiceFailuresFindTheirTexts) {
    const ServiceErrorText errors(ProgramStrings());
    EXPECT_EQ(errors.ForStatus(12).stringId, 312);
    EXPECT_EQ(errors.ForStatus(50).text, "Požiadavku nebolo možné uskutočniť\n\nChyba E50");
    EXPECT_EQ(errors.ForSoapError(CKvwsSoapException(0, 404)).text,
              "Požiadavku nebolo možné uskutočniť\n\nChyba S404");
    EXPECT_EQ(errors.ForSoapError(CKvwsSoapException(150, 0)).text,
              "Požiadavku nebolo možné uskutočniť\n\nChyba E150");
    EXPECT_EQ(errors.ForDatabaseError().text, "Služba je dočasne nedostupná");
}

TEST(ProgramStrings, FormattedTextsTakeTheirArguments) {
    EXPECT_EQ(FormatText(*ProgramStrings().GetUtf8(170), {"jan"}), "Prihlásený: jan");
    EXPECT_EQ(ProgramStrings().GetUtf8(57344), "Velora Quillon");
}
