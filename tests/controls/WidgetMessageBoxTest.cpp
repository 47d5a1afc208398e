#include "controls/WidgetMessageBox.h"

#include "model/StringTable.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Runs look on the message box once it is open (the box is modal, so from the event loop).
void WhenBoxOpens(std::function<void(QMessageBox&)> look) {
    QTimer::singleShot(0, [look] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        look(*box);
    });
}

} // namespace

TEST(WidgetMessageBox, ShowsTheTextWithTheProgramsTitleAndReportsTheButtonPressed) {
    QWidget parent;
    WidgetMessageBox boxes(&parent, "Quillon");
    const StringTable strings{{7, "Zlý kód\n\nZopakovať %d?"}};
    WhenBoxOpens([](QMessageBox& box) {
        EXPECT_EQ(box.windowTitle(), "Quillon");
        EXPECT_EQ(box.text(), QString::fromUtf8("Zlý kód\n\nZopakovať 3?"));
        EXPECT_EQ(box.icon(), QMessageBox::Question);
        EXPECT_EQ(static_cast<QAbstractButton*>(box.defaultButton()), box.button(QMessageBox::No));
        box.button(QMessageBox::Yes)->click();
    });
    EXPECT_EQ(boxes.Show(strings, 7, {3}, IMessageBox::Icon::Question, IMessageBox::Buttons::YesNo,
                         IMessageBox::Answer::No),
              IMessageBox::Answer::Yes);
}

TEST(WidgetMessageBox, EnterTakesTheDefaultAndEscapeTheGentlerAnswer) {
    WidgetMessageBox boxes(nullptr, "Quillon");
    WhenBoxOpens([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Return); });
    EXPECT_EQ(
        boxes.Show(IMessageBox::Request{0, "Continue?", IMessageBox::Icon::Question,
                                        IMessageBox::Buttons::YesNo, IMessageBox::Answer::No}),
        IMessageBox::Answer::No);
    WhenBoxOpens([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); });
    EXPECT_EQ(boxes.Show("Close?", IMessageBox::Icon::Question, IMessageBox::Buttons::OkCancel),
              IMessageBox::Answer::Cancel);
    WhenBoxOpens([](QMessageBox& box) {
        EXPECT_EQ(box.icon(), QMessageBox::Critical);
        QTest::keyClick(&box, Qt::Key_Escape);
    });
    EXPECT_EQ(boxes.Show("Failed", IMessageBox::Icon::Stop), IMessageBox::Answer::Ok);
}

TEST(WidgetMessageBox, ButtonsSpeakTheLanguageOfTheWindows) {
    WidgetMessageBox boxes(nullptr, "Quillon");
    WhenBoxOpens([](QMessageBox& box) {
        EXPECT_EQ(box.button(QMessageBox::Yes)->text(), QString::fromUtf8("&Áno"));
        EXPECT_EQ(box.button(QMessageBox::No)->text(), "&Nie");
        box.button(QMessageBox::No)->click();
    });
    EXPECT_EQ(boxes.Show("Skrátiť?", IMessageBox::Icon::Question, IMessageBox::Buttons::YesNo),
              IMessageBox::Answer::No);
    WhenBoxOpens([](QMessageBox& box) {
        EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), QString::fromUtf8("Zrušiť"));
        box.button(QMessageBox::Ok)->click();
    });
    EXPECT_EQ(boxes.Show("Ďalej?", IMessageBox::Icon::Question, IMessageBox::Buttons::OkCancel),
              IMessageBox::Answer::Ok);
}
