#include "Account.h"
#include "SimOptions.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <fstream>

TEST(AccountFile, ReadsAccountsWithOptions) {
    TempDir folder;
    const std::string path = (folder.Path() / "accounts.txt").string();
    std::ofstream(path) << "# test accounts\n\n"
                           "alice:pa:ss:421905000001,credit=7,club=20,services=smtp+POSTPAID\r\n"
                           "bob:pw:,prepaid,deactivated,blocked=obk,versions=1.1.0+1.1.1,"
                           "limit=5,refuse=CreditRecharge/44\n";
    const std::vector<Account> accounts = LoadAccountFile(path);
    ASSERT_EQ(accounts.size(), 2u);
    EXPECT_EQ(accounts[0].login, "alice");
    EXPECT_EQ(accounts[0].password, "pa:ss");
    EXPECT_EQ(accounts[0].mobile, "421905000001");
    EXPECT_EQ(accounts[0].portalCredit, 7);
    EXPECT_EQ(accounts[0].clubPoints, 20);
    EXPECT_EQ(accounts[0].active, (std::array<bool, kServiceCount>{false, true, true}));
    EXPECT_TRUE(accounts[1].mobile.empty());
    EXPECT_TRUE(accounts[1].prepaid);
    EXPECT_TRUE(accounts[1].deactivated);
    EXPECT_TRUE(accounts[1].blocked[kServiceObk]);
    EXPECT_EQ(accounts[1].versions, (std::vector<std::string>{"1.1.0", "1.1.1"}));
    EXPECT_EQ(accounts[1].dailyLimit, 5);
    EXPECT_EQ(ConfiguredRefusal(accounts[1], "CreditRecharge"), 44);
    EXPECT_EQ(ConfiguredRefusal(accounts[1], "Login"), 0);
}

TEST(AccountFile, NamesTheBadLine) {
    TempDir folder;
    const std::string path = (folder.Path() / "accounts.txt").string();
    std::ofstream(path) << "alice:pw:421905000001\nbob:pw:4219050x\n";
    try {
        LoadAccountFile(path);
        FAIL() << "a bad line is refused";
    } catch (const std::invalid_argument& error) {
        EXPECT_NE(std::string(error.what()).find(":2:"), std::string::npos) << error.what();
    }
    for (const char* bad : {"nologin", ":pw:421905000001", "a:b:421905000001,credit=-1",
                            "a:b:421905000001,services=fax", "a:b:421905000001,colour=red"})
        EXPECT_THROW(ParseAccount(bad), std::invalid_argument) << bad;
    EXPECT_THROW(LoadAccountFile((folder.Path() / "missing").string()), std::invalid_argument);
}

TEST(SimOptionsTest, ReadsFlagsAndRefusesBadOnes) {
    const SimOptions options = ParseSimOptions(
        {"--port", "8443", "--http", "--delay", "250", "--item-name", "x", "--account", "a:b:"});
    EXPECT_EQ(options.port, 8443);
    EXPECT_TRUE(options.http);
    EXPECT_EQ(options.faults.delayMs, 250);
    EXPECT_EQ(options.faults.itemName, "x");
    EXPECT_EQ(options.accountLines, (std::vector<std::string>{"a:b:"}));
    EXPECT_EQ(options.networkPrefixes, (std::vector<std::string>{"42190", "42191"}));
    EXPECT_THROW(ParseSimOptions({"--port", "70000"}), std::invalid_argument);
    EXPECT_THROW(ParseSimOptions({"--port"}), std::invalid_argument);
    EXPECT_THROW(ParseSimOptions({"--delay", "5s"}), std::invalid_argument);
    const SimOptions dripping = ParseSimOptions({"--drip", "30", "--drip-endless", "40"});
    EXPECT_EQ(dripping.faults.dripMs, 30);
    EXPECT_EQ(dripping.faults.endlessDripMs, 40);
    EXPECT_THROW(ParseSimOptions({"--drip-endless", "0"}), std::invalid_argument);
    EXPECT_THROW(ParseSimOptions({"--frobnicate"}), std::invalid_argument);
}
