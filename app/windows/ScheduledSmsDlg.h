#pragma once

#include "frontend/ICallRunner.h"
#include "frontend/IMessageBox.h"
#include "frontend/SmsAutoComplete.h"
#include "logic/ScheduledSmsEdit.h"

#include <QDialog>

#include <memory>

class CSmsEditCtrl;
class CSmsUserInfo;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

// The scheduled message ("SMS s oneskoreným doručením"): its name, schedule, report, text,
// flash and recipients; "Uložiť zmeny" replaces it at the service (ScheduledSmsEdit).
class ScheduledSmsDlg : public QDialog {
    Q_OBJECT
public:
    // User and boxes must outlive the dialog; without a runner the call runs on a thread of
    // its own (WindowCallRunner).
    ScheduledSmsDlg(CSmsUserInfo& user, IMessageBox& boxes, ScheduledSms message,
                    QWidget* parent = nullptr, std::unique_ptr<ICallRunner> runner = nullptr);
    ~ScheduledSmsDlg() override;

    // True when the message was replaced (or only renamed); then message is what the archive
    // item is to become.
    static bool Edit(CSmsUserInfo& user, IMessageBox& boxes, ScheduledSms& message,
                     QWidget* parent);

    const ScheduledSmsEdit& Editing() const { return *m_edit; }
    // The outcome of the last "Uložiť zmeny".
    ScheduledSmsEdit::SaveOutcome Outcome() const { return m_outcome; }

protected:
    void accept() override;

private:
    void CreateControls(CSmsUserInfo& user);
    void LayOut();
    void ShowSchedule();
    void ShowRecipients();
    void AddTyped();
    void RemoveSelected();
    void ChangeSchedule();

    ScheduledSmsEdit::SaveOutcome m_outcome = ScheduledSmsEdit::SaveOutcome::Unchanged;
    QLineEdit* m_nameLineEdit = nullptr;
    QLabel* m_timeLabel = nullptr;
    QLabel* m_periodLabel = nullptr;
    QPushButton* m_changeButton = nullptr;
    QCheckBox* m_reportCheckBox = nullptr;
    CSmsEditCtrl* m_editor = nullptr;
    QLabel* m_flashLabel = nullptr;
    QComboBox* m_recipientComboBox = nullptr;
    QPushButton* m_addButton = nullptr;
    QTreeWidget* m_recipientsTreeWidget = nullptr;
    QPushButton* m_removeButton = nullptr;
    CSmsAutoComplete m_completion;
    std::unique_ptr<ScheduledSmsEdit> m_edit;
    // Last, so it goes first: a running call is cancelled before what it works on.
    std::unique_ptr<ICallRunner> m_runner;
};
