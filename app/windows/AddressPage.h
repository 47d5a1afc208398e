#pragma once

#include "controls/WindowCallRunner.h"
#include "logic/AddressPageLogic.h"

#include <QWidget>

#include <cstdint>
#include <vector>

class AddressBookModel;
class CSmsUserInfo;
class IAddressBookSyncUi;
class IAddressPageDialogs;
class IMessageBox;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTreeView;

// The contacts page of the main window: the contacts sorted by name; new, edit and delete;
// the selected contact's groups; the export to CSV, the import and the synchronisation with
// the server's address book.
class AddressPage : public QWidget {
    Q_OBJECT
public:
    // user, boxes, dialogs and syncUi must outlive the page.
    AddressPage(CSmsUserInfo& user, IMessageBox& boxes, IAddressPageDialogs& dialogs,
                IAddressBookSyncUi& syncUi, QWidget* parent = nullptr);
    ~AddressPage() override;

    AddressBookModel* Model() const { return m_model; }
    std::vector<std::uint32_t> SelectedIds() const;
    // Selects these contacts (and scrolls to the first); the rest lose their selection.
    void Select(const std::vector<std::uint32_t>& ids);

public slots:
    // The list and the group assignment from the book again, the selection kept.
    void Reload();
    void NewContact();
    void EditContact();
    void Delete();
    void SelectAll();
    void AddToGroup();
    void RemoveFromGroup();
    void Export();
    void Import();
    void Synchronize();

signals:
    // The book changed as a whole (import, synchronisation): the groups page reloads.
    void addressBookChanged();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Build();
    QWidget* BuildGroups();
    void FitColumns();
    void UpdateButtons();
    void RebuildGroups();
    void BookChanged();

    IAddressBookSyncUi& m_syncUi;
    AddressPageLogic m_logic;
    AddressBookModel* m_model = nullptr;
    QTreeView* m_view = nullptr;
    QPushButton* m_new = nullptr;
    QPushButton* m_edit = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_addToGroup = nullptr;
    QPushButton* m_removeFromGroup = nullptr;
    QListWidget* m_memberOf = nullptr;
    QListWidget* m_otherGroups = nullptr;
    // Last: a synchronisation in progress is cancelled before anything it uses goes.
    WindowCallRunner m_calls{this};
};
