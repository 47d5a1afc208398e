#include "windows/SmsDetailsDlg.h"
#include "windows/SentItemsModel.h"

#include "controls/ControlsText.h"
#include "logic/PageDialogCaptions.h"
#include "logic/ProgramStrings.h"
#include "windows/ProgramText.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

namespace Ids = ProgramCaptions::Details;

constexpr int kNameColumn = 209;
constexpr int kTimeColumn = 210;

QString Text(int id) {
    const auto text = ProgramStrings().GetUtf8(id);
    return text ? FromUtf8(std::string(*text)) : QString();
}

} // namespace

// The desktop theme's pictures until the archive page's own drawings are there.
int SmsDetailsDlg::DialogOf(const SmsDetails& details) {
    return details.group ? Ids::kGroupDialog : Ids::kSingleDialog;
}

SmsDetailsDlg::SmsDetailsDlg(const SmsDetails& details, QWidget* parent)
    : QDialog(parent), m_dialog(DialogOf(details)) {
    setObjectName(details.group ? QStringLiteral("groupDetailsDialog")
                                : QStringLiteral("smsDetailsDialog"));
    setWindowTitle(ProgramCaption(m_dialog, ProgramCaptions::kCaption));
    auto* form = new QFormLayout;
    if (!details.group && !details.recipients.empty()) {
        AddValue(form, Ids::kToLabel, details.recipients[0].name, "toValueLabel");
        AddValue(form, Ids::kNumberLabel, details.recipients[0].number, "numberValueLabel");
    }
    AddValue(form, Ids::kSentLabel, details.sentTime, "sentValueLabel");
    if (!details.group && !details.recipients.empty())
        AddValue(form, Ids::kStateLabel, details.recipients[0].state, "stateValueLabel");
    AddValue(form, Ids::kFlashLabel, details.flash, "flashValueLabel");
    AddValue(form, Ids::kCharactersLabel, details.characters, "charactersValueLabel");
    AddValue(form, Ids::kPartsLabel, details.parts, "partsValueLabel");
    if (details.group)
        AddValue(form, Ids::kGroupLabel, details.groupName, "groupValueLabel");

    auto* text = new QPlainTextEdit(FromUtf8(details.text), this);
    text->setObjectName(QStringLiteral("textPlainTextEdit"));
    text->setAccessibleName(Spoken(ProgramCaption(m_dialog, Ids::kTextLabel)));
    text->setReadOnly(true);
    text->setMinimumWidth(text->fontMetrics().averageCharWidth() * 48);
    text->setFixedHeight(text->fontMetrics().lineSpacing() * 5 + 12);
    form->addRow(new QLabel(ProgramCaption(m_dialog, Ids::kTextLabel), this), text);
    if (details.group)
        form->addRow(new QLabel(ProgramCaption(m_dialog, Ids::kRecipientsLabel), this),
                     RecipientList(details));

    auto* buttons = new QDialogButtonBox(this);
    auto* ok = buttons->addButton(ProgramCaption(m_dialog, ProgramCaptions::kOk),
                                  QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* main = new QVBoxLayout(this);
    main->addLayout(form);
    main->addWidget(buttons);
    ok->setFocus();
}

void SmsDetailsDlg::AddValue(QFormLayout* form, int label, const std::string& value,
                             const char* name) {
    const QString caption = ProgramCaption(m_dialog, label);
    auto* shown = new QLabel(FromUtf8(value), this);
    shown->setObjectName(QLatin1String(name));
    shown->setAccessibleName(Spoken(caption));
    shown->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    form->addRow(new QLabel(caption, this), shown);
}

QWidget* SmsDetailsDlg::RecipientList(const SmsDetails& details) {
    auto* list = new QTreeWidget(this);
    list->setObjectName(QStringLiteral("recipientsTreeWidget"));
    list->setAccessibleName(Spoken(ProgramCaption(m_dialog, Ids::kRecipientsLabel)));
    list->setRootIsDecorated(false);
    list->setHeaderLabels({Text(kNameColumn), Text(kTimeColumn)});
    for (const auto& row : details.recipients) {
        auto* item = new QTreeWidgetItem(list, {FromUtf8(row.name), FromUtf8(row.deliveryTime)});
        item->setIcon(0, SentItemsModel::StateIcon(row.icon));
        item->setToolTip(0, FromUtf8(row.state));
    }
    list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    list->header()->resizeSection(
        1, list->fontMetrics().horizontalAdvance(QStringLiteral("00.00.0000 00:00:00")) + 24);
    list->header()->setStretchLastSection(false);
    list->setMinimumHeight(list->fontMetrics().lineSpacing() * 6);
    return list;
}
