// The message editor's work per keystroke and per paste, each next to copying the same text as
// the baseline.
//
// Targets: one keystroke's counter update (length, counts and the two counter texts) on a
// 480-character text at most 20 us; cleaning a 100,000-character text after a paste at most 5 ms.
#include "frontend/SmsEditor.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// Mixed text as people write it: accented letters, blanks, a line break now and then.
std::u16string SampleText(std::size_t length) {
    const std::u16string pattern = u"Ahoj, zajtra o 18:00 pri fontáne? Čakám ťa.\n";
    std::u16string text;
    while (text.size() < length)
        text += pattern;
    text.resize(length);
    return text;
}

void CounterUpdate(benchmark::State& state) {
    const SmsEditor editor(480, 160, 1250);
    const std::u16string text = SampleText(480);
    for (auto _ : state)
        benchmark::DoNotOptimize(editor.Update(text));
}

void CopyText480Baseline(benchmark::State& state) {
    const std::u16string text = SampleText(480);
    for (auto _ : state) {
        std::u16string copy = text;
        benchmark::DoNotOptimize(copy);
    }
}

// A character pasted into a text of 100,000 that a program put in: the whole text is cleaned.
void PasteCleaning(benchmark::State& state) {
    const SmsEditor editor(480, 160, 1250);
    const std::u16string text = SampleText(100000) + u"\t€";
    for (auto _ : state)
        benchmark::DoNotOptimize(editor.Paste(text, 50000, 50000, u"x"));
}

// 100,000 characters pasted into an empty field: only what fits is cleaned.
void PasteIntoEmptyField(benchmark::State& state) {
    const SmsEditor editor(480, 160, 1250);
    const std::u16string pasted = SampleText(100000);
    for (auto _ : state)
        benchmark::DoNotOptimize(editor.Paste(u"", 0, 0, pasted));
}

void CopyText100kBaseline(benchmark::State& state) {
    const std::u16string text = SampleText(100000);
    for (auto _ : state) {
        std::u16string copy = text;
        benchmark::DoNotOptimize(copy);
    }
}

} // namespace

BENCHMARK(CounterUpdate)->Unit(benchmark::kMicrosecond);
BENCHMARK(CopyText480Baseline)->Unit(benchmark::kMicrosecond);
BENCHMARK(PasteCleaning)->Unit(benchmark::kMillisecond);
BENCHMARK(PasteIntoEmptyField)->Unit(benchmark::kMillisecond);
BENCHMARK(CopyText100kBaseline)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
