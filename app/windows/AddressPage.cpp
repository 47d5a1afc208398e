#include "windows/AddressPage.h"

#include "controls/ControlsText.h"
#include "logic/AddressPageCaptions.h"
#include "windows/AddressBookModel.h"
#include "windows/ListKeys.h"
#include "windows/ProgramText.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

namespace {

namespace Ids = ProgramCaptions::Contacts;

QString Caption(int control) {
    return ProgramCaption(Ids::kDialog, control);
}

QListWidget* GroupList(int control, const char* name, QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setObjectName(QLatin1String(name));
    list->setAccessibleName(Spoken(Caption(control)));
    list->setSortingEnabled(false);
    return list;
}

void Fill(QListWidget& list, const std::vector<BookEntry>& groups) {
    list.clear();
    for (const BookEntry& group : groups) {
        auto* item = new QListWidgetItem(ToQString(group.name), &list);
        item->setData(Qt::UserRole, group.index);
    }
}

// The group index of the list's current item, or -1.
int CurrentGroup(const QListWidget& list) {
    const QListWidgetItem* item = list.currentItem();
    return item && item->isSelected() ? item->data(Qt::UserRole).toInt() : -1;
}

} // namespace

AddressPage::AddressPage(CSmsUserInfo& user, IMessageBox& boxes, IAddressPageDialogs& dialogs,
                         IAddressBookSyncUi& syncUi, QWidget* parent)
    : QWidget(parent), m_syncUi(syncUi), m_logic(user, boxes, dialogs) {
    setObjectName(QStringLiteral("addressPage"));
    m_model = new AddressBookModel(this);
    Build();
    Reload();
}

AddressPage::~AddressPage() {
    m_calls.Cancel();
    m_view->viewport()->removeEventFilter(this);
    m_view->removeEventFilter(this);
}

void AddressPage::Build() {
    m_view = new QTreeView(this);
    m_view->setObjectName(QStringLiteral("contactsTreeView"));
    m_view->setAccessibleName(Caption(Ids::kList));
    m_view->setModel(m_model);
    m_view->setRootIsDecorated(false);
    m_view->setUniformRowHeights(true);
    m_view->setAllColumnsShowFocus(true);
    m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_view->header()->setStretchLastSection(false);
    m_view->header()->setSectionsMovable(false);
    HandleListKeys(
        m_view, [this] { Delete(); }, [this] { EditContact(); });
    m_view->viewport()->installEventFilter(this);
    connect(m_view, &QAbstractItemView::doubleClicked, this, &AddressPage::EditContact);
    connect(m_view->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        UpdateButtons();
        RebuildGroups();
    });

    m_new = ProgramButton(Ids::kDialog, Ids::kNew, "newButton", this);
    m_edit = ProgramButton(Ids::kDialog, Ids::kEdit, "editButton", this);
    m_delete = ProgramButton(Ids::kDialog, Ids::kDelete, "deleteButton", this);
    auto* selectAll = ProgramButton(Ids::kDialog, Ids::kSelectAll, "selectAllButton", this);
    auto* exportButton = ProgramButton(Ids::kDialog, Ids::kExport, "exportButton", this);
    auto* importButton = ProgramButton(Ids::kDialog, Ids::kImport, "importButton", this);
    auto* syncButton = ProgramButton(Ids::kDialog, Ids::kSynchronize, "synchronizeButton", this);
    connect(m_new, &QPushButton::clicked, this, &AddressPage::NewContact);
    connect(m_edit, &QPushButton::clicked, this, &AddressPage::EditContact);
    connect(m_delete, &QPushButton::clicked, this, &AddressPage::Delete);
    connect(selectAll, &QPushButton::clicked, this, &AddressPage::SelectAll);
    connect(exportButton, &QPushButton::clicked, this, &AddressPage::Export);
    connect(importButton, &QPushButton::clicked, this, &AddressPage::Import);
    connect(syncButton, &QPushButton::clicked, this, &AddressPage::Synchronize);

    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {m_new, m_edit, m_delete, selectAll})
        buttons->addWidget(button);
    buttons->addStretch(1);
    for (QPushButton* button : {exportButton, importButton, syncButton})
        buttons->addWidget(button);

    auto* top = new QHBoxLayout;
    top->addWidget(m_view, 1);
    top->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 3);
    layout->addWidget(BuildGroups(), 2);
}

QWidget* AddressPage::BuildGroups() {
    auto* box = new QGroupBox(Caption(Ids::kGroupsBox), this);
    box->setObjectName(QStringLiteral("groupsGroupBox"));
    m_memberOf = GroupList(Ids::kMemberOf, "memberOfListWidget", box);
    m_otherGroups = GroupList(Ids::kOtherGroups, "otherGroupsListWidget", box);
    auto* memberOfLabel = new QLabel(Caption(Ids::kMemberOf), box);
    memberOfLabel->setBuddy(m_memberOf);
    auto* othersLabel = new QLabel(Caption(Ids::kOtherGroups), box);
    othersLabel->setBuddy(m_otherGroups);
    m_addToGroup = ProgramButton(Ids::kDialog, Ids::kAddToGroup, "addToGroupButton", box);
    m_removeFromGroup =
        ProgramButton(Ids::kDialog, Ids::kRemoveFromGroup, "removeFromGroupButton", box);
    connect(m_addToGroup, &QPushButton::clicked, this, &AddressPage::AddToGroup);
    connect(m_removeFromGroup, &QPushButton::clicked, this, &AddressPage::RemoveFromGroup);
    connect(m_otherGroups, &QListWidget::itemDoubleClicked, this, &AddressPage::AddToGroup);
    connect(m_memberOf, &QListWidget::itemDoubleClicked, this, &AddressPage::RemoveFromGroup);

    auto* moves = new QVBoxLayout;
    moves->addStretch(1);
    moves->addWidget(m_addToGroup);
    moves->addWidget(m_removeFromGroup);
    moves->addStretch(1);
    auto* grid = new QGridLayout(box);
    grid->addWidget(memberOfLabel, 0, 0);
    grid->addWidget(othersLabel, 0, 2);
    grid->addWidget(m_memberOf, 1, 0);
    grid->addLayout(moves, 1, 1);
    grid->addWidget(m_otherGroups, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(2, 1);
    return box;
}

void AddressPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    RebuildGroups();
    FitColumns();
}

bool AddressPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_view->viewport() && event->type() == QEvent::Resize)
        FitColumns();
    return QWidget::eventFilter(watched, event);
}

void AddressPage::FitColumns() {
    // The list's width less a scroll bar, whether it shows or not, so the columns stay put.
    const int scrollBar = m_view->verticalScrollBar()->isVisible()
                              ? 0
                              : m_view->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int width = m_view->viewport()->width() - scrollBar;
    m_view->setColumnWidth(AddressBookModel::NameColumn, width * 40 / 100 - 1);
    m_view->setColumnWidth(AddressBookModel::Phone1Column, width * 30 / 100 - 1);
    m_view->setColumnWidth(AddressBookModel::Phone2Column, width * 30 / 100 - 1);
}

std::vector<std::uint32_t> AddressPage::SelectedIds() const {
    std::vector<std::uint32_t> ids;
    for (const QModelIndex& index : m_view->selectionModel()->selectedRows())
        ids.push_back(m_model->IdAt(index.row()));
    return ids;
}

void AddressPage::Select(const std::vector<std::uint32_t>& ids) {
    QItemSelection selection;
    int first = -1;
    for (const std::uint32_t id : ids) {
        const int row = m_model->RowOf(id);
        if (row < 0)
            continue;
        selection.select(m_model->index(row, 0),
                         m_model->index(row, AddressBookModel::ColumnCount - 1));
        first = first < 0 ? row : std::min(first, row);
    }
    QItemSelectionModel* model = m_view->selectionModel();
    if (first >= 0) {
        model->setCurrentIndex(m_model->index(first, 0), QItemSelectionModel::NoUpdate);
        m_view->scrollTo(m_model->index(first, 0));
    }
    model->select(selection, QItemSelectionModel::ClearAndSelect);
    UpdateButtons();
    RebuildGroups();
}

void AddressPage::Reload() {
    const std::vector<std::uint32_t> selected = SelectedIds();
    m_model->SetRows(m_logic.Rows());
    Select(selected);
}

void AddressPage::UpdateButtons() {
    const auto state = AddressPageLogic::ButtonsFor(static_cast<int>(SelectedIds().size()));
    m_edit->setEnabled(state.edit);
    m_delete->setEnabled(state.edit);
    m_addToGroup->setEnabled(state.addToGroup);
    m_removeFromGroup->setEnabled(state.removeFromGroup);
    m_edit->setDefault(state.editIsDefault);
    m_new->setDefault(!state.editIsDefault);
}

void AddressPage::RebuildGroups() {
    const GroupAssignment lists = m_logic.Assignment(SelectedIds());
    Fill(*m_memberOf, lists.memberOf);
    Fill(*m_otherGroups, lists.others);
}

void AddressPage::NewContact() {
    const auto id = m_logic.NewContact();
    if (!id)
        return;
    m_model->SetRows(m_logic.Rows());
    Select({*id});
    m_view->setFocus();
}

void AddressPage::EditContact() {
    const std::vector<std::uint32_t> ids = SelectedIds();
    if (ids.empty())
        return;
    // With several selected, the current row is the one meant.
    const QModelIndex current = m_view->currentIndex();
    const std::uint32_t id =
        current.isValid() &&
                std::find(ids.begin(), ids.end(), m_model->IdAt(current.row())) != ids.end()
            ? m_model->IdAt(current.row())
            : ids.front();
    if (m_logic.EditContact(id))
        Reload();
}

void AddressPage::Delete() {
    const std::vector<std::uint32_t> ids = SelectedIds();
    if (ids.empty())
        return;
    if (m_logic.Delete(ids))
        Reload();
    m_view->setFocus();
}

void AddressPage::SelectAll() {
    m_view->selectAll();
    m_view->setFocus();
}

void AddressPage::AddToGroup() {
    const std::vector<std::uint32_t> ids = SelectedIds();
    const int group = CurrentGroup(*m_otherGroups);
    if (ids.size() == 1 && group >= 0 && m_logic.AddToGroup(ids.front(), group))
        RebuildGroups();
}

void AddressPage::RemoveFromGroup() {
    const std::vector<std::uint32_t> ids = SelectedIds();
    const int group = CurrentGroup(*m_memberOf);
    if (ids.size() == 1 && group >= 0 && m_logic.RemoveFromGroup(ids.front(), group))
        RebuildGroups();
}

void AddressPage::Export() {
    m_logic.Export();
}

void AddressPage::Import() {
    if (m_logic.Import())
        BookChanged();
}

void AddressPage::Synchronize() {
    if (m_calls.IsBusy())
        return;
    m_logic.Synchronize(m_calls, m_syncUi, [this] { BookChanged(); });
}

void AddressPage::BookChanged() {
    Reload();
    emit addressBookChanged();
}
