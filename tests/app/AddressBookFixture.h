#pragma once

#include "ScriptedMessageBox.h"
#include "TestSupport.h"

#include "logic/IAddressPageDialogs.h"
#include "model/SmsAddressBook.h"
#include "model/SmsUserInfo.h"
#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// The dialogs of the contacts and groups pages as a test scripts them: each answer fills in
// the dialog (or returns false for cancel); unscripted dialogs are cancelled.
class FakeAddressPageDialogs : public IAddressPageDialogs {
public:
    using ContactAnswer = std::function<bool(ContactFields&)>;
    using GroupAnswer = std::function<bool(std::string&)>;

    bool EditContact(ContactFields& fields, bool isNew) override {
        contactShown.push_back(fields);
        contactNew.push_back(isNew);
        return Next(contactAnswers, fields);
    }
    bool EditGroup(std::string& name, bool isNew) override {
        groupShown.push_back(name);
        groupNew.push_back(isNew);
        return Next(groupAnswers, name);
    }
    std::optional<std::string> ExportPath() override { return exportPath; }
    bool Import(CSmsAddressBook& book) override { return import ? import(book) : false; }

    // Answers that type the values and press OK.
    static ContactAnswer Type(const std::string& name, const std::string& phone1,
                              const std::string& phone2 = {}) {
        return [=](ContactFields& fields) {
            fields = {name, phone1, phone2};
            return true;
        };
    }
    static GroupAnswer Type(const std::string& name) {
        return [=](std::string& field) {
            field = name;
            return true;
        };
    }

    std::deque<ContactAnswer> contactAnswers;
    std::deque<GroupAnswer> groupAnswers;
    std::vector<ContactFields> contactShown;
    std::vector<bool> contactNew;
    std::vector<std::string> groupShown;
    std::vector<bool> groupNew;
    std::optional<std::string> exportPath;
    std::function<bool(CSmsAddressBook&)> import;

private:
    template <class Answers, class Value> static bool Next(Answers& answers, Value& value) {
        if (answers.empty())
            return false;
        auto answer = std::move(answers.front());
        answers.pop_front();
        return answer(value);
    }
};

// A user whose address book a test fills, with boxes it answers and scripted dialogs.
class AddressBookFixture : public ::testing::Test {
protected:
    CSmsAddressBook& Book() { return user.GetAddressBook(); }

    std::uint32_t Contact(const std::string& name, const std::string& phone1,
                          const std::string& phone2 = {}) {
        const int index = Book().AddContact(name, phone1, phone2);
        EXPECT_GE(index, 0) << name;
        return Book().GetItem(index)->GetID();
    }
    int Group(const std::string& name, const std::vector<std::string>& members = {}) {
        const int index = Book().AddGroup(name);
        for (const std::string& member : members)
            EXPECT_TRUE(Book().AddGroupMember(index, member)) << member;
        return index;
    }
    const CSmsAddressBookItem* Named(const std::string& name) { return Book().GetItemByName(name); }

    // Slovak texts in the book whatever the machine's locale.
    struct CentralEuropean {
        CentralEuropean() { setenv("QUILLON_ANSI_CODEPAGE", "1250", 1); }
        ~CentralEuropean() { unsetenv("QUILLON_ANSI_CODEPAGE"); }
    } centralEuropean;
    ScopedDataHome dataHome;
    CSmsUserInfo user{"jan.novak", "1.6", "QLN"};
    ScriptedMessageBox boxes;
    FakeAddressPageDialogs dialogs;
};
