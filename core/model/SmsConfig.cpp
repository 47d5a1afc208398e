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
    // The write at destruction is serialised with every other access to the file as well.
    try {
        const CProfileLock lock;
        WriteConfig();
    } catch (...) {
    }
}

bool CSmsConfig::Save(bool logoutPart) {
    try {
        const CProfileLock lock;
        CSmsConfig stored;
        if (logoutPart) {
            stored.m_AutoLogout = m_AutoLogout;
            stored.m_LogoutDelay = m_LogoutDelay;
        } else {
            stored.m_MinToTray = m_MinToTray;
            stored.m_Lcid = m_Lcid;
        }
        stored.m_DefaultUser = m_DefaultUser;
        stored.m_AppMode = m_AppMode;
        return stored.WriteConfig();
    } catch (...) {
        return false;
    }
}

bool CSmsConfig::ReadConfig() {
    try {
        const CProfileLock lock;
        std::vector<unsigned char> text;
        StoredFileSource source =
            ReadStoredFile(GetConfigDir(false, false) + kFileName,
                           GetConfigDir(false, true) + kFileName, kMaxRatio, text);
        if (source && !FromStream(text))
            source.state = StoredFileSource::State::Damaged;
        ReportStoredFileProblem(source);
    } catch (...) {
        // A settings file that cannot be read leaves the fields as they are.
    }
    return true;
}

bool CSmsConfig::WriteConfig() const {
    try {
        const auto writeSettings = [this](CXmlWriter& writer) {
            writer.Open("Settings");
            writer.Element("AppMode", m_AppMode);
            writer.Element("DefaultUser", m_DefaultUser);
            writer.Element("AutoLogout", m_AutoLogout ? 1 : 0);
            writer.Element("LogoutDelay", m_LogoutDelay);
            writer.Element("SysTray", m_MinToTray ? 1 : 0);
            writer.Element("ConfirmExit", m_ConfirmExit ? 1 : 0);
            writer.Element("LCID", m_Lcid);
            writer.Close();
        };
        return WriteStoredXml(GetConfigDir(true, false) + kFileName, writeSettings, kMaxRatio);
    } catch (...) {
        return false;
    }
}

bool CSmsConfig::FromStream(std::vector<unsigned char>& text) {
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
            SetDefaultUser(XmlTextToAnsi(value));
            continue;
        }
        const std::optional<int> number = XmlInt(value);
        if (!number)
            continue;
        if (IsNamed(child, "AppMode")) {
            m_AppMode = *number < MultiUser || *number > SingleUserSavedPwd
                            ? MultiUser
                            : static_cast<AppMode>(*number);
        } else if (IsNamed(child, "AutoLogout")) {
            m_AutoLogout = *number != 0;
        } else if (IsNamed(child, "LogoutDelay")) {
            m_LogoutDelay = std::min(static_cast<std::uint16_t>(*number), kMaxLogoutDelay);
        } else if (IsNamed(child, "SysTray")) {
            m_MinToTray = *number != 0;
        } else if (IsNamed(child, "ConfirmExit")) {
            m_ConfirmExit = *number != 0;
        } else if (IsNamed(child, "LCID")) {
            m_Lcid = static_cast<std::uint16_t>(*number);
        }
    }
    return true;
}
