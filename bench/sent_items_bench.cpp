// The archive page's rows with 10,000 archived messages (mixed states, groups, scheduled ones):
// the first fill with its sort, one delivery report's row, one keystroke of the search; next to
// sorting the same messages' sent times alone.
#include "frontend/IMessageBox.h"
#include "frontend/ImmediateCallRunner.h"
#include "logic/SentItemsPageLogic.h"
#include "model/SmsUserInfo.h"
#include "platform/CodePage.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kItems = 10000;
constexpr std::int64_t kStart = 1750000000;

class NoBoxes : public IMessageBox {
public:
    using IMessageBox::Show;
    Answer Show(const Request&) override { return Answer::No; }
};

void FillArchive(CSmsArchive& archive) {
    const CCodePageScope central(1250);
    const std::string words[] = {Utf8TextToAnsi("Čakám ťa pred kinom"), "Porada o desiatej",
                                 Utf8TextToAnsi("Kúp chlieb a mlieko"), "Zajtra nepridem",
                                 Utf8TextToAnsi("Všetko najlepšie k narodeninám")};
    std::mt19937 random(7);
    for (int i = 0; i < kItems; ++i) {
        const std::int64_t sent = kStart + static_cast<std::int64_t>(random() % 10000000);
        const std::string text = words[i % 5] + " " + std::to_string(i);
        const std::string number = "4219050" + std::to_string(10000 + i);
        if (i % 10 == 0) {
            CSmsArchiveItem* item = archive.AddScheduledItem(
                text, sent, false, 1, true, i % 20 == 0, sent + 86400, 900000 + i, "Plan");
            item->AddRecipient("Eva", number, 0);
        } else if (i % 10 == 1) {
            CSmsArchiveItem* item = archive.AddGroupItem(text, sent, false, 1, "Kolegovia");
            item->AddRecipient("Eva", number, 2 * i);
            item->AddRecipient("Ivan", number + "1", 2 * i + 1);
        } else {
            CSmsArchiveItem* item = archive.AddItem(text, "Kontakt " + std::to_string(i % 300),
                                                    number, sent, false, i % 7 == 0 ? 0 : 2 * i, 1);
            if (i % 3 == 0)
                item->SetStatus(2 * i, CSmsRecipientInfo::Delivered, sent + 20);
        }
    }
}

struct Page {
    Page() : logic(user, boxes, runner) { FillArchive(user.GetArchive()); }
    CSmsUserInfo user{"bench", "1.6", "QLN"};
    NoBoxes boxes;
    ImmediateCallRunner runner;
    SentItemsPageLogic logic;
};

void FirstFillAndSort(benchmark::State& state) {
    Page page;
    for (auto _ : state) {
        page.logic.Fill(false);
        page.logic.SortBy(ArchiveRows::NameColumn);
        benchmark::DoNotOptimize(page.logic.RowCount());
    }
}
BENCHMARK(FirstFillAndSort)->Unit(benchmark::kMillisecond);

void DeliveryReportRow(benchmark::State& state) {
    Page page;
    page.logic.Fill(false);
    const std::int64_t smsId = 2 * 5002; // an item in the middle of the archive
    CSmsArchiveItem* item = ArchiveItemKey{false, smsId}.Find(page.user.GetArchive());
    bool delivered = false;
    for (auto _ : state) {
        delivered = !delivered;
        item->SetStatus(smsId,
                        delivered ? CSmsRecipientInfo::Delivered : CSmsRecipientInfo::NotDelivered,
                        kStart);
        page.logic.ItemChanged(ArchiveItemKey{false, smsId});
    }
}
BENCHMARK(DeliveryReportRow)->Unit(benchmark::kMicrosecond);

void SearchKeystroke(benchmark::State& state) {
    Page page;
    page.logic.Fill(false);
    const std::string searches[] = {"cakam", "cakam 1"};
    int next = 0;
    for (auto _ : state) {
        page.logic.SetSearch(searches[next ^= 1]);
        benchmark::DoNotOptimize(page.logic.RowCount());
    }
}
BENCHMARK(SearchKeystroke)->Unit(benchmark::kMillisecond);

void BaselineSortSentTimes(benchmark::State& state) {
    Page page;
    std::vector<std::int64_t> times;
    for (int i = 0; i < page.user.GetArchive().GetItemCount(); ++i)
        times.push_back(page.user.GetArchive().GetItem(i)->GetSentTime());
    for (auto _ : state) {
        std::vector<std::int64_t> sorted = times;
        std::sort(sorted.begin(), sorted.end(), std::greater<>());
        benchmark::DoNotOptimize(sorted.data());
    }
}
BENCHMARK(BaselineSortSentTimes)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
