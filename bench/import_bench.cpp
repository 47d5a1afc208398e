// The address book import without its dialog (reading, rules and storing into an empty book) of
// a 10,000-line own CSV file and of a 5 MB phone suite backup, each next to reading the same
// file into memory.
#include "logic/AddressImport.h"
#include "model/SmsAddressBook.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace {

class QuietBoxes : public IMessageBox {
public:
    using IMessageBox::Show;
    Answer Show(const Request& request) override { return request.defaultButton; }
};

class NoNumber : public IAlternativeNumberDialog {
public:
    int Choose(const std::string&, const std::vector<CandidateNumber>&) override { return -1; }
};

std::filesystem::path Written(const char* name, const std::string& bytes) {
    const std::filesystem::path path = std::filesystem::temp_directory_path() / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

const std::filesystem::path& CsvFile() {
    static const std::filesystem::path path = [] {
        std::string text;
        for (int i = 0; i < 10000; ++i)
            text += "\"Kontakt " + std::to_string(i) + ", Bratislava\",0903 " +
                    std::to_string(100000 + i) + ",02 " + std::to_string(5000000 + i) +
                    ",Skupina " + std::to_string(i % 20) + "\n";
        return Written("quillon-import-bench.csv", text);
    }();
    return path;
}

const std::filesystem::path& NbuFile() {
    static const std::filesystem::path path = [] {
        std::mt19937 random(7);
        std::string bytes;
        for (int card = 0; bytes.size() < 5 * 1024 * 1024; ++card) {
            for (int i = 0; i < 2000; ++i)
                bytes += static_cast<char>(random()); // too short to hold a marker by chance
            bytes += "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Priezvisko " + std::to_string(card) +
                     ";Meno\r\nTEL;TYPE=CELL:+421 903 " + std::to_string(100000 + card) +
                     "\r\nTEL;TYPE=HOME:02-" + std::to_string(5000000 + card) + "\r\nEND:VCARD";
        }
        return Written("quillon-import-bench.nbu", bytes);
    }();
    return path;
}

std::string Read(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

void Import(benchmark::State& state, const std::filesystem::path& path, ImportFileType type) {
    ImportOptions options;
    options.type = type;
    QuietBoxes boxes;
    NoNumber numbers;
    int count = 0;
    for (auto _ : state) {
        CSmsAddressBook book;
        AddressImport import(book, boxes, numbers, options, MakeImportSource(options, Read(path)));
        import.Run();
        count = import.ImportedCount();
    }
    state.counters["contacts"] = count;
}

void ImportOwnCsv10000Lines(benchmark::State& state) {
    Import(state, CsvFile(), ImportFileType::QuillonCsv);
}
BENCHMARK(ImportOwnCsv10000Lines)->Unit(benchmark::kMillisecond);

void BaselineReadCsvFile(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(Read(CsvFile()).size());
}
BENCHMARK(BaselineReadCsvFile)->Unit(benchmark::kMillisecond);

void ImportNbu5MB(benchmark::State& state) {
    Import(state, NbuFile(), ImportFileType::Nbu);
}
BENCHMARK(ImportNbu5MB)->Unit(benchmark::kMillisecond);

void BaselineReadNbuFile(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(Read(NbuFile()).size());
}
BENCHMARK(BaselineReadNbuFile)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
