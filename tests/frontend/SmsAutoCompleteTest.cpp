#include "frontend/SmsAutoComplete.h"
#include "../platform/ScopedEnv.h"

#include "frontend/IAutoCompleteFactory.h"
#include "model/SmsAddressBook.h"
#include "model/Utilities.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace {

// What the fake auto-completion objects were told, kept by the test because the source destroys
// the object it releases.
struct ObjectLog {
    std::vector<std::uint32_t> options;
    IStringEnumerator* strings = nullptr;
    bool enabled = false;
    int changes = 0;
    int alive = 0;
};

class FakeAutoComplete : public IAutoCompleteObject {
public:
    FakeAutoComplete(ObjectLog& log, bool initWorks) : m_log(log), m_initWorks(initWorks) {
        ++m_log.alive;
    }
    ~FakeAutoComplete() override {
        if (m_log.strings)
            m_log.strings->Release();
        m_log.strings = nullptr;
        --m_log.alive;
    }
    void SetOptions(std::uint32_t options) override { m_log.options.push_back(options); }
    bool Init(IStringEnumerator& strings) override {
        if (!m_initWorks)
            return false;
        m_log.strings = &strings;
        strings.AddRef();
        return true;
    }
    void Enable(bool enable) override { m_log.enabled = enable; }
    void StringsChanged() override { ++m_log.changes; }

private:
    ObjectLog& m_log;
    bool m_initWorks;
};

class FakeFactory : public IAutoCompleteFactory {
public:
    ObjectLog log;
    bool creates = true;
    bool initWorks = true;
    int created = 0;

    std::unique_ptr<IAutoCompleteObject> Create() override {
        if (!creates)
            return nullptr;
        ++created;
        return std::make_unique<FakeAutoComplete>(log, initWorks);
    }
};

std::vector<std::u16string> NextStrings(CSmsAutoComplete& source, std::uint32_t count,
                                        EnumResult expected) {
    std::vector<std::u16string> strings{u"left over"};
    std::uint32_t fetched = 99;
    EXPECT_EQ(source.Next(count, strings, &fetched), expected);
    EXPECT_EQ(fetched, strings.size());
    return strings;
}

void Insert(CSmsAutoComplete& source, const std::vector<std::string>& texts) {
    for (const auto& text : texts)
        source.InsertString(text);
}

} // namespace

TEST(SmsAutoCompleteStrings, ContactsThenGroupsThenHistoryEachExactStringOnce) {
    CSmsAddressBook book;
    book.AddContact("Jan Novak", "0903123456", "");
    book.AddContact("Eva", "0905111222", "");
    book.AddGroup("Rodina");
    book.AddGroup("Eva"); // a group named like a contact is offered once
    SmsHistoryList history;
    history.push_back(std::make_unique<CSmsHistoryItem>("0911000111", 20));
    history.push_back(std::make_unique<CSmsHistoryItem>("Jan Novak", 10));
    history.push_back(std::make_unique<CSmsHistoryItem>("jan novak", 5));

    CSmsAutoComplete source;
    source.AddAddressBookItems(book);
    source.AddHistoryItems(history);
    EXPECT_EQ(source.GetStrings(),
              (std::vector<std::string>{"Jan Novak", "Eva", "Rodina", "0911000111", "jan novak"}));
    EXPECT_FALSE(source.InsertString("Rodina"));
    EXPECT_TRUE(source.InsertString("Rodina "));

    // Emptied, the strings are taken again, duplicates still refused.
    source.ResetContent();
    EXPECT_TRUE(source.GetStrings().empty());
    EXPECT_TRUE(source.InsertString("Eva"));
    EXPECT_FALSE(source.InsertString("Eva"));
    EXPECT_EQ(source.GetStrings().size(), 1u);
}

TEST(SmsAutoCompleteEnumerator, NextHandsOutFromTheCursorAtLeastOneAndSaysWhenShort) {
    CSmsAutoComplete source;
    Insert(source, {"Ana", "Bea", "Cyril"});
    EXPECT_EQ(NextStrings(source, 0, EnumResult::Ok), (std::vector<std::u16string>{u"Ana"}));
    EXPECT_EQ(NextStrings(source, 1, EnumResult::Ok), (std::vector<std::u16string>{u"Bea"}));
    EXPECT_EQ(NextStrings(source, 5, EnumResult::False), (std::vector<std::u16string>{u"Cyril"}));
    EXPECT_TRUE(NextStrings(source, 5, EnumResult::False).empty());
    EXPECT_EQ(source.GetCursor(), 3u);

    EXPECT_EQ(source.Reset(), EnumResult::Ok);
    std::vector<std::u16string> strings;
    EXPECT_EQ(source.Next(3, strings, nullptr), EnumResult::Ok) << "fetched may be left out";
    EXPECT_EQ(strings.size(), 3u);

    CSmsAutoComplete empty;
    EXPECT_TRUE(NextStrings(empty, 1, EnumResult::False).empty());
    EXPECT_TRUE(NextStrings(empty, 0, EnumResult::False).empty());
}

TEST(SmsAutoCompleteEnumerator, StringsLeaveInTheirCodePageAsUtf16) {
    const std::string jan1252 = "J\xE1n \xC9va"; // "Ján Éva" in Windows-1252
    CSmsAutoComplete source;
    Insert(source, {jan1252, "\x80"});
    EXPECT_EQ(NextStrings(source, 2, EnumResult::Ok),
              (std::vector<std::u16string>{u"Ján Éva", u"€"}));

    ScopedEnv codePage("QUILLON_ANSI_CODEPAGE", "1250");
    CSmsAutoComplete slovak;
    Insert(slovak, {Utf8ToAnsi("Ľudmila Šťastná")});
    EXPECT_EQ(slovak.GetStrings()[0], "\xBC"
                                      "udmila \x8A\x9D"
                                      "astn\xE1");
    EXPECT_EQ(NextStrings(slovak, 1, EnumResult::Ok),
              (std::vector<std::u16string>{u"Ľudmila Šťastná"}));
}

TEST(SmsAutoCompleteEnumerator, SkipAndResetMoveTheCursorWhichEmptyingLeavesAlone) {
    CSmsAutoComplete source;
    Insert(source, {"a", "b", "c"});
    EXPECT_EQ(source.Skip(1), EnumResult::Ok);
    EXPECT_EQ(NextStrings(source, 1, EnumResult::Ok), (std::vector<std::u16string>{u"b"}));
    EXPECT_EQ(source.Skip(1), EnumResult::False) << "the end reached";
    EXPECT_EQ(source.Skip(0), EnumResult::False);

    source.Reset();
    EXPECT_EQ(source.Skip(5), EnumResult::False) << "the end passed";
    EXPECT_TRUE(NextStrings(source, 1, EnumResult::False).empty());

    // A cursor near the top of its range does not wrap round to the start.
    source.Reset();
    source.Skip(2);
    EXPECT_EQ(source.Skip(std::numeric_limits<std::uint32_t>::max()), EnumResult::False);
    EXPECT_TRUE(NextStrings(source, 1, EnumResult::False).empty());

    source.Reset();
    source.Skip(2);
    source.ResetContent();
    EXPECT_EQ(source.GetCursor(), 2u);
    source.InsertString("x");
    EXPECT_TRUE(NextStrings(source, 1, EnumResult::False).empty()) << "cursor past the new end";
    source.InsertString("y");
    source.InsertString("z");
    EXPECT_EQ(NextStrings(source, 1, EnumResult::Ok), (std::vector<std::u16string>{u"z"}));
}

TEST(SmsAutoCompleteEnumerator, CloneCopiesStringsAndCursorWithOneReferenceUnbound) {
    FakeFactory factory;
    CSmsAutoComplete source;
    Insert(source, {"a", "b", "c"});
    ASSERT_TRUE(source.Bind(factory, 3));
    source.Skip(1);
    EXPECT_EQ(source.Clone(nullptr), EnumResult::Pointer);

    std::unique_ptr<IStringEnumerator> clone;
    ASSERT_EQ(source.Clone(&clone), EnumResult::Ok);
    auto* copy = dynamic_cast<CSmsAutoComplete*>(clone.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetStrings(), source.GetStrings());
    EXPECT_EQ(copy->GetCursor(), 1u);
    EXPECT_EQ(copy->GetRefCount(), 1u);
    EXPECT_FALSE(copy->IsBound());

    // The two go their own ways: cursors, strings, and the clone refuses repeats as well.
    EXPECT_EQ(NextStrings(*copy, 2, EnumResult::Ok), (std::vector<std::u16string>{u"b", u"c"}));
    EXPECT_EQ(source.GetCursor(), 1u);
    EXPECT_FALSE(copy->InsertString("a"));
    copy->InsertString("d");
    EXPECT_EQ(source.GetStrings().size(), 3u);
    EXPECT_EQ(factory.log.changes, 0) << "the clone's changes are not the bound source's";
}

TEST(SmsAutoCompleteEnumerator, AnswersForItsTwoInterfacesAndCountsReferencesWithoutDying) {
    CSmsAutoComplete source;
    Insert(source, {"a"});
    IStringEnumerator* answer = nullptr;
    EXPECT_EQ(source.QueryInterface(EnumInterface::Base, &answer), EnumResult::Ok);
    EXPECT_EQ(answer, &source);
    EXPECT_EQ(source.QueryInterface(EnumInterface::StringEnumerator, &answer), EnumResult::Ok);
    EXPECT_EQ(answer, &source);
    EXPECT_EQ(source.GetRefCount(), 2u);
    EXPECT_EQ(source.QueryInterface(EnumInterface::Other, &answer), EnumResult::NoInterface);
    EXPECT_EQ(answer, nullptr);
    EXPECT_EQ(source.QueryInterface(EnumInterface::Base, nullptr), EnumResult::Pointer);
    EXPECT_EQ(source.GetRefCount(), 2u);

    EXPECT_EQ(source.AddRef(), 3u);
    EXPECT_EQ(source.Release(), 2u);
    EXPECT_EQ(source.Release(), 1u);
    EXPECT_EQ(source.Release(), 0u);
    EXPECT_EQ(source.GetStrings().size(), 1u) << "its owner, not the count, ends it";
}

TEST(SmsAutoCompleteBinding, BindsOnceSettingNonZeroOptionsAndUnbindUndoesIt) {
    FakeFactory factory;
    CSmsAutoComplete source;
    Insert(source, {"Eva"});
    ASSERT_TRUE(source.Bind(factory, 3));
    EXPECT_TRUE(source.IsBound());
    EXPECT_EQ(factory.log.options, (std::vector<std::uint32_t>{3}));
    EXPECT_EQ(factory.log.strings, &source);
    EXPECT_TRUE(factory.log.enabled);
    EXPECT_EQ(source.GetRefCount(), 1u);

    // A second binding is refused before any object is made; the first stays as it was.
    EXPECT_FALSE(source.Bind(factory, 1));
    EXPECT_EQ(factory.created, 1);
    EXPECT_EQ(factory.log.alive, 1);
    EXPECT_TRUE(factory.log.enabled);

    // Changes while bound reach the object; a refused repeat is no change.
    source.InsertString("Ivan");
    source.InsertString("Ivan");
    EXPECT_EQ(factory.log.changes, 1);

    source.Unbind();
    EXPECT_FALSE(source.IsBound());
    EXPECT_TRUE(source.GetStrings().empty());
    EXPECT_EQ(factory.log.options, (std::vector<std::uint32_t>{3, 0}));
    EXPECT_FALSE(factory.log.enabled);
    EXPECT_EQ(factory.log.alive, 0);
    EXPECT_EQ(source.GetRefCount(), 0u);
    source.Unbind(); // nothing left to undo

    ASSERT_TRUE(source.Bind(factory, 0));
    EXPECT_EQ(factory.log.options, (std::vector<std::uint32_t>{3, 0})) << "0 is not set";
    EXPECT_TRUE(factory.log.enabled);
}

TEST(SmsAutoCompleteBinding, FailedCreationOrInitLeavesItUnboundAndFreeToTryAgain) {
    FakeFactory factory;
    CSmsAutoComplete source;
    factory.creates = false;
    EXPECT_FALSE(source.Bind(factory, 3));
    EXPECT_FALSE(source.IsBound());

    factory.creates = true;
    factory.initWorks = false;
    EXPECT_FALSE(source.Bind(factory, 3));
    EXPECT_FALSE(source.IsBound());
    EXPECT_EQ(factory.log.alive, 0) << "the object that failed is released";

    factory.initWorks = true;
    EXPECT_TRUE(source.Bind(factory, 3));
}

TEST(SmsAutoCompleteBinding, DestroyingTheSourceReleasesItsObject) {
    FakeFactory factory;
    {
        CSmsAutoComplete source;
        Insert(source, {"Eva"});
        ASSERT_TRUE(source.Bind(factory, 3));
        EXPECT_EQ(factory.log.alive, 1);
    }
    EXPECT_EQ(factory.log.alive, 0);
}
