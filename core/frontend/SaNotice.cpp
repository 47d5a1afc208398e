#include "frontend/SaNotice.h"

#include "model/SmsUserInfo.h"

bool SaNotice::IsDue(bool postpaidActive, int showSa) {
    return !postpaidActive && showSa != 0;
}

bool SaNotice::Offer(CSmsUserInfo& user, const std::function<Answer()>& show) {
    if (!IsDue(user.IsPostpaidSvcActive(), user.ShowSA()))
        return false;
    const Answer answer = show();
    if (answer.accepted)
        user.SetShowSA(answer.dontShowAgain ? 0 : 1);
    return true;
}
