#include "logic/AddressImport.h"

#include "frontend/AddressCsvFields.h"
#include "frontend/CsvImportReader.h"
#include "frontend/ImportText.h"
#include "frontend/VCardImportReader.h"
#include "logic/ProgramStrings.h"
#include "model/FormatText.h"
#include "model/SmsAddressBook.h"
#include "model/Utilities.h"
#include "platform/CodePage.h"

#include <utility>

namespace {

using Answer = IMessageBox::Answer;
using Buttons = IMessageBox::Buttons;
using Icon = IMessageBox::Icon;

std::string Text(int id) {
    return std::string(ProgramStrings().GetUtf8(id).value_or(""));
}

bool IsCsv(ImportFileType type) {
    return type == ImportFileType::QuillonCsv || type == ImportFileType::Outlook98Csv;
}

bool SameNumber(const std::string& a, const std::string& b) {
    return !a.empty() && !b.empty() && ConvertToIntl(a) == ConvertToIntl(b);
}

} // namespace

std::unique_ptr<IImportSource> MakeImportSource(const ImportOptions& options, std::string bytes) {
    switch (options.type) {
    case ImportFileType::QuillonCsv:
        return std::make_unique<CsvImportReader>(ImportTextToAnsi(std::move(bytes)),
                                                 CsvImportReader::Format::Quillon,
                                                 options.skipFirstLine);
    case ImportFileType::Outlook98Csv:
        return std::make_unique<CsvImportReader>(ImportTextToAnsi(std::move(bytes)),
                                                 CsvImportReader::Format::Outlook98, true);
    case ImportFileType::Nfc:
        return std::make_unique<VCardImportReader>(std::move(bytes), "2.1");
    case ImportFileType::Nbu:
        return std::make_unique<VCardImportReader>(std::move(bytes), "3.0");
    case ImportFileType::VCard:
        break;
    }
    return std::make_unique<VCardImportReader>(std::move(bytes), std::string());
}

void OverwriteSlots(const std::string& existing1, const std::string& existing2,
                    const std::string& new1, const std::string& new2, std::string& slot1,
                    std::string& slot2) {
    slot1.clear();
    slot2.clear();
    std::vector<const std::string*> others;
    for (const std::string* number : {&new1, &new2}) {
        if (number->empty())
            continue;
        if (slot1.empty() && SameNumber(*number, existing1))
            slot1 = *number;
        else if (slot2.empty() && SameNumber(*number, existing2))
            slot2 = *number;
        else
            others.push_back(number);
    }
    for (const std::string* number : others)
        (slot1.empty() ? slot1 : slot2) = *number;
    if (slot1.empty())
        std::swap(slot1, slot2);
}

AddressImport::AddressImport(CSmsAddressBook& book, IMessageBox& boxes,
                             IAlternativeNumberDialog& numbers, const ImportOptions& options,
                             std::unique_ptr<IImportSource> source)
    : m_book(book), m_boxes(boxes), m_numbers(numbers), m_options(options),
      m_source(std::move(source)) {}

AddressImport::State AddressImport::Step(int records) {
    for (int i = 0; i < records && m_state == State::Reading; ++i) {
        ImportRecord record;
        const IImportSource::Result result = m_source->Next(record);
        switch (result) {
        case IImportSource::Result::End:
            Store();
            m_boxes.Show(ProgramStrings(), ProgramString::ImportDone, {m_imported},
                         Icon::Information);
            End(State::Completed);
            break;
        case IImportSource::Result::DataError:
        case IImportSource::Result::WrongVersion:
            Store();
            m_boxes.Show(ProgramStrings(),
                         result == IImportSource::Result::DataError
                             ? ProgramString::BackupDataError
                             : ProgramString::BackupWrongVersion,
                         {}, Icon::Stop);
            End(State::Ended);
            break;
        case IImportSource::Result::Record:
            switch (IsCsv(m_options.type) ? TakeCsvRecord(record) : TakeVCardRecord(record)) {
            case Verdict::Next:
                break;
            case Verdict::StopKeeping:
                Store();
                // Reading stopped at the user's word: the count says what came in all the same.
                if (IsCsv(m_options.type))
                    m_boxes.Show(ProgramStrings(), ProgramString::ImportDone, {m_imported},
                                 Icon::Information);
                End(State::Ended);
                break;
            case Verdict::StopDiscarding:
                Cancel();
                break;
            }
            break;
        }
    }
    return m_state;
}

AddressImport::State AddressImport::Run() {
    while (Step(1000) == State::Reading) {
    }
    return m_state;
}

void AddressImport::Cancel() {
    if (m_state == State::Reading)
        End(State::Cancelled);
}

double AddressImport::Progress() const {
    if (m_state != State::Reading || m_source->Size() == 0)
        return 1.0;
    return static_cast<double>(m_source->Position()) / static_cast<double>(m_source->Size());
}

AddressImport::Verdict AddressImport::TakeCsvRecord(ImportRecord& record) {
    if (record.phone1.empty() && !record.candidates.empty())
        record.phone1 = ChooseNumber(m_options.noMobile, record.name, record.candidates, m_numbers);
    if (record.phone1.empty() && record.phone2.empty()) {
        // An Outlook 98 row without a number is not wanted under "do not import".
        if (m_options.type == ImportFileType::Outlook98Csv &&
            m_options.noMobile == NoMobileMode::Skip)
            return Verdict::Next;
        return SkipLine(record.line, ProgramString::NoNumbers) ? Verdict::Next
                                                               : Verdict::StopKeeping;
    }
    if (record.phone1.empty())
        std::swap(record.phone1, record.phone2);
    for (std::string* number : {&record.phone1, &record.phone2}) {
        if (number->empty() || ValidateNumber(*number))
            continue;
        return SkipLine(record.line, ProgramString::BadNumberFormat) ? Verdict::Next
                                                                     : Verdict::StopDiscarding;
    }
    if (SameNumber(record.phone1, record.phone2))
        record.phone2.clear();
    Keep(record);
    return Verdict::Next;
}

AddressImport::Verdict AddressImport::TakeVCardRecord(ImportRecord& record) {
    record.phone1 = record.phone1.empty() ? ChooseNumber(m_options.noMobile, record.name,
                                                         record.candidates, m_numbers)
                                          : CleanNumber(record.phone1);
    record.phone2.clear();
    if (record.phone1.empty())
        return Verdict::Next;
    std::string number = record.phone1;
    if (!ValidateNumber(number)) {
        const Answer answer =
            m_boxes.Show(ProgramStrings(), ProgramString::BadVCardNumber,
                         {AnsiTextToUtf8(record.phone1), AnsiTextToUtf8(record.name)}, Icon::Stop,
                         Buttons::OkCancel);
        return answer == Answer::Ok ? Verdict::Next : Verdict::StopKeeping;
    }
    record.phone1 = number;
    Keep(record);
    return Verdict::Next;
}

bool AddressImport::SkipLine(int line, int reason) {
    IMessageBox::Request request;
    request.stringId = ProgramString::ImportLineError;
    request.text = FormatText(Text(ProgramString::ImportLineError), {line, Text(reason)}) + "\n" +
                   Text(ProgramString::GoOnWithoutRecord);
    request.icon = Icon::Question;
    request.buttons = Buttons::YesNo;
    request.defaultButton = Answer::Yes;
    return m_boxes.Show(request) == Answer::Yes;
}

void AddressImport::Keep(const ImportRecord& record) {
    if (const CSmsAddressBookItem* existing = m_book.GetItemByName(record.name)) {
        if (!m_options.overwrite)
            return;
        Overwrite overwrite{existing->GetID(), record.name, {}, {}};
        OverwriteSlots(existing->GetPhone1(), existing->GetPhone2(), record.phone1, record.phone2,
                       overwrite.phone1, overwrite.phone2);
        m_overwrites.push_back(std::move(overwrite));
    } else {
        m_new.push_back(record);
    }
    if (record.groups.empty())
        return;
    auto [it, added] = m_groups.insert_or_assign(record.name, record.groups);
    if (added)
        m_groupNames.push_back(record.name);
}

void AddressImport::Store() {
    std::vector<CSmsAddressBook::NewContact> contacts;
    contacts.reserve(m_new.size());
    for (const ImportRecord& record : m_new)
        contacts.push_back({record.name, record.phone1, record.phone2});
    m_imported += m_book.AddContacts(contacts);
    for (const Overwrite& overwrite : m_overwrites)
        if (m_book.EditContactByID(overwrite.id, overwrite.name, overwrite.phone1,
                                   overwrite.phone2))
            ++m_imported;
    StoreGroups();
    m_stored = true;
}

void AddressImport::StoreGroups() {
    // Members by group in the order the groups first come up; every name is a contact by now.
    std::vector<std::string> order;
    std::map<std::string, std::vector<std::string>> members;
    for (const std::string& name : m_groupNames) {
        for (const std::string& group : AddressCsvFields(m_groups[name], ';')) {
            if (group.empty())
                continue;
            auto [it, added] = members.try_emplace(group);
            if (added)
                order.push_back(group);
            it->second.push_back(name);
        }
    }
    for (const std::string& group : order) {
        if (m_book.GetGroupByName(group)) {
            for (const std::string& name : members[group])
                m_book.AddGroupMember(group, name);
        } else {
            // A new group takes its members at once, without a look-up of each contact.
            m_book.AddGroupWithMembers(group, members[group]);
        }
    }
}

void AddressImport::End(State state) {
    m_state = state;
    m_new.clear();
    m_overwrites.clear();
    m_groups.clear();
    m_groupNames.clear();
}
