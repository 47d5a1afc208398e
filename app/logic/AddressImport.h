#pragma once

#include "frontend/IImportSource.h"
#include "frontend/IMessageBox.h"
#include "frontend/NumberChoice.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

class CSmsAddressBook;

// The kinds of file the import reads, in the order of the import dialog's list.
enum class ImportFileType { QuillonCsv = 0, Outlook98Csv = 1, Nfc = 2, Nbu = 3, VCard = 4 };

struct ImportOptions {
    ImportFileType type = ImportFileType::QuillonCsv;
    // The first line of the own CSV format is a header.
    bool skipFirstLine = false;
    // A record whose name the book has replaces that contact's numbers; else it is passed over.
    bool overwrite = false;
    NoMobileMode noMobile = NoMobileMode::Skip;
};

// The reader of a file of that type over the file's bytes.
std::unique_ptr<IImportSource> MakeImportSource(const ImportOptions& options, std::string bytes);

// The rules of the address book import over the records of any reader: numbers checked and
// normalised, names the book has kept or overwritten, groups created, and the questions the
// records raise. Nothing reaches the book before the reading ends, so an import stopped by the
// user or by a refused number changes nothing. It reads in steps, so a window can show the
// progress and stay responsive between them.
class AddressImport {
public:
    enum class State {
        Reading,   // more to read
        Completed, // stored, and the count was shown
        Ended,     // stopped by the file or an answer; what was read before is stored
        Cancelled, // nothing stored
    };

    AddressImport(CSmsAddressBook& book, IMessageBox& boxes, IAlternativeNumberDialog& numbers,
                  const ImportOptions& options, std::unique_ptr<IImportSource> source);

    // Reads up to that many records; at the end stores what was read. The state afterwards.
    State Step(int records);
    // Runs the import to its end.
    State Run();
    // Gives up: nothing is stored.
    void Cancel();

    State GetState() const { return m_state; }
    // The share of the file read, 0 to 1.
    double Progress() const;
    // Contacts added or overwritten (what message 159 counts).
    int ImportedCount() const { return m_imported; }
    // True once something was stored.
    bool BookChanged() const { return m_stored; }

private:
    struct Overwrite {
        std::uint32_t id;
        std::string name, phone1, phone2;
    };
    enum class Verdict { Next, StopKeeping, StopDiscarding };

    Verdict TakeCsvRecord(ImportRecord& record);
    Verdict TakeVCardRecord(ImportRecord& record);
    // Yes to "go on without this record?"; the question carries the line and the reason.
    bool SkipLine(int line, int reason);
    void Keep(const ImportRecord& record);
    void Store();
    void StoreGroups();
    void End(State state);

    CSmsAddressBook& m_book;
    IMessageBox& m_boxes;
    IAlternativeNumberDialog& m_numbers;
    ImportOptions m_options;
    std::unique_ptr<IImportSource> m_source;
    State m_state = State::Reading;

    std::vector<ImportRecord> m_new;
    std::vector<Overwrite> m_overwrites;
    // The last groups field of each name, in the order the names first had one.
    std::vector<std::string> m_groupNames;
    std::map<std::string, std::string> m_groups;
    int m_imported = 0;
    bool m_stored = false;
};

// Where an overwrite puts the record's numbers, given the contact's numbers: a number the contact
// has keeps its slot, the others fill the free slots in order; the first slot is never left
// empty while the second holds a number.
void OverwriteSlots(const std::string& existing1, const std::string& existing2,
                    const std::string& new1, const std::string& new2, std::string& slot1,
                    std::string& slot2);
