// The settings page against a real service over HTTPS (quillon-sim): the postpaid service
// activated through the activation dialog after a wrong check string, and deactivated with and
// without the portal credits left.
#include "ModalScript.h"
#include "ScriptedMessageBox.h"
#include "SimulatorProcess.h"
#include "TestSupport.h"

#include "logic/ProgramStrings.h"
#include "model/SmsConfig.h"
#include "model/SmsUserInfo.h"
#include "service/CurlTransport.h"
#include "windows/ServiceActivationDlg.h"
#include "windows/SettingsPage.h"
#include "windows/WidgetSettingsPageDialogs.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <sstream>

namespace {

using Answer = IMessageBox::Answer;
namespace Id = ProgramString;

constexpr std::int64_t kStart = 1741608000; // 10 March 2025, 12:00 UTC

// jan with the given services at the simulator, logged in, and his settings page.
class SettingsService : public ::testing::Test {
protected:
    SettingsService() { CSmsConfig::CreateInstance(); }
    ~SettingsService() override { CSmsConfig::DeleteInstance(); }

    void Start(const std::string& services) {
        sim = std::make_unique<SimulatorProcess>(
            QUILLON_SIM_PATH,
            std::vector<std::string>{"--state", (home.Path() / "sim").string(), "--admin",
                                     "--start-time", std::to_string(kStart), "--account",
                                     "jan:secret:421905111222,services=" + services});
        jan.SetPassword("secret");
        jan.SetTransport(
            std::make_shared<CurlTransport>(TransportOptions{sim->Url(), sim->CaFile()}));
        ASSERT_EQ(jan.KvwsLogin(true), 0);
        ASSERT_EQ(jan.KvwsGetServices(), 0);
        page =
            std::make_unique<SettingsPage>(jan, boxes, dialogs, (home.Path() / "quillon").string());
        page->SetAutostartFile((home.Path() / "autostart" / "quillon.desktop").string());
        page->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(page.get()));
    }

    template <class T> T* Child(const char* name) const {
        auto* child = page->findChild<T*>(QLatin1String(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    QPushButton* ActivationButton() const { return Child<QPushButton>("activationButton"); }

    // The check string the service "sent by SMS" for the newest activation asked for.
    std::string NewestCode() const {
        std::istringstream lines(sim->Admin("/admin/codes/jan"));
        std::string id;
        std::string code;
        while (lines >> id >> code) {
        }
        return code;
    }
    std::string Services() const {
        const std::string account = sim->Admin("/admin/account/jan");
        const std::size_t start = account.find("services=") + 9;
        return account.substr(start, account.find('\n', start) - start);
    }

    static ModalScript::Step TypeCode(const std::function<std::string()>& code) {
        return [code](QWidget* dialog) {
            ASSERT_NE(qobject_cast<ServiceActivationDlg*>(dialog), nullptr);
            auto* terms = dialog->findChild<QPlainTextEdit*>("termsTextEdit");
            EXPECT_TRUE(terms->toPlainText().contains("POSTPAID"));
            auto* field = dialog->findChild<QLineEdit*>("codeLineEdit");
            EXPECT_TRUE(field->text().isEmpty()) << "every round starts with an empty field";
            QTest::keyClicks(field, QString::fromStdString(code()));
            QTest::mouseClick(dialog->findChild<QPushButton*>("okButton"), Qt::LeftButton);
        };
    }

    TempDir home;
    ScopedDataHome dataHome;
    std::unique_ptr<SimulatorProcess> sim;
    CSmsUserInfo jan{"jan", "1.6", "QLN"};
    ScriptedMessageBox boxes;
    WidgetSettingsPageDialogs dialogs{jan, boxes, nullptr};
    std::unique_ptr<SettingsPage> page;
};

TEST_F(SettingsService, AWrongCheckStringIsAskedAgainAndTheRightOneActivatesPostpaid) {
    Start("obk");
    ASSERT_EQ(ActivationButton()->text(), "Aktivovať službu...");
    EXPECT_FALSE(Child<QRadioButton>("monthlyPlanRadioButton")->isEnabled());
    ModalScript script{TypeCode([this] {
                           // The user comes back after the service's five minutes of waiting.
                           sim->Admin("/admin/advance?seconds=301", true);
                           return std::string("WRONG");
                       }),
                       TypeCode([this] { return NewestCode(); })};
    boxes.AnswerNext(Answer::Yes); // try again after the wrong check string
    QTest::mouseClick(ActivationButton(), Qt::LeftButton);

    ASSERT_TRUE(QTest::qWaitFor([&] { return boxes.Shown().size() == 2; }, 30000));
    EXPECT_TRUE(script.Done());
    EXPECT_EQ(boxes.ShownIds(),
              (std::vector<int>{Id::WrongActivationCode, Id::CheckStringVerified}));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return ActivationButton()->text() == "Deaktivovať službu..."; }, 30000));
    EXPECT_TRUE(jan.IsPostpaidSvcActive());
    EXPECT_TRUE(Child<QRadioButton>("monthlyPlanRadioButton")->isEnabled());
    EXPECT_EQ(Services(), "obk+postpaid");
}

TEST_F(SettingsService, DeactivationWithPortalCreditsLeftMovesThePaymentToThem) {
    Start("obk+postpaid");
    Child<QRadioButton>("monthlyPlanRadioButton")->setChecked(true);
    boxes.AnswerNext(Answer::Yes);
    QTest::mouseClick(ActivationButton(), Qt::LeftButton);

    ASSERT_TRUE(QTest::qWaitFor([&] { return ActivationButton()->text() == "Aktivovať službu..."; },
                                30000));
    EXPECT_EQ(boxes.ShownIds(),
              (std::vector<int>{Id::ConfirmDeactivation, Id::ServiceDeactivated}));
    EXPECT_EQ(boxes.Shown().front().defaultButton, Answer::No);
    EXPECT_TRUE(Child<QRadioButton>("portalCreditsRadioButton")->isChecked());
    EXPECT_FALSE(Child<QRadioButton>("monthlyPlanRadioButton")->isEnabled());
    EXPECT_EQ(Services(), "obk");
}

TEST_F(SettingsService, DeactivatingTheOnlyServiceEndsTheProgram) {
    Start("postpaid");
    EXPECT_FALSE(Child<QGroupBox>("paymentGroupBox")->isVisible());
    QSignalSpy ended(page.get(), &SettingsPage::programEndRequested);
    boxes.AnswerNext(Answer::Yes);
    QTest::mouseClick(ActivationButton(), Qt::LeftButton);

    ASSERT_TRUE(QTest::qWaitFor([&] { return ended.count() == 1; }, 30000));
    EXPECT_EQ(boxes.ShownIds(), (std::vector<int>{Id::ConfirmDeactivation, Id::ProgramMustEnd}));
    EXPECT_EQ(boxes.Last().icon, IMessageBox::Icon::Exclamation);
    EXPECT_EQ(Services(), "");
}

TEST_F(SettingsService, NoToTheDeactivationLeavesTheService) {
    Start("obk+postpaid");
    QTest::mouseClick(ActivationButton(), Qt::LeftButton); // the default answer: No
    EXPECT_EQ(boxes.ShownIds(), std::vector<int>{Id::ConfirmDeactivation});
    EXPECT_EQ(ActivationButton()->text(), "Deaktivovať službu...");
    EXPECT_EQ(Services(), "obk+postpaid");
}

} // namespace
