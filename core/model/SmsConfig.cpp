#include "SmsConfig.h"

#include "ProfileLock.h"
#include "StoredFile.h"
#include "StoredFileProblem.h"
#include "StoredXml.h"
#include "XmlNumber.h"
#include "XmlText.h"
#include "XmlWriter.h"
#include "platform/Paths.h"

#include <algorithm>
#include <mutex>
#include <string_view>

namespace {

constexpr const char* kFileName = "config.dat";
// A settings file is accepted only when its text is shorter than this many times the file; it is
// written so.
constexpr std::uint32_t kMaxRatio = 20;
constexpr std::uint16_t kMaxLogoutDelay = 60;

// Constant-initialised, so valid at library load and unload.
std::mutex g_instanceMutex;
CSmsConfig* g_instance = nullptr;

bool IsNamed(const pugi::xml_node& node, std::string_view name) {
    return name == node.name();
}

pugi::xml_node FirstChildElement(const pugi::xml_node& node) {
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_element)
            return child;
    }
    return {};
}

} // namespace

CSmsConfig* CSmsConfig::CreateInstance() {
    std::lock_guard lock(g_instanceMutex);
    delete g_instance;
    g_instance = nullptr;
    g_instance = new CSmsConfig;
    return g_instance;
}

CSmsConfig* CSmsConfig::GetInstance() {
    std::lock_guard lock(g_instanceMutex);
    return g_instance;
}

void CSmsConfig::DeleteInstance() {
    std::lock_guard lock(g_instanceMutex);
    delete g_instance;
    g_instance = nullptr;
}

CSmsConfig::CSmsConfig() {
    ReadConfig();
}

CSmsConfig::~CSmsConfig() {
    if (m_fields == m_stored)
        return;
    // Only what this process changed goes over what other processes stored meanwhile.
    try {
        const CProfileLock lock;
        Fields stored = ReadStored();
        const auto changed = [&](auto field) {
            if (m_fields.*field != m_stored.*field)
                stored.*field = m_fields.*field;
        };
        changed(&Fields::appMode);
        changed(&Fields::defaultUser);
        changed(&Fields::autoLogout);
        changed(&Fields::logoutDelay);
        changed(&Fields::minToTray);
        changed(&Fields::confirmExit);
        changed(&Fields::lcid);
        changed(&Fields::desktopNotifications);
        Write(stored);
    } catch (...) {
    }
}

bool CSmsConfig::Save(bool logoutPart) {
    try {
        const CProfileLock lock;
        Fields stored = ReadStored();
        const auto take = [&](auto field) {
            stored.*field = m_fields.*field;
            m_stored.*field = m_fields.*field;
        };
        if (logoutPart) {
            take(&Fields::autoLogout);
            take(&Fields::logoutDelay);
        } else {
            take(&Fields::minToTray);
            take(&Fields::lcid);
            take(&Fields::desktopNotifications);
        }
        take(&Fields::defaultUser);
        take(&Fields::appMode);
        m_lastSaveError = Write(stored);
    } catch (...) {
        m_lastSaveError = {SaveError::Reason::IoError, GetConfigDir(false, false) + kFileName,
                           "an unexpected failure"};
    }
    return !m_lastSaveError.Failed();
}

bool CSmsConfig::ReadConfig() {
    try {
        const CProfileLock lock;
        ReportStoredFileProblem(ReadFile(m_fields));
    } catch (...) {
        // A settings file that cannot be read leaves the fields as they are.
    }
    m_stored = m_fields;
    return true;
}

CSmsConfig::Fields CSmsConfig::ReadStored() {
    Fields fields;
    ReadFile(fields);
    return fields;
}

StoredFileSource CSmsConfig::ReadFile(Fields& fields) {
    std::vector<unsigned char> text;
    StoredFileSource source =
        ReadStoredFile(GetConfigDir(false, false) + kFileName,
                       GetConfigDir(false, true) + kFileName, kMaxRatio, text);
    if (source && !FromStream(text, fields))
        source.state = StoredFileSource::State::Damaged;
    return source;
}

bool CSmsConfig::WriteConfig() const {
    return !Write(m_fields).Failed();
}

SaveError CSmsConfig::Write(const Fields& fields) {
    const std::string path = GetConfigDir(true, false) + kFileName;
    try {
        const auto writeSettings = [&fields](CXmlWriter& writer) {
            writer.Open("Settings");
            writer.Element("AppMode", fields.appMode);
            writer.Element("DefaultUser", fields.defaultUser);
            writer.Element("AutoLogout", fields.autoLogout ? 1 : 0);
            writer.Element("LogoutDelay", fields.logoutDelay);
            writer.Element("SysTray", fields.minToTray ? 1 : 0);
            writer.Element("ConfirmExit", fields.confirmExit ? 1 : 0);
            writer.Element("LCID", fields.lcid);
            writer.Element("DesktopNotifications", fields.desktopNotifications ? 1 : 0);
            writer.Close();
        };
        return WriteStoredXml(path, writeSettings, kMaxRatio);
    } catch (...) {
        return {SaveError::Reason::IoError, path, "an unexpected failure"};
    }
}

bool CSmsConfig::FromStream(std::vector<unsigned char>& text) {
    return FromStream(text, m_fields);
}

bool CSmsConfig::FromStream(std::vector<unsigned char>& text, Fields& fields) {
    pugi::xml_document document;
    if (!ParseStoredXml(document, text))
        return false;
    const pugi::xml_node settings = FirstChildElement(StoredXmlRoot(document));
    if (!IsNamed(settings, "Settings"))
        return false;
    for (const pugi::xml_node& child : settings.children()) {
        const char* value = child.text().get();
        if (*value == '\0')
            continue;
        if (IsNamed(child, "DefaultUser")) {
            fields.defaultUser = XmlTextToAnsi(value);
            continue;
        }
        const std::optional<int> number = XmlInt(value);
        if (!number)
            continue;
        if (IsNamed(child, "AppMode")) {
            fields.appMode = *number < MultiUser || *number > SingleUserSavedPwd
                                 ? MultiUser
                                 : static_cast<AppMode>(*number);
        } else if (IsNamed(child, "AutoLogout")) {
            fields.autoLogout = *number != 0;
        } else if (IsNamed(child, "LogoutDelay")) {
            fields.logoutDelay = std::min(static_cast<std::uint16_t>(*number), kMaxLogoutDelay);
        } else if (IsNamed(child, "SysTray")) {
            fields.minToTray = *number != 0;
        } else if (IsNamed(child, "ConfirmExit")) {
            fields.confirmExit = *number != 0;
        } else if (IsNamed(child, "LCID")) {
            fields.lcid = static_cast<std::uint16_t>(*number);
        } else if (IsNamed(child, "DesktopNotifications")) {
            fields.desktopNotifications = *number != 0;
        }
    }
    return true;
}
