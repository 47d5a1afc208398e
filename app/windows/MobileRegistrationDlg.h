#pragma once

#include "frontend/ICallRunner.h"
#include "frontend/IMessageBox.h"
#include "logic/IMobileAccount.h"
#include "logic/MobileRegistrationFlow.h"
#include "model/StringTable.h"

#include <QDialog>

#include <memory>

class QLineEdit;
class QPushButton;

// The registration of the mobile number ("Registrácia mobilného čísla"): the user sends a
// request for the number, receives a check string by SMS and verifies it. The window only shows
// MobileRegistrationFlow's view and forwards what the user does.
class MobileRegistrationDlg : public QDialog {
    Q_OBJECT
public:
    // Account, table and boxes must outlive the dialog. Without a runner the dialog runs its
    // calls on a thread of its own (WindowCallRunner).
    MobileRegistrationDlg(IMobileAccount& account, const StringTable& strings, IMessageBox& boxes,
                          QWidget* parent = nullptr, std::unique_ptr<ICallRunner> runner = nullptr);
    ~MobileRegistrationDlg() override;

    // QDialog::Accepted once the number is registered, QDialog::Rejected otherwise.
    int DoModal() { return exec(); }
    const MobileRegistrationFlow& Flow() const { return *m_flow; }

protected:
    // The close button, Escape and the window's close button: a running call is cancelled, and
    // while a request is pending the user is asked first.
    void reject() override;

private:
    void CreateControls();
    void LayOut();
    void Connect();
    void ShowView();

    QLineEdit* m_numberEdit = nullptr;
    QLineEdit* m_codeEdit = nullptr;
    QPushButton* m_sendButton = nullptr;
    QPushButton* m_verifyButton = nullptr;
    QPushButton* m_closeButton = nullptr;

    bool m_wasEntering = true;
    bool m_ended = false;
    std::unique_ptr<MobileRegistrationFlow> m_flow;
    // Last, so it goes first: a running call is cancelled before what it works on.
    std::unique_ptr<ICallRunner> m_runner;
};
