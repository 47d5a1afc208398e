// Recipient auto-completion over a large address book: building the strings from 5,000 contacts,
// 200 groups and 20 history entries, reading them through the enumerator after a change, and
// one keystroke's suggestions (matching and the list the pop-up shows, and a whole typed key in
// a bound line edit), next to a plain std::sort of the same strings as the baseline.
//
// Target: one keystroke's suggestions at most 2 ms.
#include "controls/AutoCompleteBinding.h"
#include "controls/CompletionStrings.h"
#include "controls/ControlsText.h"
#include "frontend/SmsAutoComplete.h"
#include "model/SmsAddressBook.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStringListModel>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kContacts = 5000;
constexpr int kGroups = 200;
constexpr int kHistory = 20;

// Names spread over the alphabet as a real book's are, accented letters included.
std::string ContactName(int i) {
    static const char* const kFirst[] = {"Ján",   "Mária", "Peter", "Eva",    "Martin", "Zuzana",
                                         "Tomáš", "Anna",  "Jozef", "Lucia",  "Michal", "Katarína",
                                         "Ľubo",  "Ivana", "Dávid", "Helena", "Róbert", "Oľga"};
    static const char* const kLast[] = {"Novák", "Kováč", "Horváth", "Varga", "Tóth",
                                        "Nagy",  "Baláž", "Molnár",  "Šimko", "Lukáč"};
    const int first = i % static_cast<int>(std::size(kFirst));
    const int last = (i / 7) % static_cast<int>(std::size(kLast));
    return ToAnsi(QString::fromUtf8(kFirst[first]) + ' ' + QString::fromUtf8(kLast[last]) + ' ' +
                  QString::number(i));
}

struct Fixture {
    CSmsAddressBook book;
    SmsHistoryList history;

    Fixture() {
        for (int i = 0; i < kContacts; ++i)
            book.AddContact(ContactName(i), "0903" + std::to_string(100000 + i), "");
        for (int i = 0; i < kGroups; ++i)
            book.AddGroup("Skupina " + std::to_string(i));
        for (int i = 0; i < kHistory; ++i)
            history.push_back(
                std::make_unique<CSmsHistoryItem>("0905" + std::to_string(200000 + i), i));
    }

    void Fill(CSmsAutoComplete& source) const {
        source.AddAddressBookItems(book);
        source.AddHistoryItems(history);
    }
};

const Fixture& Book() {
    static const Fixture fixture;
    return fixture;
}

void BuildStrings(benchmark::State& state) {
    for (auto _ : state) {
        CSmsAutoComplete source;
        Book().Fill(source);
        benchmark::DoNotOptimize(source.GetStrings().data());
    }
}

void SortBaseline(benchmark::State& state) {
    CSmsAutoComplete source;
    Book().Fill(source);
    for (auto _ : state) {
        std::vector<std::string> strings = source.GetStrings();
        std::sort(strings.begin(), strings.end());
        benchmark::DoNotOptimize(strings.data());
    }
}

void ReadThroughEnumerator(benchmark::State& state) {
    CSmsAutoComplete source;
    Book().Fill(source);
    CompletionStrings strings;
    for (auto _ : state) {
        strings.Read(source);
        benchmark::DoNotOptimize(strings.All().size());
    }
}

// What the binding does on one typed letter once the strings are read: the strings that fit,
// put into the pop-up's model. "m" fits about a tenth of the book, "s" every group too.
void KeystrokeSuggestions(benchmark::State& state, const char* typed) {
    CSmsAutoComplete source;
    Book().Fill(source);
    CompletionStrings strings;
    strings.Read(source);
    QStringListModel model;
    const QString prefix = QString::fromUtf8(typed);
    for (auto _ : state) {
        const QStringList matches = strings.Matches(prefix);
        model.setStringList(matches);
        state.counters["matches"] = static_cast<double>(matches.size());
    }
}

// One typed key in a bound line edit, pop-up and filled-in rest included.
void KeystrokeInLineEdit(benchmark::State& state) {
    CSmsAutoComplete source;
    Book().Fill(source);
    QLineEdit edit;
    Bind(source, &edit, CSmsAutoComplete::AutoSuggest | CSmsAutoComplete::AutoAppend);
    edit.show();
    QApplication::processEvents();
    for (auto _ : state) {
        edit.clear();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_M, Qt::NoModifier, "m");
        QApplication::sendEvent(&edit, &press);
        QApplication::processEvents();
        benchmark::DoNotOptimize(edit.text().size());
    }
}

} // namespace

BENCHMARK(BuildStrings)->Unit(benchmark::kMillisecond);
BENCHMARK(SortBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadThroughEnumerator)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(KeystrokeSuggestions, typical, "m")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(KeystrokeSuggestions, accented, "ľ")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(KeystrokeSuggestions, many, "s")->Unit(benchmark::kMillisecond);
BENCHMARK(KeystrokeInLineEdit)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The names are Slovak.
    if (qEnvironmentVariableIsEmpty("QUILLON_ANSI_CODEPAGE"))
        qputenv("QUILLON_ANSI_CODEPAGE", "1250");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
