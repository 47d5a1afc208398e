// The desktop program's start-up against quillon-sim over HTTPS: the login with a wrong and then
// the right password, a version the service no longer serves, the registration of a missing
// mobile number, a second copy, sms: links handed over by a later copy, and the end on a
// termination signal.
#include "windows/ProgramStart.h"
#include "windows/LinkChannel.h"
#include "windows/LoginDlg.h"
#include "windows/MainWindow.h"
#include "windows/MobileRegistrationDlg.h"
#include "windows/SplashWindow.h"
#include "windows/TerminationSignals.h"

#include "frontend/ServiceErrorText.h"
#include "logic/LanguageChoice.h"
#include "logic/ProgramStrings.h"
#include "model/SmsConfig.h"
#include "model/SmsUserInfo.h"
#include "platform/RunningCopies.h"

#include "ModalScript.h"
#include "ScriptedMessageBox.h"
#include "SimulatorProcess.h"
#include "TestSupport.h"

#include <QApplication>
#include <QEventLoop>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <functional>
#include <future>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

using Answer = IMessageBox::Answer;

QLineEdit* Edit(QWidget* dialog, const char* name) {
    auto* edit = dialog->findChild<QLineEdit*>(QLatin1String(name));
    EXPECT_NE(edit, nullptr) << name;
    return edit;
}

QPushButton* Button(QWidget* dialog, const char* name) {
    auto* button = dialog->findChild<QPushButton*>(QLatin1String(name));
    EXPECT_NE(button, nullptr) << name;
    return button;
}

void Type(QWidget* dialog, const char* name, const QString& text) {
    QLineEdit* edit = Edit(dialog, name);
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

ModalScript::Step LogInAs(const QString& name, const QString& password) {
    return [name, password](QWidget* dialog) {
        ASSERT_NE(qobject_cast<LoginDlg*>(dialog), nullptr);
        Type(dialog, "nameLineEdit", name);
        Type(dialog, "passwordLineEdit", password);
        QTest::mouseClick(Button(dialog, "okButton"), Qt::LeftButton);
    };
}

// A fresh profile folder, the service of the test and the settings the start-up reads.
class ProgramStartTest : public ::testing::Test {
protected:
    void StartService(const std::string& accounts) {
        m_sim = std::make_unique<SimulatorProcess>(
            QUILLON_SIM_PATH, std::vector<std::string>{"--state", (m_home.Path() / "sim").string(),
                                                       "--admin", "--account", accounts});
        setenv("QUILLON_SERVICE_URL", m_sim->Url().c_str(), 1);
        setenv("QUILLON_CA_FILE", m_sim->CaFile().c_str(), 1);
    }
    void SetUp() override {
        CSmsConfig::CreateInstance();
        Config().SetAppMode(CSmsConfig::MultiUser);
    }
    void TearDown() override {
        unsetenv("QUILLON_SERVICE_URL");
        unsetenv("QUILLON_CA_FILE");
    }
    static CSmsConfig& Config() { return *CSmsConfig::GetInstance(); }
    // The one user demo, whose password is saved: the login goes without the dialog.
    static void SetUpSavedPassword() {
        auto user = CSmsUserInfo::GetUserInfo("demo", std::string(ProgramVersion()), "QLN");
        user->SetPassword("demo-secret");
        user->SavePassword(true);
        ASSERT_TRUE(user->Save(false));
        Config().SetAppMode(CSmsConfig::SingleUserSavedPwd);
        Config().SetDefaultUser("demo");
    }

    // Runs the program until it ends; a program that gets to its main window is ended there
    // as by the exit button, once onRunning had a look.
    int Run(ProgramStart& start, std::function<void(ProgramStart&)> onRunning = nullptr) {
        QEventLoop loop;
        int exitCode = -1;
        QObject::connect(&start, &ProgramStart::ended, &loop, [&](int code) {
            exitCode = code;
            loop.quit();
        });
        QObject::connect(&start, &ProgramStart::running, &loop, [&] {
            m_reachedMainWindow = true;
            if (onRunning)
                onRunning(start);
            emit start.GetMainWindow()->finished();
        });
        start.Start();
        loop.exec();
        return exitCode;
    }

    ScopedDataHome m_home;
    std::unique_ptr<SimulatorProcess> m_sim;
    ScriptedMessageBox m_boxes;
    bool m_reachedMainWindow = false;
};

TEST_F(ProgramStartTest, AWrongPasswordShowsTheServiceErrorAndTheDialogAgain) {
    StartService("demo:demo-secret:421905123456");
    QLineEdit* secondPassword = nullptr;
    QString secondName;
    ModalScript script{LogInAs("demo", "wrong"), [&](QWidget* dialog) {
                           secondName = Edit(dialog, "nameLineEdit")->text();
                           secondPassword = Edit(dialog, "passwordLineEdit");
                           EXPECT_EQ(secondPassword->text(), QStringLiteral("******"));
                           LogInAs("demo", "demo-secret")(dialog);
                       }};
    ProgramStart start(CommandLine{}, m_boxes);
    bool splashShown = false;
    const int exitCode = Run(start, [&](ProgramStart& running) {
        splashShown = running.GetSplash() != nullptr;
        EXPECT_FALSE(running.GetSplash()->isVisible()) << "the main window closes the splash";
        ASSERT_NE(running.GetUser(), nullptr);
        EXPECT_EQ(running.GetUser()->GetName(), "demo");
        EXPECT_TRUE(running.GetMainWindow()->isVisible());
    });
    EXPECT_TRUE(script.Done());
    EXPECT_TRUE(splashShown);
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(secondName, QStringLiteral("demo"));
    ASSERT_EQ(m_boxes.Shown().size(), 1u);
    const auto expected = ServiceErrorText(ProgramStrings()).ForStatus(11);
    EXPECT_EQ(m_boxes.Last().text, expected.text);
    EXPECT_EQ(m_boxes.Last().icon, IMessageBox::Icon::Stop);
}

TEST_F(ProgramStartTest, AVersionTheServiceNoLongerServesEndsTheLoginAsFailed) {
    StartService("demo:demo-secret:421905123456,versions=0.9");
    ModalScript script{LogInAs("demo", "demo-secret")};
    ProgramStart start(CommandLine{}, m_boxes);
    EXPECT_EQ(Run(start), 1);
    EXPECT_TRUE(script.Done());
    EXPECT_FALSE(m_reachedMainWindow);
    EXPECT_EQ(m_boxes.ShownIds(), std::vector<int>{366});
    ASSERT_NE(start.GetSplash(), nullptr);
    EXPECT_FALSE(start.GetSplash()->isVisible());
    EXPECT_EQ(start.GetUser(), nullptr) << "logged out and deleted";
}

TEST_F(ProgramStartTest, AMissingNumberIsRegisteredAfterAWrongCheckString) {
    StartService("nonum:heslo123:");
    auto sendRequest = [](QWidget* dialog) {
        Type(dialog, "numberLineEdit", QStringLiteral("0905111222"));
        QTest::mouseClick(Button(dialog, "sendRequestButton"), Qt::LeftButton);
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return Edit(dialog, "codeLineEdit")->isEnabled(); }, 20000));
        EXPECT_FALSE(Edit(dialog, "numberLineEdit")->isEnabled());
        EXPECT_TRUE(Button(dialog, "verifyButton")->isDefault());
    };
    ModalScript script{[&](QWidget* dialog) {
                           // The question whether to register the number now: yes.
                           m_boxes.AnswerNext(Answer::Yes);
                           LogInAs("nonum", "heslo123")(dialog);
                       },
                       [&](QWidget* dialog) {
                           ASSERT_NE(qobject_cast<MobileRegistrationDlg*>(dialog), nullptr);
                           EXPECT_FALSE(Edit(dialog, "codeLineEdit")->isEnabled());
                           sendRequest(dialog);
                           EXPECT_EQ(m_boxes.Last().stringId, 197);

                           Type(dialog, "codeLineEdit", QStringLiteral("WRONG"));
                           m_boxes.AnswerNext(Answer::Yes); // repeat the registration
                           QTest::mouseClick(Button(dialog, "verifyButton"), Qt::LeftButton);
                           ASSERT_TRUE(QTest::qWaitFor(
                               [&] { return Edit(dialog, "numberLineEdit")->isEnabled(); }, 20000));
                           EXPECT_EQ(m_boxes.Last().stringId, 193);
                           EXPECT_TRUE(Edit(dialog, "codeLineEdit")->text().isEmpty());
                           EXPECT_FALSE(Edit(dialog, "codeLineEdit")->isEnabled());
                           EXPECT_TRUE(Button(dialog, "sendRequestButton")->isDefault());

                           sendRequest(dialog);
                           const std::string codes = m_sim->Admin("/admin/codes/nonum");
                           const std::string last =
                               codes.substr(codes.rfind(' ', codes.size() - 2) + 1);
                           Type(dialog, "codeLineEdit", QString::fromStdString(last).trimmed());
                           QTest::mouseClick(Button(dialog, "verifyButton"), Qt::LeftButton);
                       }};
    ProgramStart start(CommandLine{}, m_boxes);
    bool registered = false;
    EXPECT_EQ(
        Run(start, [&](ProgramStart& running) { registered = running.GetUser()->HasNumber(); }), 0);
    EXPECT_TRUE(script.Done());
    EXPECT_TRUE(registered);
    EXPECT_EQ(m_boxes.ShownIds(), (std::vector<int>{192, 197, 193, 197, 199}));
}

TEST_F(ProgramStartTest, ASecondCopyWarnsAndOffersNoDefaultUser) {
    StartService("demo:demo-secret:421905123456");
    Config().SetAppMode(CSmsConfig::SingleUser);
    Config().SetDefaultUser("demo");
    const RunningCopies first("quillon");
    QString offeredName = QStringLiteral("(no dialog)");
    ModalScript script{[&](QWidget* dialog) {
        offeredName = Edit(dialog, "nameLineEdit")->text();
        QTest::mouseClick(Button(dialog, "cancelButton"), Qt::LeftButton);
    }};
    ProgramStart start(CommandLine{}, m_boxes);
    EXPECT_EQ(Run(start), 1) << "a cancelled login ends the program";
    EXPECT_EQ(start.OtherCopies(), 1);
    ASSERT_EQ(m_boxes.ShownIds(), std::vector<int>{221});
    EXPECT_EQ(m_boxes.Last().icon, IMessageBox::Icon::Exclamation);
    EXPECT_TRUE(offeredName.isEmpty()) << offeredName.toStdString();
}

TEST_F(ProgramStartTest, TheSavedPasswordLogsInWithoutTheDialogAndALaterCopyHandsOverItsLink) {
    StartService("demo:demo-secret:421905123456");
    SetUpSavedPassword();
    ProgramStart start(CommandLine{false, "sms:0905123401?body=Ahoj"}, m_boxes);
    bool forwarded = false;
    bool junkTaken = true;
    const int exitCode = Run(start, [&](ProgramStart& running) {
        ASSERT_TRUE(running.TakesLinks());
        auto forward = [](const char* link) {
            return std::async(std::launch::async,
                              [link] { return LinkChannel::Forward(QString::fromUtf8(link)); });
        };
        auto good = forward("sms:+421905123456?body=Hi%20there");
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return good.wait_for(std::chrono::seconds(0)) == std::future_status::ready; },
            20000));
        forwarded = good.get();
        // Junk is taken off the socket and dropped; the program goes on.
        auto junk = forward("sms:%zz");
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return junk.wait_for(std::chrono::seconds(0)) == std::future_status::ready; },
            20000));
        junkTaken = junk.get();
    });
    EXPECT_EQ(exitCode, 0);
    EXPECT_TRUE(m_boxes.Shown().empty());
    EXPECT_TRUE(forwarded);
    EXPECT_TRUE(junkTaken);
    EXPECT_FALSE(start.TakesLinks()) << "the socket closes with the program";
    // The saved password stays for the default user.
    EXPECT_TRUE(
        CSmsUserInfo::GetUserInfo("demo", std::string(ProgramVersion()), "QLN")->IsPasswordSaved());
}

TEST_F(ProgramStartTest, StartedMinimisedItGoesToTheTrayOnlyWhenMinToTrayIsOn) {
    StartService("demo:demo-secret:421905123456");
    SetUpSavedPassword();
    CommandLine minimised;
    minimised.startMinimised = true;

    // MinToTray off: the splash shows and the main window comes up as usual.
    {
        ProgramStart start(minimised, m_boxes);
        bool visible = false;
        EXPECT_EQ(
            Run(start,
                [&](ProgramStart& running) { visible = running.GetMainWindow()->isVisible(); }),
            0);
        EXPECT_NE(start.GetSplash(), nullptr);
        EXPECT_TRUE(visible);
    }

    // MinToTray on: no splash, and the main window never comes up as a normal window: into
    // the tray, or minimised where there is none (as here).
    Config().SetMinToTray(true);
    ProgramStart start(minimised, m_boxes);
    bool hiddenOrMinimised = false;
    EXPECT_EQ(Run(start,
                  [&](ProgramStart& running) {
                      const MainWindow* window = running.GetMainWindow();
                      hiddenOrMinimised = !window->isVisible() || window->isMinimized();
                  }),
              0);
    EXPECT_EQ(start.GetSplash(), nullptr);
    EXPECT_TRUE(hiddenOrMinimised);
    Config().SetMinToTray(false);
}

// The session ends (SIGTERM) while the program runs: whatever dialog is open closes, and the
// program ends as by its exit button, without asking: profile saved, logged out.
TEST_F(ProgramStartTest, TerminatedWhileRunningItClosesItsDialogsAndSavesTheProfile) {
    StartService("demo:demo-secret:421905123456");
    SetUpSavedPassword();
    ProgramStart start(CommandLine{}, m_boxes);
    // The exit question (or the weekly notice, whichever comes first) is up when it comes.
    ModalScript script{[&](QWidget*) { start.Terminate(); }};
    QEventLoop loop;
    int exitCode = -1;
    QObject::connect(&start, &ProgramStart::ended, &loop, [&](int code) {
        exitCode = code;
        loop.quit();
    });
    QObject::connect(&start, &ProgramStart::running, &loop, [&] {
        start.GetUser()->SetMaxDays(77);
        QTimer::singleShot(0, start.GetMainWindow(), &MainWindow::Exit);
    });
    start.Start();
    loop.exec();
    EXPECT_TRUE(script.Done());
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(start.GetMainWindow(), nullptr);
    EXPECT_EQ(start.GetUser(), nullptr) << "logged out and deleted";
    const auto stored = CSmsUserInfo::GetUserInfo("demo", std::string(ProgramVersion()), "QLN");
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->GetMaxDays(), 77u);
}

TEST_F(ProgramStartTest, TerminatedDuringTheLoginItEndsAsAFailedLogin) {
    StartService("demo:demo-secret:421905123456");
    ProgramStart start(CommandLine{}, m_boxes);
    bool wasLoginDialog = false;
    ModalScript script{[&](QWidget* dialog) {
        wasLoginDialog = qobject_cast<LoginDlg*>(dialog) != nullptr;
        start.Terminate();
    }};
    EXPECT_EQ(Run(start), 1);
    EXPECT_TRUE(script.Done());
    EXPECT_TRUE(wasLoginDialog);
    EXPECT_FALSE(m_reachedMainWindow);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(TerminationSignalsTest, ASignalArrivesAsAQtSignalOnTheWindowsThread) {
    TerminationSignals terminations;
    QSignalSpy received(&terminations, &TerminationSignals::received);
    ASSERT_EQ(raise(SIGTERM), 0);
    ASSERT_TRUE(received.wait(5000));
    // The other two end the program as well.
    raise(SIGINT);
    raise(SIGHUP);
    EXPECT_TRUE(received.wait(5000));
}

// The socket of the links on its own.
class LinkChannelTest : public ::testing::Test {
protected:
    QString Path() const { return QString::fromStdString((m_folder.Path() / "links").string()); }
    TempDir m_folder;
};

TEST_F(LinkChannelTest, AListeningCopyGetsTheLinkAndASecondListenerIsRefused) {
    LinkChannel first;
    ASSERT_TRUE(first.Listen(Path()));
    LinkChannel second;
    EXPECT_FALSE(second.Listen(Path())) << "one copy listens per profile";

    QSignalSpy arrived(&first, &LinkChannel::linkArrived);
    auto forwarded = std::async(std::launch::async, [this] {
        return LinkChannel::Forward(QStringLiteral("sms:0905111222,0905333444?body=%C4%8Dau"),
                                    Path());
    });
    ASSERT_TRUE(arrived.wait(20000));
    EXPECT_EQ(arrived.at(0).at(0).toString(),
              QStringLiteral("sms:0905111222,0905333444?body=%C4%8Dau"));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return forwarded.wait_for(std::chrono::seconds(0)) == std::future_status::ready; },
        20000));
    EXPECT_TRUE(forwarded.get());
}

TEST_F(LinkChannelTest, NobodyListeningMeansTheLinkIsNotTaken) {
    EXPECT_FALSE(LinkChannel::Forward(QStringLiteral("sms:0905111222"), Path(), 500));
}

TEST_F(LinkChannelTest, TheSocketFileOfACrashedCopyIsTakenOver) {
    // A socket bound and never closed properly: what a crashed copy leaves behind.
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string path = Path().toStdString();
    path.copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    close(fd);

    LinkChannel channel;
    EXPECT_TRUE(channel.Listen(Path()));
    QSignalSpy arrived(&channel, &LinkChannel::linkArrived);
    auto forwarded = std::async(std::launch::async, [this] {
        return LinkChannel::Forward(QStringLiteral("sms:0905111222"), Path());
    });
    EXPECT_TRUE(arrived.wait(20000));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return forwarded.wait_for(std::chrono::seconds(0)) == std::future_status::ready; },
        20000));
    EXPECT_TRUE(forwarded.get());
}

} // namespace
