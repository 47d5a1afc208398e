// The archive page's window: its model, keys and buttons, a delivery report arriving, the
// statistics link.
#include "SentItemsFixture.h"

#include "logic/ProgramStrings.h"
#include "service/ServiceLock.h"
#include "windows/SentItemsModel.h"
#include "windows/SentItemsPage.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>

#include <fstream>
#include <sstream>

namespace {

using Answer = IMessageBox::Answer;

class SentItemsPageTest : public SentItemsFixture {
protected:
    SentItemsPageTest() {
        Sent("Ahoj\nPeter", "Peter", 11, kNow - 20);
        Group("Porada", "Kolegovia", 20, kNow - 10);
        Scheduled("Budík", 500, 1, kNow);
    }

    std::unique_ptr<SentItemsPage> MakePage() {
        auto page = std::make_unique<SentItemsPage>(user, serviceLock, boxes, dialogs);
        tester = std::make_unique<QAbstractItemModelTester>(
            page->Model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
        page->resize(700, 400);
        page->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(page.get()));
        return page;
    }
    template <class T> static T* Child(QWidget* page, const char* name) {
        auto* child = page->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    static QString Cell(QWidget* page, int row, int column) {
        auto* view = Child<QTreeView>(page, "itemsTreeView");
        return view->model()->index(row, column).data().toString();
    }
    static void SelectRow(QWidget* page, int row) {
        auto* view = Child<QTreeView>(page, "itemsTreeView");
        view->setFocus();
        view->selectionModel()->select(view->model()->index(row, 0),
                                       QItemSelectionModel::ClearAndSelect |
                                           QItemSelectionModel::Rows);
    }

    std::vector<std::chrono::milliseconds> slept;
    CServiceLock serviceLock{[this](std::chrono::milliseconds delay) { slept.push_back(delay); }};
    std::unique_ptr<QAbstractItemModelTester> tester;
};

TEST_F(SentItemsPageTest, ShowsTheItemsNewestFirstWithTheirCountAndColumns) {
    auto page = MakePage();
    auto* view = Child<QTreeView>(page.get(), "itemsTreeView");
    ASSERT_EQ(view->model()->rowCount(), 3);
    EXPECT_EQ(Cell(page.get(), 0, 0), QString::fromUtf8("Budík"));
    EXPECT_EQ(Cell(page.get(), 1, 0), "Kolegovia");
    EXPECT_EQ(Cell(page.get(), 2, 2), "Ahoj Peter");
    EXPECT_EQ(view->model()->headerData(0, Qt::Horizontal).toString(), QString::fromUtf8("Číslo"));
    EXPECT_EQ(Child<QLabel>(page.get(), "countLabel")->text(), "3/3");
    EXPECT_FALSE(Child<QLabel>(page.get(), "creditLabel")->isVisible()); // no OBK service
    const int width = view->viewport()->width();
    EXPECT_EQ(view->columnWidth(2), width / 2 - 1);

    // Buttons that need a row wait for one.
    EXPECT_FALSE(Child<QPushButton>(page.get(), "deleteButton")->isEnabled());
    SelectRow(page.get(), 1);
    EXPECT_TRUE(Child<QPushButton>(page.get(), "deleteButton")->isEnabled());

    // A header click sorts by it, shown in the header; a second click turns it round.
    QHeaderView* header = view->header();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(1) + 5, header->height() / 2));
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);
    EXPECT_EQ(Cell(page.get(), 0, 0), "Peter");
    // The selection stays with its item.
    ASSERT_EQ(view->selectionModel()->selectedRows().size(), 1);
    EXPECT_EQ(view->selectionModel()->selectedRows().front().data().toString(), "Kolegovia");
}

TEST_F(SentItemsPageTest, SearchFiltersAsTheUserTypesAndCtrlFFindsTheField) {
    auto page = MakePage();
    auto* search = Child<QLineEdit>(page.get(), "searchLineEdit");
    SelectRow(page.get(), 0);
    QTest::keyClick(Child<QTreeView>(page.get(), "itemsTreeView"), Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(search->hasFocus());
    QTest::keyClicks(search, "budik");
    EXPECT_EQ(Child<QTreeView>(page.get(), "itemsTreeView")->model()->rowCount(), 1);
    EXPECT_EQ(Child<QLabel>(page.get(), "countLabel")->text(), "1/3");
}

TEST_F(SentItemsPageTest, DeleteKeyAsksThenDeletesTheSelection) {
    auto page = MakePage();
    SelectRow(page.get(), 2);
    auto* view = Child<QTreeView>(page.get(), "itemsTreeView");
    QTest::keyClick(view, Qt::Key_Delete); // unscripted: No
    EXPECT_EQ(boxes.ShownIds(), std::vector<int>{ProgramString::DeleteOne});
    EXPECT_EQ(view->model()->rowCount(), 3);

    boxes.AnswerNext(Answer::Yes);
    QTest::keyClick(view, Qt::Key_Delete);
    EXPECT_EQ(view->model()->rowCount(), 2);
    EXPECT_EQ(Archive().GetItemCount(), 2);
    EXPECT_EQ(Child<QLabel>(page.get(), "countLabel")->text(), "2/2");
}

TEST_F(SentItemsPageTest, EnterOpensTheDetailsAndForwardSendsTheText) {
    auto page = MakePage();
    SelectRow(page.get(), 2);
    QTest::keyClick(Child<QTreeView>(page.get(), "itemsTreeView"), Qt::Key_Return);
    EXPECT_EQ(dialogs.detailsShown, 1);

    QSignalSpy forwarded(page.get(), &SentItemsPage::forwardRequested);
    QTest::mouseClick(Child<QPushButton>(page.get(), "forwardButton"), Qt::LeftButton);
    ASSERT_EQ(forwarded.size(), 1);
    EXPECT_EQ(forwarded.front().at(0).toString(), "Ahoj\nPeter");
    EXPECT_FALSE(forwarded.front().at(1).toBool());
}

TEST_F(SentItemsPageTest, ADeliveryReportRedrawsItsRow) {
    auto page = MakePage();
    QSignalSpy changed(page->Model(), &QAbstractItemModel::dataChanged);
    QSignalSpy reset(page->Model(), &QAbstractItemModel::modelReset);
    {
        const auto lock = user.LockData();
        Archive().GetItem(2)->SetStatus(11, CSmsRecipientInfo::Delivered, kNow + 30);
    }
    page->ItemChanged(ArchiveItemKey{false, 11});
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(changed.front().at(0).toModelIndex().row(), 2);
    EXPECT_EQ(reset.size(), 0);
    const QIcon shown = page->Model()->index(2, 0).data(Qt::DecorationRole).value<QIcon>();
    EXPECT_EQ(shown.pixmap(16).toImage(),
              SentItemsModel::StateIcon(ArchiveRows::Delivered).pixmap(16).toImage());
}

TEST_F(SentItemsPageTest, TheLinkOpensUnderTheServiceLockWithTheFlagSet) {
    auto page = MakePage();
    page->SetServiceUrl("https://127.0.0.1:4443/sk/!kvws.sms");
    QUrl opened;
    page->SetUrlOpener([&](const QUrl& url) {
        opened = url;
        return true;
    });
    EXPECT_FALSE(page->IsStatisticsVisited());
    page->OpenStatistics();
    EXPECT_EQ(opened.path(), "/sk/kvws.stats");
    EXPECT_EQ(opened.host(), "127.0.0.1");
    EXPECT_TRUE(opened.query().startsWith("token="));
    EXPECT_TRUE(page->IsStatisticsVisited());
    serviceLock.LockForCall();
    EXPECT_EQ(slept, std::vector<std::chrono::milliseconds>{CServiceLock::LinkDelay});
}

TEST_F(SentItemsPageTest, ExportWritesTheFileOrTellsWhyNot) {
    auto page = MakePage();
    TempDir folder;
    const QString path = QString::fromStdString((folder.Path() / "archiv.csv").string());
    ASSERT_TRUE(page->ExportTo(path));
    std::ifstream file((folder.Path() / "archiv.csv").string(), std::ios::binary);
    std::stringstream content;
    content << file.rdbuf();
    EXPECT_EQ(content.str().rfind("\xEF\xBB\xBF", 0), 0u);
    EXPECT_NE(content.str().find("421905200002"), std::string::npos);

    EXPECT_FALSE(page->ExportTo(QString::fromStdString((folder.Path() / "no/such.csv").string())));
    EXPECT_EQ(boxes.Last().stringId, ProgramString::ExportFailed);
}

} // namespace
