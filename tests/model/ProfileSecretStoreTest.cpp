#include "ProfileTestFolder.h"
#include "model/SmsUserInfo.h"
#include "platform/SecretStore.h"

#include <map>

namespace {

// A secret store in memory that can be told to fail, and counts what it was asked.
class FakeSecretStore : public ISecretStore {
public:
    std::optional<std::string> Lookup(const std::string& user) override {
        ++lookups;
        const auto found = secrets.find(user);
        if (failing || found == secrets.end())
            return std::nullopt;
        return found->second;
    }
    bool Store(const std::string& user, const std::string& password) override {
        ++stores;
        if (failing)
            return false;
        secrets[user] = password;
        return true;
    }
    bool Remove(const std::string& user) override {
        ++removes;
        if (failing)
            return false;
        secrets.erase(user);
        return true;
    }

    std::map<std::string, std::string> secrets;
    bool failing = false;
    int lookups = 0;
    int stores = 0;
    int removes = 0;
};

class ProfileSecretStoreTest : public ProfileFolderTest {
protected:
    void SetUp() override {
        ProfileFolderTest::SetUp();
        SecretStore::Install(&store);
    }
    void TearDown() override { SecretStore::Install(nullptr); }

    static std::unique_ptr<CSmsUserInfo> Load(const std::string& name = "alice") {
        auto user = CSmsUserInfo::GetUserInfo(name, "1.1", "QLN");
        EXPECT_NE(user, nullptr);
        return user;
    }
    static void SaveWithPassword(const std::string& password, const std::string& name = "alice") {
        auto user = Load(name);
        user->SetPassword(password);
        ASSERT_TRUE(user->Save(false));
    }
    // The "Password" element of the file, or none.
    static std::optional<std::string> PasswordElement(const std::string& name = "alice") {
        pugi::xml_document document;
        document.load_string(ReadContainer(ProfilePath(name)).c_str());
        const pugi::xml_node element =
            document.child("KvSmsDa").child("User").child("Prefs").child("Password");
        if (!element)
            return std::nullopt;
        return std::string(element.text().get());
    }

    FakeSecretStore store;
};

TEST_F(ProfileSecretStoreTest, ASavedPasswordGoesIntoTheStoreAndTheFileKeepsNone) {
    SaveWithPassword("p\xE1ss");
    EXPECT_EQ(store.secrets, (std::map<std::string, std::string>{{"alice", "p\xE1ss"}}));
    EXPECT_EQ(PasswordElement(), "");

    auto user = Load();
    EXPECT_EQ(user->GetPassword(), "p\xE1ss");
    EXPECT_TRUE(user->IsPasswordInSecretStore());
    // Saves that do not change the password leave the store alone.
    user->SetDeliveryReport(1);
    ASSERT_TRUE(user->Save(false));
    ASSERT_TRUE(user->Save(true));
    EXPECT_EQ(store.stores, 1);
    user->SetPassword("new");
    ASSERT_TRUE(user->Save(false));
    EXPECT_EQ(store.secrets["alice"], "new");
    EXPECT_EQ(PasswordElement(), "");

    // Without a store the profile keeps it enciphered, as before; that one moves into the
    // store at the next save.
    SecretStore::Install(nullptr);
    SaveWithPassword("older");
    EXPECT_NE(PasswordElement().value_or(""), "");
    EXPECT_NE(PasswordElement(), "older");
    SecretStore::Install(&store);
    auto old = Load();
    EXPECT_EQ(old->GetPassword(), "older");
    EXPECT_FALSE(old->IsPasswordInSecretStore());
    ASSERT_TRUE(old->Save(false));
    EXPECT_EQ(store.secrets["alice"], "older");
    EXPECT_EQ(PasswordElement(), "");
}

TEST_F(ProfileSecretStoreTest, AStoreThatFailsNeverLosesThePassword) {
    // It cannot take it: the profile keeps it enciphered.
    store.failing = true;
    SaveWithPassword("secret");
    EXPECT_NE(PasswordElement().value_or(""), "");
    EXPECT_EQ(Load()->GetPassword(), "secret");

    // It took it but cannot give it back for now: this run has no password, and its saves
    // leave the store's alone for a later run.
    store.failing = false;
    SaveWithPassword("secret");
    store.failing = true;
    auto user = Load();
    EXPECT_EQ(user->GetPassword(), "");
    ASSERT_TRUE(user->Save(false));
    ASSERT_TRUE(user->Save(true));
    EXPECT_EQ(store.removes, 0);
    store.failing = false;
    EXPECT_EQ(Load()->GetPassword(), "secret");

    // No store at all: the profile left the password to one, so there is none.
    SecretStore::Install(nullptr);
    EXPECT_EQ(Load()->GetPassword(), "");
}

TEST_F(ProfileSecretStoreTest, NotSavingThePasswordOrResettingItRemovesItFromTheStore) {
    SaveWithPassword("secret");
    {
        auto user = Load();
        user->SavePassword(false);
        ASSERT_TRUE(user->Save(false));
        EXPECT_TRUE(store.secrets.empty());
        EXPECT_EQ(PasswordElement(), std::nullopt);
        // Once it is gone the store is not asked again.
        ASSERT_TRUE(user->Save(false));
        EXPECT_EQ(store.removes, 1);
    }
    EXPECT_EQ(Load()->GetPassword(), "");

    SaveWithPassword("again");
    SaveWithPassword("bob's", "bob");
    ASSERT_TRUE(CSmsUserInfo::ResetPwd("alice"));
    EXPECT_EQ(store.secrets, (std::map<std::string, std::string>{{"bob", "bob's"}}));
    EXPECT_EQ(PasswordElement(), std::nullopt);
    EXPECT_EQ(Load()->GetPassword(), "");
    EXPECT_EQ(Load("bob")->GetPassword(), "bob's");
}

TEST_F(ProfileSecretStoreTest, PasswordsChangedByOtherProcessesMergeAsInTheFile) {
    SaveWithPassword("first");
    auto mine = Load();
    auto theirs = Load();
    // Another process logged in with a new password: this one, which kept its own, does not
    // put its older one back.
    theirs->SetPassword("second");
    ASSERT_TRUE(theirs->Save(false));
    ASSERT_TRUE(mine->Save(false));
    EXPECT_EQ(store.secrets["alice"], "second");
    EXPECT_EQ(Load()->GetPassword(), "second");

    // A password changed here wins over the other process's earlier one.
    mine->SetPassword("third");
    ASSERT_TRUE(mine->Save(false));
    EXPECT_EQ(store.secrets["alice"], "third");
    EXPECT_EQ(Load()->GetPassword(), "third");

    // Dropped elsewhere: no longer saved, though this session keeps it.
    auto other = Load();
    ASSERT_TRUE(CSmsUserInfo::ResetPwd("alice"));
    ASSERT_TRUE(other->Save(false));
    EXPECT_FALSE(other->IsPasswordSaved());
    EXPECT_EQ(other->GetPassword(), "third");
    EXPECT_TRUE(store.secrets.empty());
    EXPECT_EQ(PasswordElement(), std::nullopt);
}

} // namespace
