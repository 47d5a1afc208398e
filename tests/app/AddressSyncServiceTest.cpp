// The contacts page's synchronisation against a real service over HTTPS (quillon-sim): the
// button runs it off the window's thread, the window goes on working, and afterwards both books
// hold what the chosen direction and the answers to the conflicts say.
#include "AddressBookFixture.h"
#include "ScriptedSyncUi.h"
#include "SimulatorProcess.h"

#include "model/Utilities.h"
#include "service/CurlTransport.h"
#include "windows/AddressBookModel.h"
#include "windows/AddressPage.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

namespace {

using Mode = CAddressBookSync::ManualSyncMode;
using NameChoice = IAddressBookSyncUi::NameConflictChoice;
using NumberChoice = IAddressBookSyncUi::NumberConflictChoice;

// A contact or an alias as the test compares them: name and both numbers.
struct Entry {
    std::string name;
    std::string phone1;
    std::string phone2;
    bool operator==(const Entry&) const = default;
};
struct GroupEntry {
    std::string name;
    std::vector<std::string> members;
    bool operator==(const GroupEntry&) const = default;
};

void PrintTo(const Entry& entry, std::ostream* out) {
    *out << "{" << entry.name << ", " << entry.phone1 << ", " << entry.phone2 << "}";
}
void PrintTo(const GroupEntry& group, std::ostream* out) {
    *out << group.name << ":";
    for (const std::string& member : group.members)
        *out << " " << member;
}

// Sorted by name, so the comparison does not depend on the order the books keep.
std::vector<Entry> Entries(const CSmsAddressBook& book) {
    std::vector<Entry> entries;
    for (int i = 0; i < book.GetItemCount(); ++i) {
        const CSmsAddressBookItem* item = book.GetItem(i);
        entries.push_back({item->GetName(), item->GetPhone1(), item->GetPhone2()});
    }
    std::sort(entries.begin(), entries.end(),
              [](const Entry& a, const Entry& b) { return a.name < b.name; });
    return entries;
}
std::vector<GroupEntry> Groups(const CSmsAddressBook& book) {
    std::vector<GroupEntry> groups;
    for (int i = 0; i < book.GetGroupCount(); ++i)
        groups.push_back({book.GetGroup(i)->GetName(), book.GetGroup(i)->GetMembers()});
    return groups;
}

// jan.novak logged in to the simulator with the page's own user object; the simulator's book is
// filled and read back through the same object while no synchronisation runs.
class AddressSyncService : public AddressBookFixture {
protected:
    void SetUp() override {
        user.SetPassword("secret");
        user.SetTransport(
            std::make_shared<CurlTransport>(TransportOptions{sim.Url(), sim.CaFile()}));
        ASSERT_EQ(user.KvwsLogin(true), 0);
    }

    void Alias(const std::string& name, const std::string& number) {
        ASSERT_EQ(user.KvwsSetAlias(name, number), 0) << name;
    }
    void ServerGroup(const std::string& name, const std::vector<std::string>& members) {
        ASSERT_EQ(user.KvwsSetGroup(name, members), 0) << name;
    }
    // The simulator's book, or nothing usable when it cannot be read.
    CSmsAddressBook& ServerBook() {
        server = std::make_unique<CSmsAddressBook>();
        EXPECT_EQ(user.KvwsGetAddressBook(server.get()), 0);
        return *server;
    }

    std::unique_ptr<AddressPage> MakePage() {
        auto page = std::make_unique<AddressPage>(user, boxes, dialogs, syncUi);
        page->resize(700, 500);
        page->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(page.get()));
        return page;
    }
    // Presses the button and waits for the run's end on the window's thread.
    void Synchronize(AddressPage& page) {
        QSignalSpy changed(&page, &AddressPage::addressBookChanged);
        auto* button = page.findChild<QPushButton*>("synchronizeButton");
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(changed.count(), 1, 60000);
    }
    bool ProfileWritten() const {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(dataHome.Path()))
            if (entry.path().filename() == "jan.novak.dat")
                return true;
        return false;
    }
    static QStringList Names(AddressPage& page) {
        QStringList names;
        for (int row = 0; row < page.Model()->rowCount(); ++row)
            names << page.Model()->index(row, AddressBookModel::NameColumn).data().toString();
        return names;
    }

    TempDir simHome;
    SimulatorProcess sim{QUILLON_SIM_PATH,
                         {"--state", (simHome.Path() / "sim").string(), "--account",
                          "jan.novak:secret:421905111222"}};
    CScriptedSyncUi syncUi;
    std::unique_ptr<CSmsAddressBook> server;
};

TEST_F(AddressSyncService, PortellaOverTheLocalBookBringsTheAliasesAndGroups) {
    Contact(Utf8ToAnsi("Starý"), "0905999999");
    Alias("Eva", "421905000001");
    Alias("Ivan", "421905000002");
    ServerGroup("Rodina", {"Eva"});
    syncUi.mode = Mode::ObToQln;
    ASSERT_FALSE(ProfileWritten());

    auto page = MakePage();
    Synchronize(*page);

    EXPECT_EQ(syncUi.events,
              (std::vector<std::string>{"mode?", "progress on", "completed", "progress off"}));
    EXPECT_EQ(Entries(Book()),
              (std::vector<Entry>{{"Eva", "+421905000001", ""}, {"Ivan", "+421905000002", ""}}));
    EXPECT_EQ(Groups(Book()), (std::vector<GroupEntry>{{"Rodina", {"Eva"}}}));
    EXPECT_EQ(Names(*page), (QStringList{"Eva", "Ivan"}));
    EXPECT_TRUE(ProfileWritten());
    // Nothing was sent: the server's book is as it was.
    EXPECT_EQ(Entries(ServerBook()),
              (std::vector<Entry>{{"Eva", "421905000001", ""}, {"Ivan", "421905000002", ""}}));
}

// Accented names go up transliterated and cut to 15 characters; an alias of a number that a
// local contact of another name has, aliases no contact matches and groups that are gone locally
// leave the server.
TEST_F(AddressSyncService, LocalOverPortellaMakesTheServersBookTheLocalOne) {
    Contact(Utf8ToAnsi("Šimon Kováčik Nový"), "0905123456");
    Contact("Eva", "0905000001", "0905000003");
    Contact("Jano", "", "0905000004");
    Group("Rodina", {"Eva", Utf8ToAnsi("Šimon Kováčik Nový")});
    Alias("Eva", "421905000001");
    Alias("Stary", "421905999999");
    Alias("Janko", "421905000004");
    ServerGroup("Stari", {"Stary"});
    syncUi.mode = Mode::QlnToOb;

    auto page = MakePage();
    Synchronize(*page);

    EXPECT_EQ(syncUi.events, (std::vector<std::string>{"mode?", "progress on", "errors",
                                                       "completed", "progress off"}));
    // Jano goes up without a number, which the service refuses: the only error line.
    EXPECT_EQ(syncUi.errorLines,
              Utf8ToAnsi("Chyba pri ukladaní kontaktu \"Jano\" na Portella. E31\r\n"));
    CSmsAddressBook& obk = ServerBook();
    EXPECT_EQ(Entries(obk), (std::vector<Entry>{{"Eva", "421905000001", ""},
                                                {"Simon Kovacik N", "421905123456", ""}}));
    EXPECT_EQ(Groups(obk), (std::vector<GroupEntry>{{"Rodina", {"Eva", "Simon Kovacik N"}}}));
    EXPECT_EQ(Book().GetItemCount(), 3) << "the local book stays as it was";
    EXPECT_TRUE(ProfileWritten());
}

// A name conflict answered with the second number and a number conflict answered by deleting
// the alias: the deleted alias does not come back, the rest of the server's book comes down.
TEST_F(AddressSyncService, AMergeAppliesTheAnswersToBothBooks) {
    Contact("Eva", "+421905000011");
    Contact("Jano", "0905000002");
    Alias("Eva", "421905000001");
    Alias("Ivan", "421905000002");
    Alias("Peter", "421905000009");
    ServerGroup("Priatelia", {"Peter", "Ivan"});
    syncUi.mode = Mode::Merge;
    syncUi.nameAnswers = {NameChoice::StoreAsPhone2};
    syncUi.numberAnswers = {NumberChoice::DeleteAlias};

    auto page = MakePage();
    Synchronize(*page);

    EXPECT_EQ(syncUi.events,
              (std::vector<std::string>{
                  "mode?", "progress on", "name conflict Eva +421905000001 +421905000011",
                  "number conflict Jano / Ivan", "completed", "progress off"}));
    EXPECT_EQ(Entries(Book()), (std::vector<Entry>{{"Eva", "+421905000011", "+421905000001"},
                                                   {"Jano", "0905000002", ""},
                                                   {"Peter", "+421905000009", ""}}));
    EXPECT_EQ(Groups(Book()), (std::vector<GroupEntry>{{"Priatelia", {"Peter"}}}));
    EXPECT_EQ(Names(*page), (QStringList{"Eva", "Jano", "Peter"}));
    CSmsAddressBook& obk = ServerBook();
    EXPECT_EQ(Entries(obk), (std::vector<Entry>{{"Eva", "421905000001", ""},
                                                {"Jano", "421905000002", ""},
                                                {"Peter", "421905000009", ""}}));
    EXPECT_TRUE(ProfileWritten());
}

TEST_F(AddressSyncService, EndingTheMergeAtTheFirstConflictLeavesBothBooks) {
    Contact("Eva", "+421905000011");
    Contact("Jano", "0905000002");
    Alias("Eva", "421905000001");
    Alias("Ivan", "421905000002");
    syncUi.mode = Mode::Merge;
    syncUi.nameAnswers = {NameChoice::EndSync};

    auto page = MakePage();
    Synchronize(*page);

    EXPECT_EQ(syncUi.events,
              (std::vector<std::string>{"mode?", "progress on",
                                        "name conflict Eva +421905000001 +421905000011", "ended",
                                        "progress off"}));
    EXPECT_EQ(Entries(Book()),
              (std::vector<Entry>{{"Eva", "+421905000011", ""}, {"Jano", "0905000002", ""}}));
    EXPECT_EQ(Entries(ServerBook()),
              (std::vector<Entry>{{"Eva", "421905000001", ""}, {"Ivan", "421905000002", ""}}));
}

// The service gone before the run: the failure is shown, the book stays, and the page takes
// the next run.
TEST_F(AddressSyncService, AFailedRunLeavesTheBookAndThePageReadyForTheNext) {
    Contact("Eva", "0905000001");
    syncUi.mode = Mode::ObToQln;
    auto page = MakePage();
    sim.Stop();

    Synchronize(*page);
    ASSERT_EQ(syncUi.events.size(), 4u);
    EXPECT_EQ(syncUi.events[2].rfind("soap error", 0), 0u) << syncUi.events[2];
    EXPECT_EQ(syncUi.events.back(), "progress off");
    EXPECT_EQ(Entries(Book()), (std::vector<Entry>{{"Eva", "0905000001", ""}}));
    EXPECT_TRUE(boxes.Shown().empty()) << "the run showed the failure itself";

    syncUi.events.clear();
    Synchronize(*page);
    EXPECT_EQ(syncUi.events.front(), "mode?");
}

// Holds the run in its first question until the window's thread has handled a timer: a window
// that waited for the run would never get there (the wait gives up and the check fails).
class TimerWatchingSyncUi : public CScriptedSyncUi {
public:
    std::optional<CAddressBookSync::ManualSyncMode> AskMode() override {
        onOtherThread = QThread::currentThread() != qApp->thread();
        for (int i = 0; i < 3000 && !timerFired; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        firedDuringRun = timerFired.load();
        return CScriptedSyncUi::AskMode();
    }
    std::atomic<bool> timerFired = false;
    bool firedDuringRun = false;
    bool onOtherThread = false;
};

TEST_F(AddressSyncService, TheWindowKeepsWorkingWhileTheRunIsOnTheService) {
    Alias("Eva", "421905000001");
    TimerWatchingSyncUi watching;
    watching.mode = Mode::ObToQln;
    AddressPage page(user, boxes, dialogs, watching);
    page.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));
    QSignalSpy changed(&page, &AddressPage::addressBookChanged);

    QTest::mouseClick(page.findChild<QPushButton*>("synchronizeButton"), Qt::LeftButton);
    // Started by now, so only a running event loop fires it.
    QTimer::singleShot(0, &page, [&] { watching.timerFired = true; });
    // Input to the page is ignored meanwhile: no contact dialog opens.
    QTest::mouseClick(page.findChild<QPushButton*>("newButton"), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(changed.count(), 1, 60000);

    EXPECT_TRUE(watching.onOtherThread);
    EXPECT_TRUE(watching.firedDuringRun);
    EXPECT_TRUE(dialogs.contactShown.empty());
    EXPECT_EQ(Names(page), (QStringList{"Eva"}));
}

} // namespace
