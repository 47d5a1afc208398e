#pragma once

#include "QuillonControlsExport.h"
#include "frontend/CreditReloadFlow.h"
#include "frontend/ICallRunner.h"
#include "frontend/ICreditAccount.h"
#include "frontend/IMessageBox.h"
#include "frontend/ServiceErrorText.h"
#include "model/StringTable.h"

#include <QDialog>

#include <memory>

class CSmsUserInfo;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The two-step credit reload ("Reload Credit"): the user picks an amount, perhaps paid with club
// points, sends the request, receives a check code by SMS and types it to confirm. The window
// only shows CreditReloadFlow's view and forwards what the user does. Texts are the core's; the
// texts of service errors come from the host program's table.
class QUILLON_CONTROLS_EXPORT CCreditDlg : public QDialog {
    Q_OBJECT
public:
    // The user's own credit calls, message boxes titled with the application's display name,
    // service calls on a thread of their own. The user and the host table are not owned and
    // must outlive the dialog.
    CCreditDlg(CSmsUserInfo* user, const StringTable& hostStrings, ServiceErrorIds errorIds = {},
               QWidget* parent = nullptr);
    // Every part given (tests, the gallery): account, table and boxes must outlive the dialog.
    // Without a runner the dialog runs its calls on a thread of its own (WindowCallRunner).
    CCreditDlg(ICreditAccount& account, const StringTable& hostStrings, ServiceErrorIds errorIds,
               IMessageBox& boxes, QWidget* parent = nullptr,
               std::unique_ptr<ICallRunner> runner = nullptr);
    ~CCreditDlg() override;

    // QDialog::Accepted after a confirmed reload, QDialog::Rejected otherwise.
    int DoModal();
    const CreditReloadFlow& Flow() const { return *m_flow; }

protected:
    // The amounts are fetched once the window is first shown.
    void showEvent(QShowEvent* event) override;
    // Close, Escape and the window's close button: a running call is cancelled, and while a
    // request is pending the user is asked first.
    void reject() override;

private:
    void Build(ICreditAccount& account, ServiceErrorText errors, IMessageBox& boxes,
               std::unique_ptr<ICallRunner> runner);
    void CreateControls();
    void LayOut();
    void Connect();
    void ShowView();

    // The controls, in the order of the dialog's template.
    QComboBox* m_pointsCombo = nullptr;
    QLineEdit* m_codeEdit = nullptr;
    QComboBox* m_amountCombo = nullptr;
    QCheckBox* m_clubCheck = nullptr;
    QLabel* m_explanationLabel = nullptr;
    QLabel* m_amountLabel = nullptr;
    QLabel* m_pointsLabel = nullptr;
    QLabel* m_codeLabel = nullptr;
    QPushButton* m_reloadButton = nullptr;
    QPushButton* m_verifyButton = nullptr;
    QPushButton* m_closeButton = nullptr;

    bool m_started = false;
    bool m_wasChoosing = true;
    bool m_ended = false;
    std::unique_ptr<ICreditAccount> m_ownAccount;
    std::unique_ptr<IMessageBox> m_ownBoxes;
    std::unique_ptr<CreditReloadFlow> m_flow;
    // Last, so it goes first: a running call is cancelled before what it works on.
    std::unique_ptr<ICallRunner> m_runner;
};
