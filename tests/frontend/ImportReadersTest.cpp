// The readers of the address book import: CSV fields and records, vCards and their scan.
#include "frontend/AddressCsvFields.h"
#include "frontend/CsvImportReader.h"
#include "frontend/ImportText.h"
#include "frontend/NumberChoice.h"
#include "frontend/VCard.h"
#include "frontend/VCardImportReader.h"
#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Fields = std::vector<std::string>;

TEST(AddressCsvFields, SplitsWithTheQuotingOfTheExport) {
    EXPECT_EQ(AddressCsvFields("Jana,0903123456,,Rodina"),
              (Fields{"Jana", "0903123456", "", "Rodina"}));
    EXPECT_EQ(AddressCsvFields("\"Kováč, Peter\",1,2"), (Fields{"Kováč, Peter", "1", "2"}));
    // Doubled quotes stand for one, also next to the separator inside the field.
    EXPECT_EQ(AddressCsvFields("\"a\"\",b\",c"), (Fields{"a\",b", "c"}));
    EXPECT_EQ(AddressCsvFields("\"say \"\"hi\"\"\""), (Fields{"say \"hi\""}));
    // A trailing empty field is dropped, inner ones stay.
    EXPECT_EQ(AddressCsvFields("a,b,"), (Fields{"a", "b"}));
    EXPECT_EQ(AddressCsvFields("a,,"), (Fields{"a", ""}));
    EXPECT_EQ(AddressCsvFields(""), Fields{});
    // A quote that never closes runs to the line end; a lone quote inside stays.
    EXPECT_EQ(AddressCsvFields("\"open,x"), (Fields{"open,x"}));
    EXPECT_EQ(AddressCsvFields("\"a\"b\",c"), (Fields{"a\"b", "c"}));
    // The groups field of the export, split at ";".
    EXPECT_EQ(AddressCsvFields("Práca;\"Futbal; streda\";\"x\"\"y\"", ';'),
              (Fields{"Práca", "Futbal; streda", "x\"y"}));
}

TEST(ImportLines, CountsEveryPhysicalLineWhateverItsEnd) {
    ImportLines lines("a\r\nb\nc\rd\r\n\r\ne");
    std::vector<std::string> read;
    std::vector<int> numbers;
    std::string_view line;
    while (lines.Next(line)) {
        read.emplace_back(line);
        numbers.push_back(lines.LineNumber());
    }
    EXPECT_EQ(read, (Fields{"a", "b", "c", "d", "", "e"}));
    EXPECT_EQ(numbers, (std::vector<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(TrimImportLine(" \tx y \t"), "x y");
}

TEST(ImportText, Utf8FilesBecomeAnsiOthersStayAsTheyAre) {
    const CCodePageScope central(1250);
    const std::string ansi = Utf8TextToAnsi("Žofia Čierna");
    EXPECT_EQ(ImportTextToAnsi("\xEF\xBB\xBF"
                               "Žofia Čierna"),
              ansi);
    EXPECT_EQ(ImportTextToAnsi("Žofia Čierna"), ansi);
    // Code page bytes are not valid UTF-8: taken as they are.
    EXPECT_EQ(ImportTextToAnsi(ansi), ansi);
    EXPECT_EQ(ImportTextToAnsi("\xEF\xBB\xBF"
                               "plain"),
              "plain");
    EXPECT_EQ(ImportTextToAnsi("plain"), "plain");
}

std::vector<ImportRecord> ReadAll(IImportSource& source) {
    std::vector<ImportRecord> records;
    ImportRecord record;
    while (source.Next(record) == IImportSource::Result::Record)
        records.push_back(record);
    return records;
}

TEST(CsvImportReader, OwnFormatSkipsEmptyLinesAndOptionallyTheFirst) {
    const std::string text = "Meno,Tel1,Tel2\n\n  Jana,0903123456,,Rodina;Práca  \r\nEva,,0911\n";
    CsvImportReader all(text, CsvImportReader::Format::Quillon, false);
    const std::vector<ImportRecord> records = ReadAll(all);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[1].name, "Jana");
    EXPECT_EQ(records[1].phone1, "0903123456");
    EXPECT_EQ(records[1].groups, "Rodina;Práca");
    EXPECT_EQ(records[1].line, 3);
    EXPECT_EQ(records[2].phone2, "0911");
    EXPECT_EQ(records[2].line, 4);
    EXPECT_EQ(all.Position(), all.Size());

    CsvImportReader skipping(text, CsvImportReader::Format::Quillon, true);
    EXPECT_EQ(ReadAll(skipping).front().name, "Jana");
}

TEST(CsvImportReader, Outlook98JoinsTheNameAndOffersTheOtherNumbers) {
    Fields row(45);
    row[0] = "Ing.";
    row[1] = "Ján";
    row[3] = "Horák";
    row[30] = "02 111";
    row[36] = "02 222";
    row[41] = "02 444";
    row[43] = "02 333";
    std::string line;
    for (const std::string& field : row)
        line += field + ",";
    CsvImportReader reader("header\n" + line + "\n", CsvImportReader::Format::Outlook98, false);
    const std::vector<ImportRecord> records = ReadAll(reader);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].name, "Ing. Ján Horák");
    EXPECT_EQ(records[0].phone1, "");
    ASSERT_EQ(records[0].candidates.size(), 4u);
    EXPECT_EQ(records[0].candidates[0].label, NumberLabel::Work);
    EXPECT_EQ(records[0].candidates[1].label, NumberLabel::Home);
    EXPECT_EQ(records[0].candidates[2].label, NumberLabel::Primary);
    EXPECT_EQ(records[0].candidates[2].number, "02 333");
    EXPECT_EQ(records[0].candidates[3].label, NumberLabel::Other);

    row[39] = "0903111222";
    const ImportRecord mobile = CsvImportReader::Outlook98Record(row);
    EXPECT_EQ(mobile.phone1, "0903111222");
    // A short row has no numbers at all.
    EXPECT_TRUE(CsvImportReader::Outlook98Record({"", "Eva"}).candidates.empty());
}

TEST(VCardParameters, SplitAtUnescapedSemicolonsAndTheFirstEquals) {
    using P = VCardProperty::Parameter;
    EXPECT_EQ(SplitVCardParameters("TYPE=WORK;X-NOTE=a\\;b\\:c=d;CELL"),
              (std::vector<P>{{"TYPE", "WORK"}, {"X-NOTE", "a;b:c=d"}, {"CELL", ""}}));
    EXPECT_TRUE(SplitVCardParameters("").empty());
}

TEST(VCardValues, DecodeQuotedPrintableBase64AndUtf8) {
    const CCodePageScope central(1250);
    EXPECT_EQ(DecodeQuotedPrintable("a=3Db=C5=A0=zz="), "a=b\xC5\xA0=zz=");
    const std::string card = "N;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=C5=A0imon;=C4=BDubo=\r\n"
                             "m=C3=ADr\r\n"
                             "FN;ENCODING=b:Sm/FoWEgSmFu\r\n"
                             "NOTE;ENCODING=BASE64;CHARSET=utf-8:xaFp\r\n";
    const std::vector<VCardProperty> properties = ReadVCardProperties(card, false);
    ASSERT_EQ(properties.size(), 3u);
    // The soft line break joined the two lines; the value is in the code page.
    EXPECT_EQ(properties[0].value, Utf8TextToAnsi("Šimon;Ľubomír"));
    // Base64 bytes taken as they are without a charset.
    EXPECT_EQ(properties[1].value, "Jo\xc5\xa1"
                                   "a Jan");
    EXPECT_EQ(properties[2].value, Utf8TextToAnsi("ši"));
}

TEST(VCardRecord, NameNumbersAndTypesOfEveryVersion) {
    const CCodePageScope central(1250);
    // Version 2.1: bare types, N when there is no FN, blanks tidied.
    ImportRecord old = VCardRecord(ReadVCardProperties(
        "VERSION:2.1\nN:Novák  Ml. ;Peter;;\nTEL;HOME:02 1\nTEL;CELL:0903-12\n", false));
    EXPECT_EQ(old.name, "Novák Ml. Peter");
    EXPECT_EQ(old.phone1, "0903-12");
    ASSERT_EQ(old.candidates.size(), 1u);
    EXPECT_EQ(old.candidates[0].label, NumberLabel::Home);

    // Version 3.0: TYPE lists, group prefixes, folded lines, escaped text.
    ImportRecord three = VCardRecord(ReadVCardProperties(
        "FN:Kováč\\, Peter\r\n ml.\r\nitem1.TEL;TYPE=WORK,VOICE:1\r\nTEL;TYPE=PREF:2\r\n"
        "TEL:3\r\nTEL;TYPE=VOICE:4\r\nTEL;TYPE=FAX:5\r\n",
        false));
    EXPECT_EQ(three.name, "Kováč, Peterml.");
    EXPECT_EQ(three.phone1, "");
    ASSERT_EQ(three.candidates.size(), 4u);
    EXPECT_EQ(three.candidates[0].label, NumberLabel::Work);
    EXPECT_EQ(three.candidates[1].label, NumberLabel::Primary);
    EXPECT_EQ(three.candidates[2].label, NumberLabel::Other);
    EXPECT_EQ(three.candidates[3].label, NumberLabel::Other);

    // Version 4.0: quoted type lists and tel: values; UTF-8 by default.
    ImportRecord four = VCardRecord(ReadVCardProperties(
        "FN:Markéta\nTEL;VALUE=uri;TYPE=\"voice,cell\":tel:+421905444555\n", true));
    EXPECT_EQ(four.name, Utf8TextToAnsi("Markéta"));
    EXPECT_EQ(four.phone1, "+421905444555");

    EXPECT_TRUE(VCardRecord(ReadVCardProperties("TEL;CELL:0903\n", false)).name.empty());
}

TEST(VCardImportReader, FindsCardsAmongJunkAndChecksTheVersion) {
    const std::string junk("\x00\x01\xFF garbage END:VCARD ", 20);
    const std::string card21 = "BEGIN:VCARD\r\nVERSION:2.1\r\nFN:A\r\nTEL;CELL:0903\r\nEND:VCARD";
    const std::string noName = "BEGIN:VCARD\r\nVERSION:2.1\r\nTEL;CELL:0903\r\nEND:VCARD";
    const std::string bytes = junk + card21 + junk + noName + junk + card21 + junk;
    ImportRecord record;

    VCardImportReader nfc(bytes, "2.1");
    EXPECT_EQ(ReadAll(nfc).size(), 2u);
    EXPECT_EQ(nfc.Position(), nfc.Size());

    VCardImportReader nbu(bytes, "3.0");
    EXPECT_EQ(nbu.Next(record), IImportSource::Result::WrongVersion);

    VCardImportReader open(card21 + "BEGIN:VCARD\r\nFN:B", "2.1");
    EXPECT_EQ(open.Next(record), IImportSource::Result::Record);
    EXPECT_EQ(open.Next(record), IImportSource::Result::DataError);

    VCardImportReader anyVersion("BEGIN:VCARD\nVERSION:4.0\nFN:C\nEND:VCARD", "");
    EXPECT_EQ(anyVersion.Next(record), IImportSource::Result::Record);
    EXPECT_EQ(anyVersion.Next(record), IImportSource::Result::End);
    VCardImportReader empty("", "3.0");
    EXPECT_EQ(empty.Next(record), IImportSource::Result::End);
}

class CountingDialog : public IAlternativeNumberDialog {
public:
    int Choose(const std::string&, const std::vector<CandidateNumber>& numbers) override {
        offered = numbers;
        return answer;
    }
    int answer = -1;
    std::vector<CandidateNumber> offered;
};

TEST(NumberChoice, ModesAndCleanUp) {
    const std::vector<CandidateNumber> one{{NumberLabel::Work, ""},
                                           {NumberLabel::Home, "(02) 1-2"}};
    const std::vector<CandidateNumber> two{{NumberLabel::Work, "021"}, {NumberLabel::Home, "022"}};
    CountingDialog dialog;
    EXPECT_EQ(ChooseNumber(NoMobileMode::AskIfSeveral, "x", one, dialog), "02 12");
    EXPECT_TRUE(dialog.offered.empty());
    EXPECT_EQ(ChooseNumber(NoMobileMode::Skip, "x", one, dialog), "");
    EXPECT_EQ(ChooseNumber(NoMobileMode::Ask, "x", {}, dialog), "");
    EXPECT_TRUE(dialog.offered.empty());

    EXPECT_EQ(ChooseNumber(NoMobileMode::Ask, "x", one, dialog), "");
    EXPECT_EQ(dialog.offered.size(), 1u);
    dialog.answer = 1;
    EXPECT_EQ(ChooseNumber(NoMobileMode::AskIfSeveral, "x", two, dialog), "022");
    EXPECT_EQ(dialog.offered.size(), 2u);
    dialog.answer = 7;
    EXPECT_EQ(ChooseNumber(NoMobileMode::Ask, "x", two, dialog), "");
}

} // namespace
