#include "windows/GroupPage.h"

#include "controls/ControlsText.h"
#include "logic/AddressPageCaptions.h"
#include "windows/ListKeys.h"
#include "windows/ProgramText.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

namespace Ids = ProgramCaptions::Groups;

QString Caption(int control) {
    return ProgramCaption(Ids::kDialog, control);
}

QListWidget* List(int control, const char* name, QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setObjectName(QLatin1String(name));
    list->setAccessibleName(Spoken(Caption(control)));
    return list;
}

QListWidgetItem* AddItem(QListWidget& list, const std::string& name, const QVariant& data) {
    auto* item = new QListWidgetItem(ToQString(name), &list);
    item->setData(Qt::UserRole, data);
    return item;
}

const QListWidgetItem* Chosen(const QListWidget& list) {
    const QListWidgetItem* item = list.currentItem();
    return item && item->isSelected() ? item : nullptr;
}

} // namespace

GroupPage::GroupPage(CSmsUserInfo& user, IMessageBox& boxes, IAddressPageDialogs& dialogs,
                     QWidget* parent)
    : QWidget(parent), m_logic(user, boxes, dialogs) {
    setObjectName(QStringLiteral("groupPage"));
    Build();
    Reload();
}

void GroupPage::Build() {
    m_groups = List(Ids::kGroups, "groupsListWidget", this);
    m_members = List(Ids::kMembers, "membersListWidget", this);
    m_people = List(Ids::kPeople, "peopleListWidget", this);
    HandleListKeys(
        m_groups, [this] { DeleteGroup(); }, [this] { EditGroup(); });
    connect(m_groups, &QListWidget::itemSelectionChanged, this, [this] {
        UpdateButtons();
        RebuildMembers();
    });
    connect(m_groups, &QListWidget::itemDoubleClicked, this, &GroupPage::EditGroup);
    connect(m_people, &QListWidget::itemDoubleClicked, this, &GroupPage::AddMember);
    connect(m_members, &QListWidget::itemDoubleClicked, this, &GroupPage::RemoveMember);

    auto* newButton = ProgramButton(Ids::kDialog, Ids::kNew, "newButton", this);
    m_edit = ProgramButton(Ids::kDialog, Ids::kEdit, "editButton", this);
    m_delete = ProgramButton(Ids::kDialog, Ids::kDelete, "deleteButton", this);
    m_add = ProgramButton(Ids::kDialog, Ids::kAddMember, "addMemberButton", this);
    m_remove = ProgramButton(Ids::kDialog, Ids::kRemoveMember, "removeMemberButton", this);
    connect(newButton, &QPushButton::clicked, this, &GroupPage::NewGroup);
    connect(m_edit, &QPushButton::clicked, this, &GroupPage::EditGroup);
    connect(m_delete, &QPushButton::clicked, this, &GroupPage::DeleteGroup);
    connect(m_add, &QPushButton::clicked, this, &GroupPage::AddMember);
    connect(m_remove, &QPushButton::clicked, this, &GroupPage::RemoveMember);

    auto* groupButtons = new QHBoxLayout;
    for (QPushButton* button : {newButton, m_edit, m_delete})
        groupButtons->addWidget(button);
    groupButtons->addStretch(1);
    auto* moves = new QVBoxLayout;
    moves->addStretch(1);
    moves->addWidget(m_add);
    moves->addWidget(m_remove);
    moves->addStretch(1);

    const auto label = [this](int control, QWidget* buddy) {
        auto* caption = new QLabel(Caption(control), this);
        caption->setBuddy(buddy);
        return caption;
    };
    auto* grid = new QGridLayout(this);
    grid->addWidget(label(Ids::kGroups, m_groups), 0, 0);
    grid->addWidget(m_groups, 1, 0);
    grid->addLayout(groupButtons, 2, 0);
    grid->addWidget(label(Ids::kMembers, m_members), 0, 1);
    grid->addWidget(m_members, 1, 1, 2, 1);
    grid->addLayout(moves, 1, 2, 2, 1);
    grid->addWidget(label(Ids::kPeople, m_people), 0, 3);
    grid->addWidget(m_people, 1, 3, 2, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(1, 1);
    setTabOrder(m_groups, newButton);
}

void GroupPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    RebuildMembers();
}

int GroupPage::SelectedGroup() const {
    const QListWidgetItem* item = Chosen(*m_groups);
    return item ? item->data(Qt::UserRole).toInt() : -1;
}

void GroupPage::SelectGroup(int group) {
    m_groups->clearSelection();
    for (int row = 0; row < m_groups->count(); ++row) {
        QListWidgetItem* item = m_groups->item(row);
        if (item->data(Qt::UserRole).toInt() == group) {
            m_groups->setCurrentItem(item, QItemSelectionModel::ClearAndSelect);
            m_groups->scrollToItem(item);
        }
    }
    UpdateButtons();
    RebuildMembers();
}

void GroupPage::Reload() {
    const int selected = SelectedGroup();
    {
        const QSignalBlocker quiet(m_groups);
        m_groups->clear();
        for (const BookEntry& group : m_logic.Groups())
            AddItem(*m_groups, group.name, group.index);
    }
    SelectGroup(selected);
}

void GroupPage::RebuildMembers() {
    const MemberLists lists = m_logic.Members(SelectedGroup());
    m_members->clear();
    for (const std::string& member : lists.members)
        AddItem(*m_members, member, ToQString(member));
    m_people->clear();
    for (const BookEntry& person : lists.people)
        AddItem(*m_people, person.name, person.index);
}

void GroupPage::UpdateButtons() {
    const bool selected = SelectedGroup() >= 0;
    for (QPushButton* button : {m_edit, m_delete, m_add, m_remove})
        button->setEnabled(selected);
}

void GroupPage::NewGroup() {
    if (const auto group = m_logic.NewGroup()) {
        Reload();
        SelectGroup(*group);
    }
}

void GroupPage::EditGroup() {
    const int group = SelectedGroup();
    if (group >= 0 && m_logic.EditGroup(group)) {
        Reload();
        SelectGroup(group);
    }
}

void GroupPage::DeleteGroup() {
    const int group = SelectedGroup();
    if (group >= 0 && m_logic.DeleteGroup(group)) {
        m_groups->clearSelection();
        Reload();
    }
}

void GroupPage::AddMember() {
    const int group = SelectedGroup();
    const QListWidgetItem* person = Chosen(*m_people);
    if (group >= 0 && person && m_logic.AddMember(group, person->data(Qt::UserRole).toInt()))
        RebuildMembers();
}

void GroupPage::RemoveMember() {
    const int group = SelectedGroup();
    const QListWidgetItem* member = Chosen(*m_members);
    if (group >= 0 && member &&
        m_logic.RemoveMember(group, ToAnsi(member->data(Qt::UserRole).toString())))
        RebuildMembers();
}
