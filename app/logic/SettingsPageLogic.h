#pragma once

#include "frontend/ICallRunner.h"
#include "frontend/IMessageBox.h"
#include "frontend/ServiceErrorText.h"
#include "model/FormatText.h"

#include <cstdint>
#include <exception>
#include <functional>
#include <string>
#include <vector>

class CSmsConfig;
class CSmsUserInfo;
class ISettingsPageDialogs;

// What the settings page's controls show (texts ANSI).
struct SettingsFields {
    bool autoDelete = false;
    bool byCount = false; // the radio of the removal: by age (false) or by count
    unsigned maxDays = 0;
    unsigned maxItems = 0;
    bool doArchive = true;
    bool deliveryReport = false;
    bool showNotice = false;
    bool portalCredits = false; // the payment radio: portal credits (true) or the monthly plan
    bool severalUsers = true;
    std::string name;
    bool savePassword = false;
    bool minToTray = false;
    bool desktopNotifications = false;
    std::uint16_t language = 0; // the chosen entry's data: 0 for Slovak
    bool operator==(const SettingsFields&) const = default;
};

// How the service controls show: the payment box with its radios and the recharge button only
// with the OBK service; the activation button's text (string 168 or 169) and whether the
// monthly plan can be chosen follow the postpaid service.
struct SettingsServiceView {
    bool paymentShown = false;
    bool postpaidActive = false;
    int activationText = 0;
};

// Which field the page focuses when it refuses to be left.
enum class SettingsFocus { None, Days, Count, Name };

// The settings page without its window: the fields from the profile and the settings, the checks
// and the save on leaving, the postpaid service's activation and deactivation, the Enter key.
// Service calls go through the runner; messages through the box seam with the program's texts.
class SettingsPageLogic {
public:
    static constexpr unsigned kDaysLimit = 1000;
    static constexpr unsigned kCountLimit = 10000;
    // The service's status for a wrong check string of an activation.
    static constexpr int kWrongCode = 37;
    static constexpr int kPostpaidType = 1;
    static constexpr const char* kPostpaidName = "POSTPAID";

    using ResetPassword = std::function<bool(const std::string& name)>;

    // All must outlive the logic; resetPassword drops a user's stored password (by default
    // CSmsUserInfo::ResetPwd).
    SettingsPageLogic(CSmsUserInfo& user, CSmsConfig& config, IMessageBox& boxes,
                      ICallRunner& calls, ResetPassword resetPassword = {});

    // Fills the fields from the settings; languages: the entries of the language list.
    void Load(const std::vector<std::uint16_t>& languages);
    bool IsLoaded() const { return m_loaded; }
    SettingsFields& Fields() { return m_fields; }
    const SettingsFields& Fields() const { return m_fields; }
    SettingsServiceView Services() const;
    // The delivery report can be asked for only while messages are archived.
    static bool DeliveryReportEnabled(const SettingsFields& fields) { return fields.doArchive; }
    // Archiving switched off clears the delivery report.
    static void ApplyArchiving(SettingsFields& fields);
    static bool NameEnabled(const SettingsFields& fields) { return !fields.severalUsers; }
    bool IsDirty() const { return m_dirty || m_fields != m_loadedFields; }

    // Told after the service controls changed (activation, deactivation); and when a
    // deactivation left nothing to work with, so that the program ends.
    void SetChangedHandler(std::function<void()> changed) { m_changed = std::move(changed); }
    void SetEndHandler(std::function<void()> end) { m_end = std::move(end); }

    // The checks and the save on leaving the page: false (with focus naming the field) keeps
    // the page open.
    bool Leave(SettingsFocus& focus);

    // The activation button: activates the postpaid service while it is inactive, else
    // deactivates it.
    void ToggleService(ISettingsPageDialogs& dialogs);
    void ChooseEnterKey(ISettingsPageDialogs& dialogs);
    void RechargeCredit(ISettingsPageDialogs& dialogs);

private:
    struct Activation {
        int status = 0;
        std::string terms;
        std::int64_t id = 0;
    };

    bool Check(SettingsFocus& focus);
    void Store();
    void Save();
    void AskActivation(ISettingsPageDialogs& dialogs);
    void Asked(ISettingsPageDialogs& dialogs, const Activation& activation);
    void Confirmed(ISettingsPageDialogs& dialogs, int status);
    void Deactivate();
    void Deactivated(int status);
    void RefreshServices(std::function<void()> then);
    void ServicesRefreshed(const std::function<void()>& then);
    void Failed(const std::exception_ptr& failure);
    IMessageBox::Answer Show(int id, std::initializer_list<TextArg> args, IMessageBox::Icon icon,
                             IMessageBox::Buttons buttons = IMessageBox::Buttons::Ok,
                             IMessageBox::Answer defaultButton = IMessageBox::Answer::Ok);
    void Changed();

    CSmsUserInfo& m_user;
    CSmsConfig& m_config;
    IMessageBox& m_boxes;
    ICallRunner& m_calls;
    ResetPassword m_resetPassword;
    ServiceErrorText m_errors;
    std::function<void()> m_changed;
    std::function<void()> m_end;
    SettingsFields m_fields;
    SettingsFields m_loadedFields;
    bool m_loaded = false;
    bool m_dirty = false;
};
