#include "windows/FilterDlg.h"
#include "windows/ScheduledSmsDlg.h"
#include "windows/SmsDetailsDlg.h"

#include "../service/SessionFixture.h"
#include "ScriptedMessageBox.h"
#include "controls/SmsEditCtrl.h"
#include "frontend/ArchiveRows.h"
#include "frontend/ImmediateCallRunner.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

template <class W> W* Find(QWidget& parent, const char* name) {
    W* widget = parent.findChild<W*>(QLatin1String(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

QString Label(QWidget& dialog, const char* name) {
    QLabel* label = Find<QLabel>(dialog, name);
    return label ? label->text() : QString();
}

// Clicks a button of the modal dialog when it shows.
void Answer(const char* button, const std::function<void(QDialog&)>& before = {}) {
    QTimer::singleShot(0, [button, before] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        if (before)
            before(*dialog);
        QTest::mouseClick(Find<QPushButton>(*dialog, button), Qt::LeftButton);
    });
}

SmsDetails Details(bool group) {
    SmsDetails details;
    details.group = group;
    details.groupName = "Kolegovia";
    details.sentTime = "10.06.2026 10:00:00";
    details.flash = "Nie";
    details.characters = "16";
    details.parts = "Nedostupné";
    details.text = "Schôdza o 10:00";
    details.recipients = {{"Jana", "421903000001", "Doručená 10.06.2026 10:01:05",
                           "10.06.2026 10:01:05", ArchiveRows::Delivered}};
    if (group)
        details.recipients.push_back(
            {"Peter", "421903000002", "Doručuje sa", "", ArchiveRows::Pending});
    return details;
}

} // namespace

TEST(FilterDialog, StartsAtTheModeAndGivesTheChoice) {
    Answer("okButton", [](QDialog& dialog) {
        EXPECT_TRUE(Find<QRadioButton>(dialog, "deliveredRadioButton")->isChecked());
        EXPECT_EQ(Find<QRadioButton>(dialog, "scheduledRadioButton")->text(),
                  QStringLiteral("Iba správy s oneskoreným doručením"));
        Find<QRadioButton>(dialog, "undeliveredRadioButton")->click();
    });
    EXPECT_EQ(FilterDlg::Ask(1, nullptr), 2);
    Answer("okButton", [](QDialog& dialog) {
        EXPECT_TRUE(Find<QRadioButton>(dialog, "allRadioButton")->isChecked()); // unknown mode
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Filter správ"));
    });
    EXPECT_EQ(FilterDlg::Ask(7, nullptr), 0);
    Answer("cancelButton");
    EXPECT_EQ(FilterDlg::Ask(3, nullptr), std::nullopt);
}

TEST(DetailsDialogs, OneRecipientShowsItsNumberAndState) {
    SmsDetailsDlg dialog(Details(false));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Informácie o SMS správe"));
    EXPECT_EQ(Label(dialog, "toValueLabel"), QStringLiteral("Jana"));
    EXPECT_EQ(Label(dialog, "numberValueLabel"), QStringLiteral("421903000001"));
    EXPECT_EQ(Label(dialog, "stateValueLabel"), QStringLiteral("Doručená 10.06.2026 10:01:05"));
    EXPECT_EQ(Label(dialog, "partsValueLabel"), QStringLiteral("Nedostupné"));
    EXPECT_EQ(Label(dialog, "flashValueLabel"), QStringLiteral("Nie"));
    auto* text = Find<QPlainTextEdit>(dialog, "textPlainTextEdit");
    EXPECT_TRUE(text->isReadOnly());
    EXPECT_EQ(text->toPlainText(), QStringLiteral("Schôdza o 10:00"));
    EXPECT_EQ(dialog.findChild<QTreeWidget*>(), nullptr);
}

TEST(DetailsDialogs, AGroupListsItsRecipients) {
    SmsDetailsDlg dialog(Details(true));
    EXPECT_EQ(SmsDetailsDlg::DialogOf(Details(true)), 202);
    EXPECT_EQ(Label(dialog, "groupValueLabel"), QStringLiteral("Kolegovia"));
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("numberValueLabel")), nullptr);
    auto* list = Find<QTreeWidget>(dialog, "recipientsTreeWidget");
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->headerItem()->text(0), QStringLiteral("Meno"));
    EXPECT_EQ(list->headerItem()->text(1), QStringLiteral("Čas doručenia"));
    EXPECT_EQ(list->topLevelItem(0)->text(1), QStringLiteral("10.06.2026 10:01:05"));
    EXPECT_EQ(list->topLevelItem(1)->text(0), QStringLiteral("Peter"));
}

namespace {

class ScheduledDialog : public SessionFixture {
protected:
    void SetUp() override { LogIn(); }
    static ScheduledSms Message() {
        ScheduledSms message;
        message.messageId = 4242;
        message.schedule = {kNow + 86400, 5, "Rano", true};
        message.text = "Dobre rano";
        message.recipients = {{"Jana", "421903000001"}, {"0903000002", "421903000002"}};
        message.states = {CSmsRecipientInfo::Pending, CSmsRecipientInfo::Pending};
        return message;
    }
    std::unique_ptr<ScheduledSmsDlg> Open() {
        auto dialog = std::make_unique<ScheduledSmsDlg>(user, boxes, Message(), nullptr,
                                                        std::make_unique<ImmediateCallRunner>());
        dialog->show();
        return dialog;
    }
    void Save(ScheduledSmsDlg& dialog) {
        QTest::mouseClick(Find<QPushButton>(dialog, "okButton"), Qt::LeftButton);
    }
    ScriptedMessageBox boxes;
};

} // namespace

TEST_F(ScheduledDialog, ShowsTheMessage) {
    auto dialog = Open();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("SMS s oneskoreným doručením"));
    EXPECT_EQ(Find<QLineEdit>(*dialog, "nameLineEdit")->text(), QStringLiteral("Rano"));
    EXPECT_EQ(Label(*dialog, "timeValueLabel"), QStringLiteral("11.03.2005 13:00"));
    EXPECT_EQ(Label(*dialog, "periodValueLabel"), QStringLiteral("Denne"));
    EXPECT_EQ(Find<QPushButton>(*dialog, "okButton")->text(), QStringLiteral("Uložiť zmeny"));
    EXPECT_EQ(Find<QPushButton>(*dialog, "cancelButton")->text(), QStringLiteral("Zavrieť"));
    EXPECT_EQ(Find<CSmsEditCtrl>(*dialog, "smsEditCtrl")->GetText(), "Dobre rano");
    EXPECT_EQ(Find<QTreeWidget>(*dialog, "recipientsTreeWidget")->topLevelItemCount(), 2);
}

TEST_F(ScheduledDialog, UnchangedClosesWithoutACall) {
    auto dialog = Open();
    const std::size_t calls = transport->Requests().size();
    Save(*dialog);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->Outcome(), ScheduledSmsEdit::SaveOutcome::Unchanged);
    EXPECT_EQ(transport->Requests().size(), calls);
}

TEST_F(ScheduledDialog, AChangedTextIsReplacedWithTheRecipientsApplied) {
    auto dialog = Open();
    Find<CSmsEditCtrl>(*dialog, "smsEditCtrl")->SetText("Dobry vecer");
    // Double-click removes the second recipient, "Vlož" adds one.
    auto* list = Find<QTreeWidget>(*dialog, "recipientsTreeWidget");
    list->setCurrentItem(list->topLevelItem(1));
    emit list->itemDoubleClicked(list->topLevelItem(1), 0);
    QTest::keyClicks(Find<QComboBox>(*dialog, "recipientComboBox"), QStringLiteral("0903000009"));
    QTest::mouseClick(Find<QPushButton>(*dialog, "addButton"), Qt::LeftButton);
    ASSERT_EQ(list->topLevelItemCount(), 2);

    transport->Answer("replaceSMS", Reply::Status(0) + Reply::Token("T2") +
                                        "<recipients><item mobile=\"421903000001\"/>"
                                        "<item mobile=\"421903000007\"/></recipients>");
    Save(*dialog);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    ASSERT_EQ(dialog->Outcome(), ScheduledSmsEdit::SaveOutcome::Replaced);
    const ParsedRequest request = transport->Request(transport->Requests().size() - 1);
    EXPECT_EQ(request.Operation(), "replaceSMS");
    EXPECT_EQ(request.Text("text"), "Dobry vecer");
    // The one without a result is gone, the extra result comes first.
    EXPECT_EQ(
        dialog->Editing().Current().recipients,
        (std::vector<Recipient>{{"+421903000007", "421903000007"}, {"Jana", "421903000001"}}));
}

TEST_F(ScheduledDialog, AServiceErrorKeepsTheDialogOpen) {
    auto dialog = Open();
    Find<QLineEdit>(*dialog, "nameLineEdit")->clear();
    Find<CSmsEditCtrl>(*dialog, "smsEditCtrl")->SetText("Iny text");
    transport->Answer("replaceSMS", Reply::Status(67));
    Save(*dialog);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->Outcome(), ScheduledSmsEdit::SaveOutcome::Failed);
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Last().icon, IMessageBox::Icon::Stop);
}
