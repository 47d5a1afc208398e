#pragma once

#include "logic/SmsDetails.h"

#include <QDialog>

class QFormLayout;

// The details of an archived message sent at once: to one recipient with its number and state,
// or to a group or several recipients with a list of them and their delivery times.
class SmsDetailsDlg : public QDialog {
    Q_OBJECT
public:
    explicit SmsDetailsDlg(const SmsDetails& details, QWidget* parent = nullptr);

    // The dialog's id: one recipient or a group.
    static int DialogOf(const SmsDetails& details);

private:
    void AddValue(QFormLayout* form, int label, const std::string& value, const char* name);
    QWidget* RecipientList(const SmsDetails& details);

    int m_dialog;
};
