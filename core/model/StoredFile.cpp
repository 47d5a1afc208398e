#include "StoredFile.h"

#include "UtilitiesInternal.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

constexpr std::size_t kBlockSize = 8;
// Far beyond any real profile (10,000 messages take under 1 MiB); a larger file is taken as
// damaged rather than read into memory.
constexpr off_t kMaxFileSize = off_t{256} << 20;

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

bool ReadAll(int fd, std::vector<unsigned char>& bytes, StoredFileStamp* stamp) {
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > kMaxFileSize)
        return false;
    if (stamp)
        *stamp = StampOf(info);
    bytes.resize(static_cast<std::size_t>(info.st_size));
    return TransferAll(bytes.size(), [&](std::size_t done) {
        return read(fd, bytes.data() + done, bytes.size() - done);
    });
}

bool WriteAll(int fd, const std::vector<unsigned char>& bytes) {
    return TransferAll(bytes.size(), [&](std::size_t done) {
        return write(fd, bytes.data() + done, bytes.size() - done);
    });
}

int OpenForReading(const std::string& path) {
    int fd;
    do {
        fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

std::size_t RoundedToBlocks(std::uint64_t size) {
    return static_cast<std::size_t>((size + kBlockSize - 1) / kBlockSize * kBlockSize);
}

// The least container size that UnpackStoredText with maxRatio accepts for a text of the length.
std::uint64_t SizeToRead(std::uint64_t length, std::uint32_t maxRatio) {
    return maxRatio == 0 ? 0 : length / maxRatio + 1;
}

// Makes the rename itself durable.
void SyncFolder(const std::string& folder) {
    const CFileDescriptor fd(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.Get() >= 0)
        fsync(fd.Get());
}

} // namespace

std::vector<unsigned char> PackStoredText(const std::string& text, std::uint32_t maxRatio) {
    return PackStoredText([&](const TextSink& sink) { sink(text.data(), text.size()); }, maxRatio);
}

// The stream is compressed straight behind the room for the length, which is known at the end.
std::vector<unsigned char> PackStoredText(const TextSource& source, std::uint32_t maxRatio) {
    std::vector<unsigned char> bytes(kStoredHeaderSize, 0);
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
    for (std::size_t i = 0; i < kStoredHeaderSize; ++i)
        bytes[i] = static_cast<unsigned char>(length >> (8 * i));
    EncipherBuffer(bytes.data(), bytes.size());
    return bytes;
}

std::optional<std::uint32_t> StoredTextLength(const std::vector<unsigned char>& bytes,
                                              std::uint32_t maxRatio) {
    if (bytes.empty() || bytes.size() % kBlockSize != 0)
        return std::nullopt;
    std::array<unsigned char, kBlockSize> first{};
    std::copy_n(bytes.begin(), kBlockSize, first.begin());
    DecipherBuffer(first.data(), first.size());
    std::uint32_t length = 0;
    for (std::size_t i = 0; i < kStoredHeaderSize; ++i)
        length |= static_cast<std::uint32_t>(first[i]) << (8 * i);
    if (static_cast<std::uint64_t>(length) >= static_cast<std::uint64_t>(maxRatio) * bytes.size())
        return std::nullopt;
    return length;
}

std::optional<std::uint32_t> OpenStoredContainer(std::vector<unsigned char>& bytes,
                                                 std::uint32_t maxRatio) {
    const std::optional<std::uint32_t> length = StoredTextLength(bytes, maxRatio);
    if (length)
        DecipherBuffer(bytes.data(), bytes.size());
    return length;
}

bool InflateStoredText(const std::vector<unsigned char>& bytes, std::uint32_t length,
                       std::vector<unsigned char>& text) {
    std::size_t produced = length;
    return DecompressBuffer(bytes.data() + kStoredHeaderSize, bytes.size() - kStoredHeaderSize,
                            text, produced);
}

bool UnpackStoredText(std::vector<unsigned char>& bytes, std::uint32_t maxRatio,
                      std::vector<unsigned char>& text) {
    const std::optional<std::uint32_t> length = OpenStoredContainer(bytes, maxRatio);
    return length && InflateStoredText(bytes, *length, text);
}

std::optional<StoredFileStamp> StampOfStoredFile(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0)
        return std::nullopt;
    return StampOf(info);
}

bool ReadStoredBytes(const std::string& path, const std::string& fallback,
                     std::vector<unsigned char>& bytes, StoredFileStamp* stamp) {
    int fd = OpenForReading(path);
    if (fd < 0)
        fd = OpenForReading(fallback);
    const CFileDescriptor file(fd);
    return fd >= 0 && ReadAll(fd, bytes, stamp);
}

bool ReadStoredFile(const std::string& path, const std::string& fallback, std::uint32_t maxRatio,
                    std::vector<unsigned char>& text, StoredFileStamp* stamp) {
    std::vector<unsigned char> bytes;
    return ReadStoredBytes(path, fallback, bytes, stamp) && UnpackStoredText(bytes, maxRatio, text);
}

bool WriteStoredFile(const std::string& path, const std::string& text, std::uint32_t maxRatio,
                     StoredFileVersion* written) {
    return WriteStoredFile(
        path, [&](const TextSink& sink) { sink(text.data(), text.size()); }, maxRatio, written);
}

bool WriteStoredFile(const std::string& path, const TextSource& source, std::uint32_t maxRatio,
                     StoredFileVersion* written) {
    std::vector<unsigned char> bytes = PackStoredText(source, maxRatio);
    if (bytes.empty())
        return false;
    std::string temporary = path + ".XXXXXX";
    CFileDescriptor file(mkostemp(temporary.data(), O_CLOEXEC));
    if (file.Get() < 0)
        return false;
    struct stat info {};
    const bool replaced = WriteAll(file.Get(), bytes) && fsync(file.Get()) == 0 &&
                          fstat(file.Get(), &info) == 0 && file.Close() &&
                          rename(temporary.c_str(), path.c_str()) == 0;
    if (!replaced) {
        unlink(temporary.c_str());
        return false;
    }
    const std::size_t slash = path.rfind('/');
    SyncFolder(slash == std::string::npos ? "." : path.substr(0, slash + 1));
    if (written)
        *written = {StampOf(info), std::move(bytes)};
    return true;
}
