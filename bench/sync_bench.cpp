// Client CPU time of a merge of two large address books, outside the service calls, against the
// in-memory server; and the same merge by the plain ordered algorithm as the baseline.
#include "FakeObkService.h"
#include "SyncReference.h"

#include "model/SmsAddressBook.h"
#include "model/Utilities.h"
#include "service/AddressBookSync.h"
#include "service/AddressBookSyncUi.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

double ThreadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// The in-memory server, with the CPU time spent inside its calls.
class TimedObk : public IObkService {
public:
    int KvwsGetAddressBook(CSmsAddressBook* book) override {
        return Timed([&] { return fake.KvwsGetAddressBook(book); });
    }
    int KvwsSetAlias(const std::string& name, const std::string& number) override {
        return Timed([&] { return fake.KvwsSetAlias(name, number); });
    }
    int KvwsDeleteAlias(const std::string& name, const std::string& number) override {
        return Timed([&] { return fake.KvwsDeleteAlias(name, number); });
    }
    int KvwsSetGroup(const std::string& name, const std::vector<std::string>& members) override {
        return Timed([&] { return fake.KvwsSetGroup(name, members); });
    }
    int KvwsDeleteGroup(const std::string& name) override {
        return Timed([&] { return fake.KvwsDeleteGroup(name); });
    }

    CFakeObkService fake;
    double serviceSeconds = 0;

private:
    template <class Call> int Timed(Call call) {
        const double start = ThreadCpuSeconds();
        const int status = call();
        serviceSeconds += ThreadCpuSeconds() - start;
        return status;
    }
};

// A user who merges and copies the local number on every name conflict.
class MergingUser : public IAddressBookSyncUi {
public:
    std::optional<CAddressBookSync::ManualSyncMode> AskMode() override {
        return CAddressBookSync::Merge;
    }
    void ShowProgress(bool) override {}
    NumberConflictChoice AskNumberConflict(const std::string&, const std::string&) override {
        return NumberConflictChoice::DeleteAlias;
    }
    NameConflictChoice AskNameConflict(const std::string&, const std::string&,
                                       const std::string&) override {
        return NameConflictChoice::CopyToObk;
    }
    void ShowErrors(const std::string&) override { failed = true; }
    void ShowDuplicates(const std::string&, const std::string&) override { failed = true; }
    void ShowFetchRefused(int) override { failed = true; }
    void ShowFinished(bool completed) override { failed = failed || !completed; }
    void ShowDbError() override { failed = true; }
    void ShowSoapError(const CKvwsSoapException&) override { failed = true; }
    std::string StatusText(int) const override { return {}; }

    bool failed = false;
};

constexpr int kContacts = 5000;
constexpr int kGroups = 50;

std::string Digits(int i) {
    char text[16];
    std::snprintf(text, sizeof text, "%06d", i);
    return text;
}

// Half of the contacts equal on both sides, a quarter with another number on the server, a
// quarter only local and as many only on the server; 50 groups of the same names.
void MakeBooks(CSmsAddressBook& local, CFakeObkService& server) {
    const std::string surname = Utf8ToAnsi("Kováčik ");
    for (int i = 0; i < kContacts; ++i) {
        local.AddContact(surname + Digits(i), "0903" + Digits(i), "");
        const bool onlyLocal = i >= kContacts * 3 / 4;
        const int serverIndex = onlyLocal ? i + kContacts : i;
        const std::string prefix = i < kContacts / 2 || onlyLocal ? "421903" : "421904";
        server.aliases.push_back({"Kovacik " + Digits(serverIndex), prefix + Digits(serverIndex)});
    }
    for (int g = 0; g < kGroups; ++g) {
        const std::string name = "Skupina " + std::to_string(g);
        const int index = local.AddGroup(name);
        CFakeObkService::Group group{name, {}};
        for (int i = g; i < kContacts; i += kGroups) {
            local.AddGroupMember(index, local.GetItem(i)->GetName());
            group.members.push_back(server.aliases[static_cast<std::size_t>(i)].name);
        }
        server.groups.push_back(group);
    }
}

// One synchronisation; reports client CPU time without the service calls as the iteration time.
template <class Engine> void Merge(benchmark::State& state, bool alreadyInStep) {
    setenv("QUILLON_ANSI_CODEPAGE", "1250", 1);
    std::size_t calls = 0;
    for (auto _ : state) {
        CSmsAddressBook local;
        TimedObk obk;
        MakeBooks(local, obk.fake);
        MergingUser user;
        if (alreadyInStep)
            CAddressBookSync(local, obk, user).Synchronize();
        const std::size_t callsBefore = obk.fake.Calls().size();
        obk.serviceSeconds = 0;
        const double start = ThreadCpuSeconds();
        if constexpr (std::is_same_v<Engine, CAddressBookSync>) {
            CAddressBookSync(local, obk, user).Synchronize();
        } else {
            CSmsAddressBook server;
            obk.KvwsGetAddressBook(&server);
            Engine(local, obk, user).ManualSync(server, CAddressBookSync::Merge);
        }
        state.SetIterationTime(ThreadCpuSeconds() - start - obk.serviceSeconds);
        calls = obk.fake.Calls().size() - callsBefore;
        if (user.failed)
            state.SkipWithError("the merge reported errors");
    }
    state.counters["service calls"] = static_cast<double>(calls);
}

void IndexedMerge(benchmark::State& state) {
    Merge<CAddressBookSync>(state, false);
}
void IndexedMergeInStep(benchmark::State& state) {
    Merge<CAddressBookSync>(state, true);
}
void OrderedMergeBaseline(benchmark::State& state) {
    Merge<CSyncReference>(state, false);
}

} // namespace

BENCHMARK(IndexedMerge)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(IndexedMergeInStep)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(OrderedMergeBaseline)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

BENCHMARK_MAIN();
