// The archive page in the gallery: fifty messages in every state (delivered, on their way, not
// delivered, without a report, to a group, scheduled), and the same with a search typed.
#include "Exhibit.h"
#include "GalleryAccount.h"

#include "BuildConfig.h"
#include "controls/ControlsText.h"
#include "frontend/ClientTypes.h"
#include "model/SmsArchive.h"
#include "model/SmsUserInfo.h"
#include "service/ServiceLock.h"
#include "windows/SentItemsPage.h"
#include "windows/WidgetSentItemsDialogs.h"

#include <QApplication>
#include <QLineEdit>

namespace {

constexpr std::int64_t kNewest = 1765267200; // 9 December 2025, 08:00 UTC

const char* const kTexts[] = {
    "Ahoj, vidíme sa o siedmej?",
    "Stretnutie sa presúva na štvrtok.",
    "Dobrú noc!",
    "Kúpiš cestou chlieb a mlieko?",
    "Vlak mešká 20 minút, čakám na stanici.",
    "Ďakujem za krásny večer :-)",
    "Zajtra ráno prídem skôr, otvorím kanceláriu.",
};
const char* const kNames[] = {"Jana Nováková", "Peter Horák", "Mária Kováčová", "+421905123456",
                              "Ľubomír Šťastný"};

// A canned user whose archive holds fifty messages, newest first, in the profile's code page.
struct CannedArchive {
    CannedArchive() {
        CSmsArchive& archive = user.GetArchive();
        std::int64_t smsId = 200000;
        for (int i = 49; i >= 0; --i) {
            const std::int64_t sent = kNewest - i * 5400;
            const std::string text = ToAnsi(QString::fromUtf8(kTexts[i % 7]));
            if (i % 11 == 3) {
                CSmsArchiveItem* group = archive.AddGroupItem(text, sent, false, 1, "Rodina");
                group->AddRecipient(ToAnsi(QStringLiteral("Jana Nováková")), "421905123401",
                                    ++smsId);
                group->AddRecipient(ToAnsi(QStringLiteral("Mária Kováčová")), "421905123403",
                                    ++smsId);
                continue;
            }
            if (i % 13 == 5) {
                archive.AddScheduledItem(text, sent, false, 1, true, i % 2 ? 5 : 0, sent + 86400,
                                         900000 + i, "Pripomienka");
                continue;
            }
            const std::string name = ToAnsi(QString::fromUtf8(kNames[i % 5]));
            // Every fourth without a delivery report (no SMS id to ask by).
            const std::int64_t id = i % 4 == 1 ? 0 : ++smsId;
            archive.AddItem(text, name, "42190512340" + std::to_string(i % 10), sent, i % 9 == 0,
                            id, 1);
            if (id != 0 && i % 3 != 2)
                archive.UpdateItem(
                    id, i % 5 == 4 ? CSmsRecipientInfo::NotDelivered : CSmsRecipientInfo::Delivered,
                    sent + 12);
        }
    }
    CSmsUserInfo user{"jan.novak", QUILLON_VERSION_STRING, kDesktopClientType};
    CServiceLock serviceLock;
    WidgetSentItemsDialogs dialogs{user, GalleryBoxes(), nullptr};
};

std::unique_ptr<SentItemsPage> OpenPage(CannedArchive& owner) {
    auto page = std::make_unique<SentItemsPage>(owner.user, owner.serviceLock, GalleryBoxes(),
                                                owner.dialogs);
    page->resize(720, 500);
    return page;
}

void Settle() {
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

void ShootArchive(Shots& shots) {
    CannedArchive owner;
    const auto page = OpenPage(owner);
    page->show();
    Settle();
    shots.Take(*page, "archive-50-items");
    if (auto* search = page->findChild<QLineEdit*>("searchLineEdit")) {
        search->setText(QStringLiteral("cakam"));
        Settle();
    }
    shots.Take(*page, "archive-search");
}

} // namespace

std::vector<Exhibit> SentItemsExhibits() {
    return {
        {"Archive page",
         [](GalleryAccount&) -> std::unique_ptr<QWidget> {
             auto* owner = new CannedArchive;
             auto page = OpenPage(*owner);
             QObject::connect(page.get(), &QObject::destroyed, [owner] { delete owner; });
             return page;
         },
         ShootArchive},
    };
}
