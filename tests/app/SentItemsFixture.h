#pragma once

#include "ScriptedMessageBox.h"
#include "ScriptedTransport.h"
#include "TestSupport.h"

#include "frontend/ImmediateCallRunner.h"
#include "logic/ISentItemsDialogs.h"
#include "model/SmsUserInfo.h"
#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The dialogs of the archive page as a test scripts them.
class FakeSentItemsDialogs : public ISentItemsDialogs {
public:
    std::optional<int> ChooseFilter(int mode) override {
        filterAskedWith = mode;
        return filterAnswer;
    }
    void ShowDetails(const SmsDetails&) override { ++detailsShown; }
    bool EditScheduled(ScheduledSms& message) override {
        ++scheduledShown;
        if (edit)
            edit(message);
        return replaced;
    }

    std::optional<int> filterAnswer;
    std::optional<int> filterAskedWith;
    int detailsShown = 0;
    int scheduledShown = 0;
    bool replaced = false;
    std::function<void(ScheduledSms&)> edit;
};

// A user with an archive that a test fills, boxes it answers and a scripted service.
class SentItemsFixture : public ::testing::Test {
protected:
    SentItemsFixture() { user.SetTransport(transport); }

    CSmsArchive& Archive() { return user.GetArchive(); }

    static std::string Ansi(const std::string& utf8) { return Utf8TextToAnsi(utf8); }

    // A message to one recipient; smsId 0 is one sent without a delivery report.
    CSmsArchiveItem* Sent(const std::string& text, const std::string& name, std::int64_t smsId,
                          std::int64_t sentTime = kNow) {
        return Archive().AddItem(Ansi(text), Ansi(name), "421905" + std::to_string(100000 + smsId),
                                 sentTime, false, smsId, 1);
    }
    CSmsArchiveItem* Group(const std::string& text, const std::string& group,
                           std::int64_t firstSmsId, std::int64_t sentTime = kNow) {
        CSmsArchiveItem* item = Archive().AddGroupItem(Ansi(text), sentTime, false, 1, Ansi(group));
        item->AddRecipient("Eva", "421905200001", firstSmsId);
        item->AddRecipient("Ivan", "421905200002", firstSmsId + 1);
        return item;
    }
    CSmsArchiveItem* Scheduled(const std::string& name, std::int64_t messageId, int periodicity,
                               std::int64_t sentTime = kNow) {
        CSmsArchiveItem* item =
            Archive().AddScheduledItem(Ansi("Pripomienka " + name), sentTime, false, 1, true,
                                       periodicity, sentTime + 86400, messageId, Ansi(name));
        item->AddRecipient("Eva", "421905200001", 0);
        return item;
    }

    static constexpr std::int64_t kNow = 1760000000;

    // Slovak texts in the archive whatever the machine's locale.
    struct CentralEuropean {
        CentralEuropean() { setenv("QUILLON_ANSI_CODEPAGE", "1250", 1); }
        ~CentralEuropean() { unsetenv("QUILLON_ANSI_CODEPAGE"); }
    } centralEuropean;
    ScopedDataHome dataHome;
    FixedClock clock{kNow};
    std::shared_ptr<ScriptedTransport> transport = std::make_shared<ScriptedTransport>();
    CSmsUserInfo user{"jan.novak", "1.6", "QLN"};
    ScriptedMessageBox boxes;
    ImmediateCallRunner runner;
    FakeSentItemsDialogs dialogs;
};
