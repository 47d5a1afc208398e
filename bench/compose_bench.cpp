// The compose page's work when a message goes to a large group: gathering the numbers of its
// 500 members and filing the sent message with the service's 500 results, next to copying the
// 500 numbers as the baseline.
//
// Target: the number list and the filing together at most 20 ms.
#include "frontend/RecipientEntry.h"
#include "frontend/RecipientList.h"
#include "model/SmsAddressBook.h"
#include "model/SmsArchive.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

constexpr int kMembers = 500;

std::string Member(int i) {
    return "Kontakt " + std::to_string(i);
}

std::string Number(int i) {
    return "0905" + std::to_string(100000 + i);
}

// An address book whose group "Klub" holds 500 contacts, and the list with that group in it.
struct LargeGroup {
    LargeGroup() {
        std::vector<std::string> members;
        for (int i = 0; i < kMembers; ++i) {
            book.AddContact(Member(i), Number(i), "");
            members.push_back(Member(i));
        }
        book.AddGroupWithMembers("Klub", members);
        list.Add(RecipientEntry::OfGroup(*book.GetGroupByName("Klub")));
    }
    CSmsAddressBook book;
    RecipientList list;
};

// What the service answers: one SMS id per number it was given.
std::vector<SentResult> ResultsFor(const std::vector<std::string>& numbers) {
    std::vector<SentResult> results;
    std::int64_t id = 100000;
    for (const std::string& number : numbers)
        results.push_back({number, ++id});
    return results;
}

void NumberListAndFiling(benchmark::State& state) {
    const LargeGroup group;
    const std::vector<SentResult> answered = ResultsFor(group.list.Expand(group.book).Numbers());
    const FiledMessage message{"Stretnutie klubu v piatok o 18:00.", 1767225600, false, 1};
    for (auto _ : state) {
        CSmsArchive archive;
        const RecipientList::NumberList numbers = group.list.Expand(group.book);
        benchmark::DoNotOptimize(numbers.Numbers());
        RecipientList::FileSent(archive, message, numbers, answered);
        benchmark::DoNotOptimize(archive.GetItemCount());
    }
}

void CopyNumbersBaseline(benchmark::State& state) {
    std::vector<std::string> numbers;
    for (int i = 0; i < kMembers; ++i)
        numbers.push_back(Number(i));
    for (auto _ : state) {
        std::vector<std::string> copy = numbers;
        benchmark::DoNotOptimize(copy);
    }
}

} // namespace

BENCHMARK(NumberListAndFiling)->Unit(benchmark::kMillisecond);
BENCHMARK(CopyNumbersBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
