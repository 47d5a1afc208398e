#pragma once

#include "QuillonCoreExport.h"
#include "model/SaveError.h"

#include "StoredFile.h"

#include <cstdint>
#include <string>
#include <vector>

// The settings of the installation rather than of one user, kept in "config.dat" in the
// configuration folder. One instance per process, made when QuillonCore is loaded and destroyed
// (writing the file) when it is unloaded.
class QUILLON_CORE_EXPORT CSmsConfig {
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
    // Writes the settings this object changed (since it read the file or saved them) over those
    // the file holds now; writes nothing when it changed none.
    virtual ~CSmsConfig();

    AppMode GetAppMode() const { return m_fields.appMode; }
    void SetAppMode(int mode) { m_fields.appMode = static_cast<AppMode>(mode); }
    const std::string& GetDefaultUser() const { return m_fields.defaultUser; }
    void SetDefaultUser(const std::string& name) { m_fields.defaultUser = name; }
    void SetDefaultUser(const char* name) { SetDefaultUser(std::string(name ? name : "")); }
    bool GetAutoLogout() const { return m_fields.autoLogout; }
    void SetAutoLogout(bool autoLogout) { m_fields.autoLogout = autoLogout; }
    std::uint16_t GetLogoutDelay() const { return m_fields.logoutDelay; }
    void SetLogoutDelay(std::uint16_t minutes) { m_fields.logoutDelay = minutes; }
    bool GetMinToTray() const { return m_fields.minToTray; }
    void SetMinToTray(bool minToTray) { m_fields.minToTray = minToTray; }
    bool ConfirmExit() const { return m_fields.confirmExit; }
    void SetConfirmExit(bool confirm) { m_fields.confirmExit = confirm; }
    std::uint16_t GetLcid() const { return m_fields.lcid; }
    void SetLcid(std::uint16_t lcid) { m_fields.lcid = lcid; }
    // Whether the desktop program tells delivery reports in desktop notifications; on in a
    // file written before there was the choice.
    bool GetDesktopNotifications() const { return m_fields.desktopNotifications; }
    void SetDesktopNotifications(bool on) { m_fields.desktopNotifications = on; }

    // Stores this object's user fields (DefaultUser, AppMode) and either its logout fields
    // (logoutPart) or its window, language and notification fields into what the file holds
    // now, keeping the
    // rest as other processes stored it. False when the file could not be written.
    bool Save(bool logoutPart);
    // Why the last Save did not write the file; no reason when it did.
    const SaveError& GetLastSaveError() const { return m_lastSaveError; }

protected:
    // Reads the file over the current fields; fields the file lacks keep their values.
    bool ReadConfig();
    // Writes all fields; false when the file could not be written.
    bool WriteConfig() const;
    // Reads the fields from an XML text; false when it is no settings document.
    bool FromStream(std::vector<unsigned char>& text);

private:
    struct Fields {
        AppMode appMode = MultiUser;
        std::string defaultUser;
        bool autoLogout = false;
        std::uint16_t logoutDelay = 1;
        bool minToTray = false; // stored as "SysTray"
        bool confirmExit = true;
        std::uint16_t lcid = 0; // a Windows locale identifier
        bool desktopNotifications = true;
        bool operator==(const Fields&) const = default;
    };
    // The defaults with what the file holds over them; the caller holds the profile lock.
    static Fields ReadStored();
    // The file over the fields; what reading it found.
    static StoredFileSource ReadFile(Fields& fields);
    static bool FromStream(std::vector<unsigned char>& text, Fields& fields);
    static SaveError Write(const Fields& fields);

    Fields m_fields;
    // The fields as this object read or saved them: what differs from them is this object's
    // change.
    Fields m_stored;
    SaveError m_lastSaveError;
};
