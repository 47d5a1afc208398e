// The contacts and groups pages in the gallery: thirty contacts with Slovak names, one selected
// with its groups; the contact dialog new and editing; the groups page with a group selected;
// the group dialog.
#include "Exhibit.h"
#include "GalleryAccount.h"

#include "BuildConfig.h"
#include "controls/ControlsText.h"
#include "frontend/ClientTypes.h"
#include "model/SmsUserInfo.h"
#include "windows/AddressPage.h"
#include "windows/ContactDlg.h"
#include "windows/GroupDlg.h"
#include "windows/GroupPage.h"
#include "windows/WidgetAddressPageDialogs.h"

#include "service/AddressBookSyncUi.h"

#include <QApplication>

#include <type_traits>

namespace {

const char* const kFirst[] = {"Ján",      "Mária",  "Peter",  "Žofia",  "Ľubomír",
                              "Katarína", "Štefan", "Zuzana", "Ondrej", "Anna"};
const char* const kLast[] = {"Novák", "Kováčová", "Horváth", "Šťastná", "Čierny", "Ďuriš"};
const char* const kGroups[] = {"Rodina", "Práca", "Futbal", "Susedia"};

std::string Ansi(const char* utf8) {
    return ToAnsi(QString::fromUtf8(utf8));
}

// The gallery does not synchronise: the mode question is cancelled.
class NoSyncUi : public IAddressBookSyncUi {
public:
    std::optional<CAddressBookSync::ManualSyncMode> AskMode() override { return std::nullopt; }
    void ShowDuplicates(const std::string&, const std::string&) override {}
    void ShowProgress(bool) override {}
    NumberConflictChoice AskNumberConflict(const std::string&, const std::string&) override {
        return NumberConflictChoice::EndSync;
    }
    NameConflictChoice AskNameConflict(const std::string&, const std::string&,
                                       const std::string&) override {
        return NameConflictChoice::EndSync;
    }
    void ShowErrors(const std::string&) override {}
    void ShowFetchRefused(int) override {}
    void ShowFinished(bool) override {}
    void ShowDbError() override {}
    void ShowSoapError(const CKvwsSoapException&) override {}
    std::string StatusText(int) const override { return {}; }
};

// A canned user with thirty contacts in four groups, in the profile's code page.
struct CannedBook {
    CannedBook() {
        CSmsAddressBook& book = user.GetAddressBook();
        for (int i = 0; i < 30; ++i) {
            const std::string name = Ansi(kFirst[i % 10]) + " " + Ansi(kLast[(i / 2 + i) % 6]);
            const std::string second = i % 4 ? "" : "+421 911 " + std::to_string(200100 + i);
            book.AddContact(name, "0905 " + std::to_string(123400 + i * 7), second);
        }
        for (const char* group : kGroups)
            book.AddGroup(Ansi(group));
        for (int i = 0; i < book.GetItemCount(); ++i)
            book.AddGroupMember(i % 4, book.GetItem(i)->GetName());
        book.AddGroupMember(2, book.GetItem(0)->GetName());
    }
    CSmsUserInfo user{"jan.novak", QUILLON_VERSION_STRING, kDesktopClientType};
    WidgetAddressPageDialogs dialogs{user, GalleryBoxes(), nullptr};
    NoSyncUi syncUi;
};

void Settle() {
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

void ShootContacts(Shots& shots) {
    CannedBook owner;
    AddressPage page(owner.user, GalleryBoxes(), owner.dialogs, owner.syncUi);
    page.resize(720, 520);
    page.show();
    Settle();
    page.Select({owner.user.GetAddressBook().GetItem(0)->GetID()});
    Settle();
    shots.Take(page, "contacts-page");

    ContactDlg empty({}, true, GalleryBoxes());
    empty.show();
    Settle();
    shots.Take(empty, "contact-dialog-new");
    const CSmsAddressBookItem* item = owner.user.GetAddressBook().GetItem(4);
    ContactDlg edit({item->GetName(), item->GetPhone1(), item->GetPhone2()}, false, GalleryBoxes());
    edit.show();
    Settle();
    shots.Take(edit, "contact-dialog-edit");
}

void ShootGroups(Shots& shots) {
    CannedBook owner;
    GroupPage page(owner.user, GalleryBoxes(), owner.dialogs);
    page.resize(720, 460);
    page.show();
    Settle();
    page.SelectGroup(1);
    Settle();
    shots.Take(page, "groups-page");

    GroupDlg dialog(Ansi("Práca"), false);
    dialog.show();
    Settle();
    shots.Take(dialog, "group-dialog");
}

template <class Page> std::unique_ptr<QWidget> OpenPage() {
    auto* owner = new CannedBook;
    std::unique_ptr<QWidget> page;
    if constexpr (std::is_same_v<Page, AddressPage>)
        page = std::make_unique<AddressPage>(owner->user, GalleryBoxes(), owner->dialogs,
                                             owner->syncUi);
    else
        page = std::make_unique<GroupPage>(owner->user, GalleryBoxes(), owner->dialogs);
    page->resize(720, 500);
    QObject::connect(page.get(), &QObject::destroyed, [owner] { delete owner; });
    return page;
}

} // namespace

std::vector<Exhibit> ContactsExhibits() {
    return {
        {"Contacts page", [](GalleryAccount&) { return OpenPage<AddressPage>(); }, ShootContacts},
        {"Groups page", [](GalleryAccount&) { return OpenPage<GroupPage>(); }, ShootGroups},
    };
}
