#include "controls/WidgetSyncUi.h"

#include "controls/ControlsText.h"
#include "controls/SyncChoiceDlg.h"
#include "controls/SyncErrorDlg.h"
#include "controls/SyncProgressWnd.h"
#include "model/CoreCaptions.h"
#include "model/CoreTexts.h"
#include "model/Utilities.h"

#include <QApplication>
#include <QMetaObject>
#include <QThread>

namespace {

using Fact = SyncChoiceDlg::Fact;

// While a question is open the pointer is the normal one, also when the wait cursor of a
// running service call or of the progress window is in force.
class NormalCursor {
public:
    NormalCursor() { QApplication::setOverrideCursor(Qt::ArrowCursor); }
    ~NormalCursor() { QApplication::restoreOverrideCursor(); }
    NormalCursor(const NormalCursor&) = delete;
    NormalCursor& operator=(const NormalCursor&) = delete;
};

// Runs a dialog modally. When the window closes meanwhile it deletes the dialog with it: then the
// dialog is not deleted a second time here.
template <class Dialog, class Run> int RunModal(std::unique_ptr<Dialog> dialog, Run run) {
    const NormalCursor cursor;
    const QPointer<Dialog> alive(dialog.get());
    const int result = run(*dialog);
    if (!alive)
        (void)dialog.release();
    return result;
}

int Ask(std::unique_ptr<SyncChoiceDlg> dialog) {
    return RunModal(std::move(dialog), [](SyncChoiceDlg& shown) { return shown.Choose(); });
}

// The answer at index of choices, or fallback for a cancelled dialog.
template <class Choice, std::size_t N>
Choice Pick(int index, const Choice (&choices)[N], Choice fallback) {
    return index >= 0 && static_cast<std::size_t>(index) < N ? choices[index] : fallback;
}

} // namespace

WidgetSyncUi::WidgetSyncUi(IMessageBox& boxes, const StringTable& programTexts, QWidget* parent)
    : m_boxes(boxes), m_errors(programTexts), m_parent(parent) {}

WidgetSyncUi::~WidgetSyncUi() {
    Abandon();
}

// The progress window goes before the worker is released, so the run never sees it again.
void WidgetSyncUi::Abandon() {
    SetProgress(false);
    m_relay.Abandon();
}

// The worker does not wait with a blocking call: the question is posted, and the relay lets
// Abandon release the worker while the question's dialog is still open. Posted to the
// application, so this object may go while the question is up; an abandoned reply is closed, so
// a question still queued then never reaches this object.
int WidgetSyncUi::OnUiThread(std::function<int()> show, int fallback) {
    if (QThread::currentThread() == thread())
        return m_relay.IsAbandoned() ? fallback : show();
    return m_relay.Ask(
        [this, &show](const QuestionRelay::Reply& reply) {
            QMetaObject::invokeMethod(
                qApp,
                [show, reply] {
                    if (reply.IsOpen())
                        reply(show());
                },
                Qt::QueuedConnection);
        },
        fallback);
}

// The window may go while the question is up, this object with it.
int WidgetSyncUi::Present(const std::function<int()>& show) {
    const QPointer<WidgetSyncUi> self(this);
    if (m_progress)
        m_progress->hide();
    const int answer = show();
    if (self && m_waitCursor && m_progress)
        m_progress->ShowCentred();
    return answer;
}

std::optional<CAddressBookSync::ManualSyncMode> WidgetSyncUi::AskMode() {
    const int index =
        OnUiThread([this] { return Present([this] { return Ask(ModeDialog(m_parent)); }); });
    constexpr CAddressBookSync::ManualSyncMode kModes[] = {
        CAddressBookSync::ObToQln, CAddressBookSync::QlnToOb, CAddressBookSync::Merge};
    if (index < 0)
        return std::nullopt;
    return kModes[index];
}

std::unique_ptr<SyncChoiceDlg> WidgetSyncUi::ModeDialog(QWidget* parent) {
    namespace Ids = CoreCaptions::SyncMode;
    SyncChoiceDlg::Layout layout;
    layout.dialog = Ids::kDialog;
    layout.objectName = QStringLiteral("syncModeDialog");
    layout.groupControl = Ids::kGroup;
    layout.firstChoice = Ids::kFirstMode;
    layout.choiceNames = {QStringLiteral("obkToLocalRadioButton"),
                          QStringLiteral("localToObkRadioButton"),
                          QStringLiteral("mergeRadioButton")};
    layout.cancelName = QStringLiteral("cancelButton");
    return std::make_unique<SyncChoiceDlg>(layout, parent);
}

void WidgetSyncUi::ShowDuplicates(const std::string& first, const std::string& second) {
    IMessageBox::Request request;
    request.stringId = static_cast<int>(CoreString::SyncDuplicates);
    request.text =
        CoreTexts::FormatUtf8(CoreString::SyncDuplicates, {AnsiToUtf8(first), AnsiToUtf8(second)});
    request.icon = IMessageBox::Icon::Exclamation;
    ShowBox(request);
}

void WidgetSyncUi::ShowProgress(bool shown) {
    OnUiThread([this, shown] {
        SetProgress(shown);
        return 0;
    });
}

void WidgetSyncUi::SetProgress(bool shown) {
    if (shown == m_waitCursor)
        return;
    m_waitCursor = shown;
    if (shown) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_progress = new SyncProgressWnd(m_parent);
        m_progress->ShowCentred();
    } else {
        delete m_progress; // nothing when the window closed and took it along
        QApplication::restoreOverrideCursor();
    }
}

QWidget* WidgetSyncUi::ProgressWindow() const {
    return m_progress;
}

IAddressBookSyncUi::NumberConflictChoice
WidgetSyncUi::AskNumberConflict(const std::string& contactName, const std::string& aliasName) {
    const int index = OnUiThread([this, contactName, aliasName] {
        return Present([&] { return Ask(NumberConflictDialog(contactName, aliasName, m_parent)); });
    });
    constexpr NumberConflictChoice kChoices[] = {NumberConflictChoice::DeleteAlias,
                                                 NumberConflictChoice::DeleteContact,
                                                 NumberConflictChoice::Ignore};
    return Pick(index, kChoices, NumberConflictChoice::EndSync);
}

std::unique_ptr<SyncChoiceDlg> WidgetSyncUi::NumberConflictDialog(const std::string& contactName,
                                                                  const std::string& aliasName,
                                                                  QWidget* parent) {
    namespace Ids = CoreCaptions::NumberConflict;
    SyncChoiceDlg::Layout layout;
    layout.dialog = Ids::kDialog;
    layout.objectName = QStringLiteral("numberConflictDialog");
    layout.textControl = Ids::kText;
    layout.facts = {
        Fact{Ids::kContactLabel, ToQString(contactName), QStringLiteral("contactNameLabel")},
        Fact{Ids::kAliasLabel, ToQString(aliasName), QStringLiteral("aliasNameLabel")}};
    layout.firstChoice = Ids::kFirstChoice;
    layout.choiceNames = {QStringLiteral("deleteAliasRadioButton"),
                          QStringLiteral("deleteContactRadioButton"),
                          QStringLiteral("ignoreRadioButton")};
    layout.cancelName = QStringLiteral("endSyncButton");
    return std::make_unique<SyncChoiceDlg>(layout, parent);
}

IAddressBookSyncUi::NameConflictChoice
WidgetSyncUi::AskNameConflict(const std::string& name, const std::string& obkNumber,
                              const std::string& localNumbers) {
    const int index = OnUiThread([this, name, obkNumber, localNumbers] {
        return Present(
            [&] { return Ask(NameConflictDialog(name, obkNumber, localNumbers, m_parent)); });
    });
    constexpr NameConflictChoice kChoices[] = {
        NameConflictChoice::CopyToObk, NameConflictChoice::StoreAsPhone1,
        NameConflictChoice::StoreAsPhone2, NameConflictChoice::DoNotSync};
    return Pick(index, kChoices, NameConflictChoice::EndSync);
}

std::unique_ptr<SyncChoiceDlg> WidgetSyncUi::NameConflictDialog(const std::string& name,
                                                                const std::string& obkNumber,
                                                                const std::string& localNumbers,
                                                                QWidget* parent) {
    namespace Ids = CoreCaptions::NameConflict;
    SyncChoiceDlg::Layout layout;
    layout.dialog = Ids::kDialog;
    layout.objectName = QStringLiteral("nameConflictDialog");
    layout.textControl = Ids::kText;
    layout.facts = {
        Fact{Ids::kNameLabel, ToQString(name), QStringLiteral("contactNameLabel")},
        Fact{Ids::kPortellaLabel, ToQString(obkNumber), QStringLiteral("obkNumberLabel")},
        Fact{Ids::kQuillonLabel, ToQString(localNumbers), QStringLiteral("localNumbersLabel")}};
    layout.firstChoice = Ids::kFirstChoice;
    layout.choiceNames = {
        QStringLiteral("copyToObkRadioButton"), QStringLiteral("storeAsPhone1RadioButton"),
        QStringLiteral("storeAsPhone2RadioButton"), QStringLiteral("doNotSyncRadioButton")};
    layout.cancelName = QStringLiteral("endSyncButton");
    return std::make_unique<SyncChoiceDlg>(layout, parent);
}

void WidgetSyncUi::ShowErrors(const std::string& lines) {
    OnUiThread([this, lines] {
        return Present([&] {
            return RunModal(std::make_unique<SyncErrorDlg>(ToQString(lines), m_parent),
                            [](SyncErrorDlg& shown) { return shown.exec(); });
        });
    });
}

void WidgetSyncUi::ShowFetchRefused(int status) {
    ShowBox(m_errors.ForStatus(status));
}

void WidgetSyncUi::ShowFinished(bool completed) {
    const CoreString id = completed ? CoreString::SyncCompleted : CoreString::SyncEndedByUser;
    IMessageBox::Request request;
    request.stringId = static_cast<int>(id);
    request.text = CoreTexts::Utf8(id);
    request.icon = IMessageBox::Icon::Information;
    ShowBox(request);
}

void WidgetSyncUi::ShowDbError() {
    ShowBox(m_errors.ForDatabaseError());
}

void WidgetSyncUi::ShowSoapError(const CKvwsSoapException& error) {
    ShowBox(m_errors.ForSoapError(error));
}

std::string WidgetSyncUi::StatusText(int status) const {
    return Utf8ToAnsi(m_errors.ForStatus(status).text);
}

void WidgetSyncUi::ShowBox(const IMessageBox::Request& request) {
    OnUiThread([this, request] {
        return Present([&] {
            const NormalCursor cursor;
            m_boxes.Show(request);
            return 0;
        });
    });
}
