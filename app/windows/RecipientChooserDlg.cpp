#include "windows/RecipientChooserDlg.h"

#include "controls/ControlsText.h"
#include "logic/SmsPageCaptions.h"
#include "windows/ProgramText.h"
#include "windows/RecipientRows.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>

namespace {

namespace Ids = ProgramCaptions::RecipientChooser;

QString Caption(int control) {
    return ProgramCaption(Ids::kDialog, control);
}

QPushButton* NewButton(int control, const char* name, const QString& spoken, QWidget* parent) {
    auto* button = new QPushButton(Caption(control), parent);
    button->setObjectName(QLatin1String(name));
    button->setAccessibleName(spoken);
    button->setAutoDefault(false);
    return button;
}

bool IsEnter(const QKeyEvent& key) {
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
}

} // namespace

RecipientChooserDlg::RecipientChooserDlg(const CSmsAddressBook& book,
                                         const std::vector<RecipientEntry>& chosen, QWidget* parent)
    : QDialog(parent), m_contactLines(ContactLines(book)), m_groupLines(GroupLines(book)) {
    setObjectName(QStringLiteral("recipientChooserDialog"));
    // The pictures live in this static library, whose resources nothing else pulls in.
    Q_INIT_RESOURCE(smspage);
    setWindowTitle(Caption(ProgramCaptions::kCaption));
    for (const RecipientEntry& entry : chosen)
        m_chosen.Add(entry);

    m_contacts = NewLineList(m_contactLines, "contactsListWidget", Ids::kContacts);
    m_groups = NewLineList(m_groupLines, "groupsListWidget", Ids::kGroups);
    m_chosenTree = NewRecipientTree(this, "chosenTreeWidget", 160, true);
    m_chosenTree->installEventFilter(this);

    auto* addContacts = NewButton(Ids::kAdd, "addContactsButton",
                                  Spoken(Caption(Ids::kContacts)) + QStringLiteral(" >>"), this);
    auto* addGroups = NewButton(Ids::kAdd, "addGroupsButton",
                                Spoken(Caption(Ids::kGroups)) + QStringLiteral(" >>"), this);
    auto* remove = NewButton(Ids::kRemove, "removeButton", QStringLiteral("<<"), this);
    connect(addContacts, &QPushButton::clicked, this,
            [this] { AddSelected(m_contacts, m_contactLines); });
    connect(addGroups, &QPushButton::clicked, this,
            [this] { AddSelected(m_groups, m_groupLines); });
    connect(remove, &QPushButton::clicked, this, &RecipientChooserDlg::RemoveSelected);
    connect(m_chosenTree, &QTreeWidget::itemDoubleClicked, this,
            &RecipientChooserDlg::RemoveSelected);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok =
        buttons->addButton(Caption(ProgramCaptions::kOk), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    buttons->addButton(Caption(ProgramCaptions::kCancel), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("cancelButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* contactsLabel = new QLabel(Caption(Ids::kContacts), this);
    contactsLabel->setBuddy(m_contacts);
    auto* groupsLabel = new QLabel(Caption(Ids::kGroups), this);
    groupsLabel->setBuddy(m_groups);

    auto* grid = new QGridLayout(this);
    grid->addWidget(contactsLabel, 0, 0);
    grid->addWidget(m_contacts, 1, 0);
    grid->addWidget(addContacts, 1, 1, Qt::AlignVCenter);
    grid->addWidget(groupsLabel, 2, 0);
    grid->addWidget(m_groups, 3, 0);
    grid->addWidget(addGroups, 3, 1, Qt::AlignVCenter);
    grid->addWidget(m_chosenTree, 0, 2, 4, 1);
    grid->addWidget(remove, 4, 2, Qt::AlignLeft);
    grid->addWidget(buttons, 5, 0, 1, 3);
    grid->setRowStretch(1, 2);
    grid->setRowStretch(3, 1);
    ShowChosen();
    m_contacts->setFocus();
}

QListWidget* RecipientChooserDlg::NewLineList(const std::vector<ChooserLine>& lines,
                                              const char* name, int label) {
    auto* list = new QListWidget(this);
    list->setObjectName(QLatin1String(name));
    list->setAccessibleName(Spoken(Caption(label)));
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    for (const ChooserLine& line : lines)
        list->addItem(ToQString(line.text));
    list->setMinimumWidth(list->fontMetrics().averageCharWidth() * 24);
    list->installEventFilter(this);
    return list;
}

bool RecipientChooserDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const auto& key = *static_cast<QKeyEvent*>(event);
    if (watched == m_contacts && IsEnter(key)) {
        AddSelected(m_contacts, m_contactLines);
        return true;
    }
    if (watched == m_groups && IsEnter(key)) {
        AddSelected(m_groups, m_groupLines);
        return true;
    }
    if (watched == m_chosenTree && key.key() == Qt::Key_Delete) {
        RemoveSelected();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void RecipientChooserDlg::AddSelected(QListWidget* list, const std::vector<ChooserLine>& lines) {
    for (int row = 0; row < list->count(); ++row) {
        if (list->item(row)->isSelected())
            m_chosen.Add(lines[static_cast<std::size_t>(row)].entry);
    }
    ShowChosen();
}

void RecipientChooserDlg::RemoveSelected() {
    const std::vector<int> rows = SelectedRows(m_chosenTree);
    for (auto it = rows.rbegin(); it != rows.rend(); ++it)
        m_chosen.RemoveAt(static_cast<std::size_t>(*it));
    ShowChosen();
}

void RecipientChooserDlg::ShowChosen() {
    ShowRecipientRows(m_chosenTree, m_chosen.Entries());
}
