#pragma once

#include <QDialog>

class CSmsAddressBook;
class IMessageBox;

// The address book import: the dialog with its options, then the reading of the chosen file into
// the address book with the questions the records raise.
class ImportDlg : public QDialog {
    Q_OBJECT
public:
    // Runs the dialog and the import; true when the book may have changed (the caller reloads
    // its lists and saves the profile).
    static bool Run(CSmsAddressBook& book, IMessageBox& boxes, QWidget* parent);
};
