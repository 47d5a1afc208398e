// Quillon, the desktop program: SMS through the operator Velora's web service.
#include "controls/Pictures.h"
#include "controls/WidgetMessageBox.h"
#include "logic/CommandLine.h"
#include "logic/ProgramStrings.h"
#include "platform/LibsecretStore.h"
#include "windows/LinkChannel.h"
#include "windows/ProgramStart.h"
#include "windows/TerminationSignals.h"

#include <QApplication>

int main(int argc, char** argv) {
    const CommandLine commandLine = ParseCommandLine(argc, argv);
    // Started with the session by a user who never set the program up: nothing to show.
    if (EndsAtOnce(commandLine, ConfigFolderExists()))
        return 0;

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("quillon"));
    QApplication::setApplicationDisplayName(QStringLiteral("Quillon"));
    QApplication::setDesktopFileName(QStringLiteral("quillon"));
    QApplication::setWindowIcon(OwnIcon(QStringLiteral("quillon")));
    // Windows come and go during the start-up; only ProgramStart ends the program.
    QApplication::setQuitOnLastWindowClosed(false);

    // A link for a copy that runs already goes there, and this copy is done.
    if (!commandLine.link.empty() && LinkChannel::Forward(QString::fromStdString(commandLine.link)))
        return 0;

    // A saved password goes to the desktop's secret service where one runs.
    LibsecretStore::InstallForProcess();
    const auto title = ProgramStrings().GetUtf8(ProgramString::Title);
    WidgetMessageBox boxes(nullptr, QString::fromUtf8(title->data(), int(title->size())));
    ProgramStart start(commandLine, boxes);
    QObject::connect(&start, &ProgramStart::ended, &app, &QApplication::exit, Qt::QueuedConnection);
    TerminationSignals terminations;
    QObject::connect(&terminations, &TerminationSignals::received, &start,
                     &ProgramStart::Terminate);
    start.Start();
    return QApplication::exec();
}
