// The rules of the address book import, driven with records of every reader.
#include "logic/AddressImport.h"
#include "ScriptedMessageBox.h"
#include "logic/ImportFilter.h"
#include "logic/ProgramStrings.h"
#include "model/SmsAddressBook.h"
#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Answer = IMessageBox::Answer;

class ScriptedNumbers : public IAlternativeNumberDialog {
public:
    int Choose(const std::string& name, const std::vector<CandidateNumber>& numbers) override {
        asked.push_back(name);
        offered = numbers;
        return answer;
    }
    int answer = 0;
    std::vector<std::string> asked;
    std::vector<CandidateNumber> offered;
};

class AddressImportTest : public ::testing::Test {
protected:
    AddressImport::State Import(const std::string& bytes) {
        AddressImport import(book, boxes, numbers, options, MakeImportSource(options, bytes));
        const AddressImport::State state = import.Run();
        imported = import.ImportedCount();
        return state;
    }
    bool InGroup(const std::string& group, const std::string& name) {
        const CSmsAddressBookGroup* found = book.GetGroupByName(group);
        return found && found->IsMember(name, false, -1);
    }
    const CSmsAddressBookItem& Contact(const std::string& name) {
        const CSmsAddressBookItem* item = book.GetItemByName(name);
        EXPECT_NE(item, nullptr) << name;
        static const CSmsAddressBookItem none("", "", "");
        return item ? *item : none;
    }
    std::string Outlook98Row(const std::string& first, const std::string& work,
                             const std::string& home, const std::string& mobile = "") {
        std::vector<std::string> row(45);
        row[1] = first;
        row[30] = work;
        row[36] = home;
        row[39] = mobile;
        std::string line;
        for (const std::string& field : row)
            line += field + ",";
        return line + "\n";
    }

    CCodePageScope codePage{1250};
    CSmsAddressBook book;
    ScriptedMessageBox boxes;
    ScriptedNumbers numbers;
    ImportOptions options;
    int imported = 0;
};

TEST_F(AddressImportTest, OneContactInTwoNewGroupsWithItsEqualNumbersCollapsed) {
    book.AddGroup("Rodina");
    EXPECT_EQ(Import("Jana,0903 123 456,+421903123456,\"Rodina;\"\"Futbal, streda\"\"\"\n"),
              AddressImport::State::Completed);
    ASSERT_EQ(book.GetItemCount(), 1);
    EXPECT_EQ(Contact("Jana").GetPhone1(), "0903123456");
    EXPECT_EQ(Contact("Jana").GetPhone2(), "");
    ASSERT_EQ(book.GetGroupCount(), 2);
    EXPECT_TRUE(InGroup("Rodina", "Jana"));
    EXPECT_TRUE(InGroup("Futbal, streda", "Jana"));
    EXPECT_EQ(boxes.ShownIds(), std::vector<int>{ProgramString::ImportDone});
    EXPECT_EQ(boxes.Last().text, "Import ukončený\n\nPočet naimportovaných záznamov: 1");
}

TEST_F(AddressImportTest, ALineWithoutNumbersAsksAndNoKeepsTheEarlierLines) {
    boxes.AnswerNext(Answer::No);
    EXPECT_EQ(Import("Jana,0903123456\n\nIba meno\nEva,0911222333\n"), AddressImport::State::Ended);
    ASSERT_EQ(boxes.Shown().size(), 2u);
    EXPECT_EQ(boxes.Shown()[0].stringId, ProgramString::ImportLineError);
    EXPECT_EQ(boxes.Shown()[0].text, "Chyba v riadku 3 pri importe zo súboru\n\nZáznam neobsahuje "
                                     "telefónne čísla\nChcete pokračovať bez naimportovania "
                                     "záznamu?");
    EXPECT_EQ(boxes.Shown()[0].buttons, IMessageBox::Buttons::YesNo);
    EXPECT_EQ(boxes.Shown()[1].stringId, ProgramString::ImportDone);
    EXPECT_EQ(book.GetItemCount(), 1);
    EXPECT_EQ(imported, 1);

    // Yes passes over the line and goes on.
    CSmsAddressBook other;
    book.RemoveAll();
    boxes.AnswerNext(Answer::Yes);
    Import("Jana,0903123456\nIba meno\nEva,,0911222333\n");
    EXPECT_EQ(book.GetItemCount(), 2);
    // Number 2 alone became number 1.
    EXPECT_EQ(Contact("Eva").GetPhone1(), "0911222333");
}

TEST_F(AddressImportTest, ABadNumberAnsweredNoStoresNothing) {
    book.AddContact("Jana", "0903123456", "");
    options.overwrite = true;
    boxes.AnswerNext(Answer::No);
    EXPECT_EQ(Import("Jana,0905000000,,G\nNovy,0911222333\nZly,09a\nEva,0912\n"),
              AddressImport::State::Cancelled);
    EXPECT_EQ(boxes.Last().text, "Chyba v riadku 3 pri importe zo súboru\n\nZlý formát "
                                 "telefónneho čísla\nChcete pokračovať bez naimportovania "
                                 "záznamu?");
    EXPECT_EQ(book.GetItemCount(), 1);
    EXPECT_EQ(Contact("Jana").GetPhone1(), "0903123456");
    EXPECT_EQ(book.GetGroupCount(), 0);

    // Yes skips only that line; an invalid second number asks as well.
    boxes.AnswerNext(Answer::Yes);
    boxes.AnswerNext(Answer::Yes);
    EXPECT_EQ(Import("Zly,09a\nDva,0903111222,+42x\nEva,0912 345 678\n"),
              AddressImport::State::Completed);
    EXPECT_EQ(book.GetItemCount(), 2);
    EXPECT_EQ(Contact("Eva").GetPhone1(), "0912345678");
}

TEST_F(AddressImportTest, DuplicatesAreKeptOrOverwrittenSlotBySlot) {
    book.AddContact("Jana", "0903 111 111", "0903222222");
    Import("Jana,0903222222,0903333333,Nova\n");
    EXPECT_EQ(Contact("Jana").GetPhone1(), "0903 111 111");
    EXPECT_EQ(imported, 0);
    EXPECT_EQ(book.GetGroupCount(), 0);

    options.overwrite = true;
    Import("Jana,+421903222222,0903333333,Nova\n");
    EXPECT_EQ(Contact("Jana").GetPhone1(), "0903333333");
    EXPECT_EQ(Contact("Jana").GetPhone2(), "+421903222222");
    EXPECT_EQ(imported, 1);
    EXPECT_TRUE(InGroup("Nova", "Jana"));

    std::string slot1, slot2;
    // A new number never pushes out one the contact already has in its slot.
    OverwriteSlots("A1", "0903222222", "0903333333", "0903 222 222", slot1, slot2);
    EXPECT_EQ(slot1, "0903333333");
    EXPECT_EQ(slot2, "0903 222 222");
    OverwriteSlots("0903111111", "0903222222", "0905", "0903111111", slot1, slot2);
    EXPECT_EQ(slot1, "0903111111");
    EXPECT_EQ(slot2, "0905");
    // The second slot alone moves to the first.
    OverwriteSlots("0903111111", "0903222222", "0903222222", "", slot1, slot2);
    EXPECT_EQ(slot1, "0903222222");
    EXPECT_EQ(slot2, "");
}

TEST_F(AddressImportTest, ALaterGroupFieldOfTheSameNameReplacesTheEarlier) {
    options.skipFirstLine = true;
    Import("Meno,Cislo\nJana,0903123456,,Stara\nJana,0903123456,,Nova\n");
    EXPECT_EQ(book.GetItemCount(), 1);
    EXPECT_EQ(imported, 1);
    ASSERT_EQ(book.GetGroupCount(), 1);
    EXPECT_EQ(book.GetGroup(0)->GetName(), "Nova");
}

TEST_F(AddressImportTest, Outlook98AsksOnlyWhenThereIsAChoice) {
    options.type = ImportFileType::Outlook98Csv;
    options.noMobile = NoMobileMode::AskIfSeveral;
    numbers.answer = 1;
    Import("header\n" + Outlook98Row("Dva", "02 111 222", "(02) 333-444") +
           Outlook98Row("Jeden", "", "0244-556677"));
    EXPECT_EQ(numbers.asked, std::vector<std::string>{"Dva"});
    ASSERT_EQ(numbers.offered.size(), 2u);
    EXPECT_EQ(numbers.offered[0].label, NumberLabel::Work);
    EXPECT_EQ(Contact("Dva").GetPhone1(), "02333444");
    EXPECT_EQ(Contact("Jeden").GetPhone1(), "0244556677");

    // Under "do not import" a row without a mobile number goes without a word.
    book.RemoveAll();
    boxes.Clear();
    options.noMobile = NoMobileMode::Skip;
    Import("header\n" + Outlook98Row("Dva", "02 111", "02 333") +
           Outlook98Row("Mobil", "", "", "0903123456"));
    EXPECT_EQ(book.GetItemCount(), 1);
    EXPECT_EQ(boxes.ShownIds(), std::vector<int>{ProgramString::ImportDone});
}

TEST_F(AddressImportTest, BackupsOfTheWrongVersionOrDamagedEndWithTheirMessage) {
    const std::string card21 = "BEGIN:VCARD\nVERSION:2.1\nFN:A\nTEL;CELL:0903111222\nEND:VCARD";
    options.type = ImportFileType::Nbu;
    EXPECT_EQ(Import("junk" + card21 + "junk"), AddressImport::State::Ended);
    EXPECT_EQ(boxes.ShownIds(), std::vector<int>{ProgramString::BackupWrongVersion});
    EXPECT_EQ(boxes.Last().icon, IMessageBox::Icon::Stop);
    EXPECT_EQ(book.GetItemCount(), 0);

    boxes.Clear();
    options.type = ImportFileType::Nfc;
    Import(card21 + "BEGIN:VCARD\nVERSION:2.1\nFN:B");
    EXPECT_EQ(boxes.ShownIds(), std::vector<int>{ProgramString::BackupDataError});
    EXPECT_EQ(book.GetItemCount(), 1);
}

TEST_F(AddressImportTest, AnInvalidVCardNumberAsksOkToSkipOrCancelToEnd) {
    options.type = ImportFileType::VCard;
    const std::string cards = "BEGIN:VCARD\nFN:A\nTEL;CELL:0903-111-222\nEND:VCARD\n"
                              "BEGIN:VCARD\nFN:Zlý\nTEL;CELL:0903/111\nEND:VCARD\n"
                              "BEGIN:VCARD\nFN:C\nTEL;CELL:0905111222\nEND:VCARD\n";
    boxes.AnswerNext(Answer::Ok);
    EXPECT_EQ(Import(cards), AddressImport::State::Completed);
    EXPECT_EQ(boxes.Shown()[0].text,
              "Telefónne číslo \"0903/111\" kontaktu \"Zlý\" obsahuje nepovolené znaky\n\nAk "
              "chcete pokračovať bez naimportovania tohoto kontaktu zvoľte OK\nInak bude import "
              "ukončený");
    EXPECT_EQ(boxes.Shown()[0].buttons, IMessageBox::Buttons::OkCancel);
    EXPECT_EQ(book.GetItemCount(), 2);
    EXPECT_EQ(Contact("A").GetPhone1(), "0903111222");

    book.RemoveAll();
    boxes.Clear();
    boxes.AnswerNext(Answer::Cancel);
    EXPECT_EQ(Import(cards), AddressImport::State::Ended);
    EXPECT_EQ(book.GetItemCount(), 1);
    EXPECT_EQ(boxes.ShownIds(), std::vector<int>{ProgramString::BadVCardNumber});
}

TEST_F(AddressImportTest, CancellingHalfWayStoresNothing) {
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += "Kontakt " + std::to_string(i) + ",0903" + std::to_string(100000 + i) + ",,G\n";
    AddressImport import(book, boxes, numbers, options, MakeImportSource(options, text));
    EXPECT_EQ(import.Step(10), AddressImport::State::Reading);
    EXPECT_GT(import.Progress(), 0.0);
    EXPECT_LT(import.Progress(), 1.0);
    import.Cancel();
    EXPECT_EQ(import.Step(10), AddressImport::State::Cancelled);
    EXPECT_FALSE(import.BookChanged());
    EXPECT_EQ(book.GetItemCount(), 0);
    EXPECT_EQ(book.GetGroupCount(), 0);
    EXPECT_TRUE(boxes.Shown().empty());
}

std::string DataFile(const char* name) {
    std::ifstream file(std::string(TEST_DATA_DIR) + "/import/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

TEST_F(AddressImportTest, EveryFileTypeOfTheTestData) {
    struct Case {
        const char* file;
        ImportFileType type;
        int count;
        const char* someone;
    };
    const Case cases[] = {
        {"quillon.csv", ImportFileType::QuillonCsv, 3, "Kováč, Peter"},
        {"cp1250.csv", ImportFileType::QuillonCsv, 2, "Ľubomír Šťastný"},
        {"utf8-bom.csv", ImportFileType::QuillonCsv, 2, "Žofia Čierna"},
        {"outlook98.csv", ImportFileType::Outlook98Csv, 3, "Ing. Ján Horák"},
        {"contacts.nfc", ImportFileType::Nfc, 3, "Šimon Ľubomír"},
        {"contacts.nbu", ImportFileType::Nbu, 2, "Tomáš Zelený"},
        {"contacts.vcf", ImportFileType::VCard, 4, "Dlhé meno zalomené"},
    };
    options.noMobile = NoMobileMode::AskIfSeveral;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        book.RemoveAll();
        boxes.Clear();
        options.type = c.type;
        // The Outlook row with a bad work number answers with the home number.
        numbers.answer = 1;
        EXPECT_EQ(Import(DataFile(c.file)), AddressImport::State::Completed);
        EXPECT_EQ(imported, c.count);
        EXPECT_NE(book.GetItemByName(Utf8TextToAnsi(c.someone)), nullptr);
    }
    EXPECT_EQ(Contact(Utf8TextToAnsi("Markéta Rys")).GetPhone1(), "+421905444555");
}

TEST(ImportFilter, SeparatorsAndTheMistypedPattern) {
    const std::vector<FileFilterEntry> entries =
        ParseFileFilter(ImportFilterText(ImportFileType::Nbu));
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].description, "NBU Súbory (*.nbu)");
    EXPECT_EQ(entries[0].patterns, "*.nbu");
    EXPECT_EQ(entries[1].patterns, "*.*");
    EXPECT_EQ(ParseFileFilter("A#*.a;*.b##").front().patterns, "*.a;*.b");
    EXPECT_TRUE(ParseFileFilter("").empty());
}

} // namespace
