#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The settings of the installation rather than of one user, kept in "config.dat" in the
// configuration folder. One instance per process, made when QuillonCore is loaded and destroyed
// (writing the file) when it is unloaded.
class CSmsConfig {
public:
    enum AppMode : int {
        MultiUser = 0,          // several users, each logs in by name
        SingleUser = 1,         // one user, DefaultUser; the password is asked for
        SingleUserSavedPwd = 2, // one user, DefaultUser, whose password is in the profile
    };

    // Destroys the current instance (writing the file) and makes a new one (reading it).
    static CSmsConfig* CreateInstance();
    // The current instance, or null.
    static CSmsConfig* GetInstance();
    // Destroys the current instance (writing the file).
    static void DeleteInstance();

    // The defaults, then the file.
    CSmsConfig();
    CSmsConfig(const CSmsConfig& other) = default;
    CSmsConfig& operator=(const CSmsConfig& other) = default;
    // Writes the file.
    virtual ~CSmsConfig();

    AppMode GetAppMode() const { return m_AppMode; }
    void SetAppMode(int mode) { m_AppMode = static_cast<AppMode>(mode); }
    const std::string& GetDefaultUser() const { return m_DefaultUser; }
    void SetDefaultUser(const std::string& name) { m_DefaultUser = name; }
    void SetDefaultUser(const char* name) { SetDefaultUser(std::string(name ? name : "")); }
    bool GetAutoLogout() const { return m_AutoLogout; }
    void SetAutoLogout(bool autoLogout) { m_AutoLogout = autoLogout; }
    std::uint16_t GetLogoutDelay() const { return m_LogoutDelay; }
    void SetLogoutDelay(std::uint16_t minutes) { m_LogoutDelay = minutes; }
    bool GetMinToTray() const { return m_MinToTray; }
    void SetMinToTray(bool minToTray) { m_MinToTray = minToTray; }
    bool ConfirmExit() const { return m_ConfirmExit; }
    void SetConfirmExit(bool confirm) { m_ConfirmExit = confirm; }
    std::uint16_t GetLcid() const { return m_Lcid; }
    void SetLcid(std::uint16_t lcid) { m_Lcid = lcid; }

    // Stores this object's user fields (DefaultUser, AppMode) and either its logout fields
    // (logoutPart) or its window and language fields into what the file holds now, keeping the
    // rest as other processes stored it. False when the file could not be written.
    bool Save(bool logoutPart);

protected:
    // Reads the file over the current fields; fields the file lacks keep their values.
    bool ReadConfig();
    // Writes all fields; false when the file could not be written.
    bool WriteConfig() const;
    // Reads the fields from an XML text; false when it is no settings document.
    bool FromStream(std::vector<unsigned char>& text);

private:
    AppMode m_AppMode = MultiUser;
    std::string m_DefaultUser;
    bool m_AutoLogout = false;
    std::uint16_t m_LogoutDelay = 1;
    bool m_MinToTray = false;
    bool m_ConfirmExit = true;
    std::uint16_t m_Lcid = 0;
};
