#pragma once

#include "QuillonCoreExport.h"
#include "model/SaveError.h"

#include "SmsAddressBook.h"
#include "SmsArchive.h"
#include "SmsHistoryItem.h"
#include "StoredFile.h"

#include "model/CreditInfo.h"
#include "model/SmsResultRecords.h"

#include <pugixml.hpp>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

class CXmlWriter;
class IAddressBookSyncUi;
class ISoapTransport;
namespace Kvws {
struct Token;
}

// One subscriber's account as this computer knows it: settings, send counters, archive, recipient
// history and address book, kept in the profile file "<config>/UserData/<name>.dat", and the
// session with the operator's service. Several processes may hold objects of the same user at
// once; the file is where they meet (see Save).
class QUILLON_CORE_EXPORT CSmsUserInfo {
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
    // the file is damaged: see StoredFileNotice). Null when the file is there but could not be
    // read, so that no save replaces it, or when not even a new user could be made.
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
    // settings stay. Otherwise this object is written whole after taking in what other processes
    // stored since it last read or wrote the file (see Refresh). False when the file could not
    // be written.
    bool Save(bool partial);
    // Takes in what other processes stored since this object last read or wrote the profile:
    // messages, contacts and groups they added, changed or deleted, settings they changed and
    // the messages they sent (counters, history). What this object added, changed or deleted
    // itself stays so. Nothing is taken from a file that is missing or cannot be read.
    void Refresh();
    // One locked read-change-write: under the archive and profile locks, Refresh, then change,
    // then the whole profile is written. Exceptions of change (and of the merge) pass to the
    // caller with nothing written. False when the file could not be written.
    bool Update(const std::function<void(CSmsUserInfo&)>& change);
    // Drops the stored password of the user and stops saving it. False when the file could not
    // be written.
    static bool ResetPwd(const std::string& name);
    // Why the last Save or Update of this object did not write the file; no reason when it did.
    // A copy, taken under the data lock, since the background worker saves too.
    SaveError GetLastSaveError() const {
        const auto dataLock = LockData();
        return m_lastSaveError;
    }

    // The name is set before the object is shared between threads and stays while it is.
    const std::string& GetName() const { return m_Name; }
    void SetName(const std::string& name) { m_Name = name; }
    void SetName(const char* name) { m_Name = name ? name : ""; }
    std::string GetPassword() const;
    void SetPassword(const std::string& password);
    void SetPassword(const char* password) { SetPassword(std::string(password ? password : "")); }
    // Whether the password is saved: in the installed secret store (SecretStore) while it
    // takes it, else enciphered in the file. A profile saved so has an empty "Password"
    // element, and loading it with GetUserInfo looks the password up in the store; not saving
    // it removes it from the store.
    void SavePassword(bool save) { WriteData(m_savePassword, save); }
    bool IsPasswordSaved() const { return ReadData(m_savePassword); }
    // The secret store holds the password, as far as this object knows (it put it there or
    // found it there).
    bool IsPasswordInSecretStore() const { return ReadData(m_secret).state == Secret::Holds; }

    int GetDeliveryReport() const { return ReadData(m_DeliveryReport); }
    void SetDeliveryReport(int on) { WriteData(m_DeliveryReport, on); }
    int GetDoArchive() const { return ReadData(m_DoArchive); }
    void SetDoArchive(int on) { WriteData(m_DoArchive, on); }
    AutoDelMode GetAutoDelMode() const { return ReadData(m_AutoDelMode); }
    void SetAutoDelMode(int mode) { WriteData(m_AutoDelMode, static_cast<AutoDelMode>(mode)); }
    EnterKeyMode GetEnterKeyMode() const { return ReadData(m_EnterKeyMode); }
    void SetEnterKeyMode(int mode) { WriteData(m_EnterKeyMode, static_cast<EnterKeyMode>(mode)); }
    ConflictMode GetConflictMode() const { return ReadData(m_ConflictMode); }
    void SetConflictMode(int mode) { WriteData(m_ConflictMode, static_cast<ConflictMode>(mode)); }
    unsigned GetMaxDays() const { return ReadData(m_MaxDays); }
    void SetMaxDays(unsigned days) { WriteData(m_MaxDays, days); }
    unsigned GetMaxItems() const { return ReadData(m_MaxItems); }
    void SetMaxItems(unsigned items) { WriteData(m_MaxItems, items); }
    int UseOBK() const { return ReadData(m_UseOBK); }
    void SetUseOBK(int on) { WriteData(m_UseOBK, on); }
    int ShowNotice() const { return ReadData(m_ShowNotice); }
    void SetShowNotice(int on) { WriteData(m_ShowNotice, on); }
    int ShowSA() const { return ReadData(m_ShowSA); }
    void SetShowSA(int on) { WriteData(m_ShowSA, on); }
    std::int64_t GetLastNoticeTime() const { return ReadData(m_dateNotice); }
    void SetLastNoticeTime(std::int64_t time) { WriteData(m_dateNotice, time); }

    // Hold LockData() around any use of these while another thread may use the object.
    CSmsArchive& GetArchive() { return m_archive; }
    CSmsAddressBook& GetAddressBook() { return m_addressBook; }
    SmsHistoryList& GetHistory() { return m_history; }

    // Counters of sent messages; "today" is the local calendar date of Clock::Now().
    // Sent today, or 0 (and the count restarts) when the day counted is not today.
    int GetSentToday();
    int GetSentTotal() const { return ReadData(m_sentTotal); }
    // Adds n to the total and to today's count, which restarts when the day counted is over.
    void IncrementCounters(int n);
    bool IsToday() const;
    // Sets the total to 0; today's count stays.
    void ResetCounter() { WriteData(m_sentTotal, 0); }

    // ---- Locks ----
    // The data lock (the archive's own mutex, recursive) guards all of the user's data: the
    // archive, the address book, the history, the settings, the counters, the save-password
    // flag and the version of the file this object last saw. The accessors above, Save,
    // Refresh and Update take it themselves (Save for the whole read, merge and write); code
    // that works on GetArchive(), GetAddressBook() or GetHistory() holds it while another
    // thread may use the object, such as the desktop program's background worker, which saves
    // the whole profile. No method of this class holds it during a service call (the
    // address book synchronisation works on a copy), so the user-interface thread waits on it
    // only for local work and file access. Background work waits at most
    // CSmsArchive::LockTimeout (TryLockData) and skips its pass when it cannot have it.
    // The service-call lock (recursive, private) is held for the whole of each Kvws call, an
    // automatic re-login included; it guards the transport and the credit list.
    // The session lock (private) guards the session fields and the password, held only while
    // one is read or written; it is the innermost lock.
    // The profile lock (the named mutex, CProfileLock) serialises file access between
    // processes, taken only around it.
    // Order: a program's service lock, the data lock, the service-call lock, the session lock;
    // the profile lock after the data lock and only around file access.
    using DataMutex = CSmsArchive::Mutex;
    DataMutex& GetDataMutex() const { return m_archive.GetMutex(); }
    std::unique_lock<DataMutex> LockData() const { return std::unique_lock(GetDataMutex()); }
    std::unique_lock<DataMutex> TryLockData() const { return m_archive.TryLock(); }

    // ---- Service session ------------------------------------------------------------------------
    // The session half of the user object (login, token, service flags, credit, client id and
    // the Kvws... operations) is declared in this section and defined in SmsUserInfoService.cpp.
    // Loaded users are made through the public constructor too, so session state set up there
    // covers every user object.
    // Every Kvws method returns the service status (0 success, 1 to 98 a refusal) and throws
    // CKvwsSoapException (transport failure, status 99 and more) or CKvwsDbException (a
    // negative status). Calls on one user object take turns.
    // Loaded users are made through the public constructor too, so session state set up there
    // covers every user object.
    int KvwsLogin(bool firstTime);
    // Ends the session locally in every case and never throws; 0 when the service was not
    // reached.
    int KvwsLogout();
    int KvwsKeepAlive();
    int KvwsGetServices();
    int KvwsGetObk();

    // The service calls go through this transport; by default libcurl at the configured
    // endpoint. Tests and front ends with their own prompt set their own.
    void SetTransport(std::shared_ptr<ISoapTransport> transport);

    // The token as soon as no call is running; it never logs in.
    std::string GetToken() const;
    std::int64_t GetTokenExpiry() const;
    int GetTokenValidity() const;
    bool IsTokenExpired() const;
    int GetObk() const;
    bool IsPostpaidSvcActive() const;
    bool IsObkSvcActive() const;
    bool IsSmtpSvcActive() const;
    std::string GetPostpaidSuppInfo() const;
    std::string GetObkSuppInfo() const;
    std::string GetSmtpSuppInfo() const;
    std::string GetPhoneNr() const;
    std::string GetNotice() const;
    bool HasNumber() const;
    void SetPhoneNr(const std::string& phoneNr);

    // ---- Sending and delivery reports (core/service/SmsUserInfoSending.cpp) ----
    // byCredit: paid from the portal credit (OBK) rather than postpaid.
    int KvwsSendSms(const std::string& text, bool byCredit, bool flash, bool deliveryReport,
                    const std::vector<std::string>& recipients, SmsSentInfoList& sentInfo);
    // One recipient, no delivery report, no result records.
    int KvwsSendSms(const std::string& text, bool byCredit, bool flash,
                    const std::string& recipient);
    int KvwsSendScheduledSms(const std::string& text, bool byCredit, bool flash,
                             bool deliveryReport, int periodicity, std::int64_t deliverAt,
                             const std::vector<std::string>& recipients, SmsSentInfoList& sentInfo,
                             std::int64_t& messageId);
    // The schedule changes only when both periodicity and deliverAt are given.
    int KvwsReplaceSms(const std::string& text, bool byCredit, bool flash, bool deliveryReport,
                       const int* periodicity, const std::int64_t* deliverAt,
                       const std::vector<std::string>& recipients, SmsSentInfoList& sentInfo,
                       std::int64_t messageId);
    int KvwsDeleteSms(std::uint64_t messageId);
    // Updates the records the service reports on; the others keep their values.
    int KvwsGetNotifications(SmsDeliveryInfoList& deliveryInfo);
    // Appends one record per recipient of the scheduled message.
    int KvwsGetNotificationsSched(std::int64_t messageId, SmsSchedDlvrInfoList& schedInfo);

    // ---- Account operations (core/service/SmsUserInfoAccount.cpp) ----
    // Two-step operations: the "Ask4" step has a check code sent to the subscriber's mobile by
    // SMS and returns the transaction number, which the confirming step sends with the code.

    // Fills amounts with the credit amounts that can be recharged, in the service's order
    // (those for club members only when includeClubOnly); the list is fetched once per object.
    // Service failures pass to the caller and leave amounts as they were.
    void GetAvailableCredits(bool includeClubOnly, std::vector<unsigned>& amounts);
    // The club-point options of the first credit amount equal to amount; null when none.
    const CreditInfoArray* GetCreditInfo(unsigned amount) const;
    // clubPoints 0: paid in money.
    int KvwsAsk4CreditRecharge(int amount, int clubPoints, std::int64_t& transaction);
    int KvwsCreditRecharge(const std::string& code, std::int64_t transaction);
    // type 0 OBK, 1 "POSTPAID", 2 "SMTP"; eula receives the terms to accept, lines ending in CR
    // LF. The service flags are refreshed by KvwsGetServices afterwards.
    int KvwsAsk4ServiceActivation(int type, const std::string& name, std::string& eula,
                                  std::int64_t& transaction);
    int KvwsServiceActivation(const std::string& code, std::int64_t transaction);
    int KvwsServiceDeactivation(int type, const std::string& name);
    // The number goes as given (the caller normalises it); a confirmed registration does not
    // change the stored phone number (the caller sets it with SetPhoneNr).
    int KvwsAsk4MobileRegistration(const std::string& mobile, std::int64_t& transaction);
    int KvwsMobileRegistration(const std::string& code, std::int64_t transaction);
    // A new account with this object's login name, password and phone number; one call without
    // a token and without re-login. eula receives the terms as the service sends them.
    int KvwsAsk4UserRegistration(std::string& eula, std::int64_t& transaction);
    // Ends any session first; a confirmed registration opens one.
    int KvwsUserRegistration(const std::string& code, std::int64_t transaction);

    // ---- Server address book (core/service/SmsUserInfoObk.cpp) ----
    enum ManualSyncMode : int {
        ObToQln = 0, // the OBK replaces the local book
        QlnToOb = 1, // the local book replaces the OBK
        Merge = 2,
    };
    // Fills the empty book with the OBK: one contact per alias (its number without "+"), one
    // group per OBK group with its member alias names.
    int KvwsGetAddressBook(CSmsAddressBook* book);
    // Creates or updates the alias of that name.
    int KvwsSetAlias(const std::string& name, const std::string& number);
    int KvwsDeleteAlias(const std::string& name, const std::string& number);
    // Creates or replaces the group with these members (alias names), in order.
    int KvwsSetGroup(const std::string& name, const std::vector<std::string>& members);
    int KvwsDeleteGroup(const std::string& name);
    // Copies one address book over the other or merges them, asking and telling the user
    // through ui. The local book is changed in place; saving the profile is the caller's.
    void Synchronize(IAddressBookSyncUi& ui);

private:
    // One credit amount of the credit list.
    struct CreditAmount {
        std::uint16_t amount = 0;
        bool clubMembersOnly = false;
        CreditInfoArray options;
    };
    int KvwsAsk4CreditList();
    void CleanCreditList();

    // Session state, guarded by m_serviceLock.
    std::vector<CreditAmount> m_creditList;
    bool m_creditListLoaded = false;
    // ---- end of the account operations ----

private:
    enum class Renewal {
        Repeat,    // after a re-login the call is made once more
        LoginOnly, // the re-login's status is the result (keep-alive)
    };
    // The common pattern of every call that carries the token: the lock for the whole call,
    // the token taken from every reply, and on status 20 or 21 of the first attempt one
    // re-login. onSuccess(response) runs for status 0. Defined in service/SmsUserInfoService.h.
    template <class Request, class OnSuccess>
    int CallWithRenewal(Request& request, OnSuccess&& onSuccess, Renewal renewal = Renewal::Repeat);
    // Takes the token of a reply whose validity is a number of at least 1 second.
    void TakeToken(const std::optional<Kvws::Token>& token);
    // The transport of this user's calls (made on first use); the caller holds m_serviceLock.
    std::shared_ptr<ISoapTransport> Transport();

    // Stores validity and expiry when the text is a validity of at least 1 second; the caller
    // holds m_sessionLock.
    bool ParseTokenValidity(const char* validity);
    // The login name enciphered under the client type, as 64 upper-case hex digits.
    std::string EncryptClientId() const;

    struct ServiceState {
        bool active = false;
        std::string suppInfo;
    };
    // What a login and the service queries leave; guarded by m_sessionLock.
    struct SessionState {
        std::string token;
        std::int64_t tokenExpiry = 0;
        int tokenValidity = 0;
        std::string phoneNr;
        std::string notice;
        int obk = 0;
        std::array<ServiceState, 3> services; // by service type: OBK, postpaid, SMTP
    };
    template <class Read> auto ReadSession(Read read) const {
        std::lock_guard<std::mutex> lock(m_sessionLock);
        return read(m_session);
    }

    // Held for the whole of each service call, re-login included (so it is recursive).
    mutable std::recursive_mutex m_serviceLock;
    // Held only while session fields are read or written, so getters never wait for a call.
    mutable std::mutex m_sessionLock;
    SessionState m_session;
    std::shared_ptr<ISoapTransport> m_transport;
    // ---- end of the service session ----

private:
    // A user from its stored "User" element, starting from the defaults.
    CSmsUserInfo(const std::string& name, const std::string& version, const std::string& clientType,
                 const pugi::xml_node& user);

    // The stored user of that exact name with the version of the file it came from, or a new
    // user when the file holds only other users; null when the file is missing, damaged or
    // unreadable, as source tells. The caller holds the profile lock.
    // GetUserInfo without the look-up in the secret store.
    static std::unique_ptr<CSmsUserInfo>
    LoadUser(const std::string& name, const std::string& version, const std::string& clientType);
    static std::unique_ptr<CSmsUserInfo> LoadStored(const std::string& name,
                                                    const std::string& version,
                                                    const std::string& clientType,
                                                    StoredFileSource& source);
    // The bytes and stamp of the user's profile file (or of the legacy one).
    static StoredFileSource ReadProfileFile(const std::string& name, StoredFileVersion& stored);
    // The user of that exact name from the bytes of a profile file; null when they hold no
    // profile or no such user (otherUsersOnly: a sound profile of other users).
    static std::unique_ptr<CSmsUserInfo>
    FromFile(std::vector<unsigned char> bytes, const std::string& name, const std::string& version,
             const std::string& clientType, bool& otherUsersOnly);
    void ReadPrefs(const pugi::xml_node& prefs);
    void ReadPrefsNumber(std::string_view name, int number);
    void ReadAutoDelete(const pugi::xml_node& autoDelete);
    // password: the text of the "Password" element; none writes no element.
    void WritePrefs(CXmlWriter& writer, const std::optional<std::string>& password) const;
    // A password the file left to the secret store, from the store.
    void LookUpSecret();
    // Puts the password into the secret store or removes it from there, as the save-password
    // flag says, and gives the "Password" element's text for the file: empty when the store
    // has it, enciphered when the store cannot take it, none when it is not saved.
    std::optional<std::string> KeepPassword();
    // The password a copy read from the file stands for; none when the file left it to the
    // secret store and the store cannot tell. current: the file was just read, so the store is
    // asked even when this object knows what it held.
    std::optional<std::string> PasswordOf(const CSmsUserInfo& copy, bool current);
    // Writes this object whole and remembers the file written; the caller holds the profile
    // lock.
    bool Write();
    void MergeHistoryFrom(const SmsHistoryList& history);
    // Refresh with the profile lock held.
    void MergeStored();
    // What this object and the stored copy theirs each changed since base, into this object.
    void MergePrefs(const CSmsUserInfo& base, const CSmsUserInfo& theirs);
    void MergePassword(const CSmsUserInfo& base, const CSmsUserInfo& theirs);
    void MergeCounters(const CSmsUserInfo& base, const CSmsUserInfo& theirs);

    // A field of the user's data read or written under the data lock.
    template <class T> T ReadData(const T& field) const {
        const std::lock_guard lock(GetDataMutex());
        return field;
    }
    template <class T> void WriteData(T& field, std::type_identity_t<T> value) {
        const std::lock_guard lock(GetDataMutex());
        field = value;
    }

    CSmsArchive m_archive;
    CSmsAddressBook m_addressBook;
    SmsHistoryList m_history;
    std::string m_Name;
    std::string m_password; // guarded by m_sessionLock: a login reads it during a call
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
    // The file this object was read from left the password to the secret store.
    bool m_passwordInStore = false;
    // What the secret store holds of this user's password, as far as this object knows, so
    // that saves call the store only when that changes.
    struct Secret {
        enum State { Unknown, Absent, Holds } state = Unknown;
        std::string password; // when Holds
    };
    Secret m_secret;
    std::string m_version;
    std::string m_clientType;
    // The file as this object last read, wrote or took in: the common base of the changes made
    // here and by other processes since. None when there was no readable file.
    std::optional<StoredFileVersion> m_stored;
    SaveError m_lastSaveError;
};
