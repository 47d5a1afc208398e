#pragma once

#include "frontend/ICallRunner.h"
#include "frontend/IMessageBox.h"
#include "frontend/ServiceErrorText.h"
#include "logic/IMobileAccount.h"
#include "model/StringTable.h"

#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <optional>
#include <string>

// What the mobile registration dialog shows. Entering the number: the number field and "send
// request" are enabled and "send request" is the default button; waiting for the check string
// (after a request was sent): the check-string field and "verify" instead, the check string
// focused and "verify" the default button.
struct MobileRegDlgView {
    enum class State { EnteringNumber, WaitingForCode, Closed };
    State state = State::EnteringNumber;
    std::string number; // ANSI, as typed
    std::string code;   // ANSI, as typed
    bool EntersNumber() const { return state == State::EnteringNumber; }
    bool WaitsForCode() const { return state == State::WaitingForCode; }
};

// The mobile registration dialog without its window: the user sends a request for the number,
// receives a check string by SMS and confirms the registration with it. Messages go through the
// message box seam with the program's texts, service calls through the runner; every change of
// the view, and the end of the dialog, is reported to the changed handler.
class MobileRegistrationFlow {
public:
    enum class Result { Ok, Cancel };
    static constexpr std::size_t kMaxCodeLength = 20;
    // The service's status for a wrong check string.
    static constexpr int kWrongCode = 50;

    // All must outlive the flow; calls still running when it goes must have been cancelled.
    MobileRegistrationFlow(IMobileAccount& account, const StringTable& strings, IMessageBox& boxes,
                           ICallRunner& runner);

    void SetChangedHandler(std::function<void()> changed) { m_changed = std::move(changed); }
    const MobileRegDlgView& View() const { return m_view; }
    // Set once the dialog is over.
    std::optional<Result> GetResult() const { return m_result; }
    // The request awaiting its check string; 0 while none is pending.
    std::int64_t GetRequestId() const { return m_requestId; }
    // The number as it went to the service (international form when it is a valid number).
    const std::string& GetSentNumber() const { return m_sentNumber; }

    void OnChangeNumber(const std::string& ansi);
    void OnChangeCode(const std::string& ansi);
    // Asks the service to send a check string to the typed number.
    void OnSendRequest();
    // Confirms the registration with the typed check string.
    void OnVerify();
    // Whether the dialog may close (then its result is Cancel): while a request is pending the
    // user is asked first.
    bool OnClose();

private:
    struct Request {
        int status = 0;
        std::int64_t id = 0;
    };

    void RequestDone(const Request& request, const std::string& number);
    void VerifyDone(int status);
    void CallFailed(const std::exception_ptr& failure);
    IMessageBox::Answer Show(int id, IMessageBox::Icon icon,
                             IMessageBox::Buttons buttons = IMessageBox::Buttons::Ok,
                             IMessageBox::Answer defaultButton = IMessageBox::Answer::Ok);
    void ToWaiting(std::int64_t requestId);
    void ToEntering();
    void End(Result result);
    void Changed();

    IMobileAccount& m_account;
    const StringTable& m_strings;
    ServiceErrorText m_errors;
    IMessageBox& m_boxes;
    ICallRunner& m_runner;
    std::function<void()> m_changed;
    MobileRegDlgView m_view;
    std::int64_t m_requestId = 0;
    std::string m_sentNumber;
    std::optional<Result> m_result;
};

// The number a registration sends for the typed one: without blanks around it and, when
// ValidateNumber accepts it, in the international form; anything else as typed, for the
// service to judge.
std::string RegistrationNumber(const std::string& typed);
