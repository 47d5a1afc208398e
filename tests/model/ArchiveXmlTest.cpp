#include "../platform/ScopedEnv.h"
#include "TestSupport.h"
#include "WrittenXml.h"
#include "model/SmsArchive.h"
#include "model/XmlText.h"

#include <gtest/gtest.h>

namespace {

// Texts in code page 1250: "Žluťoučký kůň" and "Šťastný Ďuro".
const std::string Horse = "\x8Elu\x9Do\xE8k\xFD k\xF9\xF2";
const std::string HorseUtf8 = "\xC5\xBDlu\xC5\xA5o\xC4\x8Dk\xC3\xBD k\xC5\xAF\xC5\x88";
const std::string Duro = "\x8A\x9D"
                         "astn\xFD \xCFuro";

std::string ChildNames(const pugi::xml_node& node) {
    std::string names;
    for (const auto& child : node.children())
        names += std::string(child.name()) + " ";
    return names;
}

pugi::xml_node Parse(pugi::xml_document& document, const std::string& xml) {
    document.load_string(xml.c_str());
    return document.first_child();
}

// The archive written in an "Archive" element.
std::string ArchiveText(const CSmsArchive& archive) {
    return WrittenXml([&](CXmlWriter& writer) {
        writer.Open("Archive");
        archive.WriteXML(writer);
        writer.Close();
    });
}

} // namespace

TEST(ArchiveXml, RoundTripKeepsEveryValueAndAccentedTexts) {
    ScopedEnv codePage("QUILLON_ANSI_CODEPAGE", "1250");
    CSmsArchive archive;
    archive.AddItem("plain", "Eva", "421903000003", 1000, false, 9, 0);
    CSmsArchiveItem* group = archive.AddGroupItem(Horse, 2000, true, 2, Duro);
    group->AddRecipient(Duro, "421903000001", 11);
    group->AddRecipient("B", "421903000002", 12);
    group->SetStatus(11, CSmsRecipientInfo::Delivered, 2100);
    group->SetStatus(12, CSmsRecipientInfo::Expired, 0);
    group->SetLastQueryTime(2200);
    CSmsArchiveItem* scheduled = archive.AddScheduledItem(
        "later", 3000, false, 1, true, CSmsScheduleInfo::Weekly, 4000, 77, Horse);
    scheduled->AddRecipient("C", "421903000004", 0);

    const std::string text = ArchiveText(archive);
    EXPECT_TRUE(IsValidUtf8(text));
    EXPECT_NE(text.find(HorseUtf8), std::string::npos);
    pugi::xml_document document;
    const pugi::xml_node root = Parse(document, text);

    pugi::xml_node item = root.first_child();
    EXPECT_EQ(ChildNames(item), "TimeSent SmsCount Type Text ScheduleInfo Recipients ");
    item = item.next_sibling();
    EXPECT_EQ(ChildNames(item), "TimeSent TimeQuery SmsCount Type Text Group Recipients ");
    EXPECT_EQ(ChildNames(item.child("Recipients").first_child()), "SmsId OrigNr TranslatedNr ");
    pugi::xml_node id = item.child("Recipients").first_child().child("SmsId");
    EXPECT_STREQ(id.attribute("Status").value(), "-2");
    EXPECT_FALSE(id.attribute("TimeDelivered"));
    id = item.child("Recipients").last_child().child("SmsId");
    EXPECT_STREQ(id.attribute("TimeDelivered").value(), "2100");
    EXPECT_EQ(ChildNames(item.next_sibling()), "TimeSent Type Text Recipients ");

    CSmsArchive read;
    read.ReadXML(root);
    ASSERT_EQ(read.GetItemCount(), 3);
    const CSmsArchiveItem* later = read.GetItem(0);
    EXPECT_TRUE(later->IsScheduled());
    EXPECT_EQ(later->GetName(), Horse);
    EXPECT_EQ(later->GetMessageId(), 77);
    EXPECT_EQ(later->GetDeliverAt(), 4000);
    EXPECT_EQ(later->GetRecipient(0)->GetOrigNr(), "C");

    const CSmsArchiveItem* copy = read.GetItem(1);
    EXPECT_EQ(copy->GetSentTime(), 2000);
    EXPECT_EQ(copy->GetLastQueryTime(), 2200);
    EXPECT_EQ(copy->GetSmsCount(), 2);
    EXPECT_TRUE(copy->GetType());
    EXPECT_EQ(copy->GetSmsText(), Horse);
    EXPECT_EQ(copy->GetGroupName(), Duro);
    // Recipients were written B, then Duro; each read one goes first.
    ASSERT_EQ(copy->GetRecipientCount(), 2);
    EXPECT_EQ(copy->GetRecipient(0)->GetOrigNr(), Duro);
    EXPECT_EQ(copy->GetRecipient(0)->GetStatus(), CSmsRecipientInfo::Delivered);
    EXPECT_EQ(copy->GetRecipient(0)->GetDeliveryTime(), 2100);
    EXPECT_EQ(copy->GetRecipient(1)->GetOrigNr(), "B");
    EXPECT_EQ(copy->GetRecipient(1)->GetTranslatedNr(), "421903000002");
    EXPECT_EQ(copy->GetRecipient(1)->GetSmsId(), 12);
    EXPECT_EQ(copy->GetRecipient(1)->GetStatus(), CSmsRecipientInfo::Expired);

    const CSmsArchiveItem* plain = read.GetItem(2);
    EXPECT_EQ(plain->GetSmsCount(), 0);
    EXPECT_FALSE(plain->GetType());
    EXPECT_EQ(plain->GetRecipient(0)->GetSmsId(), 9);
}

TEST(ArchiveXml, ReadsTheEarlierSingleRecipientLayout) {
    ScopedEnv codePage("QUILLON_ANSI_CODEPAGE", "1250");
    pugi::xml_document document;
    // Earlier files also kept texts as ANSI bytes: they are taken as they stand.
    const CSmsArchiveItem failed(Parse(
        document, "<ArchiveItem><TimeSent>500</TimeSent><Text>" + Duro + "</Text><OrigNr>" + Horse +
                      "</OrigNr><TranslatedNr>421903000001</TranslatedNr><SmsId>2147483647</SmsId>"
                      "<Status>-7</Status></ArchiveItem>"));
    ASSERT_EQ(failed.GetRecipientCount(), 1);
    EXPECT_EQ(failed.GetSmsText(), Duro);
    EXPECT_EQ(failed.GetRecipient(0)->GetOrigNr(), Horse);
    EXPECT_EQ(failed.GetRecipient(0)->GetTranslatedNr(), "421903000001");
    EXPECT_EQ(failed.GetRecipient(0)->GetSmsId(), 2147483647);
    EXPECT_EQ(failed.GetRecipient(0)->GetStatus(), CSmsRecipientInfo::Undeliverable);

    const CSmsArchiveItem delivered(
        Parse(document, "<ArchiveItem><Status>1</Status><TimeDelivered>900</TimeDelivered>"
                        "<Recipients/></ArchiveItem>"));
    ASSERT_EQ(delivered.GetRecipientCount(), 1);
    EXPECT_EQ(delivered.GetRecipient(0)->GetStatus(), CSmsRecipientInfo::Delivered);
    EXPECT_EQ(delivered.GetRecipient(0)->GetDeliveryTime(), 900);

    // With recipients in the newer layout the older values are not used.
    const CSmsArchiveItem newer(
        Parse(document, "<ArchiveItem><OrigNr>old</OrigNr><Recipients><Recipient><SmsId Status='5'>"
                        "3</SmsId><OrigNr>new</OrigNr></Recipient></Recipients></ArchiveItem>"));
    ASSERT_EQ(newer.GetRecipientCount(), 1);
    EXPECT_EQ(newer.GetRecipient(0)->GetOrigNr(), "new");
    EXPECT_EQ(newer.GetRecipient(0)->GetStatus(), CSmsRecipientInfo::Delivered);
}

TEST(ArchiveXml, HistoryRoundTripAndDamagedEntries) {
    ScopedEnv codePage("QUILLON_ANSI_CODEPAGE", "1250");
    SmsHistoryList history;
    history.push_back(std::make_unique<CSmsHistoryItem>(Horse, 300));
    history.push_back(std::make_unique<CSmsHistoryItem>("Eva", 200));
    pugi::xml_document document;
    pugi::xml_node root = Parse(document, WrittenXml([&](CXmlWriter& writer) {
                                    writer.Open("History");
                                    CSmsArchive::WriteHistoryXML(history, writer);
                                    writer.Close();
                                }));
    EXPECT_STREQ(root.first_child().text().get(), HorseUtf8.c_str());
    EXPECT_STREQ(root.first_child().attribute("TimeStamp").value(), "300");
    root.append_child("HistoryItem").text().set("no time stamp");
    root.append_child("HistoryItem").append_attribute("TimeStamp").set_value("400");
    root.append_child("Other").text().set("ignored");
    pugi::xml_node broken = root.append_child("HistoryItem");
    broken.text().set("Peter");
    broken.append_attribute("TimeStamp").set_value("soon");

    SmsHistoryList read;
    CSmsArchive::ReadHistoryXML(read, root);
    ASSERT_EQ(read.size(), 3u);
    EXPECT_EQ(read.front()->GetText(), Horse);
    EXPECT_EQ(read.back()->GetText(), "Peter");
    EXPECT_EQ(read.back()->GetTimeStamp(), 0);
}

TEST(ArchiveXml, HostileDocumentsGiveDefaultsAndNoCrash) {
    FixedClock clock(1'700'000'000);
    std::string deep;
    for (int i = 0; i < 2000; ++i)
        deep += "<Recipients>";
    for (int i = 0; i < 2000; ++i)
        deep += "</Recipients>";
    const std::string documents[] = {
        "<Archive><ArchiveItem/><Other><ArchiveItem/></Other>text</Archive>",
        "<Archive><ArchiveItem><TimeSent>abc</TimeSent><Type>99999999999</Type>"
        "<SmsCount>-5</SmsCount><TimeQuery>1e5</TimeQuery></ArchiveItem></Archive>",
        "<Archive><ArchiveItem><TimeSent>99999999999999999999</TimeSent><TimeSent>"
        "9223372036854775807</TimeSent><ScheduleInfo Periodicity='9' "
        "DeliverAt='-9223372036854775808'/>"
        "<ScheduleInfo Periodicity='1'/></ArchiveItem></Archive>",
        "<Archive><ArchiveItem><Recipients>x<Junk/><Recipient><SmsId Status='-99999999999999999999'"
        " TimeDelivered='q'>1 2</SmsId><SmsId>7</SmsId></Recipient></Recipients></ArchiveItem>"
        "</Archive>",
        "<Archive><ArchiveItem>" + deep + "<Foo><Bar/></Foo></ArchiveItem></Archive>",
        "<Archive><ArchiveItem><Text>unclosed",
    };
    std::vector<std::int64_t> sentTimes;
    for (const auto& xml : documents) {
        pugi::xml_document document;
        document.load_string(xml.c_str());
        CSmsArchive archive;
        archive.ReadXML(document.first_child());
        for (int i = 0; i < archive.GetItemCount(); ++i) {
            const CSmsArchiveItem* item = archive.GetItem(i);
            EXPECT_GE(item->GetRecipientCount(), 1);
            sentTimes.push_back(item->GetSentTime());
            item->GetSentTimeAsString();
            item->GetLatestQueryTime();
            item->GetLastSchedule(clock.Now());
            item->GetStatus();
        }
        // What is written of it is well-formed.
        pugi::xml_document written;
        EXPECT_TRUE(written.load_string(ArchiveText(archive).c_str()));
    }
    // The unclosed document still yields what pugixml parsed of it; its owner rejects it.
    EXPECT_EQ(sentTimes,
              (std::vector<std::int64_t>{1'700'000'000, 1'700'000'000, 9223372036854775807,
                                         1'700'000'000, 1'700'000'000, 1'700'000'000}));

    pugi::xml_document document;
    const CSmsArchiveItem defaults(Parse(document, documents[1]).first_child());
    EXPECT_FALSE(defaults.GetType());
    EXPECT_EQ(defaults.GetSmsCount(), -5);
    EXPECT_EQ(defaults.GetLastQueryTime(), 0);
    const CSmsArchiveItem huge(Parse(document, documents[2]).first_child());
    EXPECT_EQ(huge.GetSentTimeAsString(), "");
    EXPECT_EQ(huge.GetPeriodicity(), CSmsScheduleInfo::Monthly);
    const CSmsArchiveItem odd(Parse(document, documents[3]).first_child());
    ASSERT_EQ(odd.GetRecipientCount(), 2);
    EXPECT_EQ(odd.GetRecipient(0)->GetSmsId(), 0);
    EXPECT_EQ(odd.GetRecipient(0)->GetStatus(), CSmsRecipientInfo::Pending);
    EXPECT_EQ(odd.GetRecipient(0)->GetDeliveryTime(), 0);
}
