#pragma once

#include "logic/AddressBookEntries.h"

#include <QDialog>

class IMessageBox;
class QFormLayout;
class QLineEdit;

// The contact dialog: name and two numbers; OK checks the numbers (ContactEdit) and stays
// open on the field that is wrong.
class ContactDlg : public QDialog {
    Q_OBJECT
public:
    // boxes must outlive the dialog.
    ContactDlg(const ContactFields& fields, bool isNew, IMessageBox& boxes,
               QWidget* parent = nullptr);

    // The fields as typed (ANSI).
    ContactFields Fields() const;

    // Runs the dialog; true on OK, then fields holds what was entered and checked.
    static bool Edit(ContactFields& fields, bool isNew, IMessageBox& boxes, QWidget* parent);

    void accept() override;

private:
    QLineEdit* AddField(QFormLayout& form, int label, const char* name, int maxLength,
                        const std::string& text);

    IMessageBox& m_boxes;
    ContactFields m_checked;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_phone1 = nullptr;
    QLineEdit* m_phone2 = nullptr;
};
