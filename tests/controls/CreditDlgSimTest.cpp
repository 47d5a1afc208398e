// The credit reload dialog driven as a user drives it, against quillon-sim over HTTPS.
#include "controls/CreditDlg.h"
#include "frontend/UserCreditAccount.h"
#include "model/SmsUserInfo.h"
#include "service/CurlTransport.h"

#include "GuiWait.h"
#include "ScriptedMessageBox.h"
#include "SimulatorProcess.h"
#include "TestSupport.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <regex>

namespace {

const StringTable kHost{{300, "Error sending request\n\nError E%d"},
                        {165, "Služba je dočasne nedostupná"},
                        {166, "Chyba pri komunikácii s Velora"}};

TEST(CreditDialogWithTheService, PickReloadTypeTheCodeVerify) {
    TempDir home;
    SimulatorProcess sim(QUILLON_SIM_PATH, {"--state", (home.Path() / "sim").string(), "--admin",
                                            "--account", "demo:demo-secret:421905123456"});
    CSmsUserInfo user("demo", "1.1.0", "QLN");
    user.SetPassword("demo-secret");
    user.SetTransport(std::make_shared<CurlTransport>(TransportOptions{sim.Url(), sim.CaFile()}));
    ASSERT_EQ(user.KvwsLogin(true), 0);

    const auto credit = [&sim] {
        std::smatch value;
        const std::string account = sim.Admin("/admin/account/demo");
        return std::regex_search(account, value, std::regex("credit=(\\d+)")) ? std::stoi(value[1])
                                                                              : -1;
    };
    const int before = credit();
    UserCreditAccount account(user);
    ScriptedMessageBox boxes;
    CCreditDlg dialog(account, kHost, {}, boxes);
    const auto idle = [] { return QApplication::overrideCursor() == nullptr; };
    auto* amounts = dialog.findChild<QComboBox*>("amountComboBox");
    auto* reload = dialog.findChild<QPushButton*>("reloadButton");
    auto* verify = dialog.findChild<QPushButton*>("verifyButton");
    auto* code = dialog.findChild<QLineEdit*>("codeLineEdit");
    dialog.show();
    ASSERT_TRUE(WaitUntil([&] { return amounts->count() == 3 && idle(); }));

    amounts->setFocus();
    QTest::keyClick(amounts, Qt::Key_Down);
    EXPECT_EQ(amounts->currentText(), QStringLiteral("100 PK"));
    QTest::mouseClick(reload, Qt::LeftButton);
    ASSERT_TRUE(WaitUntil([&] { return !reload->isEnabled() && idle(); }))
        << "shown: " << (boxes.Shown().empty() ? "" : boxes.Last().text);
    EXPECT_EQ(boxes.ShownIds(), std::vector<int>{4});

    const std::string codes = sim.Admin("/admin/codes/demo");
    std::smatch match;
    ASSERT_TRUE(std::regex_search(
        codes, match, std::regex(std::to_string(dialog.Flow().GetRequestId()) + " (\\S+)")))
        << codes;
    QTest::keyClicks(code, QString::fromStdString(match[1].str()));
    QTest::mouseClick(verify, Qt::LeftButton);
    ASSERT_TRUE(WaitUntil([&] { return !dialog.isVisible(); }));
    EXPECT_EQ(boxes.ShownIds(), (std::vector<int>{4, 6}));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(credit(), before + 100);
}

} // namespace
