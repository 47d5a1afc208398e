// Loading and saving a large profile, next to zlib alone inflating and deflating (level 5) the
// same XML text, and the peak memory of each against the size of that text.
//
// Targets: the processor time of a load <= 4 x that of inflating the text (both on one thread),
// a load of the 10,000-message profile well under 50 ms, save <= 1.5 x deflate, peak memory
// <= 10 x the XML text.
#include "model/SmsUserInfo.h"
#include "model/StoredFile.h"
#include "platform/Paths.h"

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <malloc.h>
#include <string>
#include <vector>

// ---- Counting allocator: every malloc of the process (pugixml, zlib and operator new too) ----
// It counts only while memory is measured, so that its own cost stays out of the timed runs.

extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* pointer, std::size_t size);
void* __libc_memalign(std::size_t alignment, std::size_t size);
void __libc_free(void* pointer);
}

namespace {

std::atomic<bool> g_counting{false};
std::atomic<long long> g_allocated{0};
std::atomic<long long> g_peak{0};

void* Counted(void* pointer) {
    if (pointer && g_counting.load(std::memory_order_relaxed)) {
        const long long now = g_allocated += static_cast<long long>(malloc_usable_size(pointer));
        long long peak = g_peak.load();
        while (now > peak && !g_peak.compare_exchange_weak(peak, now)) {
        }
    }
    return pointer;
}

void Uncount(void* pointer) {
    if (pointer && g_counting.load(std::memory_order_relaxed))
        g_allocated -= static_cast<long long>(malloc_usable_size(pointer));
}

} // namespace

extern "C" {
void* malloc(std::size_t size) {
    return Counted(__libc_malloc(size));
}
void* calloc(std::size_t count, std::size_t size) {
    return Counted(__libc_calloc(count, size));
}
void* realloc(void* pointer, std::size_t size) {
    Uncount(pointer);
    return Counted(__libc_realloc(pointer, size));
}
void free(void* pointer) {
    Uncount(pointer);
    __libc_free(pointer);
}
void* memalign(std::size_t alignment, std::size_t size) {
    return Counted(__libc_memalign(alignment, size));
}
void* aligned_alloc(std::size_t alignment, std::size_t size) {
    return memalign(alignment, size);
}
int posix_memalign(void** result, std::size_t alignment, std::size_t size) {
    *result = memalign(alignment, size);
    return *result ? 0 : ENOMEM;
}
}

namespace {

// The peak of bytes allocated during the call and not yet freed.
template <typename Function> long long PeakOf(Function function) {
    g_allocated = 0;
    g_peak = 0;
    g_counting = true;
    function();
    g_counting = false;
    return g_peak.load();
}

constexpr const char* kUser = "bench";

std::string ProfilePath() {
    return GetConfigDir(false, false) + "UserData/" + kUser + ".dat";
}

// Seconds per run, of the wall clock and of the process's processor time: the median of the
// runs, which a run slowed down by the rest of a shared machine does not move.
struct Figure {
    double wall = 0;
    double cpu = 0;
};

struct Figures {
    Figure inflate, deflate, load, save, saveAfterOther;
    long long loadPeak = 0, savePeak = 0;
};
Figures g_figures;
std::string g_xml;
std::vector<unsigned char> g_compressed;

// Deterministic pseudo-random words for message texts and names.
class CWords {
public:
    std::string Next(int count) {
        static const char* const kWords[] = {
            "ahoj",     "zajtra",  "stretnutie", "o",         "piatej", "v",
            "kaviarni", "prosím",  "zavolaj",    "mi",        "keď",    "budeš",
            "doma",     "ďakujem", "pozdrav",    "Žilina",    "večer",  "kúpiť",
            "mlieko",   "chlieb",  "7:30",       "nezabudni", "čakám",  "OK"};
        std::string text;
        for (int i = 0; i < count; ++i) {
            m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
            if (i)
                text += ' ';
            text += kWords[(m_state >> 33) % std::size(kWords)];
        }
        return text;
    }

private:
    unsigned long long m_state = 42;
};

std::string Number(int i) {
    return "0903" + std::to_string(100000 + i * 37 % 900000);
}

// 10,000 messages with 3 recipients each (a tenth scheduled), 2,000 contacts, 100 groups of 20,
// 20 history entries.
void BuildProfile() {
    CSmsUserInfo user(kUser, "1.1", "QLN");
    CWords words;
    const std::int64_t start = 1'700'000'000;
    for (int i = 0; i < 10000; ++i) {
        const std::string text = words.Next(8 + i % 20);
        CSmsArchiveItem* item =
            i % 10 == 0
                ? user.GetArchive().AddScheduledItem(text, start + i * 600, false, 1, true, i % 3,
                                                     start + i * 600 + 86400, 1000000 + i, "Plan")
                : user.GetArchive().AddGroupItem(text, start + i * 600, false, 1 + i % 3,
                                                 i % 4 ? "" : "Rodina");
        for (int r = 0; r < 3; ++r) {
            const std::string number = Number(i * 3 + r);
            item->AddRecipient(number, "421" + number.substr(1), i % 10 ? 5000000 + i * 3 + r : 0);
        }
    }
    CSmsAddressBook& book = user.GetAddressBook();
    for (int i = 0; i < 2000; ++i)
        book.AddContact(words.Next(2) + " " + std::to_string(i), Number(i),
                        i % 3 ? "" : Number(i + 5000));
    for (int g = 0; g < 100; ++g) {
        book.AddGroup("Skupina " + std::to_string(g));
        for (int m = 0; m < 20; ++m)
            book.AddGroupMember(g, book.GetItem((g * 20 + m) % 2000)->GetName());
    }
    for (int h = 0; h < 20; ++h)
        CSmsArchive::InsertHistory(user.GetHistory(),
                                   std::make_unique<CSmsHistoryItem>(Number(h), start + h),
                                   CSmsArchive::MaxHistoryItems);
    if (!user.Save(false))
        std::abort();
    std::vector<unsigned char> text;
    if (!ReadStoredFile(ProfilePath(), ProfilePath(), 200, text))
        std::abort();
    g_xml.assign(text.begin(), text.end());
    uLongf size = compressBound(g_xml.size());
    g_compressed.resize(size);
    compress2(g_compressed.data(), &size, reinterpret_cast<const Bytef*>(g_xml.data()),
              g_xml.size(), 5);
    g_compressed.resize(size);
}

double Median(std::vector<double> values) {
    if (values.empty())
        return 0;
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

double ProcessorSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// Runs the body per iteration and records the mean seconds per run. Work between iterations
// (prepare) is not counted.
template <typename Body, typename Prepare>
void Timed(benchmark::State& state, Figure& figure, Body body, Prepare prepare) {
    std::vector<double> wall, cpu;
    for (auto _ : state) {
        state.PauseTiming();
        prepare();
        state.ResumeTiming();
        const auto startWall = std::chrono::steady_clock::now();
        const double startCpu = ProcessorSeconds();
        body();
        cpu.push_back(ProcessorSeconds() - startCpu);
        wall.push_back(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - startWall).count());
    }
    figure = {Median(wall), Median(cpu)};
    state.counters["xml_MB"] = static_cast<double>(g_xml.size()) / 1e6;
}

template <typename Body> void Timed(benchmark::State& state, Figure& figure, Body body) {
    Timed(state, figure, body, [] {});
}

void ZlibInflateOnly(benchmark::State& state) {
    std::vector<unsigned char> out(g_xml.size());
    Timed(state, g_figures.inflate, [&] {
        uLongf size = out.size();
        uncompress(out.data(), &size, g_compressed.data(), g_compressed.size());
        benchmark::DoNotOptimize(out.data());
    });
}

void ZlibDeflateOnly(benchmark::State& state) {
    std::vector<unsigned char> out(compressBound(g_xml.size()));
    Timed(state, g_figures.deflate, [&] {
        uLongf size = out.size();
        compress2(out.data(), &size, reinterpret_cast<const Bytef*>(g_xml.data()), g_xml.size(), 5);
        benchmark::DoNotOptimize(out.data());
    });
}

// Freeing the previous run's profile is not part of loading: it happens between the runs.
void LoadProfile(benchmark::State& state) {
    std::unique_ptr<CSmsUserInfo> user;
    Timed(
        state, g_figures.load,
        [&] {
            user = CSmsUserInfo::GetUserInfo(kUser, "1.1", "QLN");
            benchmark::DoNotOptimize(user.get());
        },
        [&] { user.reset(); });
}

// The desktop program saving again while no other process wrote the profile.
void SaveProfile(benchmark::State& state) {
    auto user = CSmsUserInfo::GetUserInfo(kUser, "1.1", "QLN");
    Timed(state, g_figures.save, [&] { benchmark::DoNotOptimize(user->Save(false)); });
}

// Another program files one message in the stored profile.
void FileElsewhere() {
    static std::int64_t sent = 2000000000;
    ++sent;
    auto other = CSmsUserInfo::GetUserInfo(kUser, "1.1", "QLN");
    other->GetArchive().AddItem("filed elsewhere", "Eva", "421905000001", sent, false, sent, 1);
    other->Save(false);
}

// The same after another program filed a message: the save merges with the stored profile.
void SaveProfileAfterOtherWriter(benchmark::State& state) {
    auto user = CSmsUserInfo::GetUserInfo(kUser, "1.1", "QLN");
    Timed(
        state, g_figures.saveAfterOther, [&] { benchmark::DoNotOptimize(user->Save(false)); },
        FileElsewhere);
}

BENCHMARK(ZlibInflateOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(ZlibDeflateOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadProfile)->Unit(benchmark::kMillisecond);
BENCHMARK(SaveProfile)->Unit(benchmark::kMillisecond);
BENCHMARK(SaveProfileAfterOtherWriter)->Unit(benchmark::kMillisecond);

// The save merges with the profile another program stored (as after another writer), so its
// peak holds the stored copy and the copy this object started from.
void MeasureMemory() {
    std::unique_ptr<CSmsUserInfo> user;
    g_figures.loadPeak = PeakOf([&] { user = CSmsUserInfo::GetUserInfo(kUser, "1.1", "QLN"); });
    FileElsewhere();
    g_figures.savePeak = PeakOf([&] { user->Save(false); });
}

void PrintRatio(const char* name, const Figure& figure, const char* baseName, const Figure& base,
                const char* target) {
    std::printf("%-26s %6.1f ms = %4.2f x %s (%5.1f ms); processor time %6.1f ms = %4.2f x "
                "(%5.1f ms)   target %s\n",
                name, figure.wall * 1e3, figure.wall / base.wall, baseName, base.wall * 1e3,
                figure.cpu * 1e3, figure.cpu / base.cpu, base.cpu * 1e3, target);
}

void Report() {
    const double xml = static_cast<double>(g_xml.size());
    std::printf("\nMedians of the runs. XML text %.2f MB, stored file %.2f MB\n", xml / 1e6,
                static_cast<double>(g_compressed.size()) / 1e6);
    PrintRatio("load", g_figures.load, "inflate", g_figures.inflate, "<= 4 (processor)");
    PrintRatio("save", g_figures.save, "deflate", g_figures.deflate, "<= 1.5");
    PrintRatio("save after another writer", g_figures.saveAfterOther, "deflate", g_figures.deflate,
               "<= 1.5");
    std::printf("peak memory: load %5.1f MB = %4.2f x XML, save %5.1f MB = %4.2f x XML   "
                "target <= 10\n",
                static_cast<double>(g_figures.loadPeak) / 1e6,
                static_cast<double>(g_figures.loadPeak) / xml,
                static_cast<double>(g_figures.savePeak) / 1e6,
                static_cast<double>(g_figures.savePeak) / xml);
    std::printf("\nload processor time / inflate processor time = %.2f   target <= 4\n"
                "load of the 10,000-message profile: %.1f ms processor time, %.1f ms wall   "
                "target well under 50 ms\n",
                g_figures.load.cpu / g_figures.inflate.cpu, g_figures.load.cpu * 1e3,
                g_figures.load.wall * 1e3);
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    std::string folder = (std::filesystem::temp_directory_path() / "quillon-bench-XXXXXX").string();
    if (!mkdtemp(folder.data()))
        return 1;
    const char* previous = std::getenv("XDG_DATA_HOME");
    const std::string previousData = previous ? previous : "";
    setenv("XDG_DATA_HOME", folder.c_str(), 1);
    BuildProfile();
    MeasureMemory();
    benchmark::RunSpecifiedBenchmarks();
    Report();
    // The library writes its settings once more when it unloads: not into this folder.
    setenv("XDG_DATA_HOME", previousData.c_str(), 1);
    std::filesystem::remove_all(folder);
    return 0;
}
