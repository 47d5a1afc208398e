#include "AccountSyncCommands.h"
#include "CliSession.h"
#include "CommandContext.h"
#include "ExitCode.h"
#include "InputDecoder.h"

#include "model/SmsAddressBook.h"
#include "model/SmsUserInfo.h"
#include "model/Utilities.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

namespace {

using Args = std::vector<std::string>;

// A number as the user typed it, checked.
std::string NumberArgument(std::string number) {
    if (!ValidateNumber(number))
        throw UsageError("\"" + number + "\" is not a valid phone number");
    return number;
}

// The book holds ANSI text.
std::string NameArgument(const std::string& text) {
    return InputDecoder::OfLocale().ToAnsi(text, "a name");
}

void ExpectArguments(const Args& args, std::size_t least, std::size_t most, const char* usage) {
    if (args.size() < least || args.size() > most)
        throw UsageError(std::string("usage: quillon-cli contacts ") + usage);
}

void PrintContacts(const CSmsAddressBook& book) {
    for (int i = 0; i < book.GetItemCount(); ++i) {
        const CSmsAddressBookItem& item = *book.GetItem(i);
        std::printf("%s\t%s%s%s\n", AnsiToUtf8(item.GetName()).c_str(), item.GetPhone1().c_str(),
                    item.GetPhone2().empty() ? "" : "\t", item.GetPhone2().c_str());
    }
}

void PrintGroups(const CSmsAddressBook& book) {
    for (int i = 0; i < book.GetGroupCount(); ++i) {
        const CSmsAddressBookGroup& group = *book.GetGroup(i);
        std::string members;
        for (const std::string& member : group.GetMembers())
            members += (members.empty() ? "" : ", ") + AnsiToUtf8(member);
        std::printf("%s\t%s\n", AnsiToUtf8(group.GetName()).c_str(), members.c_str());
    }
}

int GroupIndex(const CSmsAddressBook& book, const std::string& name) {
    for (int i = 0; i < book.GetGroupCount(); ++i) {
        if (book.GetGroup(i)->GetName() == name)
            return i;
    }
    return -1;
}

// One change of the profile's address book.
void ChangeBook(CSmsAddressBook& book, const std::string& action, const Args& args) {
    if (action == "add") {
        ExpectArguments(args, 3, 4, "add NAME NUMBER [SECOND-NUMBER]");
        const std::string second = args.size() > 3 ? NumberArgument(args[3]) : "";
        if (book.AddContact(NameArgument(args[1]), NumberArgument(args[2]), second) < 0)
            throw LocalError("there is already a contact \"" + args[1] + "\"");
    } else if (action == "remove") {
        ExpectArguments(args, 2, 2, "remove NAME");
        const CSmsAddressBookItem* item = book.GetItemByName(NameArgument(args[1]));
        if (!item)
            throw LocalError("no contact \"" + args[1] + "\"");
        book.DelContactByID(item->GetID());
    } else if (action == "group-set") {
        ExpectArguments(args, 2, SIZE_MAX, "group-set GROUP [MEMBER...]");
        const std::string name = NameArgument(args[1]);
        int index = GroupIndex(book, name);
        if (index >= 0)
            book.DelGroup(index);
        index = book.AddGroup(name);
        for (auto member = args.begin() + 2; member != args.end(); ++member) {
            if (!book.GetItemByName(NameArgument(*member)))
                throw LocalError("no contact \"" + *member + "\"");
            book.AddGroupMember(index, NameArgument(*member));
        }
    } else {
        ExpectArguments(args, 2, 2, "group-remove GROUP");
        if (!book.DelGroup(GroupIndex(book, NameArgument(args[1]))))
            throw LocalError("no group \"" + args[1] + "\"");
    }
}

// The change goes into the profile as it is stored now, whatever other programs did meanwhile.
void ChangeLocal(CliSession& session, const std::string& action, const Args& args) {
    session.Update(
        [&](CSmsUserInfo& profile) { ChangeBook(profile.GetAddressBook(), action, args); });
}

// The Portella address book: names of at most 15 plain characters, numbers in international
// form.
void ChangeServer(CSmsUserInfo& user, const std::string& action, const Args& args) {
    if (action == "add") {
        ExpectArguments(args, 3, 3, "add NAME NUMBER --server");
        ExpectSuccess(
            user.KvwsSetAlias(NameArgument(args[1]), ConvertToIntl(NumberArgument(args[2]))));
    } else if (action == "remove") {
        ExpectArguments(args, 2, 2, "remove NAME --server");
        CSmsAddressBook book;
        ExpectSuccess(user.KvwsGetAddressBook(&book));
        const CSmsAddressBookItem* alias = book.GetItemByName(NameArgument(args[1]));
        if (!alias)
            throw LocalError("Portella has no contact \"" + args[1] + "\"");
        ExpectSuccess(user.KvwsDeleteAlias(alias->GetName(), alias->GetPhone1()));
    } else if (action == "group-set") {
        ExpectArguments(args, 2, SIZE_MAX, "group-set GROUP [MEMBER...] --server");
        std::vector<std::string> members;
        for (auto member = args.begin() + 2; member != args.end(); ++member)
            members.push_back(NameArgument(*member));
        ExpectSuccess(user.KvwsSetGroup(NameArgument(args[1]), members));
    } else {
        ExpectArguments(args, 2, 2, "group-remove GROUP --server");
        ExpectSuccess(user.KvwsDeleteGroup(NameArgument(args[1])));
    }
}

} // namespace

int RunContacts(const std::vector<std::string>& args) {
    ArgParser parser = CommandParser(
        "quillon-cli contacts list|groups|add|remove|group-set|group-remove [...] [--server]",
        "The address book of the profile, or with --server the Portella address book:\n"
        "  list                            the contacts (name, numbers; tab-separated)\n"
        "  groups                          the groups and their members\n"
        "  add NAME NUMBER [SECOND]        a new contact (Portella: one number)\n"
        "  remove NAME                     delete a contact\n"
        "  group-set GROUP [MEMBER...]     create a group or replace its members\n"
        "  group-remove GROUP              delete a group\n"
        "Portella names have at most 15 plain characters; \"sync\" copies the books.");
    parser.Flag("--server", "work on the Portella address book");
    return RunCommand(parser, args, [](CommandContext& context) -> int {
        const Args& positionals = context.Args().Positionals();
        static const char* const kActions[] = {"list",   "groups",    "add",
                                               "remove", "group-set", "group-remove"};
        const std::string action = positionals.empty() ? "" : positionals.front();
        if (std::find(std::begin(kActions), std::end(kActions), action) == std::end(kActions))
            throw UsageError("contacts wants list, groups, add, remove, group-set or group-remove");
        const bool listing = action == "list" || action == "groups";
        if (listing)
            ExpectArguments(positionals, 1, 1, "list|groups [--server]");

        const bool server = context.Args().Has("--server");
        CliSession& session = context.Session(server ? Access::LoggedIn : Access::Offline);
        CSmsUserInfo& user = session.User();
        if (!server) {
            if (!listing)
                ChangeLocal(session, action, positionals);
            else
                (action == "list" ? PrintContacts : PrintGroups)(user.GetAddressBook());
            return ExitOk;
        }
        if (!listing) {
            ChangeServer(user, action, positionals);
            return ExitOk;
        }
        CSmsAddressBook book;
        ExpectSuccess(user.KvwsGetAddressBook(&book));
        (action == "list" ? PrintContacts : PrintGroups)(book);
        return ExitOk;
    });
}
