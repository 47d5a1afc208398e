// The contacts page with 10,000 contacts: the list model filled from the book (snapshots,
// conversion, collation keys, sort) next to sorting the 10,000 names alone; the CSV export of
// the book next to writing the same bytes to a file in one go.
#include "frontend/AddressBookExport.h"
#include "frontend/IMessageBox.h"
#include "logic/AddressPageLogic.h"
#include "logic/IAddressPageDialogs.h"
#include "model/SmsUserInfo.h"
#include "platform/CodePage.h"
#include "windows/AddressBookModel.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kContacts = 10000;

class NoBoxes : public IMessageBox {
public:
    using IMessageBox::Show;
    Answer Show(const Request&) override { return Answer::No; }
};

class NoDialogs : public IAddressPageDialogs {
public:
    bool EditContact(ContactFields&, bool) override { return false; }
    bool EditGroup(std::string&, bool) override { return false; }
    std::optional<std::string> ExportPath() override { return std::nullopt; }
    bool Import(CSmsAddressBook&) override { return false; }
};

void FillBook(CSmsAddressBook& book) {
    const CCodePageScope central(1250);
    const std::string first[] = {Utf8TextToAnsi("Ján"),
                                 Utf8TextToAnsi("Žofia"),
                                 "Peter",
                                 Utf8TextToAnsi("Ľubica"),
                                 "martin",
                                 Utf8TextToAnsi("Šimon")};
    const std::string last[] = {Utf8TextToAnsi("Kováčik"), "Novak, st.", Utf8TextToAnsi("Čierny"),
                                "Horvath", Utf8TextToAnsi("Ďurica \"Ďuro\"")};
    std::mt19937 random(11);
    for (int i = 0; i < kContacts; ++i) {
        const std::string name =
            first[random() % 6] + " " + last[random() % 5] + " " + std::to_string(i);
        book.AddContact(name, "09050" + std::to_string(10000 + i),
                        i % 3 ? "" : "+4219110" + std::to_string(10000 + i));
    }
    for (int g = 0; g < 20; ++g) {
        const int group = book.AddGroup("Skupina " + std::to_string(g) + (g % 4 ? "" : ", iná"));
        for (int i = g; i < kContacts; i += 25)
            book.AddGroupMember(group, book.GetItem(i)->GetName());
    }
}

struct Contacts {
    Contacts() : logic(user, boxes, dialogs) { FillBook(user.GetAddressBook()); }
    CSmsUserInfo user{"bench", "1.6", "QLN"};
    NoBoxes boxes;
    NoDialogs dialogs;
    AddressPageLogic logic;
};

Contacts& Shared() {
    static Contacts contacts;
    return contacts;
}

std::string TempFile() {
    return (std::filesystem::temp_directory_path() / "quillon_contacts_bench.csv").string();
}

void FillModel(benchmark::State& state) {
    Contacts& contacts = Shared();
    AddressBookModel model;
    for (auto _ : state) {
        model.SetRows(contacts.logic.Rows());
        benchmark::DoNotOptimize(model.rowCount());
    }
    state.counters["contacts"] = model.rowCount();
}
BENCHMARK(FillModel)->Unit(benchmark::kMillisecond);

void BaselineSortNames(benchmark::State& state) {
    const CSmsAddressBook& book = Shared().user.GetAddressBook();
    std::vector<std::string> names;
    for (int i = 0; i < book.GetItemCount(); ++i)
        names.push_back(book.GetItem(i)->GetName());
    for (auto _ : state) {
        std::vector<std::string> sorted = names;
        std::sort(sorted.begin(), sorted.end());
        benchmark::DoNotOptimize(sorted.data());
    }
}
BENCHMARK(BaselineSortNames)->Unit(benchmark::kMillisecond);

void Export(benchmark::State& state) {
    const CSmsAddressBook& book = Shared().user.GetAddressBook();
    const std::string path = TempFile();
    std::string error;
    for (auto _ : state) {
        if (!AddressBookExport::Write(book, path, error))
            state.SkipWithError(error.c_str());
    }
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
    std::filesystem::remove(path);
}
BENCHMARK(Export)->Unit(benchmark::kMillisecond);

void BaselineWriteBytes(benchmark::State& state) {
    const std::string csv = AddressBookExport::Csv(Shared().user.GetAddressBook());
    const std::string path = TempFile();
    for (auto _ : state) {
        std::FILE* file = std::fopen(path.c_str(), "w");
        if (!file) {
            state.SkipWithError("cannot create the file");
            break;
        }
        std::fwrite(csv.data(), 1, csv.size(), file);
        std::fclose(file);
    }
    std::filesystem::remove(path);
}
BENCHMARK(BaselineWriteBytes)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
