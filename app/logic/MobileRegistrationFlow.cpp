#include "logic/MobileRegistrationFlow.h"

#include "logic/ProgramStrings.h"
#include "logic/TextTrim.h"
#include "model/Utilities.h"

#include <utility>

namespace {

using Icon = IMessageBox::Icon;
using Buttons = IMessageBox::Buttons;
using Answer = IMessageBox::Answer;

} // namespace

std::string RegistrationNumber(const std::string& typed) {
    std::string number = TrimBlanks(typed);
    if (ValidateNumber(number))
        ConvertToIntl(number);
    return number;
}

MobileRegistrationFlow::MobileRegistrationFlow(IMobileAccount& account, const StringTable& strings,
                                               IMessageBox& boxes, ICallRunner& runner)
    : m_account(account), m_strings(strings), m_errors(strings), m_boxes(boxes), m_runner(runner) {}

void MobileRegistrationFlow::OnChangeNumber(const std::string& ansi) {
    if (m_view.EntersNumber())
        m_view.number = ansi;
}

void MobileRegistrationFlow::OnChangeCode(const std::string& ansi) {
    if (m_view.WaitsForCode())
        m_view.code = ansi.substr(0, kMaxCodeLength);
}

void MobileRegistrationFlow::OnSendRequest() {
    if (!m_view.EntersNumber())
        return;
    const std::string number = RegistrationNumber(m_view.number);
    if (number.empty()) {
        Show(ProgramString::NoNumber, Icon::Exclamation);
        return;
    }
    RunCall<Request>(
        m_runner,
        [&account = m_account, number] {
            Request request;
            request.status = account.KvwsAsk4MobileRegistration(number, request.id);
            return request;
        },
        [this, number](const Request& request) { RequestDone(request, number); },
        [this](const std::exception_ptr& failure) { CallFailed(failure); });
}

void MobileRegistrationFlow::RequestDone(const Request& request, const std::string& number) {
    if (request.status != 0) {
        m_boxes.Show(m_errors.ForStatus(request.status));
        return;
    }
    m_sentNumber = number;
    Show(ProgramString::RegistrationRequestSent, Icon::Information);
    ToWaiting(request.id);
}

void MobileRegistrationFlow::OnVerify() {
    if (!m_view.WaitsForCode())
        return;
    if (m_view.code.empty()) {
        Show(ProgramString::NoCheckString, Icon::Exclamation);
        return;
    }
    RunCall<int>(
        m_runner,
        [&account = m_account, code = m_view.code, id = m_requestId] {
            return account.KvwsMobileRegistration(code, id);
        },
        [this](const int& status) { VerifyDone(status); },
        [this](const std::exception_ptr& failure) { CallFailed(failure); });
}

void MobileRegistrationFlow::VerifyDone(int status) {
    if (status == 0) {
        // The service now knows the number; the account holds it from here on, as a login
        // would have given it.
        m_account.SetPhoneNr(m_sentNumber);
        m_requestId = 0;
        Show(ProgramString::NumberRegistered, Icon::Information);
        End(Result::Ok);
    } else if (status == kWrongCode) {
        if (Show(ProgramString::WrongCheckString, Icon::Question, Buttons::YesNo) == Answer::Yes)
            ToEntering();
        else
            End(Result::Cancel);
    } else {
        m_boxes.Show(m_errors.ForStatus(status));
        End(Result::Cancel);
    }
}

bool MobileRegistrationFlow::OnClose() {
    if (m_result)
        return true;
    if (m_requestId != 0 && Show(ProgramString::StopRegistration, Icon::Question, Buttons::YesNo,
                                 Answer::No) != Answer::Yes)
        return false;
    End(Result::Cancel);
    return true;
}

void MobileRegistrationFlow::CallFailed(const std::exception_ptr& failure) {
    m_boxes.Show(m_errors.ForFailure(failure));
    // The request is gone with its number, so its check string can no longer be sent.
    ToEntering();
}

IMessageBox::Answer MobileRegistrationFlow::Show(int id, Icon icon, Buttons buttons,
                                                 Answer defaultButton) {
    return m_boxes.Show(m_strings, id, {}, icon, buttons, defaultButton);
}

void MobileRegistrationFlow::ToWaiting(std::int64_t requestId) {
    m_requestId = requestId;
    m_view.state = MobileRegDlgView::State::WaitingForCode;
    Changed();
}

void MobileRegistrationFlow::ToEntering() {
    m_requestId = 0;
    m_view.state = MobileRegDlgView::State::EnteringNumber;
    m_view.code.clear();
    Changed();
}

void MobileRegistrationFlow::End(Result result) {
    m_result = result;
    m_view.state = MobileRegDlgView::State::Closed;
    Changed();
}

void MobileRegistrationFlow::Changed() {
    if (m_changed)
        m_changed();
}
