#include "app/AgendaCommandLine.h"
#include "app/CalendarCommandLine.h"
#include "app/ExitAfterFirstPaint.h"
#include "app/MainWindow.h"
#include "platform/Autostart.h"
#include "platform/DisplayCheck.h"
#include "platform/Launcher.h"
#include "platform/UnixSignals.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
    if (std::optional<int> exitCode = plandeck::RunLauncherCommand(argc, argv))
        return *exitCode;
    // The agenda prints and ends without a window, so it needs no display.
    if (plandeck::IsAgendaCommandLine(argc, argv))
        return plandeck::RunAgendaCommandLine(argc, argv);
    // So do the calendar files' export and import.
    if (plandeck::IsCalendarCommandLine(argc, argv))
        return plandeck::RunCalendarCommandLine(argc, argv);
    if (std::string message = plandeck::MissingDisplayMessage(); !message.empty()) {
        std::fputs(message.c_str(), stderr);
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Plandeck"));
    // The program ends when its main window closes, not when the last visible window does: with the main
    // window hidden in the tray, closing a message box must not end it.
    QApplication::setQuitOnLastWindowClosed(false);
    // A log-out or a kill closes the window the ordinary way, so the settings are saved. The handler is in
    // place before start-up; a signal that comes early is handled once the window runs.
    plandeck::UnixSignals unixSignals;
    plandeck::MainWindow window(plandeck::DataDirectory(QCoreApplication::applicationDirPath().toStdString()));
    QObject::connect(&unixSignals, &plandeck::UnixSignals::terminationRequested, &window,
                     &plandeck::MainWindow::terminate);
    // The options' Save registers the program in the user's autostart folder (tests leave the home alone).
    window.setAutorunHook(plandeck::ApplyStartAtLogon);
    // The start-up benchmark times the program from its start to the first paint of the main window, or to
    // the services that start right after it ("services").
    if (const QByteArray exit = qgetenv("PLANDECK_EXIT_AFTER_FIRST_PAINT"); exit == "services")
        QObject::connect(&window, &plandeck::MainWindow::servicesStarted, [] { std::_Exit(0); });
    else if (!exit.isEmpty())
        new plandeck::ExitAfterFirstPaint(&window);
    if (!window.start())
        return 0;
    window.showAsStored();
    return QApplication::exec();
}
