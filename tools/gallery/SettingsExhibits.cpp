// The settings and about pages in the gallery: the settings page without the portal credits,
// with the postpaid service active and inactive, and for one user with a stored password; the
// about page; the activation of the postpaid service and the Enter key dialog.
#include "CannedService.h"
#include "Exhibit.h"
#include "GalleryAccount.h"

#include "BuildConfig.h"
#include "controls/ControlsText.h"
#include "frontend/ClientTypes.h"
#include "model/SmsConfig.h"
#include "model/SmsUserInfo.h"
#include "windows/AboutPage.h"
#include "windows/EnterKeyDlg.h"
#include "windows/ServiceActivationDlg.h"
#include "windows/SettingsPage.h"
#include "windows/WidgetSettingsPageDialogs.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>

namespace {

CSmsConfig& Config() {
    CSmsConfig* config = CSmsConfig::GetInstance();
    return config ? *config : *CSmsConfig::CreateInstance();
}

// Who uses the program, as the settings of the pictures say.
void UseConfig(int appMode, const std::string& defaultUser) {
    CSmsConfig& config = Config();
    config.SetAppMode(appMode);
    config.SetDefaultUser(defaultUser);
    config.SetMinToTray(true);
    config.SetLcid(0);
}

// A canned user logged in to the canned service with the given services active.
struct CannedSettings {
    CannedSettings(bool obk, bool postpaid) {
        user.SetPassword("heslo");
        user.SetTransport(std::make_shared<CannedService>(obk, postpaid));
        user.KvwsLogin(true);
        user.KvwsGetServices();
        user.SetDoArchive(1);
        user.SetDeliveryReport(1);
        user.SetAutoDelMode(CSmsUserInfo::AutoDelByDays);
        user.SetMaxDays(90);
        user.SetMaxItems(500);
        user.SetShowNotice(1);
        user.SetUseOBK(1);
    }
    CSmsUserInfo user{"jan.novak", QUILLON_VERSION_STRING, kDesktopClientType};
    WidgetSettingsPageDialogs dialogs{user, GalleryBoxes(), nullptr};
};

std::unique_ptr<SettingsPage> OpenPage(CannedSettings& owner) {
    auto page =
        std::make_unique<SettingsPage>(owner.user, GalleryBoxes(), owner.dialogs,
                                       QCoreApplication::applicationFilePath().toStdString());
    // Clicks on autostart stay away from the desktop's own autostart folder.
    page->SetAutostartFile(
        QDir::temp()
            .filePath(QStringLiteral("quillon-gallery/autostart/quillon.desktop"))
            .toStdString());
    page->resize(760, 480);
    return page;
}

void Settle() {
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

void ShootSettings(Shots& shots, bool obk, bool postpaid, const QString& name) {
    CannedSettings owner(obk, postpaid);
    const auto page = OpenPage(owner);
    page->show();
    Settle();
    shots.Take(*page, name);
}

void ShootPages(Shots& shots) {
    UseConfig(CSmsConfig::MultiUser, "");
    ShootSettings(shots, false, true, "settings-without-portal-credits");
    ShootSettings(shots, true, true, "settings-postpaid-active");
    ShootSettings(shots, true, false, "settings-postpaid-inactive");
    UseConfig(CSmsConfig::SingleUserSavedPwd, "jan.novak");
    ShootSettings(shots, true, true, "settings-one-user");
    UseConfig(CSmsConfig::MultiUser, "");
}

std::string Terms() {
    return ToAnsi(QString::fromStdString(CannedService::Terms()));
}

} // namespace

std::vector<Exhibit> SettingsExhibits() {
    return {
        {"Settings page",
         [](GalleryAccount&) -> std::unique_ptr<QWidget> {
             // Postpaid inactive: activation (check string 1234) and then deactivation work.
             auto* owner = new CannedSettings(true, false);
             auto page = OpenPage(*owner);
             QObject::connect(page.get(), &QObject::destroyed, [owner] { delete owner; });
             return page;
         },
         ShootPages},
        {"About page", [](GalleryAccount&) { return std::make_unique<AboutPage>(); },
         [](Shots& shots) {
             AboutPage page;
             page.resize(760, 480);
             page.show();
             Settle();
             shots.Take(page, "about-page");
         }},
        {"Service activation",
         [](GalleryAccount&) { return std::make_unique<ServiceActivationDlg>(Terms()); },
         [](Shots& shots) {
             ServiceActivationDlg dialog(Terms());
             shots.Take(dialog, "service-activation");
         }},
        {"Enter key",
         [](GalleryAccount&) { return std::make_unique<EnterKeyDlg>(CSmsUserInfo::EnterNewLine); },
         [](Shots& shots) {
             EnterKeyDlg dialog(CSmsUserInfo::EnterSends);
             shots.Take(dialog, "enter-key");
         }},
    };
}
