#pragma once

#include "frontend/RecipientEntry.h"

#include <QIcon>

#include <vector>

class QTreeWidget;

// The picture of an entry's kind: a number, a contact, a group.
QIcon RecipientKindIcon(RecipientEntry::Kind kind);
// A one-column list of recipients titled "Príjemcovia", with multiple selection when asked.
QTreeWidget* NewRecipientTree(QWidget* parent, const char* objectName, int width, bool multiple);
// The rows of the list: one per entry, its picture and display text.
void ShowRecipientRows(QTreeWidget* tree, const std::vector<RecipientEntry>& entries);
// The indexes of the selected rows, ascending.
std::vector<int> SelectedRows(const QTreeWidget* tree);
