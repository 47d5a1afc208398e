#include "SentItemsFixture.h"

#include "logic/CsvWriter.h"
#include "logic/SearchFold.h"
#include "logic/SentItemsPageLogic.h"

namespace {

TEST(SearchFold, CaseAndAccentsOfBothCodePagesGo) {
    {
        const CCodePageScope central(1250);
        EXPECT_EQ(SearchFold::OfUtf8("ČAKÁM na Ťa, Ľúbo Ôsmy"), L"cakam na ta, lubo osmy");
        EXPECT_EQ(SearchFold::OfAnsi(Utf8TextToAnsi("Dňa 5.")), L"dna 5.");
    }
    {
        const CCodePageScope western(1252);
        EXPECT_EQ(SearchFold::OfUtf8("Élan Ñu Ärger"), L"elan nu arger");
    }
    EXPECT_EQ(SearchFold::OfUtf8("421 905"), L"421 905");
    const CCodePageScope central(1250);
    // Sorting keeps the accents and drops only the case.
    EXPECT_EQ(SearchFold::LowerOfAnsi(Utf8TextToAnsi("ŽLTÝ Kôň")), L"žltý kôň");
}

class SentItemsSearchTest : public SentItemsFixture {
protected:
    int Rows(const std::string& search) {
        logic.SetSearch(search);
        return logic.RowCount();
    }
    SentItemsPageLogic logic{user, boxes, runner};
};

TEST_F(SentItemsSearchTest, FindsTextNamesAndNumbersWithTheFilter) {
    Sent("Čakám ťa pred kinom", "Peter", 1);
    Sent("Dnes nie", "Ľubica", 2);
    Group("Porada o 10:00", "Kolegovia", 10);
    Scheduled("Zubár", 900, 0);
    logic.Fill(false);

    EXPECT_EQ(Rows("cakam"), 1);
    EXPECT_EQ(Rows("LUBICA"), 1);
    EXPECT_EQ(Rows("421905200002"), 1); // a group's member
    EXPECT_EQ(Rows("zubar"), 1);        // a scheduled message's name
    EXPECT_EQ(Rows("pred kinom"), 1);
    EXPECT_EQ(Rows("nie porada"), 0); // no match across two fields
    EXPECT_EQ(Rows(""), 4);
    EXPECT_EQ(logic.CountLabel(), "4/4");

    EXPECT_EQ(Rows("a"), 4);
    logic.SetFilter(ArchiveRows::OnlyScheduled);
    EXPECT_EQ(logic.RowCount(), 1);
    EXPECT_EQ(logic.CountLabel(), "1/4");
}

TEST(CsvWriter, QuotesWhatNeedsItAndStartsWithTheMark) {
    CsvWriter csv;
    csv.AddRecord({"plain", "a,b", "say \"hi\"", "two\r\nlines", " edge", ""});
    EXPECT_EQ(csv.Text(),
              "\xEF\xBB\xBFplain,\"a,b\",\"say \"\"hi\"\"\",\"two\r\nlines\",\" edge\",\r\n");
}

TEST_F(SentItemsSearchTest, ExportWritesTheRowsShownOneRecordPerRecipient) {
    Sent("Ahoj, \"ty\"\nzajtra", "Peter", 1)
        ->SetStatus(1, CSmsRecipientInfo::Delivered, LocalTime(2025, 10, 9, 10, 0));
    Group("Porada", "Kolegovia", 10, kNow - 60);
    Sent("skryté", "Ivan", 0, kNow - 120);
    logic.Fill(false);
    logic.SetSearch("o");
    ASSERT_EQ(logic.RowCount(), 2);

    const std::string csv = logic.ExportCsv();
    const std::string sent = Archive().GetItem(2)->GetSentTimeAsString();
    const std::string groupSent = Archive().GetItem(1)->GetSentTimeAsString();
    EXPECT_EQ(csv, "\xEF\xBB\xBF"
                   "Odoslaná,Meno,Číslo,Stav,Čas doručenia,Text SMS\r\n" +
                       sent +
                       ",Peter,421905100001,Doručená,09.10.2025 10:00:00,\"Ahoj, "
                       "\"\"ty\"\"\nzajtra\"\r\n" +
                       groupSent + ",Ivan,421905200002,Doručuje sa,,Porada\r\n" + groupSent +
                       ",Eva,421905200001,Doručuje sa,,Porada\r\n");
}

} // namespace
