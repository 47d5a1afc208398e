// The compose page in the gallery: empty and filled in, with its recipient chooser and the
// question which number of a contact to take.
#include "Exhibit.h"
#include "GalleryAccount.h"

#include "BuildConfig.h"
#include "controls/ControlsText.h"
#include "controls/SmsEditCtrl.h"
#include "frontend/ClientTypes.h"
#include "model/SmsAddressBook.h"
#include "model/SmsUserInfo.h"
#include "windows/NumberChoiceDlg.h"
#include "windows/RecipientChooserDlg.h"
#include "windows/SmsPage.h"
#include "windows/WidgetSmsPageDialogs.h"

#include <QApplication>
#include <QListWidget>

namespace {

// A canned user with a few contacts and a group, in the profile's code page (ANSI).
struct CannedComposer {
    CannedComposer() {
        CSmsAddressBook& book = user.GetAddressBook();
        book.AddContact(ToAnsi(QStringLiteral("Jana Nováková")), "0905123401", "0911123401");
        book.AddContact(ToAnsi(QStringLiteral("Peter Horák")), "0905123402", "");
        book.AddContact(ToAnsi(QStringLiteral("Mária Kováčová")), "0905123403", "");
        book.AddGroupWithMembers(
            ToAnsi(QStringLiteral("Rodina")),
            {ToAnsi(QStringLiteral("Jana Nováková")), ToAnsi(QStringLiteral("Mária Kováčová"))});
    }
    CSmsUserInfo user{"jan.novak", QUILLON_VERSION_STRING, kDesktopClientType};
    WidgetSmsPageDialogs dialogs{user, nullptr};
};

std::unique_ptr<SmsPage> OpenPage(CannedComposer& owner) {
    auto page = std::make_unique<SmsPage>(owner.user, GalleryBoxes(), owner.dialogs);
    page->resize(700, 480);
    return page;
}

void Settle() {
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

void ShootCompose(Shots& shots) {
    CannedComposer owner;
    const auto page = OpenPage(owner);
    page->show();
    Settle();
    shots.Take(*page, "compose-empty");

    page->Flow().AddTyped(ToAnsi(QStringLiteral("Peter Horák")));
    page->Flow().AddTyped(ToAnsi(QStringLiteral("Rodina")));
    page->Flow().AddTyped("0903555666");
    page->Editor().SetText(ToAnsi(QStringLiteral("Ahoj, v sobotu o siedmej u nás. Prinesiete "
                                                 "koláč? :-)")));
    Settle();
    shots.Take(*page, "compose-filled");

    RecipientChooserDlg chooser(owner.user.GetAddressBook(), page->Flow().Entries());
    chooser.show();
    Settle();
    if (auto* contacts = chooser.findChild<QListWidget*>("contactsListWidget"))
        contacts->setCurrentRow(0);
    shots.Take(chooser, "compose-recipient-chooser");

    NumberChoiceDlg choice(*owner.user.GetAddressBook().GetItem(0));
    shots.Take(choice, "compose-number-choice");
}

} // namespace

std::vector<Exhibit> ComposeExhibits() {
    return {
        {"Compose page",
         [](GalleryAccount&) -> std::unique_ptr<QWidget> {
             auto* owner = new CannedComposer;
             auto page = OpenPage(*owner);
             QObject::connect(page.get(), &QObject::destroyed, [owner] { delete owner; });
             return page;
         },
         ShootCompose},
    };
}
