#include "SmsUserInfo.h"

#include "LocalCalendar.h"
#include "ProfileLock.h"
#include "StoredFile.h"
#include "StoredFileProblem.h"
#include "StoredXml.h"
#include "Utilities.h"
#include "UtilitiesInternal.h"
#include "XmlNumber.h"
#include "XmlText.h"
#include "XmlWriter.h"
#include "platform/Clock.h"
#include "platform/CodePage.h"
#include "platform/Paths.h"
#include "platform/SecretStore.h"

#include <algorithm>
#include <cerrno>
#include <limits>
#include <mutex>
#include <new>
#include <string_view>

namespace {

// A profile is accepted only when its text is shorter than this many times the file; it is written
// so.
constexpr std::uint32_t kMaxRatio = 200;
constexpr std::size_t kCipherBlock = 8;

bool IsNamed(const pugi::xml_node& node, std::string_view name) {
    return name == node.name();
}

// A name that would leave the profile folder (or cut the path short) gets no file.
bool HasProfileFile(const std::string& name) {
    return name.find('/') == std::string::npos && name.find('\0') == std::string::npos;
}

std::string ProfileFolder(bool create, bool legacy) {
    return GetConfigDir(create, legacy) + "UserData/";
}

std::string ProfilePath(const std::string& name, bool create, bool legacy) {
    return ProfileFolder(create, legacy) + name + ".dat";
}

int SaturatingAdd(int a, int b) {
    const long long sum = static_cast<long long>(a) + b;
    return static_cast<int>(std::clamp<long long>(sum, std::numeric_limits<int>::min(),
                                                  std::numeric_limits<int>::max()));
}

std::int64_t NotNegative(std::int64_t value) {
    return value < 0 ? 0 : value;
}

int WithinOrZero(int value, int first, int last) {
    return value < first || value > last ? 0 : value;
}

// A count stored with an upper limit: anything outside 0..limit becomes the limit.
unsigned LimitOf(const char* text, unsigned current, unsigned limit) {
    const std::optional<std::int64_t> value = XmlDecimal(text);
    if (!value)
        return current;
    return *value < 0 || *value > limit ? limit : static_cast<unsigned>(*value);
}

// The password as the file keeps it: enciphered, with at least one zero byte after the text,
// so that the reader's first interpretation (DecipherBase64Text) always gets it back.
std::string EncipheredPassword(const std::string& password) {
    std::vector<unsigned char> bytes((password.size() / kCipherBlock + 1) * kCipherBlock, 0);
    std::copy(password.begin(), password.end(), bytes.begin());
    EncipherBuffer(bytes.data(), bytes.size());
    return Base64Encode(bytes.data(), bytes.size());
}

std::string StoredPassword(const char* text) {
    const std::string value = XmlTextToAnsi(text);
    std::string password = DecipherBase64Text(value);
    // Older files may hold the password as it is.
    return password.empty() ? value : password;
}

// An exception (out of memory, most likely) while the profile was being written.
SaveError UnexpectedFailure(const std::string& name) {
    return {SaveError::Reason::IoError, ProfilePath(name, false, false), "an unexpected failure"};
}

bool SameLocalDate(std::int64_t a, std::int64_t b) {
    const std::optional<std::tm> first = ToLocalTm(a);
    const std::optional<std::tm> second = ToLocalTm(b);
    return first && second && first->tm_mday == second->tm_mday &&
           first->tm_mon == second->tm_mon && first->tm_year == second->tm_year;
}

} // namespace

CSmsUserInfo::CSmsUserInfo(const std::string& name, const std::string& version,
                           const std::string& clientType)
    : m_Name(name), m_version(version), m_clientType(clientType) {}

CSmsUserInfo::CSmsUserInfo(const std::string& name, const std::string& version,
                           const std::string& clientType, const pugi::xml_node& user)
    : CSmsUserInfo(name, version, clientType) {
    for (const pugi::xml_node& child : user.children()) {
        if (IsNamed(child, "History"))
            CSmsArchive::ReadHistoryXML(m_history, child);
        else if (IsNamed(child, "Archive"))
            m_archive.ReadXML(child);
        else if (IsNamed(child, "AddressBook"))
            m_addressBook.ReadXML(child);
        else if (IsNamed(child, "Prefs"))
            ReadPrefs(child);
    }
}

CSmsUserInfo::~CSmsUserInfo() = default;

std::unique_ptr<CSmsUserInfo> CSmsUserInfo::GetUserInfo(const std::string& name,
                                                        const std::string& version,
                                                        const std::string& clientType) {
    std::unique_ptr<CSmsUserInfo> user = LoadUser(name, version, clientType);
    // After the profile lock: the store may take its time.
    if (user)
        user->LookUpSecret();
    return user;
}

std::unique_ptr<CSmsUserInfo> CSmsUserInfo::LoadUser(const std::string& name,
                                                     const std::string& version,
                                                     const std::string& clientType) {
    try {
        const CProfileLock lock;
        std::unique_ptr<CSmsUserInfo> user;
        StoredFileSource source;
        try {
            user = LoadStored(name, version, clientType, source);
        } catch (...) {
            // Out of memory on a large file, which may well be sound.
            source.state = StoredFileSource::State::Unreadable;
            source.error = ENOMEM;
        }
        ReportStoredFileProblem(source);
        // A file that may be sound but was not read gets no user, whose save would replace it.
        if (source.state == StoredFileSource::State::Unreadable)
            return nullptr;
        if (!user)
            user = std::make_unique<CSmsUserInfo>(name, version, clientType);
        return user;
    } catch (...) {
        return nullptr;
    }
}

std::unique_ptr<CSmsUserInfo> CSmsUserInfo::LoadStored(const std::string& name,
                                                       const std::string& version,
                                                       const std::string& clientType,
                                                       StoredFileSource& source) {
    const CCodePageScope codePage;
    StoredFileVersion stored;
    source = ReadProfileFile(name, stored);
    if (!source)
        return nullptr;
    bool otherUsersOnly = false;
    std::unique_ptr<CSmsUserInfo> user =
        FromFile(stored.bytes, name, version, clientType, otherUsersOnly);
    if (otherUsersOnly)
        return std::make_unique<CSmsUserInfo>(name, version, clientType);
    if (!user) {
        source.state = StoredFileSource::State::Damaged;
        return nullptr;
    }
    user->m_stored = std::move(stored);
    return user;
}

StoredFileSource CSmsUserInfo::ReadProfileFile(const std::string& name, StoredFileVersion& stored) {
    if (!HasProfileFile(name))
        return {};
    StoredFileSource source = ReadStoredBytes(ProfilePath(name, false, false),
                                              ProfilePath(name, false, true), stored.bytes);
    stored.stamp = source.stamp;
    return source;
}

std::unique_ptr<CSmsUserInfo> CSmsUserInfo::FromFile(std::vector<unsigned char> bytes,
                                                     const std::string& name,
                                                     const std::string& version,
                                                     const std::string& clientType,
                                                     bool& otherUsersOnly) {
    otherUsersOnly = false;
    std::vector<unsigned char> text;
    pugi::xml_document document;
    if (!UnpackStoredText(bytes, kMaxRatio, text) || !ParseStoredXml(document, text))
        return nullptr;
    const pugi::xml_node root = StoredXmlRoot(document);
    for (const pugi::xml_node& user : root.children("User")) {
        if (XmlAttributeText(user, "Name") == name)
            return std::unique_ptr<CSmsUserInfo>(new CSmsUserInfo(name, version, clientType, user));
    }
    // A sound file of another user (a name differing in case) is no damage.
    otherUsersOnly = root.child("User");
    return nullptr;
}

void CSmsUserInfo::ReadPrefs(const pugi::xml_node& prefs) {
    for (const pugi::xml_node& child : prefs.children()) {
        const char* text = child.text().get();
        if (IsNamed(child, "AutoDelete"))
            ReadAutoDelete(child);
        else if (*text == '\0')
            m_passwordInStore |= IsNamed(child, "Password");
        else if (IsNamed(child, "Password"))
            m_password = StoredPassword(text);
        else if (IsNamed(child, "DateToday"))
            m_dateToday = NotNegative(XmlDecimal(text).value_or(m_dateToday));
        else if (IsNamed(child, "DateNotice"))
            m_dateNotice = NotNegative(XmlDecimal(text).value_or(m_dateNotice));
        else if (const std::optional<int> number = XmlInt(text))
            ReadPrefsNumber(child.name(), *number);
    }
}

void CSmsUserInfo::ReadPrefsNumber(std::string_view name, int number) {
    if (name == "EnterKeyMode") {
        m_EnterKeyMode = static_cast<EnterKeyMode>(WithinOrZero(number, EnterNewLine, EnterSends));
    } else if (name == "ConflictMode") {
        m_ConflictMode =
            static_cast<ConflictMode>(WithinOrZero(number, ConflictModeFirst, ConflictModeLast));
    } else {
        const std::pair<std::string_view, int*> fields[] = {
            {"Archive", &m_DoArchive}, {"DeliveryReport", &m_DeliveryReport},
            {"UseOBK", &m_UseOBK},     {"ShowNotice", &m_ShowNotice},
            {"ShowSA", &m_ShowSA},     {"Today", &m_sentToday},
            {"Total", &m_sentTotal},
        };
        for (const auto& [field, value] : fields) {
            if (name == field)
                *value = number;
        }
    }
}

void CSmsUserInfo::ReadAutoDelete(const pugi::xml_node& autoDelete) {
    if (const std::optional<int> mode = XmlInt(autoDelete.attribute("Mode").value()))
        m_AutoDelMode = static_cast<AutoDelMode>(*mode);
    for (const pugi::xml_node& child : autoDelete.children()) {
        const char* text = child.text().get();
        if (IsNamed(child, "MaxItems"))
            m_MaxItems = LimitOf(text, m_MaxItems, MaxItemsLimit);
        else if (IsNamed(child, "MaxDays"))
            m_MaxDays = LimitOf(text, m_MaxDays, MaxDaysLimit);
    }
}

void CSmsUserInfo::WritePrefs(CXmlWriter& writer,
                              const std::optional<std::string>& password) const {
    writer.Open("Prefs");
    writer.Element("Archive", m_DoArchive);
    writer.Element("DeliveryReport", m_DeliveryReport);
    writer.Element("UseOBK", m_UseOBK);
    writer.Element("ShowNotice", m_ShowNotice);
    writer.Element("ShowSA", m_ShowSA);
    writer.Element("Today", m_sentToday);
    writer.Element("Total", m_sentTotal);
    writer.Element("DateToday", m_dateToday);
    writer.Element("DateNotice", m_dateNotice);
    writer.Element("EnterKeyMode", m_EnterKeyMode);
    writer.Element("ConflictMode", m_ConflictMode);
    if (password)
        writer.Element("Password", *password);
    writer.Open("AutoDelete");
    writer.Attribute("Mode", m_AutoDelMode);
    writer.Element("MaxItems", m_MaxItems);
    writer.Element("MaxDays", m_MaxDays);
    writer.Close();
    writer.Close();
}

bool CSmsUserInfo::Write() {
    const std::string path = ProfilePath(m_Name, false, false);
    if (!HasProfileFile(m_Name)) {
        m_lastSaveError = {SaveError::Reason::IoError, path, "the name cannot be a file name"};
        return false;
    }
    MakePrivateFolder(ProfileFolder(true, false));

    const std::optional<std::string> password = KeepPassword();
    const auto writeUser = [this, &password](CXmlWriter& writer) {
        writer.Open("User");
        writer.Attribute("Name", m_Name);
        writer.Open("Archive");
        m_archive.WriteXML(writer);
        writer.Close();
        m_addressBook.WriteXML(writer);
        writer.Open("History");
        CSmsArchive::WriteHistoryXML(m_history, writer);
        writer.Close();
        WritePrefs(writer, password);
        writer.Close();
    };
    StoredFileVersion written;
    m_lastSaveError = WriteStoredXml(path, writeUser, kMaxRatio, &written);
    if (m_lastSaveError.Failed())
        return false;
    m_stored = std::move(written);
    return true;
}

void CSmsUserInfo::MergeHistoryFrom(const SmsHistoryList& history) {
    for (const auto& entry : history)
        CSmsArchive::InsertHistory(m_history, std::make_unique<CSmsHistoryItem>(*entry),
                                   CSmsArchive::MaxHistoryItems);
}

bool CSmsUserInfo::Save(bool partial) {
    try {
        if (!partial)
            return Update(nullptr);
        const auto dataLock = LockData();
        const CProfileLock lock;
        const std::unique_ptr<CSmsUserInfo> stored = LoadUser(m_Name, m_version, m_clientType);
        if (!stored) {
            m_lastSaveError = {SaveError::Reason::IoError, ProfilePath(m_Name, false, false),
                               "the stored profile cannot be read"};
            return false;
        }
        stored->m_UseOBK = m_UseOBK;
        stored->m_sentToday = m_sentToday;
        stored->m_sentTotal = m_sentTotal;
        stored->m_dateToday = m_dateToday;
        stored->SetPassword(GetPassword());
        stored->m_savePassword = m_savePassword;
        stored->m_secret = m_secret;
        stored->m_EnterKeyMode = m_EnterKeyMode;
        stored->m_ShowSA = m_ShowSA;
        stored->MergeHistoryFrom(m_history);
        const bool written = stored->Write();
        m_secret = stored->m_secret;
        m_lastSaveError = stored->m_lastSaveError;
        return written;
    } catch (...) {
        m_lastSaveError = UnexpectedFailure(m_Name);
        return false;
    }
}

void CSmsUserInfo::Refresh() {
    // The data lock comes before the profile lock; the caller may hold it already.
    const auto dataLock = LockData();
    const CProfileLock lock;
    MergeStored();
}

bool CSmsUserInfo::Update(const std::function<void(CSmsUserInfo&)>& change) {
    const auto dataLock = LockData();
    const CProfileLock lock;
    MergeStored();
    if (change)
        change(*this);
    return Write();
}

void CSmsUserInfo::MergeStored() {
    const CCodePageScope codePage;
    const std::optional<StoredFileStamp> now = StampOfStoredFile(ProfilePath(m_Name, false, false));
    if (m_stored && now == m_stored->stamp)
        return;
    StoredFileVersion current;
    if (!ReadProfileFile(m_Name, current))
        return;
    // A file written again with the same content (or this object's own) holds no change.
    if (m_stored && current.bytes == m_stored->bytes) {
        m_stored->stamp = current.stamp;
        return;
    }
    bool otherUsersOnly = false;
    const std::unique_ptr<CSmsUserInfo> theirs =
        FromFile(current.bytes, m_Name, m_version, m_clientType, otherUsersOnly);
    // A missing or damaged file, or one of another user, says nothing about what others changed:
    // this object stays whole.
    if (!theirs)
        return;
    std::unique_ptr<CSmsUserInfo> base;
    if (m_stored)
        base = FromFile(m_stored->bytes, m_Name, m_version, m_clientType, otherUsersOnly);
    if (!base)
        base = std::make_unique<CSmsUserInfo>(m_Name, m_version, m_clientType);
    m_archive.Merge(base->m_archive, theirs->m_archive);
    m_addressBook.Merge(base->m_addressBook, theirs->m_addressBook);
    MergePrefs(*base, *theirs);
    MergeHistoryFrom(theirs->m_history);
    m_stored = std::move(current);
}

void CSmsUserInfo::MergePrefs(const CSmsUserInfo& base, const CSmsUserInfo& theirs) {
    // A setting this object left as it was takes the value stored elsewhere.
    const auto merge = [&](auto field) {
        if (this->*field == base.*field)
            this->*field = theirs.*field;
    };
    MergePassword(base, theirs);
    merge(&CSmsUserInfo::m_DeliveryReport);
    merge(&CSmsUserInfo::m_DoArchive);
    merge(&CSmsUserInfo::m_UseOBK);
    merge(&CSmsUserInfo::m_ShowNotice);
    merge(&CSmsUserInfo::m_ShowSA);
    merge(&CSmsUserInfo::m_AutoDelMode);
    merge(&CSmsUserInfo::m_EnterKeyMode);
    merge(&CSmsUserInfo::m_ConflictMode);
    merge(&CSmsUserInfo::m_MaxDays);
    merge(&CSmsUserInfo::m_MaxItems);
    merge(&CSmsUserInfo::m_dateNotice);
    MergeCounters(base, theirs);
}

// A password dropped elsewhere is no longer stored, but this object keeps it for its session.
void CSmsUserInfo::MergePassword(const CSmsUserInfo& base, const CSmsUserInfo& theirs) {
    // The base is what this object last saw; the store's password now is asked for anew.
    const std::optional<std::string> before = PasswordOf(base, false);
    const std::optional<std::string> stored = PasswordOf(theirs, true);
    // What the store cannot tell is no change: the password stays.
    if (!before || !stored || GetPassword() != *before || *stored == *before)
        return;
    if (stored->empty())
        m_savePassword = false;
    else
        SetPassword(*stored);
}

std::optional<std::string> CSmsUserInfo::PasswordOf(const CSmsUserInfo& copy, bool current) {
    if (!copy.m_passwordInStore)
        return copy.GetPassword();
    if (!current && m_secret.state == Secret::Holds)
        return m_secret.password;
    ISecretStore* store = SecretStore::Installed();
    std::optional<std::string> found = store ? store->Lookup(m_Name) : std::nullopt;
    if (found)
        m_secret = {Secret::Holds, *found};
    return found;
}

void CSmsUserInfo::LookUpSecret() {
    const auto dataLock = LockData();
    ISecretStore* store = SecretStore::Installed();
    if (!store || !m_passwordInStore || !GetPassword().empty())
        return;
    if (const std::optional<std::string> found = store->Lookup(m_Name)) {
        SetPassword(*found);
        m_secret = {Secret::Holds, *found};
    }
}

std::optional<std::string> CSmsUserInfo::KeepPassword() {
    ISecretStore* store = SecretStore::Installed();
    if (!m_savePassword) {
        if (store && m_secret.state != Secret::Absent && store->Remove(m_Name))
            m_secret = {Secret::Absent, {}};
        return std::nullopt;
    }
    const std::string password = GetPassword();
    // An empty text reads back as no password at all. A password the store keeps stays there:
    // this object may have an empty one only because the store could not be asked.
    if (password.empty())
        return std::string();
    const bool held = m_secret.state == Secret::Holds && m_secret.password == password;
    if (store && (held || store->Store(m_Name, password))) {
        m_secret = {Secret::Holds, password};
        return std::string();
    }
    // The store may still hold an earlier password, which the file's now overrides.
    m_secret = {};
    return EncipheredPassword(password);
}

// Messages counted elsewhere since base are added to this object's counts.
void CSmsUserInfo::MergeCounters(const CSmsUserInfo& base, const CSmsUserInfo& theirs) {
    const auto addedTo = [](int ours, long long added) {
        return static_cast<int>(
            std::clamp<long long>(ours + added, 0, std::numeric_limits<int>::max()));
    };
    m_sentTotal =
        addedTo(m_sentTotal, static_cast<long long>(theirs.m_sentTotal) - base.m_sentTotal);
    if (SameLocalDate(theirs.m_dateToday, m_dateToday)) {
        const int baseToday = SameLocalDate(base.m_dateToday, m_dateToday) ? base.m_sentToday : 0;
        m_sentToday = addedTo(m_sentToday, static_cast<long long>(theirs.m_sentToday) - baseToday);
    } else if (theirs.m_dateToday > m_dateToday) {
        m_sentToday = theirs.m_sentToday;
        m_dateToday = theirs.m_dateToday;
    }
}

bool CSmsUserInfo::ResetPwd(const std::string& name) {
    try {
        const CProfileLock lock;
        const std::unique_ptr<CSmsUserInfo> user = LoadUser(name, "", "");
        if (!user)
            return false;
        user->SetPassword(std::string());
        user->m_savePassword = false;
        return user->Write();
    } catch (...) {
        return false;
    }
}

std::string CSmsUserInfo::GetPassword() const {
    const std::lock_guard lock(m_sessionLock);
    return m_password;
}

void CSmsUserInfo::SetPassword(const std::string& password) {
    const std::lock_guard lock(m_sessionLock);
    m_password = password;
}

int CSmsUserInfo::GetSentToday() {
    const auto dataLock = LockData();
    if (!IsToday())
        m_sentToday = 0;
    return m_sentToday;
}

void CSmsUserInfo::IncrementCounters(int n) {
    const auto dataLock = LockData();
    if (IsToday()) {
        m_sentToday = SaturatingAdd(m_sentToday, n);
    } else {
        m_sentToday = n;
        m_dateToday = Clock::Now();
    }
    m_sentTotal = SaturatingAdd(m_sentTotal, n);
}

bool CSmsUserInfo::IsToday() const {
    return SameLocalDate(ReadData(m_dateToday), Clock::Now());
}
