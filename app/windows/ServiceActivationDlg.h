#pragma once

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;

// The activation of the postpaid service: its terms of use, what to do, and the check string the
// service sent by SMS. OK is enabled once a check string is typed.
class ServiceActivationDlg : public QDialog {
    Q_OBJECT
public:
    // terms: ANSI, as the service gave them.
    explicit ServiceActivationDlg(const std::string& terms, QWidget* parent = nullptr);

    // The check string (ANSI).
    std::string Code() const;

private:
    QPlainTextEdit* m_terms = nullptr;
    QLineEdit* m_code = nullptr;
};
