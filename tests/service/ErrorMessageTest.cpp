#include "service/EnglishServiceStrings.h"
#include "service/KvwsSoapException.h"

#include "../platform/ScopedEnv.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {

// A string table that records which ids were asked for.
class RecordingStrings : public IStringSource {
public:
    explicit RecordingStrings(std::map<int, std::string> strings) : m_strings(std::move(strings)) {}
    std::optional<std::string> GetString(int id) const override {
        asked.push_back(id);
        const auto found = m_strings.find(id);
        return found == m_strings.end() ? std::nullopt : std::optional(found->second);
    }
    mutable std::vector<int> asked;

private:
    std::map<int, std::string> m_strings;
};

std::optional<std::string> MessageOf(int status, int code, const IStringSource& strings) {
    return CKvwsSoapException(status, code).GetErrorMessage(strings);
}

} // namespace

TEST(ErrorMessageTest, OwnTextFirstThenTheGenericTextWithTheNumber) {
    const CEnglishServiceStrings english;
    EXPECT_EQ(MessageOf(45, 0, english),
              "Recharge not possible\nCan't find out prepaid credit\n\ntry again later");
    EXPECT_EQ(MessageOf(150, 0, english), "Error sending request\n\nError E150");
    EXPECT_EQ(MessageOf(34, 0, english), "Error sending request\n\nError E34"); // no English text
    EXPECT_EQ(MessageOf(0, 21, english),
              "Can not establish conneciton to Velora\n\nCheck your internet connection and/or "
              "settings");
    EXPECT_EQ(MessageOf(0, 404, english), "Error sending request\n\nError S404");
}

TEST(ErrorMessageTest, LookupOrder) {
    RecordingStrings strings({{300, "E%d"}, {400, "S%d"}});
    // A negative transport code asks for 399 first, then takes the status text 300.
    EXPECT_EQ(MessageOf(0, -1, strings), "E-1");
    EXPECT_EQ(strings.asked, (std::vector<int>{399, 300}));
    // Statuses from 100 never use their own text.
    strings.asked.clear();
    EXPECT_EQ(MessageOf(150, 0, strings), "E150");
    EXPECT_EQ(strings.asked, (std::vector<int>{300}));

    const RecordingStrings empty({});
    EXPECT_EQ(MessageOf(45, 0, empty), std::nullopt);
}

TEST(ErrorMessageTest, TableTextsCannotActAsFormats) {
    const RecordingStrings strings({{300, "%s 100%% E%d %d"}});
    EXPECT_EQ(MessageOf(7, 0, strings), "%s 100% E7 %d");
    // Codes at the edge of the range do not overflow the string id.
    EXPECT_EQ(MessageOf(0, INT32_MAX, RecordingStrings({{400, "S%d"}})), "S2147483647");
}

// The detail may be the server's text: what reaches a message box or a terminal is one line of
// bounded length without controls, escape sequences or invisible reordering characters.
TEST(ErrorMessageTest, TheDetailIsCleanedAndBounded) {
    const auto detail = [](std::string_view text) {
        return CKvwsSoapException(0, 1, text).GetDetail();
    };
    EXPECT_EQ(detail(""), "");
    EXPECT_EQ(detail("  Token\r\n\tunknown \x01\x7F "), "Token unknown");
    EXPECT_EQ(detail("\x1B]0;owned\x07\x1B[2Jtext"), "]0;owned [2Jtext");
    // C1 controls, bidirectional overrides, zero-width characters and line separators.
    EXPECT_EQ(detail("a\xC2\x9B"
                     "31mb \xE2\x80\xAE"
                     "evil\xE2\x80\xAC \xE2\x80\x8B"
                     "c\xE2\x80\xA8"
                     "d"),
              "a 31mb evil c d");
    // Bytes that are not UTF-8 do not pass as they are.
    EXPECT_EQ(detail("bad \xFF\xFE byte").find('\xFF'), std::string::npos);

    const std::string longest = detail(std::string(100000, 'x'));
    EXPECT_EQ(longest, std::string(300, 'x') + "...");
    EXPECT_EQ(detail(std::string(299, 'x') + "   y"), std::string(299, 'x') + "...");
    EXPECT_EQ(detail(std::string(300, 'x') + "   "), std::string(300, 'x'));
}

TEST(ErrorMessageTest, TheDetailIsAnsiText) {
    ScopedEnv codePage("QUILLON_ANSI_CODEPAGE", "1250");
    // "Služba" in Windows-1250; a character the code page lacks becomes "?".
    EXPECT_EQ(CKvwsSoapException(0, 1,
                                 "Slu\xC5\xBE"
                                 "ba \xE2\x82\xAC \xE4\xB8\xAD")
                  .GetDetail(),
              "Slu\x9E"
              "ba \x80 ?");
}
