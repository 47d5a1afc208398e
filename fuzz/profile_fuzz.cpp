// The readers of the profile and settings files on any content: the container and the XML
// inside it. Whatever the file holds, a user (or the settings) comes out, and what is saved from
// a user read from XML loads again alike.
#include "model/SmsConfig.h"
#include "model/SmsUserInfo.h"
#include "model/StoredFile.h"
#include "platform/Paths.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr const char* kUser = "fuzz";

void Check(bool condition) {
    if (!condition)
        __builtin_trap();
}

void WriteFile(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

std::string ProfilePath() {
    return GetConfigDir(true, false) + "UserData/" + kUser + ".dat";
}

// With saveAgain, what is saved from the user must load alike.
void CheckProfile(bool saveAgain) {
    const auto user = CSmsUserInfo::GetUserInfo(kUser, "1.1", "QLN");
    Check(user != nullptr);
    Check(user->GetMaxDays() <= CSmsUserInfo::MaxDaysLimit);
    Check(user->GetMaxItems() <= CSmsUserInfo::MaxItemsLimit);
    Check(user->GetHistory().size() <= static_cast<std::size_t>(CSmsArchive::MaxHistoryItems));
    if (!saveAgain)
        return;
    Check(user->Save(false));
    const auto again = CSmsUserInfo::GetUserInfo(kUser, "1.1", "QLN");
    Check(again != nullptr);
    Check(again->GetArchive().GetItemCount() == user->GetArchive().GetItemCount());
    Check(again->GetAddressBook().GetItemCount() == user->GetAddressBook().GetItemCount());
    Check(again->GetAddressBook().GetGroupCount() == user->GetAddressBook().GetGroupCount());
    Check(again->GetHistory().size() == user->GetHistory().size());
    Check(again->GetPassword() == user->GetPassword());
    Check(again->GetSentTotal() == user->GetSentTotal());
}

void CheckSettings() {
    const CSmsConfig config;
    Check(config.GetAppMode() >= CSmsConfig::MultiUser &&
          config.GetAppMode() <= CSmsConfig::SingleUserSavedPwd);
    Check(config.GetLogoutDelay() <= 60);
}

std::string g_folder;
std::string g_previousData;

void RemoveFolder() {
    // The settings are written once more when the library unloads: not into this folder.
    setenv("XDG_DATA_HOME", g_previousData.c_str(), 1);
    std::error_code ignored;
    std::filesystem::remove_all(g_folder, ignored);
}

} // namespace

// A data folder of its own, in memory where possible: every save flushes its file to disk.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const std::filesystem::path memory = "/dev/shm";
    std::error_code error;
    const std::filesystem::path base =
        std::filesystem::is_directory(memory, error) && access(memory.c_str(), W_OK) == 0
            ? memory
            : std::filesystem::temp_directory_path();
    g_folder = (base / "quillon-fuzz-XXXXXX").string();
    if (!mkdtemp(g_folder.data()))
        std::abort();
    const char* previous = std::getenv("XDG_DATA_HOME");
    g_previousData = previous ? previous : "";
    setenv("XDG_DATA_HOME", g_folder.c_str(), 1);
    std::atexit(RemoveFolder);
    std::filesystem::create_directories(ProfilePath().substr(0, ProfilePath().rfind('/')));
    return 0;
}

// The first byte chooses: the rest as the XML of a profile, as the bytes of a profile file, or
// as the XML of the settings.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::string rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    switch (data[0] % 3) {
    case 0:
        WriteFile(ProfilePath(), PackStoredText(rest));
        CheckProfile(true);
        break;
    case 1:
        WriteFile(ProfilePath(), std::vector<unsigned char>(rest.begin(), rest.end()));
        CheckProfile(false);
        break;
    default:
        WriteFile(GetConfigDir(true, false) + "config.dat", PackStoredText(rest));
        CheckSettings();
        break;
    }
    return 0;
}
