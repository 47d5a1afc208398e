#include "model/SmsAddressBook.h"
#include "WrittenXml.h"
#include "model/XmlText.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Texts in the tests are Windows-1250 bytes, as the rest of the program holds them.
class AddressBookTest : public ::testing::Test {
protected:
    void SetUp() override { setenv("QUILLON_ANSI_CODEPAGE", "1250", 1); }

    // Reads an "AddressBook" element given as XML text.
    static void Read(CSmsAddressBook& book, const std::string& xml) {
        pugi::xml_document doc;
        ASSERT_TRUE(doc.load_string(xml.c_str()));
        book.ReadXML(doc.document_element());
    }

    static std::string Write(const CSmsAddressBook& book) {
        return WrittenXml([&](CXmlWriter& writer) {
            writer.Open("User");
            book.WriteXML(writer);
            writer.Close();
        });
    }

    static std::vector<std::string> Names(const CSmsAddressBook& book) {
        std::vector<std::string> names;
        for (int i = 0; i < book.GetItemCount(); ++i)
            names.push_back(book.GetItem(i)->GetName());
        return names;
    }
};

using Members = std::vector<std::string>;

TEST_F(AddressBookTest, ReadingDropsEntriesWithoutNumberAndRepeatedNames) {
    CSmsAddressBook book;
    Read(book, "<AddressBook>"
               "<Entry><Name Phone1=\"0903111111\">Jan</Name></Entry>"
               "<Entry><Name Phone1=\"0903222222\">Jan</Name></Entry>"
               "<Entry><Name Phone1=\"\">Nobody</Name></Entry>"
               "<Entry><Name>Eva</Name><Phone1></Phone1><Phone2>0905333333</Phone2></Entry>"
               "<Entry><Name Phone1=\"1\">jan</Name></Entry>"
               "<Other/>"
               "</AddressBook>");
    EXPECT_EQ(Names(book), (std::vector<std::string>{"Jan", "Eva", "jan"}));
    EXPECT_EQ(book.GetItem(0)->GetPhone1(), "0903111111");
    EXPECT_EQ(book.GetItem(1)->GetPhone1(), "");
    EXPECT_EQ(book.GetItem(1)->GetPhone2(), "0905333333");
}

TEST_F(AddressBookTest, ReadingKeepsOnlyMembersThatNameAContact) {
    CSmsAddressBook book;
    Read(book, "<AddressBook>"
               "<Entry><Name Phone1=\"1\">Jan</Name></Entry>"
               "<Entry><Name Phone1=\"2\">Eva</Name></Entry>"
               "<Group Name=\"Work\"><Member>Eva</Member><Member>Ghost</Member>"
               "<Member>Jan</Member><Member>Eva</Member><Member>jan</Member></Group>"
               "<Group Name=\"Work\"><Member>Jan</Member></Group>"
               "<Group><Member>Jan</Member></Group>"
               "<Group Name=\"\"/>"
               "</AddressBook>");
    ASSERT_EQ(book.GetGroupCount(), 2);
    EXPECT_EQ(book.GetGroup(0)->GetName(), "Work");
    EXPECT_EQ(book.GetGroup(0)->GetMembers(), (Members{"Eva", "Jan"}));
    EXPECT_EQ(book.GetGroup(1)->GetName(), "");
    EXPECT_TRUE(book.GetGroup(1)->IsEmpty());
}

TEST_F(AddressBookTest, WritesEntriesThenGroupsWithNumbersAsAttributes) {
    CSmsAddressBook book;
    book.AddContact("Jan", "0903123456", "");
    book.AddContact("Eva", "0905", "+421 905 111 222");
    book.AddGroup("Work");
    book.AddGroupMember("Work", "Eva");
    book.AddGroupMember("Work", "Jan");
    EXPECT_EQ(Write(book), "<User><AddressBook>"
                           "<Entry><Name Phone1=\"0903123456\">Jan</Name></Entry>"
                           "<Entry><Name Phone1=\"0905\" Phone2=\"+421 905 111 222\">Eva</Name>"
                           "</Entry>"
                           "<Group Name=\"Work\"><Member>Eva</Member><Member>Jan</Member></Group>"
                           "</AddressBook></User>");
}

TEST_F(AddressBookTest, AContactWithoutANameSurvivesASaveAndALoad) {
    CSmsAddressBook book;
    Read(book, "<AddressBook><Entry><Phone1>0905</Phone1></Entry></AddressBook>");
    ASSERT_EQ(book.GetItemCount(), 1);

    const std::string xml = Write(book);
    CSmsAddressBook copy;
    Read(copy, xml.substr(6, xml.size() - 13)); // the "AddressBook" element
    ASSERT_EQ(copy.GetItemCount(), 1);
    EXPECT_EQ(copy.GetItem(0)->GetName(), "");
    EXPECT_EQ(copy.GetItem(0)->GetPhone1(), "0905");
    EXPECT_EQ(Write(copy), xml);
}

TEST_F(AddressBookTest, AccentedTextsAreWrittenAsUtf8AndReadBack) {
    const std::string contact = "\x8Elu\x9Dou\xE8k\xFD k\xF9\xF2"; // Žluťoučký kůň in Windows-1250
    const std::string group = "Rodina \xC8"
                              "ech"; // Rodina Čech
    CSmsAddressBook book;
    book.AddContact(contact, "0903\xE8", "");
    book.AddGroup(group);
    ASSERT_TRUE(book.AddGroupMember(0, contact));

    const std::string xml = Write(book);
    EXPECT_TRUE(IsValidUtf8(xml));
    EXPECT_NE(xml.find("\xC5\xBDlu\xC5\xA5ou\xC4\x8Dk\xC3\xBD k\xC5\xAF\xC5\x88"),
              std::string::npos);
    EXPECT_NE(xml.find("Rodina \xC4\x8C"
                       "ech"),
              std::string::npos);

    CSmsAddressBook copy;
    Read(copy, xml.substr(6, xml.size() - 13)); // the "AddressBook" element
    ASSERT_EQ(copy.GetItemCount(), 1);
    EXPECT_EQ(copy.GetItem(0)->GetName(), contact);
    EXPECT_EQ(copy.GetItem(0)->GetPhone1(), "0903\xE8");
    ASSERT_EQ(copy.GetGroupCount(), 1);
    EXPECT_EQ(copy.GetGroup(0)->GetName(), group);
    EXPECT_EQ(copy.GetGroup(0)->GetMembers(), (Members{contact}));
}

TEST_F(AddressBookTest, OlderFilesWithAnsiBytesReadUnchanged) {
    const std::string name = "\x8E"
                             "ena"; // Žena, unconverted as earlier versions wrote it
    pugi::xml_document doc;
    pugi::xml_node root = doc.append_child("AddressBook");
    pugi::xml_node entry = root.append_child("Entry").append_child("Name");
    entry.text().set(name.c_str());
    entry.append_attribute("Phone1").set_value("1");
    pugi::xml_node group = root.append_child("Group");
    group.append_attribute("Name").set_value(name.c_str());
    group.append_child("Member").text().set(name.c_str());

    CSmsAddressBook book;
    book.ReadXML(root);
    ASSERT_EQ(Names(book), (std::vector<std::string>{name}));
    ASSERT_EQ(book.GetGroupCount(), 1);
    EXPECT_EQ(book.GetGroup(0)->GetName(), name);
    EXPECT_EQ(book.GetGroup(0)->GetMembers(), (Members{name}));
}

TEST_F(AddressBookTest, NameSearches) {
    CSmsAddressBook book;
    book.AddContact("jan", "1", "");
    book.AddContact("Jana Nova", "2", "");
    book.AddContact("\x8Eofia", "3", ""); // Žofia
    const CSmsAddressBookItem* jana = book.GetItem(1);

    EXPECT_EQ(book.GetItemByName("jan", true, false, 3), book.GetItem(0));
    EXPECT_EQ(book.GetItemByName("Jan", false, false, -1), nullptr);
    EXPECT_EQ(book.GetItemByName("JANA NOVA", true, false, -1), jana);
    EXPECT_EQ(book.GetItemByName("Jana", false, false, 4), jana);
    EXPECT_EQ(book.GetItemByName("Zof", false, true, 3), book.GetItem(2));
    EXPECT_EQ(book.GetItemByName("ZOFIA", true, true, -1), book.GetItem(2));
    // The query is never transformed.
    EXPECT_EQ(book.GetItemByName("\x8Eof", false, true, 3), nullptr);
    EXPECT_EQ(book.GetItemByName("\x8Eofia", false, false, -1), book.GetItem(2));
    // A length beyond the name keeps the whole name.
    EXPECT_EQ(book.GetItemByName("jan", false, false, 50), book.GetItem(0));
}

// Case is folded by the letter pairs of the code page, not for A to Z alone.
TEST_F(AddressBookTest, SearchesIgnoringCaseFoldAccentedLetters) {
    CSmsAddressBook book;
    book.AddContact("J\xE1n", "1", ""); // Ján
    book.AddContact("\xBCubom\xEDr \x8A\x9D"
                    "astn\xFD",
                    "2", ""); // Ľubomír Šťastný
    book.AddContact("\x9F"
                    "vonne",
                    "3", "");  // 1252: Ÿvonne
    book.AddGroup("\x8Akola"); // Škola

    EXPECT_EQ(book.GetItemByName("J\xC1N", true, false, -1), book.GetItem(0));
    EXPECT_EQ(book.GetItemByName("\xBEubom\xEDr \x9A\x9D"
                                 "astn\xFD",
                                 true, false, -1),
              book.GetItem(1));
    EXPECT_EQ(book.GetItemByName("\xBEUB", true, false, 3), book.GetItem(1));
    EXPECT_EQ(book.GetGroupByName("\x9Akola", true, false, -1), book.GetGroup(0));
    EXPECT_EQ(book.GetGroupByName("\x9AKO", true, false, 3), book.GetGroup(0));
    EXPECT_EQ(book.GetItemByName("J\xC1N", false, false, -1), nullptr) << "case is kept";

    setenv("QUILLON_ANSI_CODEPAGE", "1252", 1);
    EXPECT_EQ(book.GetItemByName("\xFFvonne", true, false, -1), book.GetItem(2));
    EXPECT_EQ(book.GetGroupByName("\x9Akola", true, false, -1), book.GetGroup(0));
    // 0xBC and 0xBE are two fractions here, not a letter pair.
    EXPECT_EQ(book.GetItemByName("\xBEubom\xEDr", true, false, 7), nullptr);
}

TEST_F(AddressBookTest, GroupSearchOfTheWholeNameIgnoresAccents) {
    CSmsAddressBook book;
    book.AddGroup("\x8E"
                  "eny"); // Ženy
    EXPECT_EQ(book.GetGroupByName("Zeny", false, true, -1), nullptr);
    EXPECT_EQ(book.GetGroupByName("\x8E"
                                  "eny",
                                  false, true, -1),
              book.GetGroup(0));
    EXPECT_EQ(book.GetGroupByName("Zen", false, true, 3), book.GetGroup(0));
    EXPECT_EQ(book.GetGroupByName("zeny", true, true, -1), book.GetGroup(0));
}

TEST_F(AddressBookTest, NumberSearches) {
    CSmsAddressBook book;
    book.AddContact("A", "0905000000", "+421 903 123 456");
    book.AddContact("B", "0903123456", "");
    book.AddContact("C", "", "0907");
    const CSmsAddressBookItem* a = book.GetItem(0);

    EXPECT_EQ(book.GetItemByNumber("0903123456", true, true), a);
    EXPECT_EQ(book.GetItemByNumber("0903123456", false, false), book.GetItem(1));
    EXPECT_EQ(book.GetItemByNumber("421905000000", true, false), a);
    EXPECT_EQ(book.GetItemByNumber("421905000000", false, false), nullptr);
    EXPECT_EQ(book.GetItemByNumber("", false, false), book.GetItem(2));
    // An empty first number takes the international form of an empty text.
    EXPECT_EQ(book.GetItemByNumber("421903", true, false), book.GetItem(2));
}

TEST_F(AddressBookTest, DuplicateNumbers) {
    CSmsAddressBook book;
    book.AddContact("A", "0903123456", "");
    book.AddContact("X", "0905", "");
    book.AddContact("B", "00421903123456", "");
    int later = -1, earlier = -1;
    ASSERT_TRUE(book.HasDuplicates(later, earlier));
    EXPECT_EQ(later, 2);
    EXPECT_EQ(earlier, 0);

    CSmsAddressBook self;
    self.AddContact("S", "0903123456", "+421903123456");
    ASSERT_TRUE(self.HasDuplicates(later, earlier));
    EXPECT_EQ(later, 0);
    EXPECT_EQ(earlier, 0);

    // Contacts that have only a second number do not share a first one.
    CSmsAddressBook secondOnly;
    secondOnly.AddContact("P", "", "0903111111");
    secondOnly.AddContact("Q", "", "0903222222");
    EXPECT_FALSE(secondOnly.HasDuplicates(later, earlier));
}

TEST_F(AddressBookTest, AddingAndEditingKeepNamesUnique) {
    CSmsAddressBook book;
    EXPECT_EQ(book.AddContact("Jan", "1", ""), 0);
    EXPECT_EQ(book.AddContact("Jan", "2", ""), -1);
    EXPECT_EQ(book.AddContact("Eva", "", ""), 1); // numbers are the caller's business here
    EXPECT_EQ(book.AddGroup("G"), 0);
    EXPECT_EQ(book.AddGroup("G"), -1);
    EXPECT_EQ(book.AddGroup("H"), 1);

    const std::uint32_t eva = book.GetItem(1)->GetID();
    EXPECT_FALSE(book.EditContactByID(eva, "Jan", "9", ""));
    EXPECT_EQ(book.GetItem(1)->GetName(), "Eva");
    EXPECT_TRUE(book.EditContactByID(eva, "Eva", "9", "8"));
    EXPECT_EQ(book.GetItem(1)->GetDisplayString(true), "Eva (#2) 8");
    EXPECT_FALSE(book.EditContactByID(0xFFFFFF, "X", "", ""));

    EXPECT_FALSE(book.EditGroup(1, "G"));
    EXPECT_TRUE(book.EditGroup(1, "H"));
    EXPECT_TRUE(book.EditGroup(1, "K"));
    EXPECT_FALSE(book.EditGroup(2, "L"));
    EXPECT_FALSE(book.EditGroup(-1, "L"));
}

TEST_F(AddressBookTest, AddingManyLeavesOutTakenAndRepeatedNames) {
    CSmsAddressBook book;
    book.AddContact("Jan", "1", "");
    EXPECT_EQ(
        book.AddContacts({{"Eva", "2", ""}, {"Jan", "3", ""}, {"Eva", "4", ""}, {"eva", "5", "6"}}),
        2);
    ASSERT_EQ(book.GetItemCount(), 3);
    EXPECT_EQ(book.GetItem(0)->GetPhone1(), "1");
    EXPECT_EQ(book.GetItem(1)->GetPhone1(), "2");
    EXPECT_EQ(book.GetItem(2)->GetName(), "eva");
    EXPECT_EQ(book.GetItem(2)->GetPhone2(), "6");
    EXPECT_NE(book.GetItem(1)->GetID(), book.GetItem(2)->GetID());
}

TEST_F(AddressBookTest, RenamingAndDeletingContactsFollowsInGroups) {
    CSmsAddressBook book;
    book.AddContact("Jan", "1", "");
    book.AddContact("Eva", "2", "");
    book.AddGroup("G");
    book.AddGroup("H");
    EXPECT_TRUE(book.AddGroupMember(0, "Jan"));
    EXPECT_TRUE(book.AddGroupMember(0, "Eva"));
    EXPECT_FALSE(book.AddGroupMember(0, "Eva"));
    EXPECT_FALSE(book.AddGroupMember(0, "Nobody"));
    EXPECT_FALSE(book.AddGroupMember("Missing", "Jan"));
    EXPECT_TRUE(book.AddGroupMember("H", "Jan"));

    ASSERT_TRUE(book.EditContactByID(book.GetItem(0)->GetID(), "Jano", "1", ""));
    EXPECT_EQ(book.GetGroup(0)->GetMembers(), (Members{"Eva", "Jano"}));
    EXPECT_EQ(book.GetGroup(1)->GetMembers(), (Members{"Jano"}));
    EXPECT_TRUE(book.GetGroup(1)->IsMember("Ja", false, 2));

    EXPECT_FALSE(book.DelGroupMember(1, "Eva"));
    EXPECT_FALSE(book.DelGroupMember(5, "Eva"));
    EXPECT_TRUE(book.DelGroupMember(0, "Eva"));

    ASSERT_TRUE(book.DelContactByID(book.GetItem(0)->GetID()));
    EXPECT_TRUE(book.GetGroup(0)->IsEmpty());
    EXPECT_TRUE(book.GetGroup(1)->IsEmpty());
    EXPECT_EQ(Names(book), (std::vector<std::string>{"Eva"}));

    const std::uint32_t h = book.GetGroup(1)->GetID();
    EXPECT_TRUE(book.DelGroupByID(h));
    EXPECT_FALSE(book.DelGroupByID(h));
    EXPECT_FALSE(book.DelGroup(1));
    book.RemoveAll();
    EXPECT_EQ(book.GetItemCount() + book.GetGroupCount(), 0);
}

TEST_F(AddressBookTest, MembershipTests) {
    CSmsAddressBookGroup group("G");
    group.AddMember("\x8Eofia Nov\xE1"); // Žofia Nová
    EXPECT_TRUE(group.IsMember("Zofia Nova", true, -1));
    EXPECT_TRUE(group.IsMember("Zof", true, 3));
    EXPECT_FALSE(group.IsMember("zof", true, 3));
    EXPECT_FALSE(group.IsMember("Zofia Nova", false, -1));
    EXPECT_FALSE(group.RemoveMember("Zofia Nova"));
}

TEST_F(AddressBookTest, DisplayStringNamesTheNumber) {
    const CSmsAddressBookItem jan("Jan Novak", "0903123456", "");
    EXPECT_EQ(jan.GetDisplayString(false), "Jan Novak (#1) 0903123456");
    EXPECT_EQ(jan.GetDisplayString(true), "Jan Novak (#2) ");
    EXPECT_EQ(CSmsAddressBookItem("\x8E", "", "").GetNameNoAccents(), "Z");
}

TEST_F(AddressBookTest, IdsAreSharedByContactsAndGroupsAndKeptByCopies) {
    CSmsAddressBook book;
    book.AddContact("A", "1", "");
    book.AddGroup("G");
    book.AddContact("B", "2", "");
    const std::uint32_t a = book.GetItem(0)->GetID();
    EXPECT_EQ(book.GetGroup(0)->GetID(), a + 1);
    EXPECT_EQ(book.GetItem(1)->GetID(), a + 2);
    EXPECT_EQ(book.GetItemByID(a + 2), book.GetItem(1));
    EXPECT_EQ(book.GetGroupByID(a + 1), book.GetGroup(0));
    EXPECT_EQ(book.GetGroupByID(a), nullptr);

    CSmsAddressBookItem copy = *book.GetItem(0);
    EXPECT_EQ(copy.GetID(), a);
    copy = *book.GetItem(1);
    EXPECT_EQ(copy.GetID(), a + 2);
}

TEST_F(AddressBookTest, IdsWrapBelowTwoToTheTwentyFourSkippingLiveOnes) {
    CSmsAddressBookId::SetNext(0);
    const CSmsAddressBookItem held("held", "1", "");
    ASSERT_EQ(held.GetID(), 0u);
    {
        const CSmsAddressBookItem released("released", "1", "");
        EXPECT_EQ(released.GetID(), 1u);
    }
    CSmsAddressBookId::SetNext(CSmsAddressBookId::Limit - 1);
    const CSmsAddressBookItem last("last", "1", "");
    const CSmsAddressBookGroup afterWrap("after");
    const CSmsAddressBookItem next("next", "1", "");
    EXPECT_EQ(last.GetID(), CSmsAddressBookId::Limit - 1);
    EXPECT_EQ(afterWrap.GetID(), 1u); // 0 is still held
    EXPECT_EQ(next.GetID(), 2u);
}

TEST_F(AddressBookTest, HostileDocumentsReadWithoutHarm) {
    std::string deep = "<AddressBook><Entry>";
    for (int i = 0; i < 5000; ++i)
        deep += "<Name Phone1=\"1\">";
    for (int i = 0; i < 5000; ++i)
        deep += "</Name>";
    deep += "</Entry><Group Name=\"G\"><Member><Member>x</Member></Member>text</Group>"
            "<Entry><Name Phone1=\"1\"><![CDATA[Cdata]]></Name></Entry>"
            "<Entry><Name Phone1=\"1\">\xFF\xFE</Name></Entry></AddressBook>";
    CSmsAddressBook book;
    Read(book, deep);
    // The outermost name carries a number but no text of its own: a contact without a name.
    EXPECT_EQ(Names(book), (std::vector<std::string>{"", "Cdata", "\xFF\xFE"}));
    ASSERT_EQ(book.GetGroupCount(), 1);
    EXPECT_TRUE(book.GetGroup(0)->IsEmpty());
}

} // namespace
