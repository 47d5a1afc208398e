#pragma once

#include "QuillonCoreExport.h"
#include "frontend/ICallRunner.h"
#include "frontend/ICreditAccount.h"
#include "frontend/IMessageBox.h"
#include "frontend/ServiceErrorText.h"

#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// One item of the credit dialog's lists: its text (UTF-8) and the number it stands for (an
// amount, or the club points of an option).
struct QUILLON_CORE_EXPORT CreditItem {
    std::string text;
    unsigned value = 0;
    bool operator==(const CreditItem&) const = default;
};

// What the credit reload dialog shows. Choosing: the amount list, the club box and the points
// list are enabled, and "Reload" while an amount is selected; verifying (after a request was
// sent): the check code edit and "Verify" instead.
struct QUILLON_CORE_EXPORT CreditDlgView {
    std::vector<CreditItem> amounts;
    int amount = -1; // the selected index, -1 for none
    bool club = false;
    // Shown exactly while club is ticked.
    std::vector<CreditItem> points;
    int point = -1;
    bool choosing = true;
    std::string code; // ANSI, as typed
    // Enter presses "Verify" while verifying, "Reload" otherwise.
    bool CanReload() const { return choosing && amount >= 0; }
};

// The credit reload dialog without its window: the user picks an amount, perhaps paid with
// club points, sends the request, receives a check code by SMS and confirms with it. Messages
// go through the message box seam, service calls through the runner (the window never
// freezes); the view tells the window what to show and it calls the handlers with what the
// user did. Every change of the view, and the end of the dialog, is reported to the changed
// handler.
class QUILLON_CORE_EXPORT CreditReloadFlow {
public:
    enum class Result { Ok, Cancel };
    static constexpr std::size_t kMaxCodeLength = 20;
    // The service's status for a wrong check code.
    static constexpr int kWrongCode = 58;

    // All four must outlive the flow; calls still running when it goes must have been
    // cancelled (a window's runner is destroyed before the flow).
    CreditReloadFlow(ICreditAccount& account, ServiceErrorText errors, IMessageBox& boxes,
                     ICallRunner& runner);

    void SetChangedHandler(std::function<void()> changed) { m_changed = std::move(changed); }
    const CreditDlgView& View() const { return m_view; }
    // Set once the dialog is over.
    std::optional<Result> GetResult() const { return m_result; }
    // The transaction of the request awaiting its check code; 0 while none is pending.
    std::int64_t GetRequestId() const { return m_requestId; }

    // Fills the amounts offered to everyone; a service failure is reported and ends the
    // dialog with Cancel.
    void OnInitDialog();
    // Refills the amounts (with those for club members when ticked) keeping the selected one
    // where it is still offered, and the points options of the selected amount.
    void OnCheckKvclub(bool ticked);
    void OnSelchangeComboAmount(int index);
    void OnSelchangeComboPoints(int index);
    void OnChangeCode(const std::string& ansi);
    // Asks the service for a check code for the chosen amount and payment.
    void OnButtonRecharge();
    // Confirms the request with the typed check code.
    void OnButtonCheck();
    // Whether the dialog may close (then its result is Cancel): while a request is pending the
    // user is asked first.
    bool OnCancel();

private:
    struct Request {
        int status = 0;
        std::int64_t id = 0;
    };

    void InitAmountCombo(bool points, std::function<void()> filled,
                         std::function<void(std::exception_ptr)> failed);
    void FillAmounts(const std::vector<unsigned>& amounts);
    void InitPointsCombo();
    void RequestDone(const Request& request);
    void CheckDone(int status);
    // A failed request or check: reported, and the dialog is back at choosing.
    void CallFailed(const std::exception_ptr& failure);
    void ToVerifying(std::int64_t requestId);
    void ToChoosing();
    void End(Result result);
    void Changed();

    ICreditAccount& m_account;
    ServiceErrorText m_errors;
    IMessageBox& m_boxes;
    ICallRunner& m_runner;
    std::function<void()> m_changed;
    CreditDlgView m_view;
    std::int64_t m_requestId = 0;
    std::optional<Result> m_result;
};
