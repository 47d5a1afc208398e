#include "windows/ScheduledSmsDlg.h"
#include "windows/NumberChoiceDlg.h"
#include "windows/SentItemsModel.h"

#include "controls/AutoCompleteBinding.h"
#include "controls/ControlsText.h"
#include "controls/SmsEditCtrl.h"
#include "controls/WindowCallRunner.h"
#include "frontend/Payment.h"
#include "logic/PageDialogCaptions.h"
#include "logic/ProgramStrings.h"
#include "logic/SchedulePeriods.h"
#include "model/LocalCalendar.h"
#include "model/SmsScheduleInfo.h"
#include "model/SmsUserInfo.h"
#include "platform/Clock.h"
#include "windows/ProgramText.h"
#include "windows/SchedulingDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

namespace Ids = ProgramCaptions::Scheduled;

constexpr int kYes = 206;
constexpr int kNo = 207;
constexpr int kEditorId = 1024;

QString Caption(int control) {
    return ProgramCaption(Ids::kDialog, control);
}

QString Text(int id) {
    const auto text = ProgramStrings().GetUtf8(id);
    return text ? FromUtf8(std::string(*text)) : QString();
}

template <class W> W* Named(W* widget, const char* name, int control) {
    widget->setObjectName(QLatin1String(name));
    widget->setAccessibleName(Spoken(Caption(control)));
    return widget;
}

} // namespace

ScheduledSmsDlg::ScheduledSmsDlg(CSmsUserInfo& user, IMessageBox& boxes, ScheduledSms message,
                                 QWidget* parent, std::unique_ptr<ICallRunner> runner)
    : QDialog(parent) {
    setObjectName(QStringLiteral("scheduledSmsDialog"));
    setWindowTitle(Caption(ProgramCaptions::kCaption));
    m_runner = runner ? std::move(runner) : std::make_unique<WindowCallRunner>(this);
    m_edit = std::make_unique<ScheduledSmsEdit>(user, ProgramStrings(), boxes, *m_runner,
                                                std::move(message));
    m_edit->SetNumberChooser(
        [this](const CSmsAddressBookItem& contact) { return NumberChoiceDlg::Ask(contact, this); });
    CreateControls(user);
    LayOut();
    ShowSchedule();
    ShowRecipients();
    m_editor->setFocus();
}

ScheduledSmsDlg::~ScheduledSmsDlg() {
    m_completion.Unbind();
}

void ScheduledSmsDlg::CreateControls(CSmsUserInfo& user) {
    const ScheduledSms& message = m_edit->Original();
    m_nameLineEdit = Named(new QLineEdit(ToQString(message.schedule.name), this), "nameLineEdit",
                           Ids::kNameLabel);
    m_nameLineEdit->setMaxLength(static_cast<int>(CSmsScheduleInfo::MaxNameLength));
    connect(m_nameLineEdit, &QLineEdit::textChanged, this,
            [this](const QString& name) { m_edit->SetName(ToAnsi(name)); });
    m_timeLabel = Named(new QLabel(this), "timeValueLabel", Ids::kTimeLabel);
    m_periodLabel = Named(new QLabel(this), "periodValueLabel", Ids::kPeriodLabel);
    m_changeButton =
        Named(new QPushButton(Caption(Ids::kChange), this), "changeButton", Ids::kChange);
    connect(m_changeButton, &QPushButton::clicked, this, [this] { ChangeSchedule(); });
    m_reportCheckBox =
        Named(new QCheckBox(Caption(Ids::kReport), this), "reportCheckBox", Ids::kReport);
    m_reportCheckBox->setChecked(message.schedule.report);
    connect(m_reportCheckBox, &QCheckBox::toggled, this,
            [this](bool on) { m_edit->SetReport(on); });

    m_editor = new CSmsEditCtrl(480, 160);
    m_editor->Create(QRect(0, 0, 420, 160), this, kEditorId);
    m_editor->setObjectName(QStringLiteral("smsEditCtrl"));
    m_editor->setAccessibleName(Spoken(Caption(Ids::kTextLabel)));
    {
        const auto dataLock = user.LockData();
        m_editor->SetDummyTextLen(Payment::Of(user).DummyTextLength());
        m_completion.AddAddressBookItems(user.GetAddressBook());
        m_completion.AddHistoryItems(user.GetHistory());
    }
    m_editor->SetText(message.text);
    m_editor->SetFlash(message.flash);
    m_flashLabel = Named(new QLabel(Text(message.flash ? kYes : kNo), this), "flashValueLabel",
                         Ids::kFlashLabel);

    m_recipientComboBox = Named(new QComboBox(this), "recipientComboBox", Ids::kRecipientLabel);
    m_recipientComboBox->setEditable(true);
    m_recipientComboBox->setInsertPolicy(QComboBox::NoInsert);
    Bind(m_completion, m_recipientComboBox,
         CSmsAutoComplete::AutoSuggest | CSmsAutoComplete::AutoAppend);
    m_addButton = Named(new QPushButton(Caption(Ids::kAdd), this), "addButton", Ids::kAdd);
    connect(m_addButton, &QPushButton::clicked, this, [this] { AddTyped(); });
    m_recipientsTreeWidget =
        Named(new QTreeWidget(this), "recipientsTreeWidget", Ids::kRecipientsLabel);
    m_recipientsTreeWidget->setRootIsDecorated(false);
    m_recipientsTreeWidget->setColumnCount(2);
    m_recipientsTreeWidget->setHeaderLabels({Text(209), Caption(Ids::kNumberColumn)});
    m_recipientsTreeWidget->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_recipientsTreeWidget->setMinimumHeight(m_recipientsTreeWidget->fontMetrics().lineSpacing() *
                                             6);
    connect(m_recipientsTreeWidget, &QTreeWidget::itemDoubleClicked, this,
            [this] { RemoveSelected(); });
    m_removeButton =
        Named(new QPushButton(Caption(Ids::kRemove), this), "removeButton", Ids::kRemove);
    connect(m_removeButton, &QPushButton::clicked, this, [this] { RemoveSelected(); });
    connect(m_recipientComboBox->lineEdit(), &QLineEdit::returnPressed, this,
            [this] { AddTyped(); });
}

void ScheduledSmsDlg::LayOut() {
    const auto label = [this](int control, QWidget* buddy) {
        auto* caption = new QLabel(Caption(control), this);
        caption->setBuddy(buddy);
        return caption;
    };
    auto* top = new QGridLayout;
    top->setColumnStretch(1, 1);
    top->addWidget(label(Ids::kNameLabel, m_nameLineEdit), 0, 0);
    top->addWidget(m_nameLineEdit, 0, 1, 1, 2);
    top->addWidget(label(Ids::kTimeLabel, m_changeButton), 1, 0);
    top->addWidget(m_timeLabel, 1, 1);
    top->addWidget(m_changeButton, 1, 2, 2, 1);
    top->addWidget(label(Ids::kPeriodLabel, m_changeButton), 2, 0);
    top->addWidget(m_periodLabel, 2, 1);
    top->addWidget(m_reportCheckBox, 3, 0, 1, 3);

    auto* flash = new QHBoxLayout;
    flash->addWidget(label(Ids::kFlashLabel, m_editor));
    flash->addWidget(m_flashLabel);
    flash->addStretch();

    auto* add = new QHBoxLayout;
    add->addWidget(label(Ids::kRecipientLabel, m_recipientComboBox));
    add->addWidget(m_recipientComboBox, 1);
    add->addWidget(m_addButton);
    auto* remove = new QHBoxLayout;
    remove->addStretch();
    remove->addWidget(m_removeButton);

    auto* buttons = new QDialogButtonBox(this);
    auto* ok = buttons->addButton(Caption(ProgramCaptions::kOk), QDialogButtonBox::AcceptRole);
    Named(ok, "okButton", ProgramCaptions::kOk);
    auto* cancel =
        buttons->addButton(Caption(ProgramCaptions::kCancel), QDialogButtonBox::RejectRole);
    Named(cancel, "cancelButton", ProgramCaptions::kCancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &ScheduledSmsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* main = new QVBoxLayout(this);
    main->addLayout(top);
    main->addWidget(label(Ids::kTextLabel, m_editor));
    main->addWidget(m_editor, 1);
    main->addLayout(flash);
    main->addLayout(add);
    main->addWidget(label(Ids::kRecipientsLabel, m_recipientsTreeWidget));
    main->addWidget(m_recipientsTreeWidget, 1);
    main->addLayout(remove);
    main->addWidget(buttons);

    setTabOrder(m_nameLineEdit, m_changeButton);
    setTabOrder(m_changeButton, m_reportCheckBox);
    setTabOrder(m_reportCheckBox, m_editor);
    setTabOrder(m_editor, m_recipientComboBox);
    setTabOrder(m_recipientComboBox, m_addButton);
    setTabOrder(m_addButton, m_recipientsTreeWidget);
    setTabOrder(m_recipientsTreeWidget, m_removeButton);
    setTabOrder(m_removeButton, ok);
    setTabOrder(ok, cancel);
}

void ScheduledSmsDlg::ShowSchedule() {
    const ScheduleChoice& schedule = m_edit->Current().schedule;
    m_timeLabel->setText(ToQString(FormatLocalTime(schedule.deliverAt, "%d.%m.%Y %H:%M")));
    m_periodLabel->setText(FromUtf8(SchedulePeriods::Text(ProgramStrings(), schedule.periodicity)));
    if (ToAnsi(m_nameLineEdit->text()) != schedule.name)
        m_nameLineEdit->setText(ToQString(schedule.name));
}

void ScheduledSmsDlg::ShowRecipients() {
    m_recipientsTreeWidget->clear();
    const ScheduledSms& message = m_edit->Current();
    for (std::size_t i = 0; i < message.recipients.size(); ++i) {
        const Recipient& recipient = message.recipients[i];
        auto* item = new QTreeWidgetItem(m_recipientsTreeWidget,
                                         {ToQString(recipient.name), ToQString(recipient.number)});
        const auto state = message.states[i];
        const bool hasReport = message.schedule.report;
        item->setIcon(0, SentItemsModel::StateIcon(!hasReport                              ? 0
                                                   : state == CSmsRecipientInfo::Delivered ? 1
                                                   : state == CSmsRecipientInfo::Pending   ? 0
                                                                                           : 2));
        item->setToolTip(0, FromUtf8(SmsDetails::StateText(state, hasReport, {})));
    }
}

void ScheduledSmsDlg::AddTyped() {
    const std::string typed = ToAnsi(m_recipientComboBox->currentText());
    if (m_edit->AddRecipient(typed) == ScheduledSmsEdit::AddOutcome::Added)
        ShowRecipients();
    m_recipientComboBox->clearEditText();
}

void ScheduledSmsDlg::RemoveSelected() {
    QTreeWidgetItem* current = m_recipientsTreeWidget->currentItem();
    if (!current)
        return;
    m_edit->RemoveRecipient(
        static_cast<std::size_t>(m_recipientsTreeWidget->indexOfTopLevelItem(current)));
    ShowRecipients();
}

void ScheduledSmsDlg::ChangeSchedule() {
    const auto choice = SchedulingDlg::Ask(Clock::Now(), this);
    if (!choice)
        return;
    m_edit->SetSchedule(*choice);
    ShowSchedule();
}

void ScheduledSmsDlg::accept() {
    // Enter in the recipient field belongs to the field.
    if (m_recipientComboBox->lineEdit()->hasFocus())
        return;
    m_edit->SetFlash(m_editor->IsFlash());
    m_edit->Save(m_editor->GetText(), [this](ScheduledSmsEdit::SaveOutcome outcome) {
        m_outcome = outcome;
        if (outcome != ScheduledSmsEdit::SaveOutcome::Refused &&
            outcome != ScheduledSmsEdit::SaveOutcome::Failed)
            QDialog::accept();
    });
}

bool ScheduledSmsDlg::Edit(CSmsUserInfo& user, IMessageBox& boxes, ScheduledSms& message,
                           QWidget* parent) {
    ScheduledSmsDlg dialog(user, boxes, message, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const auto outcome = dialog.Outcome();
    if (outcome != ScheduledSmsEdit::SaveOutcome::Replaced &&
        outcome != ScheduledSmsEdit::SaveOutcome::Renamed)
        return false;
    message = dialog.Editing().Current();
    return true;
}
