#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// The Blowfish block cipher (16 rounds, 64-bit blocks), used for the client id the service
// expects.
class CBlowfish {
public:
    static constexpr std::size_t kBlockSize = 8;
    static constexpr std::size_t kMinKeyLength = 8;
    static constexpr std::size_t kMaxKeyLength = 56;

    // Expands the key; false, and the cipher left unkeyed, for a key outside 8 to 56 bytes.
    bool SetKey(const unsigned char* key, std::size_t length);
    bool HasKey() const { return m_keyed; }

    // One block as two 32-bit halves, left first.
    void EncryptBlock(std::uint32_t& left, std::uint32_t& right) const;
    void DecryptBlock(std::uint32_t& left, std::uint32_t& right) const;

    // Electronic codebook in place; each block holds two big-endian halves. Only whole blocks
    // of the count are processed.
    void Encrypt(unsigned char* data, std::size_t count) const;
    void Decrypt(unsigned char* data, std::size_t count) const;

private:
    static constexpr int kRounds = 16;

    std::uint32_t F(std::uint32_t x) const;

    std::array<std::uint32_t, kRounds + 2> m_p{};
    std::array<std::array<std::uint32_t, 256>, 4> m_s{};
    bool m_keyed = false;
};
