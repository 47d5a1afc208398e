#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// The Blowfish block cipher: 64-bit blocks, 16 rounds, keys of 1 to 56 bytes.
class Blowfish {
public:
    // Throws std::invalid_argument for a key outside 1 to 56 bytes.
    explicit Blowfish(std::string_view key);

    // One block as its two halves, left first.
    void Encrypt(std::uint32_t& left, std::uint32_t& right) const;

    // One 8-byte block in place, each half read and written big-endian.
    void EncryptBlock(unsigned char* block) const;

private:
    std::uint32_t Round(std::uint32_t half) const;

    std::array<std::uint32_t, 18> m_p;
    std::array<std::array<std::uint32_t, 256>, 4> m_s;
};
