#include "FakeObkService.h"
#include "ScriptedSyncUi.h"
#include "SyncReference.h"
#include "SyncTestBooks.h"

#include "model/SmsAddressBook.h"
#include "model/Utilities.h"
#include "service/AddressBookSync.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <random>

namespace {

// Random books built from small pools, so that names, cut names, transliterated names and
// numbers collide often.
struct Scenario {
    std::vector<SyncTestBooks::Contact> contacts;
    std::vector<SyncTestBooks::Group> groups;
    std::vector<CFakeObkService::Alias> aliases;
    std::vector<CFakeObkService::Group> serverGroups;
};

const char* const kNames[] = {"Jan",
                              "Ján",
                              "Jana",
                              "Eva",
                              "Éva",
                              "Fero",
                              "Šimon Kováčik Nový",
                              "Simon Kovacik Novak",
                              "Simon Kovacik N",
                              "Peter Horváth ml.",
                              "Peter Horvath m",
                              "Zuzana",
                              "zuzana",
                              "Ďuro",
                              "Duro",
                              "€uro Ťažký",
                              "Ondrej Nováčik-Hruška",
                              "Ondrej Novacik-",
                              "Mária",
                              "Maria"};
const char* const kGroupNames[] = {"Rodina",
                                   "Práca",
                                   "Praca",
                                   "Škola a priatelia",
                                   "Skola a priatel",
                                   "Skola a priatelia",
                                   "„Kamaráti“ z ihriska",
                                   "Kamarati z ihri",
                                   "Susedia"};
const char* const kNumbers[] = {"0903123456", "0903123457", "0905000111",
                                "0905000112", "0907999888", "0910101010"};

class Generator {
public:
    explicit Generator(unsigned seed) : m_random(seed) {}

    Scenario Make() {
        Scenario s;
        for (int i = Below(12); i > 0; --i)
            s.contacts.push_back({Name(), LocalNumber(), Chance(3) ? LocalNumber() : ""});
        for (int i = Below(4); i > 0; --i)
            s.groups.push_back({GroupName(), Members(s.contacts.size(), [&](std::size_t k) {
                                    return s.contacts[k].name;
                                })});
        for (int i = Below(12); i > 0; --i) {
            const std::string name = Chance(2) ? Name() : StripCut(Name());
            s.aliases.push_back({name, Chance(12) ? "" : ConvertToIntl(Number())});
        }
        for (int i = Below(4); i > 0; --i) {
            auto members =
                Members(s.aliases.size(), [&](std::size_t k) { return s.aliases[k].name; });
            if (Chance(3))
                members.push_back(Name());
            s.serverGroups.push_back({StripCut(GroupName()), members});
        }
        return s;
    }

    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }
    bool Chance(int oneIn) { return Below(oneIn) == 0; }

private:
    std::string Name() { return Utf8ToAnsi(kNames[Below(std::size(kNames))]); }
    std::string GroupName() { return Utf8ToAnsi(kGroupNames[Below(std::size(kGroupNames))]); }
    std::string Number() { return kNumbers[Below(std::size(kNumbers))]; }
    std::string LocalNumber() {
        // The same number as typed, with "+" or with "00".
        static const char* const kPrefixes[] = {"", "+", "00"};
        const std::string number = Number();
        const char* prefix = kPrefixes[Below(3)];
        return *prefix ? std::string(prefix).append(ConvertToIntl(number)) : number;
    }
    static std::string StripCut(const std::string& name) {
        CSmsAddressBook book;
        book.AddContact(name, "1", "");
        std::string plain = book.GetItem(0)->GetNameNoAccents();
        return plain.substr(0, 15);
    }
    std::vector<std::string> Members(std::size_t count,
                                     const std::function<std::string(std::size_t)>& nameOf) {
        std::vector<std::string> members;
        for (std::size_t k = 0; k < count; ++k) {
            if (Chance(2))
                members.push_back(nameOf(k));
        }
        return members;
    }

    std::mt19937 m_random;
};

// What one run did: both books, every call, everything shown, the result.
struct Outcome {
    std::vector<std::string> local;
    std::vector<CFakeObkService::Alias> aliases;
    std::vector<CFakeObkService::Group> groups;
    std::vector<std::string> calls;
    std::vector<std::string> events;
    std::string errors;
    bool completed = false;
    bool operator==(const Outcome&) const = default;
};

template <class Engine>
Outcome RunSync(const Scenario& s, CAddressBookSync::ManualSyncMode mode, unsigned seed) {
    CSmsAddressBook local;
    SyncTestBooks::Fill(local, s.contacts, s.groups);
    CFakeObkService obk;
    obk.aliases = s.aliases;
    obk.groups = s.serverGroups;
    obk.Refuse = [](const std::string& call) {
        return std::hash<std::string>()(call) % 5 == 0 ? 26 : 0;
    };
    CScriptedSyncUi ui;
    // A status text of two lines.
    ui.statusText = [](int status) {
        std::string text = "E";
        return text.append(std::to_string(status)).append("\nmore");
    };
    std::mt19937 answers(seed);
    // Rarely the end of the merge, otherwise any choice.
    ui.nextNumberAnswer = [&] {
        using Choice = IAddressBookSyncUi::NumberConflictChoice;
        return answers() % 10 == 0 ? Choice::EndSync : static_cast<Choice>(answers() % 3);
    };
    ui.nextNameAnswer = [&] {
        using Choice = IAddressBookSyncUi::NameConflictChoice;
        return answers() % 10 == 0 ? Choice::EndSync : static_cast<Choice>(answers() % 4);
    };
    CSmsAddressBook server;
    obk.KvwsGetAddressBook(&server);
    Outcome outcome;
    outcome.completed = Engine(local, obk, ui).ManualSync(server, mode);
    outcome.local = SyncTestBooks::Describe(local);
    outcome.aliases = obk.aliases;
    outcome.groups = obk.groups;
    outcome.calls = obk.Calls();
    outcome.events = ui.events;
    outcome.errors = ui.errorLines;
    return outcome;
}

TEST(SyncEquivalenceTest, IndexedEngineDoesWhatTheOrderedAlgorithmDoes) {
    setenv("QUILLON_ANSI_CODEPAGE", "1250", 1);
    int calls = 0;
    int conflicts = 0;
    for (unsigned seed = 1; seed <= 1500; ++seed) {
        Generator generator(seed);
        const Scenario scenario = generator.Make();
        const auto mode = static_cast<CAddressBookSync::ManualSyncMode>(seed % 3);
        const Outcome engine = RunSync<CAddressBookSync>(scenario, mode, seed);
        const Outcome reference = RunSync<CSyncReference>(scenario, mode, seed);
        ASSERT_EQ(engine, reference) << "seed " << seed << ", mode " << mode;
        calls += static_cast<int>(engine.calls.size());
        conflicts += static_cast<int>(engine.events.size());
    }
    // The scenarios do reach the service and the user.
    EXPECT_GT(calls, 3000);
    EXPECT_GT(conflicts, 500);
}

} // namespace
