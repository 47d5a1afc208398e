#include "model/XmlNumber.h"

#include <gtest/gtest.h>

#include <limits>

TEST(XmlNumber, ReadsDecimalsWithBlanksAndOneSign) {
    const std::pair<const char*, std::optional<std::int64_t>> cases[] = {
        {"0", 0},
        {" 42\t", 42},
        {"\r\n-7 ", -7},
        {"+5", 5},
        {"-0", 0},
        {"0007", 7},
        {"9223372036854775807", std::numeric_limits<std::int64_t>::max()},
        {"-9223372036854775808", std::numeric_limits<std::int64_t>::min()},
        {"9223372036854775808", std::nullopt},
        {"-9223372036854775809", std::nullopt},
        {"99999999999999999999999", std::nullopt},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"+", std::nullopt},
        {"-", std::nullopt},
        {"+-5", std::nullopt},
        {"--5", std::nullopt},
        {"1 2", std::nullopt},
        {"12a", std::nullopt},
        {"0x10", std::nullopt},
        {"1.5", std::nullopt},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(XmlDecimal(text), expected) << '"' << text << '"';
    EXPECT_EQ(XmlDecimal(nullptr), std::nullopt);
}

TEST(XmlNumber, LimitsGiveNoValueOutsideThem) {
    EXPECT_EQ(XmlDecimal("10", 0, 10), 10);
    EXPECT_EQ(XmlDecimal("11", 0, 10), std::nullopt);
    EXPECT_EQ(XmlDecimal("-1", 0, 10), std::nullopt);
    EXPECT_EQ(XmlInt("2147483647"), std::numeric_limits<int>::max());
    EXPECT_EQ(XmlInt("-2147483648"), std::numeric_limits<int>::min());
    EXPECT_EQ(XmlInt("2147483648"), std::nullopt);
}
