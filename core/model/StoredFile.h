#pragma once

#include "SaveError.h"
#include "UtilitiesInternal.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The container of the profile and settings files: the length L of the XML text (4 bytes,
// little-endian), the zlib stream of the text, zero bytes up to a multiple of 8 (or further, see
// PackStoredText), the whole enciphered with the store cipher.

// Tells one version of a stored file from every other: files are only ever replaced whole (by a
// rename), so a changed file is a different file, or at least one with another time or size.
struct StoredFileStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedSeconds = 0;
    std::int64_t modifiedNanoseconds = 0;
    bool operator==(const StoredFileStamp&) const = default;
};

// One version of a stored file: its stamp and its bytes as they are on disk.
struct StoredFileVersion {
    StoredFileStamp stamp;
    std::vector<unsigned char> bytes;
};

// The stamp of the file at the path now; none when there is no such file.
std::optional<StoredFileStamp> StampOfStoredFile(const std::string& path);

// The container of a text; empty when it cannot be made (a text of 4 GiB or more). With a
// maxRatio, more zero bytes follow where the text compresses so well that UnpackStoredText with
// that ratio would reject the container otherwise.
std::vector<unsigned char> PackStoredText(const std::string& text, std::uint32_t maxRatio = 0);
// The same for a text that comes in pieces, never whole in memory.
std::vector<unsigned char> PackStoredText(const TextSource& source, std::uint32_t maxRatio = 0);

// The text held by container bytes (deciphered in place). False when the byte count is not a
// positive multiple of 8, when L is not below maxRatio times the byte count or when the stream
// does not end within L bytes.
bool UnpackStoredText(std::vector<unsigned char>& bytes, std::uint32_t maxRatio,
                      std::vector<unsigned char>& text);

// What reading a stored file found.
struct StoredFileSource {
    enum class State {
        Read,       // the bytes (or the text) are the file's
        Missing,    // there is no file at either path
        Damaged,    // the file holds no container (or is far too large to be one)
        NotRegular, // a folder, pipe or device stands where the file would be
        Unreadable, // the file is there but could not be read (see error)
    };
    State state = State::Missing;
    std::string path; // the file found; empty when missing
    bool fallback = false;
    StoredFileStamp stamp; // of the file read
    int error = 0;         // Unreadable: errno
    explicit operator bool() const { return state == State::Read; }
};

// The bytes of the file at path or, when there is no file at path, at fallback. A file found is
// opened without waiting (a pipe in its place has no writer) and read only when it is a regular
// file. Stored files and their folders are the program's own: when they are this user's, others
// lose their access to them.
StoredFileSource ReadStoredBytes(const std::string& path, const std::string& fallback,
                                 std::vector<unsigned char>& bytes);
// Reads the file as ReadStoredBytes does and unpacks it; Damaged when it holds no container.
StoredFileSource ReadStoredFile(const std::string& path, const std::string& fallback,
                                std::uint32_t maxRatio, std::vector<unsigned char>& text);

// Replaces the file at path with the bytes: a private temporary file "<temporaryOf>.XXXXXX"
// (in the same folder), flushed to disk, then renamed to path, so that a failed write leaves the
// old file whole. The result tells why the file could not be written; with a stamp, success also
// gives the new file's stamp.
QUILLON_CORE_EXPORT SaveError ReplaceStoredBytes(const std::string& path,
                                                 const std::vector<unsigned char>& bytes,
                                                 const std::string& temporaryOf,
                                                 StoredFileStamp* stamp = nullptr);

// Packs the text (for reading with maxRatio) and replaces the file with ReplaceStoredBytes. A
// path that is a link of this user is written through: the file at the end of the links is
// replaced, in its own folder. What interrupted writes of that file left is removed first, so
// the caller holds the profile lock. Nothing is replaced when the file is not a regular file (a
// folder, a pipe, a device) or could not be written, and the result tells why; with written,
// success also gives the new file's version.
SaveError WriteStoredFile(const std::string& path, const std::string& text,
                          std::uint32_t maxRatio = 0, StoredFileVersion* written = nullptr);
SaveError WriteStoredFile(const std::string& path, const TextSource& source,
                          std::uint32_t maxRatio = 0, StoredFileVersion* written = nullptr);
