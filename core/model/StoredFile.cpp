#include "StoredFile.h"

#include "UtilitiesInternal.h"
#include "platform/Paths.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <new>
#include <string_view>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace {

constexpr std::size_t kBlockSize = 8;
// The length L before the zlib stream.
constexpr std::size_t kHeaderSize = 4;
// Far beyond any real profile (10,000 messages take under 1 MiB); a larger file is taken as
// damaged rather than read into memory.
constexpr off_t kMaxFileSize = off_t{256} << 20;
// Links followed at most on the way to the file written, as the kernel does.
constexpr int kMaxLinks = 40;
// mkostemp's six characters.
constexpr std::size_t kTemporarySuffix = 6;

// Closes a descriptor when it goes out of scope.
class CFileDescriptor {
public:
    explicit CFileDescriptor(int fd) : m_fd(fd) {}
    ~CFileDescriptor() {
        if (m_fd >= 0)
            close(m_fd);
    }
    CFileDescriptor(const CFileDescriptor&) = delete;
    CFileDescriptor& operator=(const CFileDescriptor&) = delete;

    int Get() const { return m_fd; }
    // Closes now; false when the close reports an error (for instance a delayed write error).
    bool Close() {
        const int fd = m_fd;
        m_fd = -1;
        return close(fd) == 0;
    }

private:
    int m_fd;
};

StoredFileStamp StampOf(const struct stat& info) {
    return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
            static_cast<std::int64_t>(info.st_size), static_cast<std::int64_t>(info.st_mtim.tv_sec),
            static_cast<std::int64_t>(info.st_mtim.tv_nsec)};
}

// Repeats a read or write until count bytes are through; false at an error or an early end.
template <typename Transfer> bool TransferAll(std::size_t count, Transfer transfer) {
    std::size_t done = 0;
    while (done < count) {
        const ssize_t moved = transfer(done);
        if (moved < 0 && errno == EINTR)
            continue;
        if (moved <= 0)
            return false;
        done += static_cast<std::size_t>(moved);
    }
    return true;
}

bool ReadAll(int fd, std::vector<unsigned char>& bytes) {
    errno = 0;
    return TransferAll(bytes.size(), [&](std::size_t done) {
        return read(fd, bytes.data() + done, bytes.size() - done);
    });
}

bool WriteAll(int fd, const std::vector<unsigned char>& bytes) {
    return TransferAll(bytes.size(), [&](std::size_t done) {
        return write(fd, bytes.data() + done, bytes.size() - done);
    });
}

// Without O_NONBLOCK, opening a pipe would wait for a writer that never comes.
int OpenForReading(const std::string& path) {
    int fd;
    do {
        fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

// Errors of an open that mean there is no such file, rather than one that cannot be read.
bool IsMissing(int error) {
    return error == ENOENT || error == ENOTDIR || error == ENAMETOOLONG;
}

StoredFileSource::State Unreadable(StoredFileSource& source, int error) {
    source.error = error == 0 ? EIO : error; // a read that ends early: the file shrank under it
    return StoredFileSource::State::Unreadable;
}

// Reads the regular file that fd has open.
StoredFileSource::State ReadOpened(int fd, StoredFileSource& source,
                                   std::vector<unsigned char>& bytes) {
    struct stat info {};
    if (fstat(fd, &info) != 0)
        return Unreadable(source, errno);
    if (!S_ISREG(info.st_mode))
        return StoredFileSource::State::NotRegular;
    source.stamp = StampOf(info);
    if (info.st_uid == getuid() && (info.st_mode & 077) != 0)
        fchmod(fd, info.st_mode & 0700);
    if (info.st_size > kMaxFileSize)
        return StoredFileSource::State::Damaged;
    const int flags = fcntl(fd, F_GETFL);
    if (flags < 0 || fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0)
        return Unreadable(source, errno);
    try {
        bytes.resize(static_cast<std::size_t>(info.st_size));
    } catch (const std::bad_alloc&) {
        return Unreadable(source, ENOMEM);
    }
    return ReadAll(fd, bytes) ? StoredFileSource::State::Read : Unreadable(source, errno);
}

std::size_t RoundedToBlocks(std::uint64_t size) {
    return static_cast<std::size_t>((size + kBlockSize - 1) / kBlockSize * kBlockSize);
}

// The least container size that UnpackStoredText with maxRatio accepts for a text of the length.
std::uint64_t SizeToRead(std::uint64_t length, std::uint32_t maxRatio) {
    return maxRatio == 0 ? 0 : length / maxRatio + 1;
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Makes the rename itself durable.
void SyncFolder(const std::string& folder) {
    const CFileDescriptor fd(
        open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.Get() >= 0)
        fsync(fd.Get());
}

std::string LinkText(const std::string& path) {
    std::string text(PATH_MAX, '\0');
    const ssize_t length = readlink(path.c_str(), text.data(), text.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= text.size())
        return {};
    text.resize(static_cast<std::size_t>(length));
    return text;
}

// Why a file that is there is not replaced: only regular files are, and a folder would refuse
// the rename anyway.
SaveError Unreplaceable(const std::string& path, const struct stat& info) {
    const std::string why = S_ISDIR(info.st_mode)   ? std::generic_category().message(EISDIR)
                            : S_ISLNK(info.st_mode) ? "a link of another user is not followed"
                                                    : "not a regular file";
    return {SaveError::Reason::RenameFailed, path, why};
}

// The file a write to path replaces: path itself or, when path is a link of this user, the file
// at the end of the links (which need not exist yet). None, and error says why, when that is no
// regular file, or a link on the way belongs to someone else.
std::optional<std::string> WriteTarget(std::string path, SaveError& error) {
    for (int links = 0; links <= kMaxLinks; ++links) {
        struct stat info {};
        if (lstat(path.c_str(), &info) != 0) {
            if (errno == ENOENT)
                return path;
            // A folder on the way is a file.
            const std::string concerned = errno == ENOTDIR ? FolderOf(path) : path;
            error = SaveError::FromErrno(errno, concerned, SaveError::Reason::IoError);
            return std::nullopt;
        }
        if (S_ISREG(info.st_mode))
            return path;
        if (!S_ISLNK(info.st_mode) || info.st_uid != getuid()) {
            error = Unreplaceable(path, info);
            return std::nullopt;
        }
        const std::string link = LinkText(path);
        if (link.empty()) {
            error = {SaveError::Reason::IoError, path, "the link cannot be read"};
            return std::nullopt;
        }
        path = link.front() == '/' ? link : FolderOf(path) + link;
    }
    error = SaveError::FromErrno(ELOOP, path, SaveError::Reason::IoError);
    return std::nullopt;
}

// "<name>.XXXXXX" as mkostemp makes it from the template of the file's temporary files.
bool IsTemporaryOf(std::string_view entry, std::string_view name) {
    if (entry.size() != name.size() + 1 + kTemporarySuffix || !entry.starts_with(name) ||
        entry[name.size()] != '.')
        return false;
    const std::string_view suffix = entry.substr(name.size() + 1);
    return std::all_of(suffix.begin(), suffix.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    });
}

// Removes the temporary files that interrupted writes of the file left: full copies of it. Only
// writers holding the profile lock make them, so under the lock every one found is stale.
void RemoveStaleTemporaries(const std::string& path) {
    const std::string folder = FolderOf(path);
    const std::string name = path.substr(folder.size());
    std::error_code error;
    for (const auto& entry :
         std::filesystem::directory_iterator(folder.empty() ? "." : folder, error)) {
        const std::string entryName = entry.path().filename().string();
        struct stat info {};
        const std::string entryPath = folder + entryName;
        if (IsTemporaryOf(entryName, name) && lstat(entryPath.c_str(), &info) == 0 &&
            S_ISREG(info.st_mode) && info.st_uid == getuid())
            unlink(entryPath.c_str());
    }
}

} // namespace

std::vector<unsigned char> PackStoredText(const std::string& text, std::uint32_t maxRatio) {
    return PackStoredText([&](const TextSink& sink) { sink(text.data(), text.size()); }, maxRatio);
}

// The stream is compressed straight behind the room for the length, which is known at the end.
std::vector<unsigned char> PackStoredText(const TextSource& source, std::uint32_t maxRatio) {
    std::vector<unsigned char> bytes(kHeaderSize, 0);
    std::uint64_t length = 0;
    const bool compressed = CompressText(
        [&](const TextSink& sink) {
            source([&](const char* data, std::size_t count) {
                length += count;
                sink(data, count);
            });
        },
        bytes);
    if (!compressed || length > UINT32_MAX)
        return {};
    bytes.resize(
        RoundedToBlocks(std::max<std::uint64_t>(bytes.size(), SizeToRead(length, maxRatio))), 0);
    for (std::size_t i = 0; i < kHeaderSize; ++i)
        bytes[i] = static_cast<unsigned char>(length >> (8 * i));
    EncipherBuffer(bytes.data(), bytes.size());
    return bytes;
}

bool UnpackStoredText(std::vector<unsigned char>& bytes, std::uint32_t maxRatio,
                      std::vector<unsigned char>& text) {
    if (bytes.empty() || bytes.size() % kBlockSize != 0)
        return false;
    DecipherBuffer(bytes.data(), bytes.size());
    std::uint32_t length = 0;
    for (std::size_t i = 0; i < kHeaderSize; ++i)
        length |= static_cast<std::uint32_t>(bytes[i]) << (8 * i);
    if (static_cast<std::uint64_t>(length) >= static_cast<std::uint64_t>(maxRatio) * bytes.size())
        return false;
    std::size_t produced = length;
    return DecompressBuffer(bytes.data() + kHeaderSize, bytes.size() - kHeaderSize, text, produced);
}

std::optional<StoredFileStamp> StampOfStoredFile(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0)
        return std::nullopt;
    return StampOf(info);
}

StoredFileSource ReadStoredBytes(const std::string& path, const std::string& fallback,
                                 std::vector<unsigned char>& bytes) {
    StoredFileSource source;
    source.path = path;
    int fd = OpenForReading(path);
    if (fd < 0 && IsMissing(errno)) {
        source.path = fallback;
        source.fallback = true;
        fd = OpenForReading(fallback);
    }
    if (fd < 0) {
        if (IsMissing(errno))
            return {};
        source.state = Unreadable(source, errno);
        return source;
    }
    const CFileDescriptor file(fd);
    source.state = ReadOpened(fd, source, bytes);
    TightenFolder(FolderOf(source.path));
    return source;
}

StoredFileSource ReadStoredFile(const std::string& path, const std::string& fallback,
                                std::uint32_t maxRatio, std::vector<unsigned char>& text) {
    std::vector<unsigned char> bytes;
    StoredFileSource source = ReadStoredBytes(path, fallback, bytes);
    if (source && !UnpackStoredText(bytes, maxRatio, text))
        source.state = StoredFileSource::State::Damaged;
    return source;
}

SaveError ReplaceStoredBytes(const std::string& path, const std::vector<unsigned char>& bytes,
                             const std::string& temporaryOf, StoredFileStamp* stamp) {
    std::string temporary = temporaryOf + ".XXXXXX";
    CFileDescriptor file(mkostemp(temporary.data(), O_CLOEXEC));
    if (file.Get() < 0) {
        const std::string folder = FolderOf(temporaryOf);
        return SaveError::FromErrno(errno, folder.empty() ? "." : folder,
                                    SaveError::Reason::IoError);
    }
    struct stat info {};
    SaveError error;
    errno = 0;
    if (!WriteAll(file.Get(), bytes) || fsync(file.Get()) != 0 || fstat(file.Get(), &info) != 0 ||
        !file.Close())
        error = SaveError::FromErrno(errno == 0 ? EIO : errno, path, SaveError::Reason::IoError);
    else if (rename(temporary.c_str(), path.c_str()) != 0)
        error = {SaveError::Reason::RenameFailed, path, std::generic_category().message(errno)};
    if (error.Failed()) {
        unlink(temporary.c_str());
        return error;
    }
    SyncFolder(FolderOf(path));
    if (stamp)
        *stamp = StampOf(info);
    return {};
}

SaveError WriteStoredFile(const std::string& path, const std::string& text, std::uint32_t maxRatio,
                          StoredFileVersion* written) {
    return WriteStoredFile(
        path, [&](const TextSink& sink) { sink(text.data(), text.size()); }, maxRatio, written);
}

SaveError WriteStoredFile(const std::string& path, const TextSource& source, std::uint32_t maxRatio,
                          StoredFileVersion* written) {
    SaveError error;
    const std::optional<std::string> target = WriteTarget(path, error);
    if (!target)
        return error;
    std::vector<unsigned char> bytes = PackStoredText(source, maxRatio);
    if (bytes.empty())
        return {SaveError::Reason::IoError, path, "the text could not be compressed"};
    // Copies of a damaged file are made through temporaries of the path, a link perhaps.
    RemoveStaleTemporaries(path);
    if (*target != path)
        RemoveStaleTemporaries(*target);
    StoredFileStamp stamp;
    error = ReplaceStoredBytes(*target, bytes, *target, &stamp);
    if (!error.Failed() && written)
        *written = {stamp, std::move(bytes)};
    return error;
}
