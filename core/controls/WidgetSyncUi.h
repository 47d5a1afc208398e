#pragma once

#include "QuillonControlsExport.h"
#include "frontend/IMessageBox.h"
#include "frontend/QuestionRelay.h"
#include "frontend/ServiceErrorText.h"
#include "model/StringTable.h"
#include "service/AddressBookSyncUi.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>

class SyncChoiceDlg;
class SyncProgressWnd;

// The synchronisation's dialogs and messages for people. A synchronisation may run on a worker
// thread (so the window keeps painting): every method called there shows its dialog on the
// thread this object lives on, the user-interface thread, and waits for the answer; called on
// that thread it shows it directly. Message boxes go through boxes, service texts come from the
// program's own string table.
class QUILLON_CONTROLS_EXPORT WidgetSyncUi : public QObject, public IAddressBookSyncUi {
    Q_OBJECT
public:
    // Built on the user-interface thread; boxes and the table must outlive this object.
    WidgetSyncUi(IMessageBox& boxes, const StringTable& programTexts, QWidget* parent);
    // Abandons. The run must be over before this object goes (the window ends it first).
    ~WidgetSyncUi() override;

    // On the user-interface thread, when the window goes: every question, open or to come,
    // answers "end the run" at once (the mode: nothing; a conflict: EndSync) and nothing more is
    // shown, so the worker never waits for a window that is gone. The progress window goes.
    void Abandon();

    std::optional<CAddressBookSync::ManualSyncMode> AskMode() override;
    void ShowDuplicates(const std::string& first, const std::string& second) override;
    void ShowProgress(bool shown) override;
    NumberConflictChoice AskNumberConflict(const std::string& contactName,
                                           const std::string& aliasName) override;
    NameConflictChoice AskNameConflict(const std::string& name, const std::string& obkNumber,
                                       const std::string& localNumbers) override;
    void ShowErrors(const std::string& lines) override;
    void ShowFetchRefused(int status) override;
    void ShowFinished(bool completed) override;
    void ShowDbError() override;
    void ShowSoapError(const CKvwsSoapException& error) override;
    std::string StatusText(int status) const override;

    // The progress window while it is shown, for tests and the screenshots.
    QWidget* ProgressWindow() const;

    // The questions' dialogs as the methods above show them (texts ANSI), for the screenshots.
    static std::unique_ptr<SyncChoiceDlg> ModeDialog(QWidget* parent);
    static std::unique_ptr<SyncChoiceDlg> NumberConflictDialog(const std::string& contactName,
                                                               const std::string& aliasName,
                                                               QWidget* parent);
    static std::unique_ptr<SyncChoiceDlg> NameConflictDialog(const std::string& name,
                                                             const std::string& obkNumber,
                                                             const std::string& localNumbers,
                                                             QWidget* parent);

private:
    // Runs show on this object's thread, the progress window hidden meanwhile, and returns its
    // answer; fallback at once when the run is abandoned. show owns what it shows: the caller
    // may be gone when it returns.
    int OnUiThread(std::function<int()> show, int fallback = -1);
    int Present(const std::function<int()>& show);
    void ShowBox(const IMessageBox::Request& request);
    void SetProgress(bool shown);

    IMessageBox& m_boxes;
    ServiceErrorText m_errors;
    QPointer<QWidget> m_parent;
    // The progress window belongs to the parent window, which may close while it is shown.
    QPointer<SyncProgressWnd> m_progress;
    bool m_waitCursor = false;
    QuestionRelay m_relay;
};
