#pragma once

#include <QDialog>

#include <string>

class QLineEdit;

// The group dialog: the group's name.
class GroupDlg : public QDialog {
    Q_OBJECT
public:
    GroupDlg(const std::string& name, bool isNew, QWidget* parent = nullptr);

    // The name as typed (ANSI).
    std::string Name() const;

    // Runs the dialog; true on OK, then name holds what was typed.
    static bool Edit(std::string& name, bool isNew, QWidget* parent);

private:
    QLineEdit* m_name = nullptr;
};
