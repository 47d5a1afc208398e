#include "StoredFileProblem.h"

#include "LocalCalendar.h"
#include "StoredFileNotice.h"
#include "platform/Clock.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::size_t kKeptCopies = 3;
constexpr std::string_view kCopyInfix = ".damaged-";
constexpr std::string_view kStampPattern = "00000000-000000"; // YYYYMMDD-HHMMSS
// More copies in one second get "-2" to "-9" after the stamp.
constexpr char kLastSecondCopy = '9';

bool IsDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "<name>.damaged-YYYYMMDD-HHMMSS", perhaps with "-N" after it.
bool IsCopyOf(std::string_view entry, std::string_view name) {
    if (!entry.starts_with(name) || !entry.substr(name.size()).starts_with(kCopyInfix))
        return false;
    const std::string_view stamp = entry.substr(name.size() + kCopyInfix.size());
    const std::size_t length = kStampPattern.size();
    const bool numbered = stamp.size() == length + 2 && stamp[length] == '-' &&
                          stamp[length + 1] >= '2' && stamp[length + 1] <= kLastSecondCopy;
    return (stamp.size() == length || numbered) && IsDigits(stamp.substr(0, 8)) &&
           stamp[8] == '-' && IsDigits(stamp.substr(9, 6));
}

bool IsOwnRegularFile(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == getuid();
}

// The copies of the file kept so far, oldest first (the names sort by time).
std::vector<std::string> CopiesOf(const std::string& path) {
    const std::filesystem::path file(path);
    const std::string name = file.filename().string();
    std::vector<std::string> copies;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(file.parent_path(), error)) {
        const std::string entryPath = entry.path().string();
        if (IsCopyOf(entry.path().filename().string(), name) && IsOwnRegularFile(entryPath))
            copies.push_back(entryPath);
    }
    std::sort(copies.begin(), copies.end());
    return copies;
}

bool SameContent(const std::string& a, const std::string& b) {
    std::error_code error;
    if (std::filesystem::file_size(a, error) != std::filesystem::file_size(b, error) || error)
        return false;
    std::ifstream one(a, std::ios::binary), other(b, std::ios::binary);
    return std::equal(std::istreambuf_iterator<char>(one), std::istreambuf_iterator<char>(),
                      std::istreambuf_iterator<char>(other), std::istreambuf_iterator<char>());
}

// A copy of the bytes of the file read (not a second name of it, which a writer that truncates
// the file would change as well); false when the file is no longer the one read.
bool MakeCopy(const StoredFileSource& source, const std::string& copy) {
    std::vector<unsigned char> bytes;
    const StoredFileSource again = ReadStoredBytes(source.path, source.path, bytes);
    return again && again.stamp == source.stamp &&
           !ReplaceStoredBytes(copy, bytes, source.path).Failed();
}

std::string StampNow() {
    char text[32];
    const std::optional<std::tm> now = ToLocalTm(Clock::Now());
    if (!now || std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &*now) != kStampPattern.size())
        return std::string(kStampPattern);
    return text;
}

// The first free name for a copy made now; empty when this second has none left.
std::string FreeCopyName(const std::string& path) {
    const std::string first = path + std::string(kCopyInfix) + StampNow();
    std::string name = first;
    for (char number = '2';; ++number) {
        struct stat info {};
        if (lstat(name.c_str(), &info) != 0 && errno == ENOENT)
            return name;
        if (number > kLastSecondCopy)
            return {};
        name = first + '-' + number;
    }
}

// Removes the oldest copies but the one just made, keeping kKeptCopies.
void RemoveOldCopies(const std::string& path, const std::string& kept) {
    std::vector<std::string> copies = CopiesOf(path);
    std::erase(copies, kept);
    const std::size_t others = kKeptCopies - 1;
    for (std::size_t i = 0; i + others < copies.size(); ++i)
        unlink(copies[i].c_str());
}

// The copy of the damaged file: one kept before when it has the same content, else a new one;
// empty when none could be made.
std::string KeepDamagedFile(const StoredFileSource& source) {
    for (const std::string& copy : CopiesOf(source.path)) {
        if (SameContent(copy, source.path))
            return copy;
    }
    const std::string copy = FreeCopyName(source.path);
    if (copy.empty() || !MakeCopy(source, copy))
        return {};
    RemoveOldCopies(source.path, copy);
    return copy;
}

} // namespace

void ReportStoredFileProblem(const StoredFileSource& source) {
    using State = StoredFileSource::State;
    using Problem = StoredFileNotice::Problem;
    switch (source.state) {
    case State::Read:
    case State::Missing:
        return;
    case State::Damaged:
        AddStoredFileNotice({Problem::Damaged, source.path,
                             source.fallback ? source.path : KeepDamagedFile(source), 0});
        return;
    case State::NotRegular:
        AddStoredFileNotice({Problem::NotRegular, source.path, {}, 0});
        return;
    case State::Unreadable:
        AddStoredFileNotice({Problem::Unreadable, source.path, {}, source.error});
        return;
    }
}
