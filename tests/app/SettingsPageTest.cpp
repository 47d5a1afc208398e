// The settings and about pages' windows and the hyperlink: controls per service state, the leave
// check keeping the page, autostart applied at once, the links and how they open.
#include "ScriptedMessageBox.h"
#include "ScriptedTransport.h"
#include "TestSupport.h"

#include "controls/HyperLink.h"
#include "logic/ISettingsPageDialogs.h"
#include "logic/ProgramStrings.h"
#include "model/SmsConfig.h"
#include "model/SmsUserInfo.h"
#include "service/ServiceLock.h"
#include "windows/AboutPage.h"
#include "windows/SettingsPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <memory>
#include <mutex>
#include <thread>

namespace {

class NoDialogs : public ISettingsPageDialogs {
public:
    std::optional<std::string> AskActivationCode(const std::string&) override { return {}; }
    std::optional<int> ChooseEnterKey(int) override { return enterKey; }
    void RechargeCredit() override { ++recharges; }
    int recharges = 0;
    std::optional<int> enterKey;
};

class SettingsPageTest : public ::testing::Test {
protected:
    SettingsPageTest() : user("jan.novak", "1.6", "QLN") {
        CSmsConfig::CreateInstance();
        user.SetPassword("secret");
        user.SetTransport(transport);
        transport->Answer("Login",
                          Reply::Status(0) + "<mobile>421903123456</mobile>" + Reply::Token("T1"));
        EXPECT_EQ(user.KvwsLogin(true), 0);
    }
    ~SettingsPageTest() override { CSmsConfig::DeleteInstance(); }

    void WithServices(bool obk, bool postpaid) {
        transport->Answer("getServices",
                          Reply::Status(0) + "<services><item type=\"0\" enabled=\"" +
                              (obk ? "true" : "false") + "\"/><item type=\"1\" enabled=\"" +
                              (postpaid ? "true" : "false") + "\"/></services>" +
                              Reply::Token("T1"));
        ASSERT_EQ(user.KvwsGetServices(), 0);
    }

    std::unique_ptr<SettingsPage> MakePage() { return MakePage(user); }
    std::unique_ptr<SettingsPage> MakePage(CSmsUserInfo& pageUser) {
        auto page = std::make_unique<SettingsPage>(pageUser, boxes, dialogs,
                                                   (folder.Path() / "quillon").string());
        page->SetAutostartFile((folder.Path() / "autostart" / "q.desktop").string());
        page->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(page.get()));
        return page;
    }

    template <class T> static T* Child(QWidget* page, const char* name) {
        auto* child = page->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }

    ScopedDataHome dataHome;
    TempDir folder;
    std::shared_ptr<ScriptedTransport> transport = std::make_shared<ScriptedTransport>();
    CSmsUserInfo user;
    ScriptedMessageBox boxes;
    NoDialogs dialogs;
};

TEST_F(SettingsPageTest, TheServiceControlsFollowTheServices) {
    WithServices(false, true);
    auto page = MakePage();
    EXPECT_FALSE(Child<QGroupBox>(page.get(), "paymentGroupBox")->isVisible());
    EXPECT_FALSE(Child<QPushButton>(page.get(), "rechargeButton")->isVisible());
    auto* activation = Child<QPushButton>(page.get(), "activationButton");
    EXPECT_TRUE(activation->isVisible());
    EXPECT_EQ(activation->text(), "Deaktivovať službu...");

    WithServices(true, false);
    page->Reload();
    EXPECT_TRUE(Child<QGroupBox>(page.get(), "paymentGroupBox")->isVisible());
    EXPECT_TRUE(Child<QPushButton>(page.get(), "rechargeButton")->isVisible());
    EXPECT_EQ(activation->text(), "Aktivovať službu...");
    EXPECT_FALSE(Child<QRadioButton>(page.get(), "monthlyPlanRadioButton")->isEnabled());
    EXPECT_TRUE(Child<QRadioButton>(page.get(), "portalCreditsRadioButton")->isChecked());

    QTest::mouseClick(Child<QPushButton>(page.get(), "rechargeButton"), Qt::LeftButton);
    EXPECT_EQ(dialogs.recharges, 1);
}

TEST_F(SettingsPageTest, TheUserControlsAndTheDeliveryReportFollowTheirSwitches) {
    WithServices(true, true);
    auto page = MakePage();
    auto* name = Child<QLineEdit>(page.get(), "nameLineEdit");
    auto* password = Child<QCheckBox>(page.get(), "savePasswordCheckBox");
    EXPECT_TRUE(Child<QRadioButton>(page.get(), "severalUsersRadioButton")->isChecked());
    EXPECT_FALSE(name->isEnabled());
    QTest::mouseClick(Child<QRadioButton>(page.get(), "oneUserRadioButton"), Qt::LeftButton);
    EXPECT_TRUE(name->isEnabled());
    EXPECT_TRUE(password->isEnabled());

    auto* archive = Child<QCheckBox>(page.get(), "doArchiveCheckBox");
    auto* report = Child<QCheckBox>(page.get(), "deliveryReportCheckBox");
    archive->setChecked(true);
    report->setChecked(true);
    archive->setChecked(false);
    EXPECT_FALSE(report->isEnabled());
    EXPECT_FALSE(report->isChecked());

    auto* byCount = Child<QRadioButton>(page.get(), "byCountRadioButton");
    byCount->setChecked(true);
    EXPECT_TRUE(Child<QLineEdit>(page.get(), "maxItemsLineEdit")->isEnabled());
    EXPECT_FALSE(Child<QLineEdit>(page.get(), "maxDaysLineEdit")->isEnabled());
    EXPECT_EQ(Child<QComboBox>(page.get(), "languageComboBox")->itemText(0), "Slovenčina");
}

TEST_F(SettingsPageTest, ATooBigNumberKeepsThePageWithTheFieldFocused) {
    WithServices(true, true);
    auto page = MakePage();
    auto* days = Child<QLineEdit>(page.get(), "maxDaysLineEdit");
    days->clear();
    QTest::keyClicks(days, "1000");
    Child<QLineEdit>(page.get(), "nameLineEdit")->setFocus();
    EXPECT_FALSE(page->Leave());
    EXPECT_EQ(boxes.ShownIds(), std::vector<int>{ProgramString::NumberTooBig});
    EXPECT_TRUE(days->hasFocus());
    EXPECT_EQ(days->selectedText(), "1000");

    QTest::keyClick(days, Qt::Key_End);
    QTest::keyClick(days, Qt::Key_Backspace);
    EXPECT_TRUE(page->Leave());
    EXPECT_EQ(user.GetMaxDays(), 100u);
}

TEST_F(SettingsPageTest, AutostartIsAppliedWhenClicked) {
    WithServices(true, true);
    auto page = MakePage();
    auto* box = Child<QCheckBox>(page.get(), "autostartCheckBox");
    const auto file = folder.Path() / "autostart" / "q.desktop";
    EXPECT_FALSE(box->isChecked());
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_TRUE(std::filesystem::exists(file));
    EXPECT_TRUE(box->isChecked());
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_FALSE(std::filesystem::exists(file));

    // A folder that cannot be made: the box tells the truth after the message.
    std::filesystem::create_directories(folder.Path() / "blocked");
    std::ofstream(folder.Path() / "blocked" / "autostart") << "a file";
    page->SetAutostartFile((folder.Path() / "blocked" / "autostart" / "q.desktop").string());
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_FALSE(box->isChecked());
    EXPECT_EQ(boxes.ShownIds(), std::vector<int>{ProgramString::AutostartNotSet});
}

TEST_F(SettingsPageTest, ChangedSettingsAreThereAfterARestart) {
    WithServices(true, true);
    {
        auto page = MakePage();
        Child<QCheckBox>(page.get(), "autoDeleteCheckBox")->setChecked(true);
        Child<QRadioButton>(page.get(), "byCountRadioButton")->setChecked(true);
        auto* count = Child<QLineEdit>(page.get(), "maxItemsLineEdit");
        count->selectAll();
        QTest::keyClicks(count, "5000");
        Child<QCheckBox>(page.get(), "deliveryReportCheckBox")->setChecked(true);
        Child<QCheckBox>(page.get(), "showNoticeCheckBox")->setChecked(true);
        Child<QRadioButton>(page.get(), "portalCreditsRadioButton")->setChecked(true);
        Child<QRadioButton>(page.get(), "oneUserRadioButton")->setChecked(true);
        QTest::keyClicks(Child<QLineEdit>(page.get(), "nameLineEdit"), " jan.novak ");
        Child<QCheckBox>(page.get(), "savePasswordCheckBox")->setChecked(true);
        Child<QCheckBox>(page.get(), "minToTrayCheckBox")->setChecked(true);
        dialogs.enterKey = CSmsUserInfo::EnterSends;
        QTest::mouseClick(Child<QPushButton>(page.get(), "enterKeyButton"), Qt::LeftButton);
        ASSERT_TRUE(page->Leave());
        EXPECT_TRUE(boxes.Shown().empty());
    }

    // The program starts again: the settings and the profile come from the files.
    CSmsConfig::DeleteInstance();
    CSmsConfig::CreateInstance();
    EXPECT_EQ(CSmsConfig::GetInstance()->GetAppMode(), CSmsConfig::SingleUserSavedPwd);
    EXPECT_EQ(CSmsConfig::GetInstance()->GetDefaultUser(), "jan.novak");
    const auto restarted = CSmsUserInfo::GetUserInfo("jan.novak", "1.6", "QLN");
    ASSERT_NE(restarted, nullptr);
    EXPECT_EQ(restarted->GetPassword(), "secret");
    EXPECT_EQ(restarted->GetEnterKeyMode(), CSmsUserInfo::EnterSends);
    restarted->SetTransport(transport);
    transport->Answer("Login",
                      Reply::Status(0) + "<mobile>421903123456</mobile>" + Reply::Token("T2"));
    ASSERT_EQ(restarted->KvwsLogin(true), 0);
    transport->Answer("getServices", Reply::Status(0) +
                                         "<services><item type=\"0\" enabled=\"true\"/><item "
                                         "type=\"1\" enabled=\"true\"/></services>" +
                                         Reply::Token("T2"));
    ASSERT_EQ(restarted->KvwsGetServices(), 0);

    auto page = MakePage(*restarted);
    EXPECT_TRUE(Child<QCheckBox>(page.get(), "autoDeleteCheckBox")->isChecked());
    EXPECT_TRUE(Child<QRadioButton>(page.get(), "byCountRadioButton")->isChecked());
    EXPECT_EQ(Child<QLineEdit>(page.get(), "maxItemsLineEdit")->text(), "5000");
    EXPECT_TRUE(Child<QCheckBox>(page.get(), "doArchiveCheckBox")->isChecked());
    EXPECT_TRUE(Child<QCheckBox>(page.get(), "deliveryReportCheckBox")->isChecked());
    EXPECT_TRUE(Child<QCheckBox>(page.get(), "showNoticeCheckBox")->isChecked());
    EXPECT_TRUE(Child<QRadioButton>(page.get(), "portalCreditsRadioButton")->isChecked());
    EXPECT_TRUE(Child<QRadioButton>(page.get(), "oneUserRadioButton")->isChecked());
    EXPECT_EQ(Child<QLineEdit>(page.get(), "nameLineEdit")->text(), "jan.novak");
    EXPECT_TRUE(Child<QCheckBox>(page.get(), "savePasswordCheckBox")->isChecked());
    EXPECT_TRUE(Child<QCheckBox>(page.get(), "minToTrayCheckBox")->isChecked());
}

TEST(HyperLinkTest, LooksLikeALinkAndOpensWithTheSeam) {
    HyperLink link(QStringLiteral("Podpora"));
    EXPECT_TRUE(link.font().underline());
    EXPECT_EQ(link.palette().color(QPalette::WindowText), QColor(226, 0, 116));
    EXPECT_EQ(link.cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(link.focusPolicy(), Qt::StrongFocus);
    EXPECT_FALSE(link.autoFillBackground());

    std::vector<QUrl> opened;
    bool succeed = false;
    link.SetOpener([&](const QUrl& url) {
        opened.push_back(url);
        return succeed;
    });
    link.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&link));
    QTest::mouseClick(&link, Qt::LeftButton);
    EXPECT_TRUE(opened.empty()); // no URL yet

    link.SetUrl(QUrl(QStringLiteral("https://example.test/quillon/support.html")));
    QTest::mouseClick(&link, Qt::LeftButton);
    EXPECT_EQ(opened.size(), 1u);
    EXPECT_FALSE(link.IsVisited()); // the opener failed
    succeed = true;
    QTest::keyClick(&link, Qt::Key_Space);
    QTest::keyClick(&link, Qt::Key_Return);
    EXPECT_EQ(opened.size(), 3u);
    EXPECT_TRUE(link.IsVisited());
    EXPECT_EQ(link.palette().color(QPalette::WindowText), QColor(226, 0, 116));
    link.SetUrl(QUrl(QStringLiteral("https://example.test/quillon/news.html")));
    EXPECT_FALSE(link.IsVisited());
}

TEST(HyperLinkTest, ATokenLinkOpensUnderTheServiceLockWithTheFlagSet) {
    std::vector<std::chrono::milliseconds> slept;
    CServiceLock lock([&](std::chrono::milliseconds delay) { slept.push_back(delay); });
    HyperLink link(QStringLiteral("Velora"));
    link.SetTokenLock(&lock);
    link.SetUrl(QUrl(QStringLiteral("https://example.test/sk/kvws.stats?token=T1")));
    std::vector<std::string> order;
    std::mutex orderMutex;
    const auto note = [&](const std::string& what) {
        const std::lock_guard<std::mutex> guard(orderMutex);
        order.push_back(what);
    };
    std::atomic<bool> trying{false};
    std::thread other;
    QUrl openedUrl;
    link.SetOpener([&](const QUrl& url) {
        openedUrl = url;
        // Another thread asks for the lock meanwhile; it has it only after the link opened.
        other = std::thread([&] {
            trying = true;
            const auto held = lock.Lock();
            note("other");
        });
        while (!trying)
            std::this_thread::yield();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        note("opened");
        return true;
    });
    EXPECT_TRUE(link.Open());
    other.join();
    EXPECT_EQ(order, (std::vector<std::string>{"opened", "other"}));
    EXPECT_EQ(openedUrl.query(), "token=T1");
    EXPECT_TRUE(link.IsVisited());
    // The next service call waits for the browser first, once.
    lock.LockForCall();
    lock.LockForCall();
    EXPECT_EQ(slept, std::vector<std::chrono::milliseconds>{CServiceLock::LinkDelay});
}

TEST(AboutPageTest, TheLinksGoToTheHelpPagesOfTheServicesHost) {
    AboutPage page;
    page.SetServiceUrl("https://127.0.0.1:4443/sk/!kvws.sms");
    std::vector<QUrl> opened;
    page.SetUrlOpener([&](const QUrl& url) {
        opened.push_back(url);
        return true;
    });
    page.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&page));
    for (const char* name : {"supportLink", "newsLink", "updateLink", "manualLink"})
        QTest::mouseClick(page.findChild<HyperLink*>(QLatin1String(name)), Qt::LeftButton);
    ASSERT_EQ(opened.size(), 4u);
    EXPECT_EQ(opened[0].toString(), "https://127.0.0.1:4443/quillon/support.html");
    EXPECT_EQ(opened[1].path(), "/quillon/news.html");
    EXPECT_EQ(opened[2].path(), "/quillon/update.html");
    EXPECT_EQ(opened[3].path(), "/quillon/manual.html");
    for (const QUrl& url : opened)
        EXPECT_FALSE(url.hasQuery());
    EXPECT_EQ(page.findChild<HyperLink*>(QStringLiteral("supportLink"))->text(), "Podpora");
    EXPECT_TRUE(
        page.findChild<QLabel*>(QStringLiteral("versionLabel"))->text().startsWith("Verzia "));
}

} // namespace
