#pragma once

#include "controls/SmsEditCtrl.h"
#include "frontend/ICallRunner.h"
#include "frontend/ISmsEditOwner.h"
#include "logic/ComposeRequest.h"
#include "logic/SmsPageFlow.h"

#include <QWidget>

#include <memory>

class CSmsUserInfo;
class IMessageBox;
class ISmsPageDialogs;
class QCheckBox;
class QComboBox;
class QProgressBar;
class QPushButton;
class QTreeWidget;

// The compose page: the recipients, the message editor with its emoticons, and sending.
class SmsPage : public QWidget, private ISmsPageView, private ISmsEditOwner {
    Q_OBJECT
public:
    // runner: where the send runs (by default off the window's thread with the window still).
    SmsPage(CSmsUserInfo& user, IMessageBox& boxes, ISmsPageDialogs& dialogs,
            QWidget* parent = nullptr, std::unique_ptr<ICallRunner> runner = {});
    ~SmsPage() override;

    // The archive's "forward": the editor gets the text and the flash state.
    void Forward(const QString& text, bool flash);
    // A message asked for from outside (an sms: link): its numbers and its text (UTF-8).
    void Compose(const ComposeRequest& request);

    SmsPageFlow& Flow() { return *m_flow; }
    CSmsEditCtrl& Editor() { return m_editor; }

signals:
    // A send paid with portal credits changed the credit.
    void creditChanged();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // ISmsPageView
    ComposedMessage Message() const override;
    void ShowEntries(const std::vector<RecipientEntry>& entries) override;
    void ShowHistory(const std::vector<std::string>& history) override;
    void ShowSending(bool sending) override;
    void ClearMessage(int dummyTextLength) override;
    void CreditChanged() override;
    // ISmsEditOwner
    bool OnSmsAbort(char key) override;

    void CreateControls();
    QWidget* CreateEmoticons();
    void LayOut();
    void AddTyped();
    void RemoveSelected();
    void TypeIntoEditor(const QString& text);
    void SetAddResult(SmsPageFlow::AddResult result);

    CSmsEditCtrl m_editor{480, 160};
    QComboBox* m_recipientCombo = nullptr;
    QPushButton* m_addButton = nullptr;
    QPushButton* m_fromBookButton = nullptr;
    QTreeWidget* m_recipientTree = nullptr;
    QCheckBox* m_sendLaterBox = nullptr;
    QPushButton* m_sendButton = nullptr;
    QProgressBar* m_busyBar = nullptr;
    QWidget* m_emoticons = nullptr;
    std::unique_ptr<SmsPageFlow> m_flow;
    // Last: cancels a running send before anything it uses goes.
    std::unique_ptr<ICallRunner> m_runner;
};
