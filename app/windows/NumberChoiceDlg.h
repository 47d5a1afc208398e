#pragma once

#include "frontend/RecipientList.h"

#include <QDialog>

#include <optional>

class CSmsAddressBookItem;
class QRadioButton;

// Which of a contact's two numbers goes into the recipient list.
class NumberChoiceDlg : public QDialog {
    Q_OBJECT
public:
    NumberChoiceDlg(const CSmsAddressBookItem& contact, QWidget* parent = nullptr);

    RecipientList::NumberChoice Choice() const;
    // Shows the dialog modally; nothing when the user chose not to add a number.
    static std::optional<RecipientList::NumberChoice> Ask(const CSmsAddressBookItem& contact,
                                                          QWidget* parent);

private:
    QRadioButton* m_first = nullptr;
    QRadioButton* m_second = nullptr;
};
