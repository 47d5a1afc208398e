#pragma once

#include "SmsAddressBook.h"
#include "SmsArchive.h"
#include "SmsHistoryItem.h"

#include <pugixml.hpp>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// One subscriber's account as this computer knows it: settings, send counters, archive, recipient
// history and address book, kept in the profile file "<config>/UserData/<name>.dat", and the
// session with the operator's service. Several processes may hold objects of the same user at
// once; the file is where they meet (see Save).
class CSmsUserInfo {
public:
    enum AutoDelMode : int {
        AutoDelOff = 0,     // no automatic removal from the archive
        AutoDelByDays = 1,  // at start-up remove messages older than MaxDays days
        AutoDelByCount = 2, // at start-up keep at most MaxItems messages
    };
    enum EnterKeyMode : int {
        EnterNewLine = 0, // Enter breaks the line, Ctrl+Enter sends
        EnterSends = 1,   // Enter sends, Ctrl+Enter breaks the line
    };
    // Stored and restored with the profile; nothing depends on its value.
    enum ConflictMode : int {
        ConflictModeFirst = 0,
        ConflictModeLast = 4,
    };

    static constexpr unsigned MaxDaysLimit = 1000;
    static constexpr unsigned MaxItemsLimit = 10000;

    // The stored user of that exact name, or a new user with the defaults when there is none (or
    // the file is damaged). Null only when not even a new user could be made.
    static std::unique_ptr<CSmsUserInfo>
    GetUserInfo(const std::string& name, const std::string& version, const std::string& clientType);

    // A new user with the defaults; UseOBK starts at 0 (paying by the monthly plan), so that
    // paying with portal credits is always the user's own choice.
    CSmsUserInfo(const std::string& name, const std::string& version,
                 const std::string& clientType);
    CSmsUserInfo(const CSmsUserInfo&) = delete;
    CSmsUserInfo& operator=(const CSmsUserInfo&) = delete;
    virtual ~CSmsUserInfo();

    // Merges with the stored profile and writes it. partial (a process that only sends, such as
    // the browser toolbar): only the counters, password, UseOBK, ShowSA, the Enter-key mode and
    // this object's history go into the stored profile, whose archive, address book and other
    // settings stay. Otherwise this object is written whole, with the stored history merged
    // into its own. False when the file could not be written.
    bool Save(bool partial);
    // Drops the stored password of the user and stops saving it. False when the file could not
    // be written.
    static bool ResetPwd(const std::string& name);

    const std::string& GetName() const { return m_Name; }
    void SetName(const std::string& name) { m_Name = name; }
    void SetName(const char* name) { m_Name = name ? name : ""; }
    const std::string& GetPassword() const { return m_password; }
    void SetPassword(const std::string& password) { m_password = password; }
    void SetPassword(const char* password) { m_password = password ? password : ""; }
    // Whether the password goes into the file.
    void SavePassword(bool save) { m_savePassword = save; }
    bool IsPasswordSaved() const { return m_savePassword; }

    int GetDeliveryReport() const { return m_DeliveryReport; }
    void SetDeliveryReport(int on) { m_DeliveryReport = on; }
    int GetDoArchive() const { return m_DoArchive; }
    void SetDoArchive(int on) { m_DoArchive = on; }
    AutoDelMode GetAutoDelMode() const { return m_AutoDelMode; }
    void SetAutoDelMode(int mode) { m_AutoDelMode = static_cast<AutoDelMode>(mode); }
    EnterKeyMode GetEnterKeyMode() const { return m_EnterKeyMode; }
    void SetEnterKeyMode(int mode) { m_EnterKeyMode = static_cast<EnterKeyMode>(mode); }
    ConflictMode GetConflictMode() const { return m_ConflictMode; }
    void SetConflictMode(int mode) { m_ConflictMode = static_cast<ConflictMode>(mode); }
    unsigned GetMaxDays() const { return m_MaxDays; }
    void SetMaxDays(unsigned days) { m_MaxDays = days; }
    unsigned GetMaxItems() const { return m_MaxItems; }
    void SetMaxItems(unsigned items) { m_MaxItems = items; }
    int UseOBK() const { return m_UseOBK; }
    void SetUseOBK(int on) { m_UseOBK = on; }
    int ShowNotice() const { return m_ShowNotice; }
    void SetShowNotice(int on) { m_ShowNotice = on; }
    int ShowSA() const { return m_ShowSA; }
    void SetShowSA(int on) { m_ShowSA = on; }
    std::int64_t GetLastNoticeTime() const { return m_dateNotice; }
    void SetLastNoticeTime(std::int64_t time) { m_dateNotice = time; }

    CSmsArchive& GetArchive() { return m_archive; }
    CSmsAddressBook& GetAddressBook() { return m_addressBook; }
    SmsHistoryList& GetHistory() { return m_history; }

    // Counters of sent messages; "today" is the local calendar date of Clock::Now().
    // Sent today, or 0 (and the count restarts) when the day counted is not today.
    int GetSentToday();
    int GetSentTotal() const { return m_sentTotal; }
    // Adds n to the total and to today's count, which restarts when the day counted is over.
    void IncrementCounters(int n);
    bool IsToday() const;
    // Sets the total to 0; today's count stays.
    void ResetCounter() { m_sentTotal = 0; }

    // ---- Service session ------------------------------------------------------------------------
    // The session half of the user object (login, token, service flags, credit, client id and
    // the Kvws... operations) is declared in this section and defined in SmsUserInfoService.cpp.

private:
    // What a load builds from the stored "User" element.
    enum class Parts { All, HistoryOnly };

    // A user from its stored "User" element, starting from the defaults.
    CSmsUserInfo(const std::string& name, const std::string& version, const std::string& clientType,
                 const pugi::xml_node& user, Parts parts);

    static std::unique_ptr<CSmsUserInfo> Load(const std::string& name, const std::string& version,
                                              const std::string& clientType, Parts parts);
    // The user of that exact name from a profile XML text (parsed in place); null when the text
    // is no profile or holds no such user.
    static std::unique_ptr<CSmsUserInfo> FromStream(std::vector<unsigned char>& text,
                                                    const std::string& name,
                                                    const std::string& version,
                                                    const std::string& clientType, Parts parts);
    void ReadPrefs(const pugi::xml_node& prefs);
    void ReadPrefsNumber(std::string_view name, int number);
    void ReadAutoDelete(const pugi::xml_node& autoDelete);
    void WritePrefs(pugi::xml_node& user) const;
    // Writes this object whole; the caller holds the profile lock.
    bool Write() const;
    void MergeHistoryFrom(const SmsHistoryList& history);

    CSmsArchive m_archive;
    CSmsAddressBook m_addressBook;
    SmsHistoryList m_history;
    std::string m_Name;
    std::string m_password;
    int m_DeliveryReport = 0;
    int m_DoArchive = 1;
    int m_UseOBK = 0;
    int m_ShowNotice = 0;
    int m_ShowSA = 1;
    AutoDelMode m_AutoDelMode = AutoDelOff;
    EnterKeyMode m_EnterKeyMode = EnterNewLine;
    ConflictMode m_ConflictMode = ConflictModeFirst;
    unsigned m_MaxDays = 0;
    unsigned m_MaxItems = 0;
    int m_sentToday = 0;
    int m_sentTotal = 0;
    std::int64_t m_dateToday = 0;
    std::int64_t m_dateNotice = 0;
    bool m_savePassword = true;
    std::string m_version;
    std::string m_clientType;
};
