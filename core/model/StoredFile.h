#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The container of the profile and settings files: the length L of the XML text (4 bytes,
// little-endian), the zlib stream of the text, zero bytes up to a multiple of 8, the whole
// enciphered with the store cipher.

// The container of a text; empty when it cannot be made (a text of 4 GiB or more).
std::vector<unsigned char> PackStoredText(const std::string& text);

// The text held by container bytes (deciphered in place). False when the byte count is not a
// positive multiple of 8, when L is not below maxRatio times the byte count or when the stream
// does not end within L bytes.
bool UnpackStoredText(std::vector<unsigned char>& bytes, std::uint32_t maxRatio,
                      std::vector<unsigned char>& text);

// Reads the file at path, or at fallback when path cannot be opened, and unpacks it.
bool ReadStoredFile(const std::string& path, const std::string& fallback, std::uint32_t maxRatio,
                    std::vector<unsigned char>& text);

// Packs the text and replaces the file: a private temporary file in the same folder, flushed to
// disk, then renamed over the old one, so that a failed write leaves the old file whole. False
// when the file could not be written.
bool WriteStoredFile(const std::string& path, const std::string& text);
