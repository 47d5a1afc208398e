// The desktop program started with English chosen in the settings, against quillon-sim: the
// login dialog and the main window speak English. It runs from the built program's folder,
// where the program finds its language libraries.
#include "windows/LoginDlg.h"
#include "windows/MainWindow.h"
#include "windows/ProgramStart.h"

#include "logic/LanguageChoice.h"
#include "model/SmsConfig.h"

#include "ScriptedMessageBox.h"
#include "SimulatorProcess.h"
#include "TestSupport.h"

#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

void Type(QWidget* dialog, const char* name, const QString& text) {
    auto* edit = dialog->findChild<QLineEdit*>(QLatin1String(name));
    ASSERT_NE(edit, nullptr) << name;
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

TEST(ProgramStartInEnglish, TheLoginDialogAndTheMainWindowSpeakEnglish) {
    const ScopedDataHome home;
    SimulatorProcess sim(QUILLON_SIM_PATH, {"--state", (home.Path() / "sim").string(), "--account",
                                            "demo:demo-secret:421905123456"});
    setenv("QUILLON_SERVICE_URL", sim.Url().c_str(), 1);
    setenv("QUILLON_CA_FILE", sim.CaFile().c_str(), 1);
    CSmsConfig::CreateInstance();
    CSmsConfig& config = *CSmsConfig::GetInstance();
    config.SetAppMode(CSmsConfig::MultiUser);
    // As the settings page stores the choice of English.
    config.SetLcid(1033);

    QString loginTitle, nameLabel, okCaption;
    QTimer answering;
    QObject::connect(&answering, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<LoginDlg*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        answering.stop();
        loginTitle = dialog->windowTitle();
        for (const QLabel* label : dialog->findChildren<QLabel*>())
            nameLabel += label->text() + "|";
        okCaption = dialog->findChild<QPushButton*>("okButton")->text();
        Type(dialog, "nameLineEdit", "demo");
        Type(dialog, "passwordLineEdit", "demo-secret");
        QTest::mouseClick(dialog->findChild<QPushButton*>("okButton"), Qt::LeftButton);
    });
    answering.start(10);

    ScriptedMessageBox boxes;
    ProgramStart start(CommandLine{}, boxes);
    QStringList tabs;
    QString exitCaption;
    QEventLoop loop;
    QObject::connect(&start, &ProgramStart::ended, &loop, [&](int) { loop.quit(); });
    QObject::connect(&start, &ProgramStart::running, &loop, [&] {
        MainWindow* window = start.GetMainWindow();
        const auto* pages = window->findChild<QTabWidget*>("pagesTabWidget");
        for (int i = 0; pages && i < pages->count(); ++i)
            tabs << pages->tabText(i);
        exitCaption = window->findChild<QPushButton*>("exitButton")->text();
        emit window->finished();
    });
    start.Start();
    loop.exec();

    EXPECT_EQ(config.GetLcid(), 1033);
    EXPECT_EQ(loginTitle, "Velora login");
    EXPECT_TRUE(nameLabel.contains("&Login name:")) << nameLabel.toStdString();
    EXPECT_EQ(okCaption, "OK");
    EXPECT_EQ(tabs, QStringList({"SMS", "Contacts", "Groups", "Archive", "Settings", "Help"}));
    EXPECT_EQ(exitCaption, "E&xit");
    EXPECT_TRUE(boxes.Shown().empty());
    unsetenv("QUILLON_SERVICE_URL");
    unsetenv("QUILLON_CA_FILE");
}

} // namespace
