#include "UtilitiesInternal.h"

#include "Rc5.h"
#include "Utilities.h"
#include "platform/CodePage.h"

#include <algorithm>
#include <array>
#include <climits>
#include <initializer_list>
#include <new>
#include <utility>
#include <zlib.h>

namespace {

using Transliteration = std::array<char, 256>;

// Byte -> plain letter; 0 where the byte has no plain letter and is dropped.
constexpr Transliteration
MakeTransliteration(std::initializer_list<std::pair<unsigned char, char>> pairs) {
    Transliteration table{};
    for (const auto& [from, to] : pairs) {
        if (table[from] == 0)
            table[from] = to;
    }
    return table;
}

constexpr Transliteration kCentralEuropean = MakeTransliteration({
    {0xE1, 'a'}, {0xE4, 'a'}, {0xE8, 'c'}, {0xEF, 'd'}, {0xE9, 'e'}, {0xEC, 'e'}, {0xED, 'i'},
    {0xBE, 'l'}, {0xE5, 'l'}, {0xF2, 'n'}, {0xF3, 'o'}, {0xF4, 'o'}, {0xE0, 'r'}, {0xF8, 'r'},
    {0x9A, 's'}, {0x9D, 't'}, {0xFA, 'u'}, {0xF9, 'u'}, {0xFD, 'y'}, {0x9E, 'z'}, {0x8A, 'S'},
    {0x8C, 'S'}, {0x8D, 'T'}, {0x8E, 'Z'}, {0x8F, 'Z'}, {0x9C, 's'}, {0x9F, 'z'}, {0xA3, 'L'},
    {0xA5, 'A'}, {0xAA, 'S'}, {0xAF, 'Z'}, {0xB9, 'a'}, {0xBA, 's'}, {0xBF, 'z'}, {0xC0, 'R'},
    {0xC1, 'A'}, {0xC2, 'A'}, {0xC3, 'A'}, {0xC4, 'A'}, {0xC5, 'L'}, {0xC6, 'C'}, {0xC7, 'C'},
    {0xC8, 'C'}, {0xC9, 'E'}, {0xCA, 'E'}, {0xCB, 'E'}, {0xCC, 'E'}, {0xCD, 'I'}, {0xCE, 'I'},
    {0xCF, 'D'}, {0xD0, 'D'}, {0xD1, 'N'}, {0xD2, 'N'}, {0xD3, 'O'}, {0xD4, 'O'}, {0xD5, 'O'},
    {0xD6, 'O'}, {0xD8, 'R'}, {0xD9, 'U'}, {0xDA, 'U'}, {0xDB, 'U'}, {0xDC, 'U'}, {0xDD, 'Y'},
    {0xDE, 'T'}, {0xE2, 'a'}, {0xE3, 'a'}, {0xE6, 'c'}, {0xE7, 'c'}, {0xEA, 'e'}, {0xEB, 'e'},
    {0xEE, 'i'}, {0xF0, 'd'}, {0xF1, 'n'}, {0xF5, 'o'}, {0xF6, 'o'}, {0xFB, 'u'}, {0xFC, 'u'},
    {0xFE, 't'},
});

constexpr Transliteration kWesternEuropean = MakeTransliteration({
    {0x8A, 'S'}, {0x8E, 'Z'}, {0x9A, 's'}, {0x9E, 'z'}, {0x9F, 'Y'}, {0xC0, 'A'}, {0xC1, 'A'},
    {0xC2, 'A'}, {0xC3, 'A'}, {0xC4, 'A'}, {0xC5, 'A'}, {0xC7, 'C'}, {0xC8, 'E'}, {0xC9, 'E'},
    {0xCA, 'E'}, {0xCB, 'E'}, {0xCC, 'I'}, {0xCD, 'I'}, {0xCE, 'I'}, {0xCF, 'I'}, {0xD0, 'D'},
    {0xD1, 'N'}, {0xD2, 'O'}, {0xD3, 'O'}, {0xD4, 'O'}, {0xD5, 'O'}, {0xD6, 'O'}, {0xD8, 'O'},
    {0xD9, 'U'}, {0xDA, 'U'}, {0xDB, 'U'}, {0xDC, 'U'}, {0xDD, 'Y'}, {0xE0, 'a'}, {0xE1, 'a'},
    {0xE2, 'a'}, {0xE3, 'a'}, {0xE4, 'a'}, {0xE5, 'a'}, {0xE7, 'c'}, {0xE8, 'e'}, {0xE9, 'e'},
    {0xEA, 'e'}, {0xEB, 'e'}, {0xEC, 'i'}, {0xED, 'i'}, {0xEE, 'i'}, {0xEF, 'i'}, {0xF1, 'n'},
    {0xF2, 'o'}, {0xF3, 'o'}, {0xF4, 'o'}, {0xF5, 'o'}, {0xF6, 'o'}, {0xF8, 'o'}, {0xF9, 'u'},
    {0xFA, 'u'}, {0xFB, 'u'}, {0xFC, 'u'}, {0xFD, 'y'}, {0xFF, 'y'},
});

using CaseTable = std::array<unsigned char, 256>;

// Byte -> its small letter, for the ASCII letters; every other byte stays as it is.
constexpr CaseTable MakeAsciiLowerCase() {
    CaseTable table{};
    for (std::size_t byte = 0; byte < table.size(); ++byte)
        table[byte] = static_cast<unsigned char>(byte >= 'A' && byte <= 'Z' ? byte + 0x20 : byte);
    return table;
}

// Both western pages put capitals at C0-DE with their small letters 0x20 above, the
// multiplication sign (D7, above it the division sign) aside; the other pairs are the page's own.
// A letter whose partner the page lacks (the sharp s, the micro sign) has no case here.
constexpr CaseTable
MakeLowerCase(std::initializer_list<std::pair<unsigned char, unsigned char>> pairs) {
    CaseTable table = MakeAsciiLowerCase();
    for (std::size_t byte = 0xC0; byte <= 0xDE; ++byte) {
        if (byte != 0xD7)
            table[byte] = static_cast<unsigned char>(byte + 0x20);
    }
    for (const auto& [upper, lower] : pairs)
        table[upper] = lower;
    return table;
}

// What the code page says of its letters.
struct CodePageLetters {
    Transliteration plain;
    CaseTable lower;
};

constexpr CodePageLetters kCentralEuropeanLetters{
    kCentralEuropean,
    MakeLowerCase({{0x8A, 0x9A},
                   {0x8C, 0x9C},
                   {0x8D, 0x9D},
                   {0x8E, 0x9E},
                   {0x8F, 0x9F},
                   {0xA3, 0xB3},
                   {0xA5, 0xB9},
                   {0xAA, 0xBA},
                   {0xAF, 0xBF},
                   {0xBC, 0xBE}}),
};

constexpr CodePageLetters kWesternEuropeanLetters{
    kWesternEuropean,
    MakeLowerCase({{0x8A, 0x9A}, {0x8C, 0x9C}, {0x8E, 0x9E}, {0x9F, 0xFF}}),
};

// Any other page: no transliteration, and only ASCII has case.
constexpr CodePageLetters kOtherLetters{{}, MakeAsciiLowerCase()};

const CodePageLetters& LettersOfCodePage() {
    switch (GetAnsiCodePage()) {
    case 1250:
        return kCentralEuropeanLetters;
    case 1252:
        return kWesternEuropeanLetters;
    default:
        return kOtherLetters;
    }
}

constexpr int kStoreRounds = 12;
constexpr int kCompressionLevel = 5;
// Output grows in steps of this size, so that a damaged length never allocates it all at once.
constexpr std::size_t kInflateStep = 1 << 20;
// Compressed output grows in steps of this size.
constexpr std::size_t kDeflateStep = 64 << 10;

const CRc5& StoreCipher() {
    static const CRc5 cipher = [] {
        static constexpr char kStoreKey[] = "5f3a90c7d2b14e68";
        CRc5 rc5;
        rc5.SetKey(reinterpret_cast<const unsigned char*>(kStoreKey), sizeof(kStoreKey) - 1,
                   kStoreRounds);
        return rc5;
    }();
    return cipher;
}

// Inflates the whole stream into out, which grows a step at a time up to limit bytes.
bool InflateAll(z_stream& stream, std::vector<unsigned char>& out, std::size_t limit) {
    unsigned char none = 0; // zlib wants an output pointer even for no room
    stream.next_out = &none;
    for (;;) {
        const std::size_t produced = stream.total_out;
        if (stream.avail_out == 0 && produced < limit) {
            out.resize(produced + std::min(kInflateStep, limit - produced));
            stream.next_out = out.data() + produced;
            stream.avail_out = static_cast<uInt>(out.size() - produced);
        }
        const uLong consumed = stream.total_in;
        const int result = inflate(&stream, Z_FINISH);
        if (result == Z_STREAM_END)
            return true;
        if (result != Z_OK && result != Z_BUF_ERROR)
            return false;
        // No progress: the input ended early, or the stream is longer than the limit.
        if (stream.total_in == consumed && stream.total_out == produced)
            return false;
    }
}

// A deflate stream appending to out, ended however its owner is left. Between calls out keeps
// spare room at its end (so it is not zero-filled again for every piece of input); the room is
// cut off when the stream goes.
class CDeflater {
public:
    explicit CDeflater(std::vector<unsigned char>& out) : m_out(out), m_used(out.size()) {
        m_ready = deflateInit(&m_stream, kCompressionLevel) == Z_OK;
    }
    ~CDeflater() {
        m_out.resize(m_used);
        if (m_ready)
            deflateEnd(&m_stream);
    }
    CDeflater(const CDeflater&) = delete;
    CDeflater& operator=(const CDeflater&) = delete;

    bool IsReady() const { return m_ready; }

    // Compresses more input.
    bool Compress(const char* data, std::size_t count) {
        while (count > 0) {
            const auto piece = static_cast<uInt>(std::min<std::size_t>(count, UINT_MAX));
            m_stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data));
            m_stream.avail_in = piece;
            data += piece;
            count -= piece;
            if (!Run(Z_NO_FLUSH))
                return false;
        }
        return true;
    }

    // Ends the stream.
    bool Finish() {
        m_stream.avail_in = 0;
        return Run(Z_FINISH);
    }

private:
    // Runs deflate until the input is used up, or with Z_FINISH until the stream ends.
    bool Run(int flush) {
        int result;
        do {
            if (m_used == m_out.size())
                m_out.resize(m_used + kDeflateStep);
            m_stream.next_out = m_out.data() + m_used;
            m_stream.avail_out = static_cast<uInt>(m_out.size() - m_used);
            result = deflate(&m_stream, flush);
            m_used = m_out.size() - m_stream.avail_out;
            if (result != Z_OK && result != Z_STREAM_END)
                return false;
        } while (flush == Z_FINISH ? result != Z_STREAM_END : m_stream.avail_in > 0);
        return true;
    }

    std::vector<unsigned char>& m_out;
    std::size_t m_used;
    z_stream m_stream{};
    bool m_ready = false;
};

} // namespace

std::string StripAccents(const std::string& ansi) {
    const Transliteration& table = LettersOfCodePage().plain;
    std::string result;
    result.reserve(ansi.size());
    for (char c : ansi) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80)
            result += c;
        else if (table[byte] != 0)
            result += table[byte];
    }
    return result;
}

std::string AnsiLowerCase(std::string ansi) {
    const CaseTable& lower = LettersOfCodePage().lower;
    for (char& c : ansi)
        c = static_cast<char>(lower[static_cast<unsigned char>(c)]);
    return ansi;
}

void EncipherBuffer(unsigned char* buffer, std::size_t count) {
    StoreCipher().Encrypt(buffer, count);
}

void DecipherBuffer(unsigned char* buffer, std::size_t count) {
    StoreCipher().Decrypt(buffer, count);
}

std::string DecipherBase64Text(const std::string& text) {
    std::vector<unsigned char> bytes(text.size());
    std::size_t count = bytes.size();
    if (!Base64Decode(text, bytes.data(), count) || count % CRc5::kBlockSize != 0)
        return {};
    DecipherBuffer(bytes.data(), count);
    const auto end = bytes.begin() + static_cast<std::ptrdiff_t>(count);
    const auto zero = std::find(bytes.begin(), end, 0);
    return zero == end ? std::string() : std::string(bytes.begin(), zero);
}

bool CompressText(const TextSource& source, std::vector<unsigned char>& out) {
    CDeflater deflater(out);
    bool compressed = deflater.IsReady();
    source([&](const char* data, std::size_t count) {
        compressed = compressed && deflater.Compress(data, count);
    });
    return compressed && deflater.Finish();
}

void CompressBuffer(const unsigned char* data, std::size_t count, std::vector<unsigned char>& out) {
    out.clear();
    const auto* text = reinterpret_cast<const char*>(data);
    if (!CompressText([&](const TextSink& sink) { sink(text, count); }, out))
        out.clear();
}

bool DecompressBuffer(const unsigned char* data, std::size_t count, std::vector<unsigned char>& out,
                      std::size_t& outCount) {
    out.clear();
    z_stream stream{};
    if (count > UINT_MAX || inflateInit(&stream) != Z_OK)
        return false;
    stream.next_in = const_cast<unsigned char*>(data);
    stream.avail_in = static_cast<uInt>(count);
    bool inflated = false;
    try {
        inflated = InflateAll(stream, out, outCount);
    } catch (const std::bad_alloc&) {
    }
    const std::size_t produced = stream.total_out;
    inflateEnd(&stream);
    if (!inflated) {
        out.clear();
        out.shrink_to_fit();
        return false;
    }
    out.resize(produced);
    outCount = produced;
    return true;
}
