// The settings page without its window: the fields it shows, the checks and the save on leaving,
// the postpaid service's activation and deactivation, the autostart entry and the languages.
#include "ScriptedMessageBox.h"
#include "ScriptedTransport.h"
#include "TestSupport.h"

#include "frontend/ImmediateCallRunner.h"
#include "logic/AutostartEntry.h"
#include "logic/HelpLinks.h"
#include "logic/ISettingsPageDialogs.h"
#include "logic/LanguageList.h"
#include "logic/ProgramStrings.h"
#include "logic/SettingsPageLogic.h"
#include "model/SmsConfig.h"
#include "model/SmsUserInfo.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <fstream>
#include <memory>

namespace {

using Answer = IMessageBox::Answer;

std::string Services(bool obk, bool postpaid) {
    return Reply::Status(0) + "<services><item type=\"0\" enabled=\"" + (obk ? "true" : "false") +
           "\"/><item type=\"1\" enabled=\"" + (postpaid ? "true" : "false") + "\"/></services>" +
           Reply::Token("T1");
}

class ScriptedDialogs : public ISettingsPageDialogs {
public:
    std::optional<std::string> AskActivationCode(const std::string& terms) override {
        shownTerms.push_back(terms);
        if (codes.empty())
            return std::nullopt;
        std::optional<std::string> code = codes.front();
        codes.pop_front();
        return code;
    }
    std::optional<int> ChooseEnterKey(int mode) override {
        shownMode = mode;
        return enterKey;
    }
    void RechargeCredit() override { ++recharges; }

    std::deque<std::optional<std::string>> codes;
    std::vector<std::string> shownTerms;
    std::optional<int> enterKey;
    int shownMode = -1;
    int recharges = 0;
};

class SettingsPageLogicTest : public ::testing::Test {
protected:
    SettingsPageLogicTest() : clock(1110456000), user("jan.novak", "1.6", "QLN") {
        user.SetPassword("secret");
        user.SetTransport(transport);
        transport->Answer("Login",
                          Reply::Status(0) + "<mobile>421903123456</mobile>" + Reply::Token("T1"));
        EXPECT_EQ(user.KvwsLogin(true), 0);
    }

    void WithServices(bool obk, bool postpaid) {
        transport->Answer("getServices", Services(obk, postpaid));
        ASSERT_EQ(user.KvwsGetServices(), 0);
    }

    SettingsPageLogic& Logic() {
        if (!logic) {
            logic = std::make_unique<SettingsPageLogic>(user, config, boxes, calls,
                                                        [this](const std::string& name) {
                                                            resetNames.push_back(name);
                                                            return true;
                                                        });
            logic->SetEndHandler([this] { ++ended; });
            logic->SetChangedHandler([this] { ++changed; });
        }
        if (!logic->IsLoaded())
            logic->Load({kBuiltInLanguage, 1033});
        return *logic;
    }

    bool Leave(SettingsFocus expected = SettingsFocus::None) {
        SettingsFocus focus = SettingsFocus::None;
        const bool left = Logic().Leave(focus);
        EXPECT_EQ(focus, expected);
        return left;
    }

    ScopedDataHome dataHome;
    FixedClock clock;
    std::shared_ptr<ScriptedTransport> transport = std::make_shared<ScriptedTransport>();
    CSmsUserInfo user;
    CSmsConfig config;
    ScriptedMessageBox boxes;
    ImmediateCallRunner calls;
    ScriptedDialogs dialogs;
    std::vector<std::string> resetNames;
    int ended = 0;
    int changed = 0;
    std::unique_ptr<SettingsPageLogic> logic;
};

TEST_F(SettingsPageLogicTest, TheUserRadiosFollowTheAppMode) {
    struct Case {
        int appMode;
        bool severalUsers;
        bool savePassword;
        int storedMode;
    };
    for (const Case& c : {Case{0, true, false, 0}, Case{1, false, false, 1},
                          Case{2, false, true, 2}, Case{7, true, false, 0}}) {
        config.SetAppMode(c.appMode);
        logic.reset();
        const SettingsFields& fields = Logic().Fields();
        EXPECT_EQ(fields.severalUsers, c.severalUsers) << c.appMode;
        EXPECT_EQ(fields.savePassword, c.savePassword) << c.appMode;
        EXPECT_EQ(SettingsPageLogic::NameEnabled(fields), !c.severalUsers) << c.appMode;
        EXPECT_EQ(config.GetAppMode(), c.storedMode) << c.appMode;
    }
}

TEST_F(SettingsPageLogicTest, PaymentAndAutoDeleteComeFromTheProfile) {
    WithServices(true, true);
    user.SetUseOBK(1);
    user.SetAutoDelMode(CSmsUserInfo::AutoDelByCount);
    user.SetMaxItems(500);
    EXPECT_TRUE(Logic().Fields().portalCredits);
    EXPECT_TRUE(Logic().Fields().autoDelete);
    EXPECT_TRUE(Logic().Fields().byCount);
    EXPECT_EQ(Logic().Fields().maxItems, 500u);

    // Portal credits need the OBK service; without postpaid they are the only way to pay.
    WithServices(false, true);
    user.SetAutoDelMode(CSmsUserInfo::AutoDelOff);
    Logic().Load({kBuiltInLanguage});
    EXPECT_FALSE(Logic().Fields().portalCredits);
    EXPECT_FALSE(Logic().Fields().autoDelete);
    EXPECT_FALSE(Logic().Fields().byCount);
    EXPECT_FALSE(Logic().Services().paymentShown);
    EXPECT_EQ(Logic().Services().activationText, ProgramString::DeactivateService);

    WithServices(true, false);
    user.SetUseOBK(0);
    user.SetAutoDelMode(CSmsUserInfo::AutoDelByDays);
    Logic().Load({kBuiltInLanguage});
    EXPECT_TRUE(Logic().Fields().portalCredits);
    EXPECT_TRUE(Logic().Fields().autoDelete);
    EXPECT_FALSE(Logic().Fields().byCount);
    EXPECT_TRUE(Logic().Services().paymentShown);
    EXPECT_FALSE(Logic().Services().postpaidActive);
    EXPECT_EQ(Logic().Services().activationText, ProgramString::ActivateService);
}

TEST_F(SettingsPageLogicTest, TheConfiguredLanguageIsSelectedWhenListed) {
    config.SetLcid(1033);
    EXPECT_EQ(Logic().Fields().language, 1033);
    config.SetLcid(1051);
    Logic().Load({kBuiltInLanguage, 1033});
    EXPECT_EQ(Logic().Fields().language, 0);
    config.SetLcid(1031); // its library is gone
    Logic().Load({kBuiltInLanguage, 1033});
    EXPECT_EQ(Logic().Fields().language, 0);
}

TEST_F(SettingsPageLogicTest, NumbersAtTheLimitKeepThePage) {
    Logic().Fields().maxDays = 999;
    EXPECT_TRUE(Leave());
    EXPECT_TRUE(boxes.Shown().empty());

    Logic().Fields().maxDays = 1000;
    EXPECT_FALSE(Leave(SettingsFocus::Days));
    ASSERT_EQ(boxes.ShownIds(), std::vector<int>{ProgramString::NumberTooBig});
    EXPECT_EQ(boxes.Last().text, "Zadajte číslo menšie než 1000");

    // The check follows the radio, even with removal off; the other field is not checked.
    Logic().Fields().autoDelete = false;
    Logic().Fields().byCount = true;
    Logic().Fields().maxItems = 10000;
    EXPECT_FALSE(Leave(SettingsFocus::Count));
    EXPECT_EQ(boxes.Last().text, "Zadajte číslo menšie než 10000");
    Logic().Fields().maxItems = 9999;
    EXPECT_TRUE(Leave());
    EXPECT_EQ(user.GetAutoDelMode(), CSmsUserInfo::AutoDelOff);
    EXPECT_EQ(user.GetMaxDays(), 1000u);
}

TEST_F(SettingsPageLogicTest, OneUserNeedsANameAndItIsTrimmed) {
    Logic().Fields().severalUsers = false;
    Logic().Fields().name = "   ";
    EXPECT_FALSE(Leave(SettingsFocus::Name));
    EXPECT_EQ(boxes.ShownIds(), std::vector<int>{ProgramString::EnterUserName});

    Logic().Fields().name = "  jan.novak ";
    Logic().Fields().savePassword = true;
    EXPECT_TRUE(Leave());
    EXPECT_EQ(config.GetAppMode(), CSmsConfig::SingleUserSavedPwd);
    EXPECT_EQ(config.GetDefaultUser(), "jan.novak");
    EXPECT_EQ(resetNames, std::vector<std::string>{"jan.novak"});
    // The logged-in user is the one whose password is kept.
    EXPECT_TRUE(user.IsPasswordSaved());

    // A name that is not the logged-in user's keeps no password of this user.
    Logic().Fields().name = "eva";
    EXPECT_TRUE(Leave());
    EXPECT_FALSE(user.IsPasswordSaved());
    EXPECT_EQ(resetNames, (std::vector<std::string>{"jan.novak", "eva"}));
}

TEST_F(SettingsPageLogicTest, SeveralUsersStoreModeZeroAndKeepTheDefaultUser) {
    config.SetAppMode(CSmsConfig::SingleUser);
    config.SetDefaultUser("jan.novak");
    Logic().Fields().severalUsers = true;
    EXPECT_TRUE(Leave());
    EXPECT_EQ(config.GetAppMode(), CSmsConfig::MultiUser);
    EXPECT_EQ(config.GetDefaultUser(), "jan.novak");
    EXPECT_TRUE(resetNames.empty());
    EXPECT_FALSE(user.IsPasswordSaved());

    // What was saved is what a new start reads.
    CSmsConfig restarted;
    EXPECT_EQ(restarted.GetAppMode(), CSmsConfig::MultiUser);
    EXPECT_EQ(restarted.GetDefaultUser(), "jan.novak");
}

TEST_F(SettingsPageLogicTest, TheLanguageMessageComesOnlyOnAChange) {
    Logic().Fields().minToTray = true;
    EXPECT_TRUE(Leave());
    EXPECT_TRUE(boxes.Shown().empty());
    Logic().Fields().language = 1033;
    EXPECT_TRUE(Leave());
    EXPECT_EQ(boxes.ShownIds(), std::vector<int>{ProgramString::LanguageAfterRestart});
    EXPECT_EQ(config.GetLcid(), 1033);
    EXPECT_TRUE(Leave());
    EXPECT_EQ(boxes.Shown().size(), 1u);
    EXPECT_FALSE(Logic().IsDirty());

    CSmsConfig restarted;
    EXPECT_EQ(restarted.GetLcid(), 1033);
    EXPECT_TRUE(restarted.GetMinToTray());
}

TEST_F(SettingsPageLogicTest, TheProfileSettingsAreStoredAndSaved) {
    SettingsFields& fields = Logic().Fields();
    fields.doArchive = true;
    fields.deliveryReport = true;
    fields.showNotice = true;
    fields.autoDelete = true;
    fields.maxDays = 30;
    fields.desktopNotifications = true;
    EXPECT_TRUE(Logic().IsDirty());
    EXPECT_TRUE(Leave());
    EXPECT_FALSE(Logic().IsDirty());

    const auto stored = CSmsUserInfo::GetUserInfo("jan.novak", "1.6", "QLN");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->GetDeliveryReport(), 1);
    EXPECT_EQ(stored->ShowNotice(), 1);
    EXPECT_EQ(stored->GetAutoDelMode(), CSmsUserInfo::AutoDelByDays);
    EXPECT_EQ(stored->GetMaxDays(), 30u);
    EXPECT_TRUE(CSmsConfig().GetDesktopNotifications());

    // Archiving off takes the delivery report with it.
    fields.doArchive = false;
    SettingsPageLogic::ApplyArchiving(fields);
    EXPECT_FALSE(fields.deliveryReport);
    EXPECT_FALSE(SettingsPageLogic::DeliveryReportEnabled(fields));
}

TEST_F(SettingsPageLogicTest, TheEnterKeyIsStoredOnOk) {
    dialogs.enterKey = CSmsUserInfo::EnterSends;
    Logic().ChooseEnterKey(dialogs);
    EXPECT_EQ(dialogs.shownMode, CSmsUserInfo::EnterNewLine);
    EXPECT_EQ(user.GetEnterKeyMode(), CSmsUserInfo::EnterSends);
    EXPECT_TRUE(Logic().IsDirty());
}

TEST_F(SettingsPageLogicTest, AWrongCheckStringAsksAgainAndThenActivates) {
    WithServices(true, false);
    transport->Answer("ask4ServiceActivation", Reply::Status(0, "id=\"12\"") +
                                                   "<EULA>Podmienky</EULA>" + Reply::Token("T1"));
    transport->Answer("ServiceActivation", Reply::Status(37) + Reply::Token("T1"));
    transport->Answer("ask4ServiceActivation", Reply::Status(0, "id=\"13\"") +
                                                   "<EULA>Podmienky</EULA>" + Reply::Token("T1"));
    transport->Answer("ServiceActivation", Reply::Status(0) + Reply::Token("T1"));
    transport->Answer("getServices", Services(true, true));
    dialogs.codes = {"zly", "DOBRY"};
    boxes.AnswerNext(Answer::Yes);

    Logic().ToggleService(dialogs);

    EXPECT_EQ(boxes.ShownIds(), (std::vector<int>{ProgramString::WrongActivationCode,
                                                  ProgramString::CheckStringVerified}));
    EXPECT_EQ(dialogs.shownTerms, (std::vector<std::string>{"Podmienky", "Podmienky"}));
    const ParsedRequest first = transport->Request(2);
    EXPECT_EQ(first.Text("service"), "POSTPAID");
    EXPECT_EQ(first.Find("service").attribute("type").as_int(), 1);
    const ParsedRequest confirm = transport->Request(5);
    EXPECT_EQ(confirm.Text("code"), "DOBRY");
    EXPECT_EQ(confirm.Find("code").attribute("id").as_llong(), 13);
    EXPECT_TRUE(user.IsPostpaidSvcActive());
    EXPECT_EQ(Logic().Services().activationText, ProgramString::DeactivateService);
    EXPECT_EQ(changed, 1);
    EXPECT_TRUE(Logic().IsDirty());
    EXPECT_EQ(transport->Unused(), 0u);
}

TEST_F(SettingsPageLogicTest, ActivationEndsOnCancelNoOrARefusal) {
    WithServices(true, false);
    transport->Answer("ask4ServiceActivation", Reply::Status(61) + Reply::Token("T1"));
    Logic().ToggleService(dialogs);
    EXPECT_EQ(boxes.ShownIds(), std::vector<int>{361});
    EXPECT_TRUE(dialogs.shownTerms.empty());

    transport->Answer("ask4ServiceActivation",
                      Reply::Status(0, "id=\"5\"") + "<EULA>T</EULA>" + Reply::Token("T1"));
    Logic().ToggleService(dialogs); // cancelled
    EXPECT_EQ(dialogs.shownTerms.size(), 1u);

    transport->Answer("ask4ServiceActivation",
                      Reply::Status(0, "id=\"6\"") + "<EULA>T</EULA>" + Reply::Token("T1"));
    transport->Answer("ServiceActivation", Reply::Status(37) + Reply::Token("T1"));
    dialogs.codes = {"x"};
    boxes.AnswerNext(Answer::No);
    Logic().ToggleService(dialogs);
    EXPECT_EQ(boxes.ShownIds().back(), ProgramString::WrongActivationCode);
    EXPECT_FALSE(user.IsPostpaidSvcActive());
    EXPECT_EQ(changed, 0);
    EXPECT_EQ(transport->Unused(), 0u);
}

TEST_F(SettingsPageLogicTest, DeactivationWithTheObkServiceMovesToPortalCredits) {
    WithServices(true, true);
    boxes.AnswerNext(Answer::No);
    Logic().ToggleService(dialogs);
    EXPECT_EQ(boxes.Last().defaultButton, Answer::No);
    EXPECT_EQ(transport->Operations().back(), "getServices");

    transport->Answer("ServiceDeactivation", Reply::Status(0) + Reply::Token("T1"));
    transport->Answer("getServices", Services(true, false));
    boxes.AnswerNext(Answer::Yes);
    Logic().ToggleService(dialogs);
    EXPECT_EQ(boxes.ShownIds(), (std::vector<int>{ProgramString::ConfirmDeactivation,
                                                  ProgramString::ConfirmDeactivation,
                                                  ProgramString::ServiceDeactivated}));
    EXPECT_TRUE(Logic().Fields().portalCredits);
    EXPECT_EQ(Logic().Services().activationText, ProgramString::ActivateService);
    EXPECT_EQ(changed, 1);
    EXPECT_EQ(ended, 0);
}

TEST_F(SettingsPageLogicTest, DeactivationWithoutTheObkServiceEndsTheProgram) {
    WithServices(false, true);
    transport->Answer("ServiceDeactivation", Reply::Status(0) + Reply::Token("T1"));
    boxes.AnswerNext(Answer::Yes);
    Logic().ToggleService(dialogs);
    EXPECT_EQ(boxes.ShownIds().back(), ProgramString::ProgramMustEnd);
    EXPECT_EQ(boxes.Last().icon, IMessageBox::Icon::Exclamation);
    EXPECT_EQ(ended, 1);
    EXPECT_EQ(transport->Unused(), 0u);

    // A refusal says why and ends nothing.
    transport->Answer("ServiceDeactivation", Reply::Status(33) + Reply::Token("T1"));
    boxes.AnswerNext(Answer::Yes);
    Logic().ToggleService(dialogs);
    EXPECT_EQ(boxes.ShownIds().back(), 333);
    EXPECT_EQ(ended, 1);
}

TEST_F(SettingsPageLogicTest, AServiceFailureShowsItsMessage) {
    WithServices(true, false);
    transport->Fail(12029);
    Logic().ToggleService(dialogs);
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Last().icon, IMessageBox::Icon::Stop);
    EXPECT_TRUE(dialogs.shownTerms.empty());
}

class AutostartEntryTest : public ::testing::Test {
protected:
    std::string File() const { return (folder.Path() / "autostart" / "q.desktop").string(); }
    TempDir folder;
};

TEST_F(AutostartEntryTest, WrittenReadBackAndDeleted) {
    const AutostartEntry entry("/opt/velora/quillon", File());
    EXPECT_FALSE(entry.IsSet());
    ASSERT_TRUE(entry.Set(true));
    EXPECT_TRUE(entry.IsSet());
    std::ifstream in(File());
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    EXPECT_NE(text.find("[Desktop Entry]\nType=Application\n"), std::string::npos);
    EXPECT_NE(text.find("\nExec=/opt/velora/quillon -min\n"), std::string::npos);
    EXPECT_NE(text.find("\nName=Velora Quillon\n"), std::string::npos);
    EXPECT_NE(text.find("\nX-GNOME-Autostart-enabled=true\n"), std::string::npos);

    ASSERT_TRUE(entry.Set(false));
    EXPECT_FALSE(std::filesystem::exists(File()));
    EXPECT_TRUE(entry.Set(false)); // nothing left to delete
}

TEST_F(AutostartEntryTest, AnEntryOfAnotherProgramOrDisabledReadsUnchecked) {
    ASSERT_TRUE(AutostartEntry("/opt/other/quillon", File()).Set(true));
    EXPECT_FALSE(AutostartEntry("/opt/velora/quillon", File()).IsSet());
    // A longer path that starts with ours is another program.
    EXPECT_FALSE(AutostartEntry("/opt/other/quil", File()).IsSet());

    std::ofstream(File()) << "[Desktop Entry]\nExec=/opt/other/quillon -min\nHidden=true\n";
    EXPECT_FALSE(AutostartEntry("/opt/other/quillon", File()).IsSet());
}

TEST_F(AutostartEntryTest, PathsWithBlanksAndSpecialCharactersRoundTrip) {
    for (const std::string path :
         {"/home/ann/My Programs/quillon", "/opt/a\"b$c\\d/quillon", "/opt/100%/quillon"}) {
        const AutostartEntry entry(path, File());
        ASSERT_TRUE(entry.Set(true)) << path;
        EXPECT_TRUE(entry.IsSet()) << path;
        EXPECT_EQ(AutostartEntry::ExecProgram(AutostartEntry::ExecValue(path)), path);
    }
    EXPECT_EQ(AutostartEntry::ExecValue("/home/ann/My Programs/quillon"),
              "\"/home/ann/My Programs/quillon\" -min");
    EXPECT_EQ(AutostartEntry::ExecProgram("\"/unterminated -min"), std::nullopt);
}

TEST_F(AutostartEntryTest, TheFileIsUnderXdgConfigHome) {
    const char* before = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = before ? before : "";
    setenv("XDG_CONFIG_HOME", folder.Path().c_str(), 1);
    EXPECT_EQ(AutostartEntry::DefaultFile(),
              (folder.Path() / "autostart" / "velora-quillon.desktop").string());
    setenv("XDG_CONFIG_HOME", "relative/is/ignored", 1);
    EXPECT_NE(AutostartEntry::DefaultFile().find("/.config/autostart/velora-quillon.desktop"),
              std::string::npos);
    if (before)
        setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
}

TEST(ProgramLanguagesTest, SlovakFirstThenKnownLibrariesOfThisVersion) {
    const FolderLister list = [](const std::string& folder) {
        EXPECT_EQ(folder, "/opt/q/Lang/");
        return std::vector<std::string>{"German_EXE.so", "English_EXE.so", "Klingon_EXE.so",
                                        "Hungarian.so",  "english_EXE.so", "Slovak_EXE.so",
                                        "French_EXE.so"};
    };
    const LanguageLoader load = [](const std::string& path,
                                   std::string_view version) -> std::optional<LanguageResources> {
        EXPECT_EQ(version, "1.6");
        if (path.ends_with("French_EXE.so")) // another version
            return std::nullopt;
        return LanguageResources{};
    };
    EXPECT_EQ(ProgramLanguages("/opt/q/", "1.6", load, list),
              (std::vector<std::uint16_t>{1051, 1033, 1031}));
}

TEST(HelpPageUrlTest, TheServicesHostWithoutToken) {
    EXPECT_EQ(HelpPageUrl("https://127.0.0.1:4443/sk/!kvws.sms", "news.html"),
              "https://127.0.0.1:4443/quillon/news.html");
    EXPECT_EQ(HelpPageUrl("https://sms.velora.sk", "manual.html"),
              "https://sms.velora.sk/quillon/manual.html");
    EXPECT_EQ(HelpPageUrl("", "support.html"), "");
}

} // namespace
