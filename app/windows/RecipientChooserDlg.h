#pragma once

#include "frontend/RecipientList.h"
#include "logic/ChooserLines.h"

#include <QDialog>

#include <vector>

class CSmsAddressBook;
class QListWidget;
class QTreeWidget;

// Chooses the recipients of a message from the address book: contacts (a line per number) and
// groups on the left, the chosen entries on the right.
class RecipientChooserDlg : public QDialog {
    Q_OBJECT
public:
    // The book is read here only; chosen: the entries the list starts with.
    RecipientChooserDlg(const CSmsAddressBook& book, const std::vector<RecipientEntry>& chosen,
                        QWidget* parent = nullptr);

    const std::vector<RecipientEntry>& Chosen() const { return m_chosen.Entries(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QListWidget* NewLineList(const std::vector<ChooserLine>& lines, const char* name, int label);
    void AddSelected(QListWidget* list, const std::vector<ChooserLine>& lines);
    void RemoveSelected();
    void ShowChosen();

    std::vector<ChooserLine> m_contactLines;
    std::vector<ChooserLine> m_groupLines;
    RecipientList m_chosen;
    QListWidget* m_contacts = nullptr;
    QListWidget* m_groups = nullptr;
    QTreeWidget* m_chosenTree = nullptr;
};
