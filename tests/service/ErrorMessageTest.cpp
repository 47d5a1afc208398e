#include "service/EnglishServiceStrings.h"
#include "service/KvwsSoapException.h"

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
