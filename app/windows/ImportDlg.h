#pragma once

#include "logic/AddressImport.h"

#include <QDialog>

#include <memory>

class CSmsAddressBook;
class IMessageBox;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QProgressDialog;
class QPushButton;

// The address book import: the dialog with its options, then the reading of the chosen file into
// the address book with the questions the records raise.
//
// The reading runs in steps from the event loop under a progress dialog rather than on a worker
// thread: every record may stop for a question or the alternative-number dialog, which belong to
// the window's thread anyway, and the address book is only ever touched there.
class ImportDlg : public QDialog {
    Q_OBJECT
public:
    ImportDlg(IMessageBox& boxes, QWidget* parent = nullptr);

    // Runs the dialog and the import; true when the book may have changed (the caller reloads
    // its lists and saves the profile).
    static bool Run(CSmsAddressBook& book, IMessageBox& boxes, QWidget* parent);
    // Reads the file into the book under a progress dialog; true when the book may have changed.
    static bool Import(CSmsAddressBook& book, IMessageBox& boxes, const ImportOptions& options,
                       const QString& fileName, QWidget* parent);
    // The progress dialog of an import (object name importProgressDialog), not shown yet.
    static std::unique_ptr<QProgressDialog> MakeProgressDialog(QWidget* parent);

    ImportOptions Options() const;
    QString FileName() const;
    // Puts the dialog into a state, as the gallery shows it.
    void SetFileType(ImportFileType type);
    void SetFileName(const QString& fileName);

    void accept() override;

private:
    void UpdateOffers();
    void Browse();

    IMessageBox& m_boxes;
    QComboBox* m_type = nullptr;
    QLineEdit* m_fileName = nullptr;
    QCheckBox* m_skipFirstLine = nullptr;
    QButtonGroup* m_duplicates = nullptr;
    QButtonGroup* m_noMobile = nullptr;
};
