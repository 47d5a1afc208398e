// The desktop program's login dialog and the registration of the mobile number in the gallery.
#include "Exhibit.h"
#include "GalleryAccount.h"
#include "QuietMessageBox.h"

#include "frontend/ImmediateCallRunner.h"
#include "logic/ProgramStrings.h"
#include "logic/UserMobileAccount.h"
#include "windows/LoginDlg.h"
#include "windows/MobileRegistrationDlg.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

// Accepts every number and every check string at once.
class CannedMobileAccount : public IMobileAccount {
public:
    int KvwsAsk4MobileRegistration(const std::string&, std::int64_t& transaction) override {
        transaction = 1;
        return 0;
    }
    int KvwsMobileRegistration(const std::string&, std::int64_t) override { return 0; }
    void SetPhoneNr(const std::string&) override {}
};

// The registration dialog with the account it works for.
class MobileRegistrationExhibit : public MobileRegistrationDlg {
public:
    explicit MobileRegistrationExhibit(std::unique_ptr<IMobileAccount> account)
        : MobileRegistrationDlg(*account, ProgramStrings(), GalleryBoxes()),
          m_account(std::move(account)) {}

private:
    std::unique_ptr<IMobileAccount> m_account;
};

std::unique_ptr<QWidget> OpenRegistration(GalleryAccount& account) {
    std::unique_ptr<IMobileAccount> mobile;
    if (account.User())
        mobile = std::make_unique<UserMobileAccount>(*account.User());
    else
        mobile = std::make_unique<CannedMobileAccount>();
    return std::make_unique<MobileRegistrationExhibit>(std::move(mobile));
}

void ShootLogin(Shots& shots) {
    LoginDlg empty({});
    shots.Take(empty, "login-empty");
    LoginDlg named({"jan.novak", "", true});
    named.findChild<QLineEdit*>("passwordLineEdit")->setText(QStringLiteral("tajne"));
    shots.Take(named, "login-name-filled");
}

void ShootRegistration(Shots& shots) {
    QuietMessageBox quiet;
    CannedMobileAccount canned;
    MobileRegistrationDlg dialog(canned, ProgramStrings(), quiet, nullptr,
                                 std::make_unique<ImmediateCallRunner>());
    dialog.findChild<QLineEdit*>("numberLineEdit")->setText(QStringLiteral("0905 123 456"));
    shots.Take(dialog, "mobile-registration-number");
    dialog.findChild<QPushButton*>("sendRequestButton")->click();
    shots.Take(dialog, "mobile-registration-waiting");
}

} // namespace

std::vector<Exhibit> LoginExhibits() {
    return {
        {"Login", [](GalleryAccount&) { return std::make_unique<LoginDlg>(LoginDlgView{}); },
         ShootLogin},
        {"Mobile number registration", OpenRegistration, ShootRegistration},
    };
}
