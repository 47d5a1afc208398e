#include "GalleryAccount.h"

#include "BuildConfig.h"
#include "frontend/ClientTypes.h"
#include "frontend/UserCreditAccount.h"
#include "model/SmsUserInfo.h"
#include "service/EnglishServiceStrings.h"
#include "service/KvwsSoapException.h"

#include "controls/ControlsText.h"

namespace {

// Three amounts for everyone, one for club members; club points for two of them.
class CannedCredit : public ICreditAccount {
public:
    void GetAvailableCredits(bool includeClubOnly, std::vector<unsigned>& amounts) override {
        amounts = {100, 200, 500};
        if (includeClubOnly)
            amounts.push_back(1000);
    }
    std::optional<CreditInfoArray> GetCreditInfo(unsigned amount) const override {
        if (amount == 100)
            return CreditInfoArray{{150, 0.5f, "EUR"}, {300, 0, "EUR"}};
        if (amount == 1000)
            return CreditInfoArray{{2000, 1.25f, ""}};
        return std::nullopt;
    }
    int KvwsAsk4CreditRecharge(int, int, std::int64_t& transaction) override {
        transaction = 4711;
        return 0;
    }
    int KvwsCreditRecharge(const std::string& code, std::int64_t) override {
        return code == "1234" ? 0 : 58;
    }
};

} // namespace

GalleryAccount::GalleryAccount()
    : m_canned(std::make_unique<CannedCredit>()),
      m_hostStrings(std::make_unique<CEnglishServiceStrings>()) {}

GalleryAccount::~GalleryAccount() {
    if (!m_user)
        return;
    try {
        m_user->KvwsLogout();
    } catch (const std::exception&) {
        // The session ends on the service's side when its token runs out.
    }
}

QString GalleryAccount::LogIn(const QString& login, const QString& password) {
    std::unique_ptr<CSmsUserInfo> user(
        CSmsUserInfo::GetUserInfo(ToAnsi(login), QUILLON_VERSION_STRING, kDesktopClientType));
    if (!user)
        return "the profile of " + login + " cannot be loaded";
    user->SetPassword(ToAnsi(password));
    try {
        if (const int status = user->KvwsLogin(true); status != 0)
            return "the service refused the login (status " + QString::number(status) + ")";
    } catch (const CKvwsSoapException& error) {
        return "the login failed: " + ToQString(error.what());
    } catch (const std::exception& error) {
        return "the login failed: " + QString::fromLocal8Bit(error.what());
    }
    m_user = std::move(user);
    m_userCredit = std::make_unique<UserCreditAccount>(*m_user);
    return {};
}

QString GalleryAccount::Description() const {
    if (m_user)
        return "Logged in as " + ToQString(m_user->GetName()) + " at " +
               qEnvironmentVariable("QUILLON_SERVICE_URL") + ".";
    return "A canned user: every call answers at once; the check code is 1234.";
}

ICreditAccount& GalleryAccount::Credit() {
    return m_userCredit ? *m_userCredit : *m_canned;
}
