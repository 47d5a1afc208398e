#include "windows/SchedulingDlg.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimeEdit>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

constexpr std::int64_t kJune10At1000 = 1781078400; // 10.06.2026 10:00:00 CEST

template <class W> W* Find(QWidget& parent, const char* name) {
    W* widget = parent.findChild<W*>(QLatin1String(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

// Answers the modal scheduling dialog when it shows, by the button named.
void Answer(const char* button, const std::function<void(QDialog&)>& fill = {}) {
    QTimer::singleShot(0, [button, fill] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        if (fill)
            fill(*dialog);
        QTest::mouseClick(Find<QPushButton>(*dialog, button), Qt::LeftButton);
    });
}

} // namespace

TEST(SchedulingDialog, StartsAtTheEarliestTimeWithThePeriods) {
    SchedulingDlg dialog(kJune10At1000);
    auto* date = Find<QDateEdit>(dialog, "dateEdit");
    auto* time = Find<QTimeEdit>(dialog, "timeEdit");
    EXPECT_EQ(date->date(), QDate(2026, 6, 10));
    EXPECT_EQ(date->minimumDate(), QDate(2026, 6, 10));
    EXPECT_EQ(date->displayFormat(), QStringLiteral("dd.MM.yyyy"));
    EXPECT_EQ(time->time(), QTime(10, 16));
    EXPECT_EQ(time->displayFormat(), QStringLiteral("HH:mm"));
    auto* periods = Find<QComboBox>(dialog, "periodComboBox");
    ASSERT_EQ(periods->count(), 12);
    EXPECT_EQ(periods->currentIndex(), 0);
    EXPECT_EQ(periods->itemText(0), QStringLiteral("Jednorázovo"));
    EXPECT_EQ(periods->itemText(7), QStringLiteral("Každé 2 týždne"));
    EXPECT_EQ(periods->itemData(11).toInt(), 11);
    EXPECT_EQ(Find<QLineEdit>(dialog, "nameLineEdit")->maxLength(), 30);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Oneskorené doručenie SMS"));
}

TEST(SchedulingDialog, ComingBackToTheEarliestDayMovesAnEarlierTime) {
    SchedulingDlg dialog(kJune10At1000);
    auto* date = Find<QDateEdit>(dialog, "dateEdit");
    auto* time = Find<QTimeEdit>(dialog, "timeEdit");
    date->setDate(QDate(2026, 6, 12));
    time->setTime(QTime(8, 30));
    EXPECT_EQ(time->time(), QTime(8, 30)); // a later day takes any time
    date->setDate(QDate(2026, 6, 10));
    EXPECT_EQ(time->time(), QTime(10, 16));
    // A later time on the earliest day stays when the date changes and comes back.
    time->setTime(QTime(18, 0));
    date->setDate(QDate(2026, 6, 11));
    date->setDate(QDate(2026, 6, 10));
    EXPECT_EQ(time->time(), QTime(18, 0));
    // The picker itself refuses a day before the earliest.
    date->setDate(QDate(2026, 6, 9));
    EXPECT_EQ(date->date(), QDate(2026, 6, 10));
}

TEST(SchedulingDialog, OkGivesTheChoiceAndCancelNothing) {
    Answer("okButton", [](QDialog& dialog) {
        Find<QDateEdit>(dialog, "dateEdit")->setDate(QDate(2026, 7, 1));
        Find<QTimeEdit>(dialog, "timeEdit")->setTime(QTime(7, 45));
        Find<QComboBox>(dialog, "periodComboBox")->setCurrentIndex(5);
        QTest::keyClicks(Find<QLineEdit>(dialog, "nameLineEdit"),
                         QStringLiteral("Pripomienka na stretnutie v pondelok rano"));
    });
    const auto choice = SchedulingDlg::Ask(kJune10At1000, nullptr);
    ASSERT_TRUE(choice.has_value());
    EXPECT_EQ(choice->deliverAt, ScheduleLimits::ToTime({2026, 7, 1, 7, 45}));
    EXPECT_EQ(choice->periodicity, 5);
    EXPECT_EQ(choice->name, "Pripomienka na stretnutie v po"); // 30 characters
    EXPECT_FALSE(choice->report);

    Answer("cancelButton");
    EXPECT_FALSE(SchedulingDlg::Ask(kJune10At1000, nullptr).has_value());
}
