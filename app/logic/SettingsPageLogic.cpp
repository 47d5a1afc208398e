#include "logic/SettingsPageLogic.h"

#include "logic/ISettingsPageDialogs.h"
#include "logic/LanguageChoice.h"
#include "logic/ProgramStrings.h"
#include "logic/TextTrim.h"
#include "model/SmsConfig.h"
#include "model/SmsUserInfo.h"

#include <algorithm>
#include <utility>

namespace {

using Icon = IMessageBox::Icon;
using Buttons = IMessageBox::Buttons;
using Answer = IMessageBox::Answer;

// The configured language as the list names it: Slovak is entry 0.
std::uint16_t ListedLanguage(std::uint16_t lcid) {
    return lcid == kBuiltInLanguage ? kNoLanguage : lcid;
}

} // namespace

SettingsPageLogic::SettingsPageLogic(CSmsUserInfo& user, CSmsConfig& config, IMessageBox& boxes,
                                     ICallRunner& calls, ResetPassword resetPassword)
    : m_user(user), m_config(config), m_boxes(boxes), m_calls(calls),
      m_resetPassword(resetPassword ? std::move(resetPassword)
                                    : ResetPassword(&CSmsUserInfo::ResetPwd)),
      m_errors(ProgramStrings()) {}

void SettingsPageLogic::Load(const std::vector<std::uint16_t>& languages) {
    SettingsFields fields;
    switch (m_config.GetAppMode()) {
    case CSmsConfig::SingleUser:
        fields.severalUsers = false;
        break;
    case CSmsConfig::SingleUserSavedPwd:
        fields.severalUsers = false;
        fields.savePassword = true;
        break;
    default:
        m_config.SetAppMode(CSmsConfig::MultiUser);
        break;
    }
    fields.name = m_config.GetDefaultUser();
    fields.portalCredits = m_user.UseOBK() != 0 && m_user.IsObkSvcActive();
    const int mode = m_user.GetAutoDelMode();
    fields.autoDelete = mode != CSmsUserInfo::AutoDelOff;
    fields.byCount = mode == CSmsUserInfo::AutoDelByCount;
    fields.maxDays = m_user.GetMaxDays();
    fields.maxItems = m_user.GetMaxItems();
    fields.doArchive = m_user.GetDoArchive() != 0;
    fields.deliveryReport = m_user.GetDeliveryReport() != 0;
    ApplyArchiving(fields);
    fields.showNotice = m_user.ShowNotice() != 0;
    fields.minToTray = m_config.GetMinToTray();
    fields.desktopNotifications = m_config.GetDesktopNotifications();
    const std::uint16_t configured = ListedLanguage(m_config.GetLcid());
    const bool listed = std::any_of(languages.begin(), languages.end(), [&](std::uint16_t lcid) {
        return ListedLanguage(lcid) == configured;
    });
    fields.language = listed ? configured : kNoLanguage;
    if (!m_user.IsPostpaidSvcActive())
        fields.portalCredits = true;
    m_fields = fields;
    m_loadedFields = fields;
    m_dirty = false;
    m_loaded = true;
}

SettingsServiceView SettingsPageLogic::Services() const {
    SettingsServiceView view;
    view.paymentShown = m_user.IsObkSvcActive();
    view.postpaidActive = m_user.IsPostpaidSvcActive();
    view.activationText =
        view.postpaidActive ? ProgramString::DeactivateService : ProgramString::ActivateService;
    return view;
}

void SettingsPageLogic::ApplyArchiving(SettingsFields& fields) {
    if (!fields.doArchive)
        fields.deliveryReport = false;
}

bool SettingsPageLogic::Leave(SettingsFocus& focus) {
    focus = SettingsFocus::None;
    if (!m_loaded)
        return true;
    if (!Check(focus))
        return false;
    Store();
    if (IsDirty())
        Save();
    return true;
}

bool SettingsPageLogic::Check(SettingsFocus& focus) {
    m_fields.name = TrimBlanks(m_fields.name);
    if (!m_fields.byCount && m_fields.maxDays >= kDaysLimit) {
        Show(ProgramString::NumberTooBig, {static_cast<int>(kDaysLimit)}, Icon::Exclamation);
        focus = SettingsFocus::Days;
        return false;
    }
    if (m_fields.byCount && m_fields.maxItems >= kCountLimit) {
        Show(ProgramString::NumberTooBig, {static_cast<int>(kCountLimit)}, Icon::Exclamation);
        focus = SettingsFocus::Count;
        return false;
    }
    if (!m_fields.severalUsers && m_fields.name.empty()) {
        Show(ProgramString::EnterUserName, {}, Icon::Exclamation);
        focus = SettingsFocus::Name;
        return false;
    }
    return true;
}

void SettingsPageLogic::Store() {
    const int appMode = m_fields.severalUsers   ? CSmsConfig::MultiUser
                        : m_fields.savePassword ? CSmsConfig::SingleUserSavedPwd
                                                : CSmsConfig::SingleUser;
    m_config.SetAppMode(appMode);
    if (m_fields.name != m_config.GetDefaultUser()) {
        m_resetPassword(m_fields.name);
        m_config.SetDefaultUser(m_fields.name);
    }
    m_user.SetDoArchive(m_fields.doArchive ? 1 : 0);
    m_user.SetDeliveryReport(m_fields.deliveryReport ? 1 : 0);
    m_user.SetUseOBK(m_fields.portalCredits ? 1 : 0);
    m_user.SetAutoDelMode(!m_fields.autoDelete ? CSmsUserInfo::AutoDelOff
                          : m_fields.byCount   ? CSmsUserInfo::AutoDelByCount
                                               : CSmsUserInfo::AutoDelByDays);
    m_user.SetMaxDays(m_fields.maxDays);
    m_user.SetMaxItems(m_fields.maxItems);
    m_config.SetMinToTray(m_fields.minToTray);
    m_config.SetDesktopNotifications(m_fields.desktopNotifications);
    m_user.SetShowNotice(m_fields.showNotice ? 1 : 0);
    if (m_fields.language != ListedLanguage(m_config.GetLcid())) {
        Show(ProgramString::LanguageAfterRestart, {}, Icon::Exclamation);
        m_config.SetLcid(m_fields.language);
        m_dirty = true;
    }
}

void SettingsPageLogic::Save() {
    const bool configSaved = m_config.Save(false);
    m_user.SavePassword(m_config.GetAppMode() == CSmsConfig::SingleUserSavedPwd &&
                        m_config.GetDefaultUser() == m_user.GetName());
    const bool userSaved = m_user.Save(false);
    if (!configSaved || !userSaved) {
        // Still dirty: the next leave tries again.
        const SaveError error =
            configSaved ? m_user.GetLastSaveError() : m_config.GetLastSaveError();
        Show(ProgramString::SettingsNotSaved, {error.Describe()}, Icon::Stop);
        m_dirty = true;
        return;
    }
    m_loadedFields = m_fields;
    m_dirty = false;
}

void SettingsPageLogic::ToggleService(ISettingsPageDialogs& dialogs) {
    if (m_user.IsPostpaidSvcActive())
        Deactivate();
    else
        AskActivation(dialogs);
}

void SettingsPageLogic::AskActivation(ISettingsPageDialogs& dialogs) {
    RunCall<Activation>(
        m_calls,
        [&user = m_user] {
            Activation activation;
            activation.status = user.KvwsAsk4ServiceActivation(kPostpaidType, kPostpaidName,
                                                               activation.terms, activation.id);
            return activation;
        },
        [this, &dialogs](const Activation& activation) { Asked(dialogs, activation); },
        [this](const std::exception_ptr& failure) { Failed(failure); });
}

void SettingsPageLogic::Asked(ISettingsPageDialogs& dialogs, const Activation& activation) {
    if (activation.status != 0) {
        m_boxes.Show(m_errors.ForStatus(activation.status));
        return;
    }
    const std::optional<std::string> code = dialogs.AskActivationCode(activation.terms);
    if (!code)
        return;
    m_dirty = true;
    RunCall<int>(
        m_calls,
        [&user = m_user, code = *code, id = activation.id] {
            return user.KvwsServiceActivation(code, id);
        },
        [this, &dialogs](const int& status) { Confirmed(dialogs, status); },
        [this](const std::exception_ptr& failure) { Failed(failure); });
}

void SettingsPageLogic::Confirmed(ISettingsPageDialogs& dialogs, int status) {
    if (status == 0) {
        Show(ProgramString::CheckStringVerified, {}, Icon::Information);
        RefreshServices([this] { Changed(); });
    } else if (status == kWrongCode) {
        if (Show(ProgramString::WrongActivationCode, {}, Icon::Exclamation, Buttons::YesNo) ==
            Answer::Yes)
            AskActivation(dialogs);
    } else {
        m_boxes.Show(m_errors.ForStatus(status));
    }
}

void SettingsPageLogic::Deactivate() {
    if (Show(ProgramString::ConfirmDeactivation, {}, Icon::Question, Buttons::YesNo, Answer::No) !=
        Answer::Yes)
        return;
    m_dirty = true;
    RunCall<int>(
        m_calls,
        [&user = m_user] { return user.KvwsServiceDeactivation(kPostpaidType, kPostpaidName); },
        [this](const int& status) { Deactivated(status); },
        [this](const std::exception_ptr& failure) { Failed(failure); });
}

void SettingsPageLogic::Deactivated(int status) {
    if (status != 0) {
        m_boxes.Show(m_errors.ForStatus(status));
        return;
    }
    if (!m_user.IsObkSvcActive()) {
        Show(ProgramString::ProgramMustEnd, {}, Icon::Exclamation);
        if (m_end)
            m_end();
        return;
    }
    Show(ProgramString::ServiceDeactivated, {}, Icon::Information);
    RefreshServices([this] {
        m_fields.portalCredits = true;
        Changed();
    });
}

void SettingsPageLogic::RefreshServices(std::function<void()> then) {
    RunCall<int>(
        m_calls, [&user = m_user] { return user.KvwsGetServices(); },
        [this, then](const int&) { ServicesRefreshed(then); },
        [this, then](const std::exception_ptr& failure) {
            Failed(failure);
            ServicesRefreshed(then);
        });
}

void SettingsPageLogic::ServicesRefreshed(const std::function<void()>& then) {
    // Without the postpaid service only portal credits can pay.
    if (!m_user.IsPostpaidSvcActive())
        m_fields.portalCredits = true;
    then();
}

void SettingsPageLogic::ChooseEnterKey(ISettingsPageDialogs& dialogs) {
    const std::optional<int> mode = dialogs.ChooseEnterKey(m_user.GetEnterKeyMode());
    if (!mode)
        return;
    m_user.SetEnterKeyMode(*mode);
    m_dirty = true;
}

void SettingsPageLogic::RechargeCredit(ISettingsPageDialogs& dialogs) {
    dialogs.RechargeCredit();
}

void SettingsPageLogic::Failed(const std::exception_ptr& failure) {
    m_boxes.Show(m_errors.ForFailure(failure));
}

IMessageBox::Answer SettingsPageLogic::Show(int id, std::initializer_list<TextArg> args, Icon icon,
                                            Buttons buttons, Answer defaultButton) {
    return m_boxes.Show(ProgramStrings(), id, args, icon, buttons, defaultButton);
}

void SettingsPageLogic::Changed() {
    if (m_changed)
        m_changed();
}
