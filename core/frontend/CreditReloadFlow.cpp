#include "frontend/CreditReloadFlow.h"

#include "model/CoreTexts.h"
#include "model/Utilities.h"

#include <algorithm>
#include <utility>

namespace {

using Icon = IMessageBox::Icon;
using Buttons = IMessageBox::Buttons;
using Answer = IMessageBox::Answer;

// The currency an option names, or the one the service meant when it named none.
std::string CurrencyOf(const _CreditInfo& option) {
    return option.currency.empty() ? "Sk" : AnsiToUtf8(option.currency);
}

bool IsIndexOf(int index, std::size_t size) {
    return index >= 0 && static_cast<std::size_t>(index) < size;
}

} // namespace

CreditReloadFlow::CreditReloadFlow(ICreditAccount& account, ServiceErrorText errors,
                                   IMessageBox& boxes, ICallRunner& runner)
    : m_account(account), m_errors(std::move(errors)), m_boxes(boxes), m_runner(runner) {}

void CreditReloadFlow::OnInitDialog() {
    InitAmountCombo(
        false, [this] { Changed(); },
        [this](const std::exception_ptr& failure) {
            m_boxes.Show(m_errors.ForFailure(failure));
            End(Result::Cancel);
        });
}

void CreditReloadFlow::OnCheckKvclub(bool ticked) {
    if (!m_view.choosing)
        return;
    InitAmountCombo(
        ticked,
        [this, ticked] {
            m_view.club = ticked;
            InitPointsCombo();
            Changed();
        },
        [this](const std::exception_ptr& failure) {
            // The lists stay as they were, and so does the box that chose them.
            Changed();
            m_boxes.Show(m_errors.ForFailure(failure));
        });
}

void CreditReloadFlow::OnSelchangeComboAmount(int index) {
    if (!m_view.choosing || !IsIndexOf(index, m_view.amounts.size()))
        return;
    m_view.amount = index;
    if (m_view.club)
        InitPointsCombo();
    Changed();
}

void CreditReloadFlow::OnSelchangeComboPoints(int index) {
    if (!m_view.choosing || !IsIndexOf(index, m_view.points.size()))
        return;
    m_view.point = index;
    Changed();
}

void CreditReloadFlow::OnChangeCode(const std::string& ansi) {
    m_view.code = ansi.substr(0, kMaxCodeLength);
}

void CreditReloadFlow::OnButtonRecharge() {
    if (!m_view.CanReload())
        return;
    const int amount = static_cast<int>(m_view.amounts[m_view.amount].value);
    const bool paidWithPoints = m_view.club && IsIndexOf(m_view.point, m_view.points.size());
    const int points = paidWithPoints ? static_cast<int>(m_view.points[m_view.point].value) : 0;
    RunCall<Request>(
        m_runner,
        [&account = m_account, amount, points] {
            Request request;
            request.status = account.KvwsAsk4CreditRecharge(amount, points, request.id);
            return request;
        },
        [this](const Request& request) { RequestDone(request); },
        [this](const std::exception_ptr& failure) { CallFailed(failure); });
}

void CreditReloadFlow::RequestDone(const Request& request) {
    if (request.status != 0) {
        m_boxes.Show(m_errors.ForStatus(request.status));
        return;
    }
    m_boxes.Show(CoreString::ReloadRequestSent, {}, Icon::Information);
    ToVerifying(request.id);
}

void CreditReloadFlow::OnButtonCheck() {
    if (m_view.choosing)
        return;
    if (m_view.code.empty()) {
        m_boxes.Show(CoreString::CheckCodeEmpty, {}, Icon::Exclamation);
        return;
    }
    RunCall<int>(
        m_runner,
        [&account = m_account, code = m_view.code, id = m_requestId] {
            return account.KvwsCreditRecharge(code, id);
        },
        [this](const int& status) { CheckDone(status); },
        [this](const std::exception_ptr& failure) { CallFailed(failure); });
}

void CreditReloadFlow::CheckDone(int status) {
    if (status == 0) {
        m_boxes.Show(CoreString::ReloadDone, {}, Icon::Information);
        End(Result::Ok);
    } else if (status == kWrongCode) {
        if (m_boxes.Show(CoreString::WrongCheckCode, {}, Icon::Question, Buttons::YesNo) ==
            Answer::Yes)
            ToChoosing();
        else
            End(Result::Cancel);
    } else {
        m_boxes.Show(m_errors.ForStatus(status));
        End(Result::Cancel);
    }
}

bool CreditReloadFlow::OnCancel() {
    if (m_requestId != 0 && m_boxes.Show(CoreString::ReloadNotCompleted, {}, Icon::Question,
                                         Buttons::YesNo, Answer::No) != Answer::Yes)
        return false;
    End(Result::Cancel);
    return true;
}

void CreditReloadFlow::InitAmountCombo(bool points, std::function<void()> filled,
                                       std::function<void(std::exception_ptr)> failed) {
    RunCall<std::vector<unsigned>>(
        m_runner,
        [&account = m_account, points] {
            std::vector<unsigned> amounts;
            account.GetAvailableCredits(points, amounts);
            return amounts;
        },
        [this, filled = std::move(filled)](const std::vector<unsigned>& amounts) {
            FillAmounts(amounts);
            filled();
        },
        std::move(failed));
}

void CreditReloadFlow::FillAmounts(const std::vector<unsigned>& amounts) {
    const std::optional<unsigned> kept =
        IsIndexOf(m_view.amount, m_view.amounts.size())
            ? std::optional<unsigned>(m_view.amounts[m_view.amount].value)
            : std::nullopt;
    m_view.amounts.clear();
    for (const unsigned amount : amounts)
        m_view.amounts.push_back({CoreTexts::FormatUtf8(CoreString::AmountItem, {amount}), amount});
    const auto same = std::find_if(m_view.amounts.begin(), m_view.amounts.end(),
                                   [&](const CreditItem& item) { return item.value == kept; });
    m_view.amount = same != m_view.amounts.end() ? static_cast<int>(same - m_view.amounts.begin())
                    : m_view.amounts.empty()     ? -1
                                                 : 0;
}

void CreditReloadFlow::InitPointsCombo() {
    m_view.points.clear();
    m_view.point = -1;
    if (!IsIndexOf(m_view.amount, m_view.amounts.size()))
        return;
    const auto options = m_account.GetCreditInfo(m_view.amounts[m_view.amount].value);
    if (!options)
        return;
    for (const _CreditInfo& option : *options) {
        const auto points = static_cast<unsigned>(std::max(option.points, 0));
        m_view.points.push_back(
            {CoreTexts::FormatUtf8(
                 CoreString::PointsItem,
                 {option.points, static_cast<double>(option.addCharge), CurrencyOf(option)}),
             points});
    }
    if (!m_view.points.empty())
        m_view.point = 0;
}

void CreditReloadFlow::CallFailed(const std::exception_ptr& failure) {
    m_boxes.Show(m_errors.ForFailure(failure));
    // The request is gone with its number, so its check code can no longer be sent.
    ToChoosing();
}

void CreditReloadFlow::ToVerifying(std::int64_t requestId) {
    m_requestId = requestId;
    m_view.choosing = false;
    Changed();
}

void CreditReloadFlow::ToChoosing() {
    m_requestId = 0;
    m_view.choosing = true;
    m_view.code.clear();
    Changed();
}

void CreditReloadFlow::End(Result result) {
    m_result = result;
    Changed();
}

void CreditReloadFlow::Changed() {
    if (m_changed)
        m_changed();
}
