#pragma once

#include "controls/WindowCallRunner.h"
#include "logic/AutostartEntry.h"
#include "logic/SettingsPageLogic.h"

#include <QWidget>

#include <cstdint>
#include <string>
#include <vector>

class CSmsUserInfo;
class IMessageBox;
class ISettingsPageDialogs;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The settings page of the main window: the archive, the payment and the postpaid service, who
// uses the program, the tray, autostart, the language, the Enter key and the credit reload.
// The settings are stored when the page is left (Leave).
class SettingsPage : public QWidget {
    Q_OBJECT
public:
    // user, boxes and dialogs must outlive the page; programPath: the running program's absolute
    // path (the languages are looked for beside it, autostart starts it).
    SettingsPage(CSmsUserInfo& user, IMessageBox& boxes, ISettingsPageDialogs& dialogs,
                 const std::string& programPath, QWidget* parent = nullptr);

    // The checks and the save on leaving the page: false keeps the user on it (the field to
    // correct has the focus).
    bool Leave();
    // Where the autostart entry is (its usual place unless a test says otherwise); reloads it.
    void SetAutostartFile(const std::string& file);
    // The fields again from the settings, dropping what was not stored.
    void Reload();

    SettingsPageLogic& Logic() { return m_logic; }
    // The entries of the language list (language ids; Slovak is 1051).
    const std::vector<std::uint16_t>& Languages() const { return m_languages; }
    // The native name of a language, its first letter in upper case.
    static QString LanguageName(std::uint16_t lcid);

signals:
    // A deactivation left nothing the program can work with: it ends now, without asking.
    void programEndRequested();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Build();
    QGroupBox* BuildArchiveBox();
    QGroupBox* BuildServiceBox();
    QGroupBox* BuildUsersBox();
    QGroupBox* BuildProgramBox();
    void ShowFields();
    void Collect();
    void UpdateControls();
    void ApplyAutostart(bool on);
    void Focus(SettingsFocus focus);

    CSmsUserInfo& m_user;
    IMessageBox& m_boxes;
    ISettingsPageDialogs& m_dialogs;
    AutostartEntry m_autostart;
    std::vector<std::uint16_t> m_languages;
    SettingsPageLogic m_logic;
    bool m_showing = false; // the fields are being shown: their changes are not the user's
    bool m_needsLoad = true;
    QCheckBox* m_autoDelete = nullptr;
    QRadioButton* m_byAge = nullptr;
    QRadioButton* m_byCount = nullptr;
    QLineEdit* m_maxDays = nullptr;
    QLineEdit* m_maxItems = nullptr;
    QCheckBox* m_doArchive = nullptr;
    QCheckBox* m_deliveryReport = nullptr;
    QCheckBox* m_showNotice = nullptr;
    QGroupBox* m_paymentBox = nullptr;
    QRadioButton* m_monthlyPlan = nullptr;
    QRadioButton* m_portalCredits = nullptr;
    QPushButton* m_activation = nullptr;
    QPushButton* m_recharge = nullptr;
    QRadioButton* m_severalUsers = nullptr;
    QRadioButton* m_oneUser = nullptr;
    QLineEdit* m_name = nullptr;
    QCheckBox* m_savePassword = nullptr;
    QCheckBox* m_minToTray = nullptr;
    QCheckBox* m_autostartBox = nullptr;
    QCheckBox* m_desktopNotifications = nullptr;
    QComboBox* m_language = nullptr;
    // Last: a service call in progress is cancelled before anything it uses goes.
    WindowCallRunner m_calls{this};
};
