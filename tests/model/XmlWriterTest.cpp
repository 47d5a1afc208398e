#include "../platform/ScopedEnv.h"
#include "ProfileTestFolder.h"
#include "WrittenXml.h"
#include "model/SmsConfig.h"
#include "model/SmsUserInfo.h"
#include "model/XmlText.h"

#include <pugixml.hpp>

#include <cstdint>
#include <limits>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The stored XML text against pugixml's raw serialisation, which gave the files their form:
// the writer alone, and the profile and settings files it writes.

namespace {

constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kStart = 1'700'000'000;

std::string EveryByte() {
    std::string text;
    for (int byte = 1; byte < 256; ++byte)
        text += static_cast<char>(byte);
    return text;
}

std::string Repeated(const std::string& text, int times) {
    std::string result;
    for (int i = 0; i < times; ++i)
        result += text;
    return result;
}

// Texts that need escaping, converting or cutting; all different.
std::vector<std::string> HostileTexts() {
    return {EveryByte(), "", " ", "\t\r\n", "  blanks around  ", "& < > \" ' ]]> &amp; &#65;",
            std::string("cut\0here", 8), std::string("\xE8\0\xE8", 3),
            "a\xEC", // a letter and a mark that code page 1258 joins into one character
            // longer than the writer's buffer, and longer still when escaped or converted
            Repeated(EveryByte() + " plain & <more>", 300), Repeated("&<\xE8", 30000)};
}

// The text as an attribute and as content of one element, alone in another; an empty element
// and numbers.
void WriteSample(CXmlWriter& writer, const std::string& ansi) {
    writer.Declaration();
    writer.Open("Root");
    writer.Open("Item");
    writer.Attribute("Text", ansi);
    writer.Attribute("Number", kMin);
    writer.Text(ansi);
    writer.Close();
    writer.Element("Text", ansi);
    writer.Open("Empty");
    writer.Close();
    writer.Open("Parent");
    writer.Element("Number", kMax);
    writer.Close();
    writer.Close();
}

// The same built as a document, as the stored files were: converted texts as C strings.
std::string SampleByPugixml(const std::string& ansi) {
    const std::string utf8 = AnsiToXmlText(ansi);
    pugi::xml_document document;
    pugi::xml_node declaration = document.append_child(pugi::node_declaration);
    declaration.append_attribute("version").set_value("1.0");
    declaration.append_attribute("encoding").set_value("UTF-8");
    pugi::xml_node root = document.append_child("Root");
    pugi::xml_node item = root.append_child("Item");
    item.text().set(utf8.c_str());
    item.append_attribute("Text").set_value(utf8.c_str());
    item.append_attribute("Number").set_value(static_cast<long long>(kMin));
    root.append_child("Text").text().set(utf8.c_str());
    root.append_child("Empty");
    root.append_child("Parent").append_child("Number").text().set(static_cast<long long>(kMax));
    std::ostringstream out;
    document.save(out, "", pugi::format_raw, pugi::encoding_utf8);
    return out.str();
}

// A profile with every element and the texts everywhere. Nameless group members and history
// entries are left out: they are not read back.
void FillHostileProfile(CSmsUserInfo& user) {
    std::int64_t time = kStart;
    std::int64_t smsId = 0;
    for (const std::string& text : HostileTexts()) {
        CSmsArchiveItem* group = user.GetArchive().AddGroupItem(text, ++time, true, 2, text);
        for (int status = CSmsRecipientInfo::Undeliverable; status <= CSmsRecipientInfo::Delivered;
             ++status) {
            group->AddRecipient(text, text, ++smsId);
            group->SetStatus(smsId, static_cast<CSmsRecipientInfo::DeliveryStatus>(status), time);
        }
        group->SetLastQueryTime(time);
        ++time;
        user.GetArchive()
            .AddScheduledItem(text, time, false, 1, true, 3, time + 60, smsId, text)
            ->AddRecipient(text, text, 0);
        user.GetArchive().AddItem(text, text, text, ++time, false, 0, 0);
        CSmsAddressBook& book = user.GetAddressBook();
        book.AddContact(text, text.empty() ? "0903" : text, text);
        const int bookGroup = book.AddGroup(text);
        if (text.empty())
            continue;
        book.AddGroupMember(bookGroup, text);
        CSmsArchive::InsertHistory(user.GetHistory(), std::make_unique<CSmsHistoryItem>(text, time),
                                   CSmsArchive::MaxHistoryItems);
    }
    user.SetPassword(EveryByte());
}

// The elements that hold a text. Empty, such an element is <Name></Name>, as a document given
// an empty text wrote it; a parse keeps no empty text, so the oracle puts it back.
bool HoldsText(const pugi::xml_node& element) {
    static const std::set<std::pair<std::string_view, std::string_view>> kTextElements = {
        {"ArchiveItem", "Text"},    {"ArchiveItem", "Group"},      {"ScheduleInfo", "Name"},
        {"Recipient", "OrigNr"},    {"Recipient", "TranslatedNr"}, {"Entry", "Name"},
        {"Group", "Member"},        {"History", "HistoryItem"},    {"Prefs", "Password"},
        {"Settings", "DefaultUser"}};
    return kTextElements.contains({element.parent().name(), element.name()});
}

void RestoreEmptyTexts(const pugi::xml_node& node) {
    for (pugi::xml_node child : node.children()) {
        if (child.type() != pugi::node_element)
            continue;
        if (!child.first_child() && HoldsText(child))
            child.text().set("");
        else
            RestoreEmptyTexts(child);
    }
}

// The text as pugixml writes it again after parsing it with every byte kept.
std::string ReserialisedByPugixml(const std::string& xml) {
    constexpr unsigned int kKeepEverything =
        (pugi::parse_default | pugi::parse_declaration | pugi::parse_ws_pcdata) &
        ~(pugi::parse_eol | pugi::parse_wconv_attribute);
    pugi::xml_document document;
    EXPECT_TRUE(document.load_buffer(xml.data(), xml.size(), kKeepEverything, pugi::encoding_utf8));
    RestoreEmptyTexts(document);
    std::ostringstream out;
    document.save(out, "", pugi::format_raw, pugi::encoding_utf8);
    return out.str();
}

class StoredXmlTest : public ProfileFolderTest {
protected:
    static std::string SavedProfile(CSmsUserInfo& user) {
        EXPECT_TRUE(user.Save(false));
        return ReadContainer(ProfilePath(user.GetName()));
    }

    static std::string SavedSettings(const std::string& defaultUser) {
        {
            CSmsConfig config; // written when it goes
            config.SetDefaultUser(defaultUser);
            config.SetAppMode(CSmsConfig::SingleUserSavedPwd);
            config.SetLogoutDelay(15);
            config.SetLcid(1051);
        }
        return ReadContainer(ConfigPath());
    }
};

} // namespace

TEST(XmlWriter, WritesTheBytesOfPugixmlsRawSerialisation) {
    std::vector<std::string> texts = HostileTexts();
    for (int byte = 1; byte < 256; ++byte)
        texts.emplace_back(1, static_cast<char>(byte));
    for (const char* codePage : {"1250", "1252", "1258"}) {
        ScopedEnv ansi("QUILLON_ANSI_CODEPAGE", codePage);
        for (const std::string& text : texts) {
            ASSERT_EQ(WrittenXml([&](CXmlWriter& writer) { WriteSample(writer, text); }),
                      SampleByPugixml(text))
                << "code page " << codePage << ", text of " << text.size() << " bytes from "
                << static_cast<int>(static_cast<unsigned char>(text.empty() ? 0 : text[0]));
        }
    }
}

TEST_F(StoredXmlTest, AHostileProfileIsWrittenAsPugixmlWritesIt) {
    const FixedClock clock(kStart);
    for (const char* codePage : {"1250", "1252"}) {
        SCOPED_TRACE(codePage);
        ScopedEnv ansi("QUILLON_ANSI_CODEPAGE", codePage);
        CSmsUserInfo user(std::string("hostile & <name> \"'\xE8 ") + codePage, "1.1", "QLN");
        FillHostileProfile(user);
        const std::string xml = SavedProfile(user);
        EXPECT_TRUE(xml == ReserialisedByPugixml(xml));
        // Compressed far beyond the ratio the settings are read with.
        const std::string settings = SavedSettings(Repeated(EveryByte(), 100));
        EXPECT_EQ(settings, ReserialisedByPugixml(settings));

        // Loaded and saved again the same, twice over: a load turns the recipients round.
        auto again = CSmsUserInfo::GetUserInfo(user.GetName(), "1.1", "QLN");
        EXPECT_TRUE(again->Save(false));
        again = CSmsUserInfo::GetUserInfo(user.GetName(), "1.1", "QLN");
        EXPECT_TRUE(SavedProfile(*again) == xml);
    }
}

TEST_F(StoredXmlTest, ASmallProfileAndTheSettingsHaveTheKnownText) {
    CSmsUserInfo user("eva", "1.1", "QLN");
    CSmsArchiveItem* group =
        user.GetArchive().AddGroupItem("Hi & bye <3", kStart, true, 2, "Team \"A\"");
    group->AddRecipient("Eva", "421903000001", 11);
    group->AddRecipient("Jan\x01", "421903000002", 12);
    group->SetStatus(11, CSmsRecipientInfo::Delivered, kStart + 5);
    group->SetLastQueryTime(kStart + 9);
    user.GetArchive().AddScheduledItem("", kStart + 60, false, 0, true, 6, kStart + 600, kMin, "");
    user.GetArchive().AddScheduledItem("\xE8", kStart + 120, false, 1, false, 0, -1, 77, "  x  ");
    user.GetAddressBook().AddContact("Eva", "0903000001", "0903000009");
    user.GetAddressBook().AddContact("", "0903000002", "");
    user.GetAddressBook().AddGroup("Empty");
    user.GetAddressBook().AddGroup("B\xF9h");
    user.GetAddressBook().AddGroupMember(1, "Eva");
    CSmsArchive::InsertHistory(user.GetHistory(), std::make_unique<CSmsHistoryItem>("Eva", kStart),
                               CSmsArchive::MaxHistoryItems);
    user.SetMaxDays(4294967295u);

    EXPECT_EQ(
        SavedProfile(user),
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?><KvSmsDa><User Name=\"eva\"><Archive>"
        "<ArchiveItem><TimeSent>1700000120</TimeSent><SmsCount>1</SmsCount><Type>0</Type>"
        "<Text>\xC4\x8D</Text><ScheduleInfo MessageId=\"77\" Periodicity=\"0\" DeliverAt=\"-1\" "
        "Notify=\"0\"><Name>  x  </Name></ScheduleInfo><Recipients/></ArchiveItem><ArchiveItem>"
        "<TimeSent>1700000060</TimeSent><Type>0</Type><Text></Text><ScheduleInfo "
        "MessageId=\"-9223372036854775808\" Periodicity=\"6\" DeliverAt=\"1700000600\" "
        "Notify=\"1\"/><Recipients/></ArchiveItem><ArchiveItem><TimeSent>1700000000</TimeSent>"
        "<TimeQuery>1700000009</TimeQuery><SmsCount>2</SmsCount><Type>1</Type>"
        "<Text>Hi &amp; bye &lt;3</Text><Group>Team \"A\"</Group><Recipients><Recipient>"
        "<SmsId Status=\"0\">12</SmsId><OrigNr>Jan&#01;</OrigNr><TranslatedNr>421903000002"
        "</TranslatedNr></Recipient><Recipient><SmsId Status=\"1\" TimeDelivered=\"1700000005\">"
        "11</SmsId><OrigNr>Eva</OrigNr><TranslatedNr>421903000001</TranslatedNr></Recipient>"
        "</Recipients></ArchiveItem></Archive><AddressBook><Entry><Name Phone1=\"0903000001\" "
        "Phone2=\"0903000009\">Eva</Name></Entry><Entry><Name Phone1=\"0903000002\"></Name>"
        "</Entry><Group Name=\"Empty\"/><Group Name=\"B\xC5\xAFh\"><Member>Eva</Member></Group>"
        "</AddressBook><History><HistoryItem TimeStamp=\"1700000000\">Eva</HistoryItem></History>"
        "<Prefs><Archive>1</Archive><DeliveryReport>0</DeliveryReport><UseOBK>0</UseOBK>"
        "<ShowNotice>0</ShowNotice><ShowSA>1</ShowSA><Today>0</Today><Total>0</Total>"
        "<DateToday>0</DateToday><DateNotice>0</DateNotice><EnterKeyMode>0</EnterKeyMode>"
        "<ConflictMode>0</ConflictMode><Password></Password><AutoDelete Mode=\"0\"><MaxItems>0"
        "</MaxItems><MaxDays>4294967295</MaxDays></AutoDelete></Prefs></User></KvSmsDa>");
    EXPECT_EQ(SavedSettings("Eva & <Jan> \"\xE8\"\t"),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?><KvSmsDa><Settings><AppMode>2</AppMode>"
              "<DefaultUser>Eva &amp; &lt;Jan&gt; \"\xC4\x8D\"\t</DefaultUser>"
              "<AutoLogout>0</AutoLogout><LogoutDelay>15</LogoutDelay><SysTray>0</SysTray>"
              "<ConfirmExit>1</ConfirmExit><LCID>1051</LCID>"
              "<DesktopNotifications>1</DesktopNotifications></Settings></KvSmsDa>");
}
