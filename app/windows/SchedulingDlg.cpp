#include "windows/SchedulingDlg.h"

#include "controls/ControlsText.h"
#include "logic/PageDialogCaptions.h"
#include "logic/ProgramStrings.h"
#include "logic/SchedulePeriods.h"
#include "model/SmsScheduleInfo.h"
#include "windows/ProgramText.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace {

namespace Ids = ProgramCaptions::Scheduling;

QString Caption(int control) {
    return ProgramCaption(Ids::kDialog, control);
}

template <class W> W* Named(W* widget, const char* name, int control) {
    widget->setObjectName(QLatin1String(name));
    widget->setAccessibleName(Spoken(Caption(control)));
    return widget;
}

QDate DateOf(const LocalMinute& local) {
    return QDate(local.year, local.month, local.day);
}

QTime TimeOf(const LocalMinute& local) {
    return QTime(local.hour, local.minute);
}

} // namespace

SchedulingDlg::SchedulingDlg(std::int64_t now, QWidget* parent) : QDialog(parent), m_limits(now) {
    setObjectName(QStringLiteral("schedulingDialog"));
    setWindowTitle(Caption(ProgramCaptions::kCaption));
    CreateControls();
    LayOut();
    // Only a change of date is checked: the user sets the time freely once the day is chosen.
    connect(m_dateEdit, &QDateEdit::dateChanged, this, [this] { CheckDate(); });
    m_dateEdit->setFocus();
}

void SchedulingDlg::CreateControls() {
    const LocalMinute earliest = m_limits.EarliestLocal();
    m_dateEdit = Named(new QDateEdit(this), "dateEdit", Ids::kDateLabel);
    m_dateEdit->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    m_dateEdit->setCalendarPopup(true);
    m_dateEdit->setMinimumDate(DateOf(earliest));
    m_dateEdit->setDate(DateOf(earliest));
    m_timeEdit = Named(new QTimeEdit(this), "timeEdit", Ids::kTimeLabel);
    m_timeEdit->setDisplayFormat(QStringLiteral("HH:mm"));
    m_timeEdit->setTime(TimeOf(earliest));

    m_periodComboBox = Named(new QComboBox(this), "periodComboBox", Ids::kPeriodLabel);
    const auto periods = SchedulePeriods::Texts(ProgramStrings());
    for (std::size_t code = 0; code < periods.size(); ++code)
        m_periodComboBox->addItem(FromUtf8(periods[code]), static_cast<int>(code));
    m_periodComboBox->setCurrentIndex(0);

    m_nameLineEdit = Named(new QLineEdit(this), "nameLineEdit", Ids::kNameLabel);
    m_nameLineEdit->setMaxLength(static_cast<int>(CSmsScheduleInfo::MaxNameLength));
    m_nameLineEdit->setMinimumWidth(m_nameLineEdit->fontMetrics().averageCharWidth() * 32);
}

void SchedulingDlg::LayOut() {
    auto* form = new QFormLayout;
    const auto row = [this, form](int control, const char* name, QWidget* field) {
        auto* label = Named(new QLabel(Caption(control), this), name, control);
        label->setBuddy(field);
        form->addRow(label, field);
    };
    row(Ids::kDateLabel, "dateLabel", m_dateEdit);
    row(Ids::kTimeLabel, "timeLabel", m_timeEdit);
    row(Ids::kPeriodLabel, "periodLabel", m_periodComboBox);
    row(Ids::kNameLabel, "nameLabel", m_nameLineEdit);

    auto* buttons = new QDialogButtonBox(this);
    buttons->setObjectName(QStringLiteral("dialogButtonBox"));
    auto* ok = buttons->addButton(Caption(ProgramCaptions::kOk), QDialogButtonBox::AcceptRole);
    Named(ok, "okButton", ProgramCaptions::kOk);
    ok->setDefault(true);
    auto* cancel =
        buttons->addButton(Caption(ProgramCaptions::kCancel), QDialogButtonBox::RejectRole);
    Named(cancel, "cancelButton", ProgramCaptions::kCancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* main = new QVBoxLayout(this);
    main->setSizeConstraint(QLayout::SetFixedSize);
    main->addLayout(form);
    main->addWidget(buttons);
}

LocalMinute SchedulingDlg::Chosen() const {
    const QDate date = m_dateEdit->date();
    const QTime time = m_timeEdit->time();
    return {date.year(), date.month(), date.day(), time.hour(), time.minute()};
}

void SchedulingDlg::CheckDate() {
    const LocalMinute checked = m_limits.Checked(Chosen());
    if (!(checked == Chosen()))
        m_timeEdit->setTime(TimeOf(checked));
}

ScheduleChoice SchedulingDlg::Choice() const {
    ScheduleChoice choice;
    choice.deliverAt = ScheduleLimits::ToTime(Chosen());
    choice.periodicity = m_periodComboBox->currentData().toInt();
    choice.name = ToAnsi(m_nameLineEdit->text());
    return choice;
}

std::optional<ScheduleChoice> SchedulingDlg::Ask(std::int64_t now, QWidget* parent) {
    SchedulingDlg dialog(now, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Choice();
}
