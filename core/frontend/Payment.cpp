#include "frontend/Payment.h"

#include "model/SmsUserInfo.h"

#include <utility>

Payment Payment::Of(const CSmsUserInfo& user) {
    return Payment(user.UseOBK() != 0, user.IsObkSvcActive(), user.IsPostpaidSvcActive(),
                   user.GetObkSuppInfo(), user.GetPostpaidSuppInfo());
}

Payment::Payment(bool useObk, bool obkActive, bool postpaidActive, std::string obkSuppInfo,
                 std::string postpaidSuppInfo)
    : m_useObk(useObk), m_obkActive(obkActive), m_postpaidActive(postpaidActive),
      m_obkSuppInfo(std::move(obkSuppInfo)), m_postpaidSuppInfo(std::move(postpaidSuppInfo)) {}

bool Payment::ByCredit() const {
    return ThroughPortal() || !m_postpaidActive;
}

int Payment::DummyTextLength() const {
    return static_cast<int>(ThroughPortal() ? m_obkSuppInfo.size() : m_postpaidSuppInfo.size());
}
