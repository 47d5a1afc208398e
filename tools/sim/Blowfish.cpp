#include "Blowfish.h"

#include "BlowfishTables.h"

#include <stdexcept>
#include <utility>

namespace {

std::uint32_t ReadBigEndian(const unsigned char* bytes) {
    return std::uint32_t{bytes[0]} << 24 | std::uint32_t{bytes[1]} << 16 |
           std::uint32_t{bytes[2]} << 8 | std::uint32_t{bytes[3]};
}

void WriteBigEndian(std::uint32_t value, unsigned char* bytes) {
    for (int i = 3; i >= 0; --i, value >>= 8)
        bytes[i] = static_cast<unsigned char>(value);
}

} // namespace

Blowfish::Blowfish(std::string_view key) : m_p(kBlowfishInitialP), m_s(kBlowfishInitialS) {
    if (key.empty() || key.size() > 56)
        throw std::invalid_argument("a Blowfish key has 1 to 56 bytes");
    std::size_t next = 0;
    for (std::uint32_t& word : m_p) {
        std::uint32_t keyWord = 0;
        for (int i = 0; i < 4; ++i, next = (next + 1) % key.size())
            keyWord = keyWord << 8 | static_cast<unsigned char>(key[next]);
        word ^= keyWord;
    }
    std::uint32_t left = 0;
    std::uint32_t right = 0;
    for (std::size_t i = 0; i < m_p.size(); i += 2) {
        Encrypt(left, right);
        m_p[i] = left;
        m_p[i + 1] = right;
    }
    for (auto& box : m_s) {
        for (std::size_t i = 0; i < box.size(); i += 2) {
            Encrypt(left, right);
            box[i] = left;
            box[i + 1] = right;
        }
    }
}

std::uint32_t Blowfish::Round(std::uint32_t half) const {
    return ((m_s[0][half >> 24] + m_s[1][(half >> 16) & 0xff]) ^ m_s[2][(half >> 8) & 0xff]) +
           m_s[3][half & 0xff];
}

void Blowfish::Encrypt(std::uint32_t& left, std::uint32_t& right) const {
    for (int i = 0; i < 16; ++i) {
        left ^= m_p[i];
        right ^= Round(left);
        std::swap(left, right);
    }
    std::swap(left, right);
    right ^= m_p[16];
    left ^= m_p[17];
}

void Blowfish::EncryptBlock(unsigned char* block) const {
    std::uint32_t left = ReadBigEndian(block);
    std::uint32_t right = ReadBigEndian(block + 4);
    Encrypt(left, right);
    WriteBigEndian(left, block);
    WriteBigEndian(right, block + 4);
}
