#include "windows/LoginDlg.h"
#include "logic/LoginFlow.h"
#include "model/SmsUserInfo.h"
#include "windows/WidgetLoginDialogs.h"

#include "ScriptedMessageBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

const StringTable kStrings{{198, "Nezadali ste mobilné číslo"}};

QLineEdit* Edit(QWidget* dialog, const char* name) {
    auto* edit = dialog->findChild<QLineEdit*>(QLatin1String(name));
    EXPECT_NE(edit, nullptr) << name;
    return edit;
}

// Runs the login dialog through the program's dialogs; act drives it once it is up.
std::optional<LoginDlgAnswer> RunLogin(const LoginDlgView& view,
                                       std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, [act] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(qobject_cast<LoginDlg*>(dialog), nullptr);
        act(dialog);
    });
    ScriptedMessageBox boxes;
    WidgetLoginDialogs dialogs(kStrings, boxes);
    return dialogs.ShowLogin(view);
}

TEST(LoginDialog, TypedNameAndPasswordComeBackWithOk) {
    const auto answer = RunLogin({}, [](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Login do Velora"));
        EXPECT_EQ(dialog->focusWidget(), Edit(dialog, "nameLineEdit"));
        QTest::keyClicks(Edit(dialog, "nameLineEdit"), QStringLiteral("jan"));
        QTest::keyClick(Edit(dialog, "nameLineEdit"), Qt::Key_Tab);
        QTest::keyClicks(dialog->focusWidget(), QStringLiteral("tajne"));
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
    });
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->name, "jan");
    EXPECT_EQ(answer->password, "tajne");
    EXPECT_TRUE(answer->passwordEdited);
}

TEST(LoginDialog, StornoAndEscapeCancelTheLogin) {
    EXPECT_FALSE(RunLogin({"jan", "x", false}, [](QWidget* dialog) {
        auto* storno = dialog->findChild<QPushButton*>("cancelButton");
        ASSERT_NE(storno, nullptr);
        EXPECT_EQ(storno->text(), QStringLiteral("Storno"));
        QTest::mouseClick(storno, Qt::LeftButton);
    }));
    EXPECT_FALSE(RunLogin({}, [](QWidget* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); }));
}

TEST(LoginDialog, HeldPasswordIsKeptUntilTheFieldIsEdited) {
    const LoginDlgView held{"jan", LoginFlow::kHeldPassword, true};
    const auto untouched = RunLogin(held, [](QWidget* dialog) {
        QLineEdit* password = Edit(dialog, "passwordLineEdit");
        EXPECT_EQ(dialog->focusWidget(), password);
        EXPECT_EQ(password->echoMode(), QLineEdit::Password);
        EXPECT_EQ(password->selectedText(), QStringLiteral("******"));
        QTest::mouseClick(dialog->findChild<QPushButton*>("okButton"), Qt::LeftButton);
    });
    ASSERT_TRUE(untouched);
    EXPECT_EQ(untouched->name, "jan");
    EXPECT_EQ(untouched->password, "******");
    EXPECT_FALSE(untouched->passwordEdited);

    // The stars are selected, so typing replaces them.
    const auto retyped = RunLogin(held, [](QWidget* dialog) {
        QTest::keyClicks(dialog->focusWidget(), QStringLiteral("nove"));
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
    });
    ASSERT_TRUE(retyped);
    EXPECT_EQ(retyped->password, "nove");
    EXPECT_TRUE(retyped->passwordEdited);

    // Even emptying the field is an edit: the held password is not sent then.
    const auto emptied = RunLogin(held, [](QWidget* dialog) {
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Backspace);
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
    });
    ASSERT_TRUE(emptied);
    EXPECT_EQ(emptied->password, "");
    EXPECT_TRUE(emptied->passwordEdited);
}

TEST(LoginDialog, PrefilledNameIsSelectedAndFieldsTakeThirtyCharacters) {
    const auto answer = RunLogin({"stary", "", false}, [](QWidget* dialog) {
        QLineEdit* name = Edit(dialog, "nameLineEdit");
        EXPECT_EQ(name->selectedText(), QStringLiteral("stary"));
        QTest::keyClicks(name, QString(35, QLatin1Char('n')));
        QTest::keyClicks(Edit(dialog, "passwordLineEdit"), QString(35, QLatin1Char('p')));
        QTest::keyClick(name, Qt::Key_Return);
    });
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->name, std::string(30, 'n'));
    EXPECT_EQ(answer->password, std::string(30, 'p'));
}

TEST(LoginDialog, OpensCentredOverItsParentAndMovedDown) {
    QWidget parent;
    parent.setGeometry(100, 100, 800, 600);
    parent.show();
    LoginDlg dialog({}, &parent);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    const QPoint offset = dialog.frameGeometry().center() - parent.frameGeometry().center();
    EXPECT_LE(std::abs(offset.x()), 1);
    EXPECT_LE(std::abs(offset.y() - 78), 1);
}

TEST(LoginDialogs, ServiceNoticeReportsItsBox) {
    QTimer::singleShot(0, [] {
        QWidget* notice = QApplication::activeModalWidget();
        ASSERT_NE(notice, nullptr);
        auto* box = notice->findChild<QCheckBox*>("dontShowAgainCheckBox");
        ASSERT_NE(box, nullptr);
        box->setChecked(true);
        QTest::keyClick(notice, Qt::Key_Return);
    });
    ScriptedMessageBox boxes;
    WidgetLoginDialogs dialogs(kStrings, boxes);
    const SaNotice::Answer answer = dialogs.ShowSa();
    EXPECT_TRUE(answer.accepted);
    EXPECT_TRUE(answer.dontShowAgain);
}

} // namespace
