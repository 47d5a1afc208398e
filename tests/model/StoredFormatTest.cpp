#include "../platform/ScopedEnv.h"
#include "ProfileTestFolder.h"
#include "TextBytes.h"
#include "model/SmsConfig.h"
#include "model/SmsUserInfo.h"
#include "model/XmlWriter.h"

#include <pugixml.hpp>

#include <algorithm>
#include <limits>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The text of the profile and settings files: the layout other programs read, checked byte for
// byte.

namespace {

constexpr std::int64_t kStart = 1'700'000'000;

// All different, so each names its own contact, group and history entry.
std::vector<std::string> HostileTexts() {
    return {EveryByte(),
            Repeated(EveryByte() + "plain ascii & more", 80),
            "& < > \" '",
            "]]>",
            "<![CDATA[x]]>",
            "  blanks around  ",
            "",
            " ",
            "\t\r\n",
            "&amp; &#65; &lt;",
            "\x8Elu\x9Do\xE8k\xFD k\xF9\xF2"};
}

// For every text: a message to one recipient, a group message to three and a scheduled one,
// oldest first, so that the archive is newest first as a load leaves it. The recipients take
// the statuses in turn.
void AddArchive(CSmsArchive& archive, const std::vector<std::string>& texts) {
    std::int64_t time = kStart;
    std::int64_t smsId = 5000;
    int status = CSmsRecipientInfo::Undeliverable;
    const auto nextStatus = [&status] {
        const auto current = static_cast<CSmsRecipientInfo::DeliveryStatus>(status);
        status =
            status == CSmsRecipientInfo::Delivered ? CSmsRecipientInfo::Undeliverable : status + 1;
        return current;
    };
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const std::string& text = texts[i];
        archive.AddItem(text, text, text, time += 60, i % 2 == 0, ++smsId, 0);
        archive.GetItem(0)->SetStatus(smsId, nextStatus(), time + 5);
        CSmsArchiveItem* group =
            archive.AddGroupItem(text, time += 60, i % 2 != 0, static_cast<int>(i) + 1, text);
        for (int r = 0; r < 3; ++r) {
            group->AddRecipient(text, "4219030000" + std::to_string(r), ++smsId);
            group->SetStatus(smsId, nextStatus(), time + r);
        }
        group->SetLastQueryTime(time + 30);
        time += 60;
        CSmsArchiveItem* scheduled =
            archive.AddScheduledItem(text, time, false, 2, i % 2 == 0, static_cast<int>(i % 12),
                                     time + 86400, 900000 + static_cast<std::int64_t>(i), text);
        scheduled->AddRecipient(text, text, 0);
    }
}

void AddAddressBook(CSmsAddressBook& book, const std::vector<std::string>& texts) {
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const std::string& text = texts[i];
        book.AddContact(text, text.empty() ? "0903" : text, i % 2 ? text : "");
    }
    // A member without a name is not read back.
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const int group = book.AddGroup(texts[i]);
        for (std::size_t m = 0; m <= i % 3; ++m) {
            if (!texts[(i + m) % texts.size()].empty())
                book.AddGroupMember(group, texts[(i + m) % texts.size()]);
        }
    }
}

void AddHistory(SmsHistoryList& history, const std::vector<std::string>& texts) {
    std::int64_t time = kStart;
    for (const std::string& text : texts) {
        if (!text.empty())
            CSmsArchive::InsertHistory(history, std::make_unique<CSmsHistoryItem>(text, ++time),
                                       CSmsArchive::MaxHistoryItems);
    }
}

void SetPrefs(CSmsUserInfo& user) {
    user.SetPassword(EveryByte());
    user.SetDeliveryReport(1);
    user.SetDoArchive(0);
    user.SetUseOBK(1);
    user.SetShowNotice(1);
    user.SetShowSA(0);
    user.SetAutoDelMode(CSmsUserInfo::AutoDelByCount);
    user.SetEnterKeyMode(CSmsUserInfo::EnterSends);
    user.SetConflictMode(4);
    user.SetMaxDays(30);
    user.SetMaxItems(500);
    user.SetLastNoticeTime(kStart - 86400);
    user.IncrementCounters(7);
}

void FillHostileProfile(CSmsUserInfo& user) {
    const std::vector<std::string> texts = HostileTexts();
    AddArchive(user.GetArchive(), texts);
    AddAddressBook(user.GetAddressBook(), texts);
    AddHistory(user.GetHistory(), texts);
    SetPrefs(user);
}

// Every value a profile keeps, recipients in order of their ids (a load turns their order round);
// the delivery time is kept for delivered recipients only.
std::string Describe(CSmsUserInfo& user) {
    std::ostringstream out;
    const CSmsArchive& archive = user.GetArchive();
    for (int i = 0; i < archive.GetItemCount(); ++i) {
        const CSmsArchiveItem* item = archive.GetItem(i);
        out << "item " << item->GetSentTime() << ' ' << item->GetLastQueryTime() << ' '
            << item->GetSmsCount() << ' ' << item->GetType() << ' ' << item->GetSmsText() << '|'
            << item->GetGroupName() << '|' << item->GetMessageId() << ' ' << item->GetPeriodicity()
            << ' ' << item->GetDeliverAt() << ' ' << item->HasDeliveryReport() << ' '
            << item->GetName() << '\n';
        std::vector<std::pair<std::int64_t, std::string>> recipients;
        for (int r = 0; r < item->GetRecipientCount(); ++r) {
            const CSmsRecipientInfo* recipient = item->GetRecipient(r);
            const bool delivered = recipient->GetStatus() == CSmsRecipientInfo::Delivered;
            recipients.emplace_back(
                recipient->GetSmsId(),
                std::to_string(recipient->GetStatus()) + ' ' +
                    std::to_string(delivered ? recipient->GetDeliveryTime() : 0) + ' ' +
                    recipient->GetOrigNr() + '|' + recipient->GetTranslatedNr());
        }
        std::sort(recipients.begin(), recipients.end());
        for (const auto& [id, recipient] : recipients)
            out << "  " << id << ' ' << recipient << '\n';
    }
    const CSmsAddressBook& book = user.GetAddressBook();
    for (int i = 0; i < book.GetItemCount(); ++i)
        out << "contact " << book.GetItem(i)->GetName() << '|' << book.GetItem(i)->GetPhone1()
            << '|' << book.GetItem(i)->GetPhone2() << '\n';
    for (int i = 0; i < book.GetGroupCount(); ++i) {
        out << "group " << book.GetGroup(i)->GetName();
        for (const std::string& member : book.GetGroup(i)->GetMembers())
            out << '|' << member;
        out << '\n';
    }
    for (const auto& entry : user.GetHistory())
        out << "history " << entry->GetTimeStamp() << ' ' << entry->GetText() << '\n';
    out << "prefs " << user.GetPassword() << '|' << user.GetDeliveryReport() << user.GetDoArchive()
        << user.UseOBK() << user.ShowNotice() << user.ShowSA() << ' ' << user.GetAutoDelMode()
        << user.GetEnterKeyMode() << user.GetConflictMode() << ' ' << user.GetMaxDays() << ' '
        << user.GetMaxItems() << ' ' << user.GetLastNoticeTime() << ' ' << user.GetSentToday()
        << ' ' << user.GetSentTotal() << '\n';
    return out.str();
}

// The elements that hold a text. Empty, such an element is written <Name></Name>, as a document
// given an empty text wrote it; a parse keeps no empty text, so the oracle puts it back.
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

// The text as pugixml writes it in raw form after parsing it, every byte kept.
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

class StoredFormatTest : public ProfileFolderTest {
protected:
    // The user saved whole, and the text of its file.
    static std::string SavedProfile(CSmsUserInfo& user) {
        EXPECT_TRUE(user.Save(false));
        return ReadContainer(ProfilePath(user.GetName()));
    }

    static std::string SavedSettings(const std::string& defaultUser) {
        {
            CSmsConfig config;
            config.SetDefaultUser(defaultUser);
            config.SetAppMode(CSmsConfig::SingleUserSavedPwd);
            config.SetAutoLogout(true);
            config.SetLogoutDelay(15);
            config.SetLcid(1051);
        }
        return ReadContainer(ConfigPath());
    }

    // Runs check(user, text of its file) for the hostile profile saved under each code page of
    // the system, each time as a user of its own.
    template <typename Check> static void ForEachSavedHostileProfile(Check check) {
        const FixedClock clock(kStart + 3600);
        for (const char* codePage : {"1250", "1252"}) {
            SCOPED_TRACE(codePage);
            ScopedEnv ansi("QUILLON_ANSI_CODEPAGE", codePage);
            CSmsUserInfo user(std::string("hostile & <name> \"'\xE8 ") + codePage, "1.1", "QLN");
            FillHostileProfile(user);
            check(user, SavedProfile(user));
        }
    }
};

} // namespace

TEST_F(StoredFormatTest, AHostileProfileIsWrittenAsPugixmlWritesIt) {
    ForEachSavedHostileProfile([](CSmsUserInfo&, const std::string& xml) {
        ASSERT_GT(xml.size(), 4 * CXmlWriter::kBufferSize);
        EXPECT_TRUE(xml == ReserialisedByPugixml(xml));
        const std::string settings = SavedSettings(EveryByte());
        EXPECT_EQ(settings, ReserialisedByPugixml(settings));
    });
}

TEST_F(StoredFormatTest, AHostileProfileComesBackAsItWasSaved) {
    ForEachSavedHostileProfile([](CSmsUserInfo& user, const std::string&) {
        const auto loaded = CSmsUserInfo::GetUserInfo(user.GetName(), "1.1", "QLN");
        ASSERT_NE(loaded, nullptr);
        EXPECT_EQ(Describe(*loaded), Describe(user));
        EXPECT_EQ(loaded->GetArchive().GetItemCount(), 33);
    });
}

TEST_F(StoredFormatTest, ASmallProfileHasTheKnownText) {
    CSmsUserInfo user("eva", "1.1", "QLN");
    CSmsArchive& archive = user.GetArchive();
    CSmsArchiveItem* group = archive.AddGroupItem("Hi & bye <3", kStart, true, 2, "Team \"A\"");
    group->AddRecipient("Eva", "421903000001", 11);
    group->AddRecipient("Jan\x01", "421903000002", 12);
    group->SetStatus(11, CSmsRecipientInfo::Delivered, kStart + 5);
    group->SetStatus(12, CSmsRecipientInfo::NotDelivered, kStart + 6);
    group->SetLastQueryTime(kStart + 9);
    CSmsArchiveItem* scheduled = archive.AddScheduledItem(
        "", kStart + 60, false, 1, true, CSmsScheduleInfo::Weekly, kStart + 600, 77, "");
    scheduled->AddRecipient("", "421903000003", 0);
    archive.AddScheduledItem("\xE8", kStart + 120, false, 0, false, 0, -1,
                             std::numeric_limits<std::int64_t>::min(), "  x  ");
    CSmsAddressBook& book = user.GetAddressBook();
    book.AddContact("Eva", "0903000001", "0903000009");
    book.AddContact("", "0903000002", "");
    book.AddGroup("Empty");
    book.AddGroup("B\xF9h");
    book.AddGroupMember(1, "Eva");
    CSmsArchive::InsertHistory(user.GetHistory(), std::make_unique<CSmsHistoryItem>("Eva", kStart),
                               CSmsArchive::MaxHistoryItems);
    user.SetMaxDays(4294967295u);

    EXPECT_EQ(
        SavedProfile(user),
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?><KvSmsDa><User Name=\"eva\"><Archive>"
        "<ArchiveItem><TimeSent>1700000120</TimeSent><Type>0</Type><Text>\xC4\x8D</Text>"
        "<ScheduleInfo MessageId=\"-9223372036854775808\" Periodicity=\"0\" DeliverAt=\"-1\" "
        "Notify=\"0\"><Name>  x  </Name></ScheduleInfo><Recipients/></ArchiveItem>"
        "<ArchiveItem><TimeSent>1700000060</TimeSent><SmsCount>1</SmsCount><Type>0</Type>"
        "<Text></Text><ScheduleInfo MessageId=\"77\" Periodicity=\"6\" DeliverAt=\"1700000600\" "
        "Notify=\"1\"/><Recipients><Recipient><SmsId Status=\"0\">0</SmsId><OrigNr></OrigNr>"
        "<TranslatedNr>421903000003</TranslatedNr></Recipient></Recipients></ArchiveItem>"
        "<ArchiveItem><TimeSent>1700000000</TimeSent><TimeQuery>1700000009</TimeQuery>"
        "<SmsCount>2</SmsCount><Type>1</Type><Text>Hi &amp; bye &lt;3</Text>"
        "<Group>Team \"A\"</Group><Recipients><Recipient><SmsId Status=\"-1\">12</SmsId>"
        "<OrigNr>Jan&#01;</OrigNr><TranslatedNr>421903000002</TranslatedNr></Recipient>"
        "<Recipient><SmsId Status=\"1\" TimeDelivered=\"1700000005\">11</SmsId><OrigNr>Eva</OrigNr>"
        "<TranslatedNr>421903000001</TranslatedNr></Recipient></Recipients></ArchiveItem>"
        "</Archive><AddressBook><Entry><Name Phone1=\"0903000001\" Phone2=\"0903000009\">Eva</Name>"
        "</Entry><Entry><Name Phone1=\"0903000002\"></Name></Entry><Group Name=\"Empty\"/>"
        "<Group Name=\"B\xC5\xAFh\"><Member>Eva</Member></Group></AddressBook><History>"
        "<HistoryItem TimeStamp=\"1700000000\">Eva</HistoryItem></History><Prefs>"
        "<Archive>1</Archive><DeliveryReport>0</DeliveryReport><UseOBK>0</UseOBK>"
        "<ShowNotice>0</ShowNotice><ShowSA>1</ShowSA><Today>0</Today><Total>0</Total>"
        "<DateToday>0</DateToday><DateNotice>0</DateNotice><EnterKeyMode>0</EnterKeyMode>"
        "<ConflictMode>0</ConflictMode><Password></Password><AutoDelete Mode=\"0\">"
        "<MaxItems>0</MaxItems><MaxDays>4294967295</MaxDays></AutoDelete></Prefs></User>"
        "</KvSmsDa>");
}

TEST_F(StoredFormatTest, SettingsHaveTheKnownText) {
    EXPECT_EQ(SavedSettings("Eva & <Jan> \"\xE8\"\t"),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?><KvSmsDa><Settings><AppMode>2</AppMode>"
              "<DefaultUser>Eva &amp; &lt;Jan&gt; \"\xC4\x8D\"\t</DefaultUser>"
              "<AutoLogout>1</AutoLogout><LogoutDelay>15</LogoutDelay><SysTray>0</SysTray>"
              "<ConfirmExit>1</ConfirmExit><LCID>1051</LCID></Settings></KvSmsDa>");
}
