#pragma once

#include "QuillonControlsExport.h"

#include <QDialog>

class CSmsUserInfo;
class QCheckBox;
class QLabel;

// The service-activation notice: a hint to a user without postpaid sending that customers with
// a monthly plan can switch to cheaper sending in the settings, with a box to stop showing it.
// Its texts are always the core's own, whichever program shows it.
class QUILLON_CONTROLS_EXPORT CSaDlg : public QDialog {
    Q_OBJECT
public:
    explicit CSaDlg(QWidget* parent = nullptr);

    // The dialog's result; the caller reads the box afterwards.
    virtual int DoModal();
    // Whether the user ticked "do not show again" (taken when the notice is accepted).
    int DontShowAgain() const { return m_dontShowAgain; }

    // The rule of the hosts after login and KvwsGetServices (SaNotice::Offer) with this dialog
    // over parent. Returns whether the notice was shown.
    static bool Offer(CSmsUserInfo& user, QWidget* parent);

protected:
    void accept() override;

private:
    QLabel* m_iconLabel = nullptr;
    QCheckBox* m_dontShowAgainCheck = nullptr;
    int m_dontShowAgain = 0;
};
