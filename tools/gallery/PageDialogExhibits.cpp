// The dialogs of the compose and archive pages in the gallery.
#include "Exhibit.h"

#include "frontend/ArchiveRows.h"
#include "model/SmsUserInfo.h"
#include "platform/CodePage.h"
#include "windows/FilterDlg.h"
#include "windows/ScheduledSmsDlg.h"
#include "windows/SchedulingDlg.h"
#include "windows/SmsDetailsDlg.h"

#include <QDateTime>

namespace {

// 10.06.2026 10:00, so the pictures show the same times every run.
constexpr std::int64_t kNow = 1781078400;

SmsDetails Details(bool group) {
    SmsDetails details;
    details.group = group;
    details.groupName = "Kolegovia z práce";
    details.sentTime = "10.06.2026 09:58:12";
    details.flash = "Nie";
    details.characters = "58";
    details.parts = "1";
    details.text = "Porada sa presúva na štvrtok o 14:00, zasadačka na 3. poschodí.";
    details.recipients = {{"Jana Nováková", "421903000001", "Doručená 10.06.2026 09:58:40",
                           "10.06.2026 09:58:40", ArchiveRows::Delivered}};
    if (group) {
        details.recipients.push_back(
            {"Peter Šťastný", "421903000002", "Doručuje sa", "", ArchiveRows::Pending});
        details.recipients.push_back({"Ľubica Horváthová", "421903000003", "Nemožno doručiť", "",
                                      ArchiveRows::NotDelivered});
    }
    return details;
}

ScheduledSms Scheduled() {
    ScheduledSms message;
    message.messageId = 1;
    message.schedule = {kNow + 86400, 5, Utf8TextToAnsi("Ranná pripomienka"), true};
    message.text = Utf8TextToAnsi("Nezabudni na lieky a raňajky!");
    message.recipients = {{"Jana", "421903000001"}, {"0903 000 002", "421903000002"}};
    message.states = {CSmsRecipientInfo::Delivered, CSmsRecipientInfo::Pending};
    return message;
}

// The scheduled message needs a user for its completion and payment; one that is not logged in
// does, as long as nothing is saved.
CSmsUserInfo& GalleryUser() {
    static CSmsUserInfo user("galeria", "1.6", "QLN");
    return user;
}

} // namespace

std::vector<Exhibit> PageDialogExhibits() {
    return {
        {"Scheduling dialog",
         [](GalleryAccount&) {
             return std::make_unique<SchedulingDlg>(QDateTime::currentSecsSinceEpoch());
         },
         [](Shots& shots) {
             SchedulingDlg dialog(kNow);
             shots.Take(dialog, "scheduling-dialog");
         }},
        {"Archive filter", [](GalleryAccount&) { return std::make_unique<FilterDlg>(0); },
         [](Shots& shots) {
             FilterDlg dialog(2);
             shots.Take(dialog, "filter-dialog");
         }},
        {"Message details",
         [](GalleryAccount&) { return std::make_unique<SmsDetailsDlg>(Details(false)); },
         [](Shots& shots) {
             SmsDetailsDlg dialog(Details(false));
             shots.Take(dialog, "details-single");
         }},
        {"Group message details",
         [](GalleryAccount&) { return std::make_unique<SmsDetailsDlg>(Details(true)); },
         [](Shots& shots) {
             SmsDetailsDlg dialog(Details(true));
             shots.Take(dialog, "details-group");
         }},
        {"Scheduled message",
         [](GalleryAccount&) {
             return std::make_unique<ScheduledSmsDlg>(GalleryUser(), GalleryBoxes(), Scheduled());
         },
         [](Shots& shots) {
             ScheduledSmsDlg dialog(GalleryUser(), GalleryBoxes(), Scheduled());
             shots.Take(dialog, "scheduled-message");
         }},
    };
}
