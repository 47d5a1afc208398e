#pragma once

#include <functional>

class QWidget;

// Delete on a page's list deletes what is selected and Enter opens it (edit, details): the keys
// are taken before the list's own handling.
void HandleListKeys(QWidget* list, std::function<void()> remove, std::function<void()> open);
