#include "frontend/ServiceErrorText.h"
#include "service/KvwsDbException.h"
#include "service/KvwsSoapException.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

const StringTable kDesktop{
    {300, "Error sending request\n\nError E%d"},  {345, "Dobitie nie je možné"},
    {421, "Nedá sa nadviazať spojenie s Velora"}, {165, "Služba je dočasne nedostupná"},
    {166, "Chyba pri komunikácii s Velora"},
};

const StringTable kToolbar{
    {300, "Error sending request\n\nError E%d"},
    {114, "Service is temporary not available"},
    {115, "An error occurred while communicating with Velora server"},
};

template <class E> std::exception_ptr Failure(E error) {
    return std::make_exception_ptr(error);
}

TEST(ServiceErrorText, AStatusTakesItsOwnTextElseTheGenericOne) {
    const ServiceErrorText errors(kDesktop);
    const auto own = errors.ForStatus(45);
    EXPECT_EQ(own.stringId, 345);
    EXPECT_EQ(own.text, "Dobitie nie je možné") << "every letter, whatever the code page";
    EXPECT_EQ(own.icon, IMessageBox::Icon::Stop);
    EXPECT_EQ(own.buttons, IMessageBox::Buttons::Ok);
    const auto generic = errors.ForStatus(47);
    EXPECT_EQ(generic.stringId, 300);
    EXPECT_EQ(generic.text, "Error sending request\n\nError E47");

    // A host without even the generic text still says which status it was.
    const StringTable empty;
    EXPECT_EQ(ServiceErrorText(empty).ForStatus(47).text, "Error sending request\n\nError E47");
}

TEST(ServiceErrorText, SoapFailuresShowTheHostsTextForThemOrTheCommunicationText) {
    const ServiceErrorText errors(kDesktop);
    EXPECT_EQ(errors.ForFailure(Failure(CKvwsSoapException(45, 0))).text, "Dobitie nie je možné");
    EXPECT_EQ(errors.ForFailure(Failure(CKvwsSoapException(0, 21))).text,
              "Nedá sa nadviazať spojenie s Velora");

    const StringTable noGeneric{{166, "Chyba pri komunikácii s Velora"}};
    const auto communication =
        ServiceErrorText(noGeneric).ForFailure(Failure(CKvwsSoapException(0, 21)));
    EXPECT_EQ(communication.stringId, 166);
    EXPECT_EQ(communication.text, "Chyba pri komunikácii s Velora");
}

TEST(ServiceErrorText, AFailuresTextIsCutTo256CharactersNeverInsideALetter) {
    std::string longText;
    for (int i = 0; i < 300; ++i)
        longText += "č";
    const StringTable host{{345, longText.c_str()}};
    const std::string shown = ServiceErrorText(host).ForSoapError(CKvwsSoapException(45, 0)).text;
    EXPECT_EQ(shown.size(), 256u * 2);
    EXPECT_EQ(shown, longText.substr(0, 512));
}

TEST(ServiceErrorText, TheHostChoosesItsTextsForTheFailuresWithoutOne) {
    const ServiceErrorText desktop(kDesktop);
    EXPECT_EQ(desktop.ForFailure(Failure(CKvwsDbException())).stringId, 165);
    EXPECT_EQ(desktop.ForFailure(Failure(std::runtime_error("broken reply"))).stringId, 166);

    const ServiceErrorText toolbar(kToolbar, {114, 115});
    EXPECT_EQ(toolbar.ForDatabaseError().stringId, 114);
    EXPECT_EQ(toolbar.ForFailure(Failure(std::bad_alloc())).stringId, 115);

    // The toolbar's table under the desktop's ids: it has neither, yet the box says something.
    const ServiceErrorText unsuited(kToolbar);
    EXPECT_EQ(unsuited.ForDatabaseError().text, "Service is temporary not available");
    EXPECT_EQ(unsuited.ForFailure(nullptr).text,
              "An error occurred while communicating with Velora server");
}

} // namespace
