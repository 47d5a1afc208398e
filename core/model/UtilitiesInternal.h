#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// Helpers internal to QuillonCore: the stored-file container primitives.

// Drops diacritics by the table of the ANSI code page (1250 or 1252); other bytes of 128 or
// more are dropped.
std::string StripAccents(const std::string& ansi);
// Small letters for capitals by the letter pairs of the ANSI code page (1250 or 1252; any other
// page has only the ASCII pairs): what every comparison of names without regard to case uses.
std::string AnsiLowerCase(std::string ansi);

// RC5-32/12/16 under the store key, electronic codebook, in place over whole 8-byte blocks: the
// byte count is rounded up, so the buffer must hold whole blocks.
void EncipherBuffer(unsigned char* buffer, std::size_t count);
void DecipherBuffer(unsigned char* buffer, std::size_t count);

// The stored password: Base64, then deciphered; empty when anything is wrong.
std::string DecipherBase64Text(const std::string& text);

// A text handed over piece by piece: a source calls the sink for each piece, in order.
using TextSink = std::function<void(const char* data, std::size_t count)>;
using TextSource = std::function<void(const TextSink& sink)>;

// zlib stream, level 5, of a text that comes in pieces, appended to out: the same bytes as one
// call over the whole text, without the whole text in memory. False when zlib fails.
bool CompressText(const TextSource& source, std::vector<unsigned char>& out);
// zlib stream, level 5, in one call; empty when zlib fails.
void CompressBuffer(const unsigned char* data, std::size_t count, std::vector<unsigned char>& out);
// Inflates into a buffer of outCount bytes (the expected length); true only when the stream
// ends exactly there, and then outCount is the produced length. On failure out is emptied.
bool DecompressBuffer(const unsigned char* data, std::size_t count, std::vector<unsigned char>& out,
                      std::size_t& outCount);
