#include "model/UtilitiesInternal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>
#include <zlib.h>

namespace {

std::vector<unsigned char> Text(std::size_t length) {
    std::vector<unsigned char> text(length);
    for (std::size_t i = 0; i < length; ++i)
        text[i] = static_cast<unsigned char>("<item>Quillon</item>\n"[i % 21]);
    return text;
}

std::vector<unsigned char> Noise(std::size_t length) {
    std::mt19937 random(7);
    std::vector<unsigned char> noise(length);
    for (auto& byte : noise)
        byte = static_cast<unsigned char>(random());
    return noise;
}

std::vector<unsigned char> Compress(const std::vector<unsigned char>& data) {
    std::vector<unsigned char> out;
    CompressBuffer(data.data(), data.size(), out);
    return out;
}

} // namespace

TEST(Compression, RoundTripsWithTheExactOrALargerExpectedLength) {
    for (const auto& data : {Text(0), Text(1), Text(100000), Noise(3000), Noise(1 << 20)}) {
        const auto packed = Compress(data);
        ASSERT_FALSE(packed.empty());
        std::vector<unsigned char> out;
        std::size_t count = data.size();
        ASSERT_TRUE(DecompressBuffer(packed.data(), packed.size(), out, count)) << data.size();
        EXPECT_EQ(count, data.size());
        EXPECT_EQ(out, data);

        count = data.size() + 500;
        ASSERT_TRUE(DecompressBuffer(packed.data(), packed.size(), out, count));
        EXPECT_EQ(count, data.size()) << "the count becomes what was produced";
        EXPECT_EQ(out, data);
    }
}

// Stored files keep their bytes: the same as zlib gives for the whole text in one call, also when
// the text comes in pieces of any size.
TEST(Compression, WritesAZlibStreamOfLevelFive) {
    for (const auto& data : {Text(0), Text(5000), Text(3 << 20), Noise(300000)}) {
        std::vector<unsigned char> reference(compressBound(data.size()));
        uLongf length = reference.size();
        ASSERT_EQ(compress2(reference.data(), &length, data.data(), data.size(), 5), Z_OK);
        reference.resize(length);
        EXPECT_EQ(Compress(data), reference) << data.size();
        EXPECT_EQ(reference[0], 0x78) << "zlib header";

        for (std::size_t piece : {1u, 777u, 65536u}) {
            if (data.size() / piece > 100000)
                continue;
            std::vector<unsigned char> pieces = {0xAA}; // appended behind what is there
            const auto* text = reinterpret_cast<const char*>(data.data());
            ASSERT_TRUE(CompressText(
                [&](const TextSink& sink) {
                    for (std::size_t at = 0; at < data.size(); at += piece) {
                        sink(text + at, 0); // an empty piece changes nothing
                        sink(text + at, std::min(piece, data.size() - at));
                    }
                },
                pieces));
            ASSERT_EQ(pieces.front(), 0xAA);
            EXPECT_TRUE(
                std::equal(pieces.begin() + 1, pieces.end(), reference.begin(), reference.end()))
                << data.size() << " in pieces of " << piece;
        }
    }
}

TEST(Compression, FailsWhenTheStreamDoesNotEndWithinTheExpectedLength) {
    const auto data = Text(10000);
    const auto packed = Compress(data);
    std::vector<unsigned char> out = {1, 2, 3};
    std::size_t count = data.size() - 1;
    EXPECT_FALSE(DecompressBuffer(packed.data(), packed.size(), out, count));
    EXPECT_TRUE(out.empty());

    count = data.size();
    EXPECT_FALSE(DecompressBuffer(packed.data(), packed.size() - 1, out, count)) << "truncated";
    EXPECT_FALSE(DecompressBuffer(packed.data(), packed.size() / 2, out, count)) << "truncated";
    EXPECT_TRUE(out.empty());

    auto damaged = packed;
    damaged[damaged.size() / 2] ^= 0x55;
    EXPECT_FALSE(DecompressBuffer(damaged.data(), damaged.size(), out, count));
    EXPECT_FALSE(DecompressBuffer(nullptr, 0, out, count));
}

TEST(Compression, ZeroFillAfterTheStreamIsAllowed) {
    // Stored files pad the stream with zero bytes to whole cipher blocks.
    const auto data = Text(777);
    auto packed = Compress(data);
    packed.resize(packed.size() + 7, 0);
    std::vector<unsigned char> out;
    std::size_t count = data.size();
    EXPECT_TRUE(DecompressBuffer(packed.data(), packed.size(), out, count));
    EXPECT_EQ(out, data);
}

TEST(Compression, AHugeExpectedLengthDoesNotAllocateItUpFront) {
    const auto data = Text(64);
    const auto packed = Compress(data);
    std::vector<unsigned char> out;
    std::size_t count = std::size_t{1} << 62;
    ASSERT_TRUE(DecompressBuffer(packed.data(), packed.size(), out, count));
    EXPECT_EQ(count, data.size());
    EXPECT_EQ(out, data);
}
