#include "Rc5.h"

#include <algorithm>
#include <bit>

namespace {

constexpr std::uint32_t kP32 = 0xB7E15163;
constexpr std::uint32_t kQ32 = 0x9E3779B9;
constexpr std::size_t kMinKeyLength = 8;

std::uint32_t LoadLittleEndian(const unsigned char* bytes) {
    return std::uint32_t{bytes[0]} | std::uint32_t{bytes[1]} << 8 | std::uint32_t{bytes[2]} << 16 |
           std::uint32_t{bytes[3]} << 24;
}

void StoreLittleEndian(std::uint32_t value, unsigned char* bytes) {
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<unsigned char>(value >> (8 * i));
}

int RotateAmount(std::uint32_t value) {
    return static_cast<int>(value & 31);
}

} // namespace

bool CRc5::SetKey(const unsigned char* key, std::size_t length, int rounds) {
    if (rounds < kMinRounds || rounds > kMaxRounds)
        return false;
    std::array<unsigned char, kMaxKeyLength> keyBytes{};
    length = key ? std::min(length, kMaxKeyLength) : 0;
    if (length > 0)
        std::copy_n(key, length, keyBytes.begin());
    const std::size_t keyWords = (std::max(length, kMinKeyLength) + 3) / 4;
    std::array<std::uint32_t, kMaxKeyLength / 4> l{};
    for (std::size_t i = 0; i < keyWords; ++i)
        l[i] = LoadLittleEndian(&keyBytes[4 * i]);

    m_rounds = rounds;
    const std::size_t tableWords = 2 * (static_cast<std::size_t>(rounds) + 1);
    m_s[0] = kP32;
    for (std::size_t i = 1; i < tableWords; ++i)
        m_s[i] = m_s[i - 1] + kQ32;
    std::uint32_t a = 0;
    std::uint32_t b = 0;
    std::size_t i = 0;
    std::size_t j = 0;
    for (std::size_t k = 0; k < 3 * std::max(tableWords, keyWords); ++k) {
        a = m_s[i] = std::rotl(m_s[i] + a + b, 3);
        b = l[j] = std::rotl(l[j] + a + b, RotateAmount(a + b));
        i = (i + 1) % tableWords;
        j = (j + 1) % keyWords;
    }
    return true;
}

void CRc5::EncryptBlock(unsigned char* block) const {
    std::uint32_t a = LoadLittleEndian(block) + m_s[0];
    std::uint32_t b = LoadLittleEndian(block + 4) + m_s[1];
    for (int round = 1; round <= m_rounds; ++round) {
        a = std::rotl(a ^ b, RotateAmount(b)) + m_s[2 * round];
        b = std::rotl(b ^ a, RotateAmount(a)) + m_s[2 * round + 1];
    }
    StoreLittleEndian(a, block);
    StoreLittleEndian(b, block + 4);
}

void CRc5::DecryptBlock(unsigned char* block) const {
    std::uint32_t a = LoadLittleEndian(block);
    std::uint32_t b = LoadLittleEndian(block + 4);
    for (int round = m_rounds; round >= 1; --round) {
        b = std::rotr(b - m_s[2 * round + 1], RotateAmount(a)) ^ a;
        a = std::rotr(a - m_s[2 * round], RotateAmount(b)) ^ b;
    }
    StoreLittleEndian(a - m_s[0], block);
    StoreLittleEndian(b - m_s[1], block + 4);
}

void CRc5::Encrypt(unsigned char* buffer, std::size_t count) const {
    for (std::size_t offset = 0; offset < count; offset += kBlockSize)
        EncryptBlock(buffer + offset);
}

void CRc5::Decrypt(unsigned char* buffer, std::size_t count) const {
    for (std::size_t offset = 0; offset < count; offset += kBlockSize)
        DecryptBlock(buffer + offset);
}
