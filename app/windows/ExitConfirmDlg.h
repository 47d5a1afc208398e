#pragma once

#include "logic/ExitRule.h"

#include <QDialog>

class CSmsConfig;
class QCheckBox;
class QPushButton;

// The question the exit button asks while ConfirmExit is on: "Áno" ends the program, "Nie" (the
// default, also for Enter and Escape) keeps it running; the box stops the question for the
// future.
class ExitConfirmDlg : public QDialog {
    Q_OBJECT
public:
    explicit ExitConfirmDlg(QWidget* parent = nullptr);

    // Shows the dialog modally and returns what the user gave.
    ExitAnswer Ask();

    // The exit button's rule (DecideExit) with this dialog over parent; stores the ConfirmExit
    // setting it leaves in config. Returns whether the program ends.
    static bool ExitButton(CSmsConfig& config, QWidget* parent);

private:
    QPushButton* AddButton(int control, const char* name);

    QCheckBox* m_dontAskAgainCheck = nullptr;
};
