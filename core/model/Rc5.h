#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// The RC5 block cipher with 32-bit words (64-bit blocks), the cipher of the stored files.
class CRc5 {
public:
    static constexpr std::size_t kBlockSize = 8;
    static constexpr int kMinRounds = 12;
    static constexpr int kMaxRounds = 24;
    static constexpr std::size_t kMaxKeyLength = 128;

    // Expands the key; false for a round count outside 12 to 24. A key shorter than 8 bytes is
    // padded with zero bytes to 8, a longer one than 128 bytes is cut to 128.
    bool SetKey(const unsigned char* key, std::size_t length, int rounds);

    // One block, two little-endian words.
    void EncryptBlock(unsigned char* block) const;
    void DecryptBlock(unsigned char* block) const;

    // Electronic codebook in place. The count is rounded up to whole blocks, so the buffer must
    // hold them.
    void Encrypt(unsigned char* buffer, std::size_t count) const;
    void Decrypt(unsigned char* buffer, std::size_t count) const;

private:
    int m_rounds = 0;
    std::array<std::uint32_t, 2 * (kMaxRounds + 1)> m_s{};
};
