#pragma once

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

// The container's bytes before the zlib stream: the length L.
constexpr std::size_t kStoredHeaderSize = 4;

// The length L of the text that container bytes hold (read from a deciphered copy of their first
// block); none when the byte count is not a positive multiple of 8 or L is not below maxRatio
// times the byte count.
std::optional<std::uint32_t> StoredTextLength(const std::vector<unsigned char>& bytes,
                                              std::uint32_t maxRatio);
// The same, deciphering the bytes in place when they are a container.
std::optional<std::uint32_t> OpenStoredContainer(std::vector<unsigned char>& bytes,
                                                 std::uint32_t maxRatio);
// The text of opened container bytes; false when the stream does not end within length bytes.
bool InflateStoredText(const std::vector<unsigned char>& bytes, std::uint32_t length,
                       std::vector<unsigned char>& text);

// The text held by container bytes (deciphered in place). False when the byte count is not a
// positive multiple of 8, when L is not below maxRatio times the byte count or when the stream
// does not end within L bytes.
bool UnpackStoredText(std::vector<unsigned char>& bytes, std::uint32_t maxRatio,
                      std::vector<unsigned char>& text);

// The bytes of the file at path, or at fallback when path cannot be opened; false when neither
// is a readable regular file of a sane size. With a stamp, success also gives the stamp of the
// file read.
bool ReadStoredBytes(const std::string& path, const std::string& fallback,
                     std::vector<unsigned char>& bytes, StoredFileStamp* stamp = nullptr);
// Reads the file at path, or at fallback when path cannot be opened, and unpacks it. With a
// stamp, a successful read also gives the stamp of the file read.
bool ReadStoredFile(const std::string& path, const std::string& fallback, std::uint32_t maxRatio,
                    std::vector<unsigned char>& text, StoredFileStamp* stamp = nullptr);

// Packs the text (for reading with maxRatio) and replaces the file: a private temporary file in
// the same folder, flushed to disk, then renamed over the old one, so that a failed write leaves
// the old file whole. False when the file could not be written; with written, success also gives
// the new file's version.
bool WriteStoredFile(const std::string& path, const std::string& text, std::uint32_t maxRatio = 0,
                     StoredFileVersion* written = nullptr);
bool WriteStoredFile(const std::string& path, const TextSource& source, std::uint32_t maxRatio = 0,
                     StoredFileVersion* written = nullptr);
