#include "model/SmsArchive.h"

#include <gtest/gtest.h>

namespace {

// "text@time" of every entry, head to tail.
std::string Describe(const SmsHistoryList& history) {
    std::string text;
    for (const auto& entry : history)
        text += entry->GetText() + "@" + std::to_string(entry->GetTimeStamp()) + " ";
    return text;
}

bool Insert(SmsHistoryList& history, const std::string& text, std::int64_t time, int max = 20) {
    return CSmsArchive::InsertHistory(history, std::make_unique<CSmsHistoryItem>(text, time), max);
}

SmsHistoryList Make(std::initializer_list<std::pair<const char*, std::int64_t>> entries) {
    SmsHistoryList history;
    for (const auto& [text, time] : entries)
        history.push_back(std::make_unique<CSmsHistoryItem>(text, time));
    return history;
}

} // namespace

TEST(History, NewestEntryGoesFirstAndReplacesItsOlderText) {
    auto history = Make({{"a", 30}, {"b", 20}, {"c", 10}});
    EXPECT_TRUE(Insert(history, "b", 30));
    EXPECT_EQ(Describe(history), "b@30 a@30 c@10 ");
}

TEST(History, OldestEntryGoesLastUnlessItsTextIsThere) {
    auto history = Make({{"a", 30}, {"b", 20}});
    EXPECT_FALSE(Insert(history, "a", 20));
    EXPECT_TRUE(Insert(history, "c", 20));
    EXPECT_EQ(Describe(history), "a@30 b@20 c@20 ");
}

TEST(History, EntryInBetweenMovesAnOlderTextOrYieldsToANewerOne) {
    auto history = Make({{"a", 50}, {"b", 40}, {"c", 30}, {"d", 10}});
    EXPECT_TRUE(Insert(history, "d", 35));
    EXPECT_EQ(Describe(history), "a@50 b@40 d@35 c@30 ");
    EXPECT_FALSE(Insert(history, "a", 45));
    EXPECT_TRUE(Insert(history, "e", 32));
    EXPECT_EQ(Describe(history), "a@50 b@40 d@35 e@32 c@30 ");
}

TEST(History, NeverHoldsMoreThanMaxEntries) {
    SmsHistoryList history;
    for (int i = 0; i < 20; ++i)
        Insert(history, "n" + std::to_string(i), 100 + i);
    ASSERT_EQ(history.size(), 20u);
    // Newest, oldest and in between: each pushes out the oldest entry.
    EXPECT_TRUE(Insert(history, "newest", 500));
    EXPECT_EQ(history.size(), 20u);
    EXPECT_EQ(history.back()->GetText(), "n1");
    EXPECT_TRUE(Insert(history, "middle", 110));
    EXPECT_EQ(history.size(), 20u);
    EXPECT_EQ(history.back()->GetText(), "n2");
    // Older than all of a full history: appended and pushed out again at once.
    EXPECT_TRUE(Insert(history, "oldest", 1));
    EXPECT_EQ(history.size(), 20u);
    EXPECT_EQ(history.back()->GetText(), "n2");
    EXPECT_TRUE(Insert(history, "x", 600, 3));
    EXPECT_EQ(Describe(history), "x@600 newest@500 n19@119 ");
    Insert(history, "y", 700, -1);
    EXPECT_TRUE(history.empty());
}

TEST(History, ArchiveRecipientsFeedTheHistoryNewestFirst) {
    CSmsArchive archive;
    archive.AddItem("t", "Jana", "421903000001", 100, false, 1, 1);
    CSmsArchiveItem* group = archive.AddGroupItem("t", 200, false, 1, "G");
    group->AddRecipient("Jana", "421903000001", 2);
    group->AddRecipient("Peter", "421903000002", 3);
    archive.AddItem("t", "Eva", "421903000003", 150, false, 1, 1);
    SmsHistoryList history;
    archive.Archive2History(history, 20);
    EXPECT_EQ(Describe(history), "Jana@200 Peter@200 Eva@150 ");
    SmsHistoryList two;
    archive.Archive2History(two, 2);
    EXPECT_EQ(Describe(two), "Jana@200 Peter@200 ");
}
