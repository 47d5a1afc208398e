#include "windows/RecipientRows.h"

#include "controls/ControlsText.h"
#include "logic/ProgramStrings.h"
#include "logic/SmsPageStrings.h"

#include <QHeaderView>
#include <QTreeWidget>

#include <algorithm>

QIcon RecipientKindIcon(RecipientEntry::Kind kind) {
    static const char* const kNames[] = {"number", "contact", "group"};
    return QIcon(QStringLiteral(":/quillon/app/smspage/kind-%1.svg")
                     .arg(QLatin1String(kNames[static_cast<int>(kind)])));
}

QTreeWidget* NewRecipientTree(QWidget* parent, const char* objectName, int width, bool multiple) {
    auto* tree = new QTreeWidget(parent);
    tree->setObjectName(QLatin1String(objectName));
    const QString title = FromUtf8(
        std::string(ProgramStrings().GetUtf8(SmsPageString::RecipientsColumn).value_or("")));
    tree->setHeaderLabels({title});
    tree->setAccessibleName(title);
    tree->setRootIsDecorated(false);
    tree->setUniformRowHeights(true);
    tree->setSelectionMode(multiple ? QAbstractItemView::ExtendedSelection
                                    : QAbstractItemView::SingleSelection);
    tree->header()->setStretchLastSection(true);
    tree->setMinimumWidth(width);
    return tree;
}

void ShowRecipientRows(QTreeWidget* tree, const std::vector<RecipientEntry>& entries) {
    tree->clear();
    for (const RecipientEntry& entry : entries) {
        auto* row = new QTreeWidgetItem(tree, {ToQString(entry.display)});
        row->setIcon(0, RecipientKindIcon(entry.kind));
    }
}

std::vector<int> SelectedRows(const QTreeWidget* tree) {
    std::vector<int> rows;
    for (const QTreeWidgetItem* item : tree->selectedItems())
        rows.push_back(tree->indexOfTopLevelItem(const_cast<QTreeWidgetItem*>(item)));
    std::sort(rows.begin(), rows.end());
    return rows;
}
