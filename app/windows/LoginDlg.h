#pragma once

#include "logic/ILoginDialogs.h"

#include <QDialog>

#include <optional>

class QLineEdit;
class QPushButton;
class QShowEvent;

// The login dialog ("Login do Velora"): login name and password. It starts from the login's
// view and, after OK, hands back what was typed and whether the password field was touched, so
// a held password shown as stars is kept unless the user changed it.
class LoginDlg : public QDialog {
    Q_OBJECT
public:
    explicit LoginDlg(const LoginDlgView& view, QWidget* parent = nullptr);

    int DoModal() { return exec(); }
    // What the user typed; nothing unless the dialog ended with OK.
    std::optional<LoginDlgAnswer> Answer() const;

protected:
    // Centred over the parent (or the screen) and then moved down, out of the splash's middle.
    void showEvent(QShowEvent* event) override;

private:
    void CreateControls();
    void LayOut();
    void Place();

    QLineEdit* m_nameEdit = nullptr;
    QLineEdit* m_passwordEdit = nullptr;
    QPushButton* m_okButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
    bool m_passwordEdited = false;
    bool m_placed = false;
};
