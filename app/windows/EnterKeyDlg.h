#pragma once

#include <QDialog>

#include <optional>

class QButtonGroup;

// What the Enter key does while a message is written (CSmsUserInfo::EnterKeyMode).
class EnterKeyDlg : public QDialog {
    Q_OBJECT
public:
    explicit EnterKeyDlg(int mode, QWidget* parent = nullptr);

    // The mode chosen on OK, nothing on cancel.
    static std::optional<int> Ask(int mode, QWidget* parent);
    int Mode() const;

private:
    QButtonGroup* m_modes = nullptr;
};
