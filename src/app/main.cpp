#include "app/MainWindow.h"
#include "platform/DisplayCheck.h"
#include "platform/UnixSignals.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char* argv[]) {
    if (std::string message = plandeck::MissingDisplayMessage(); !message.empty()) {
        std::fputs(message.c_str(), stderr);
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Plandeck"));
    // A log-out or a kill closes the window the ordinary way, so the settings are saved. The handler is in
    // place before start-up; a signal that comes early is handled once the window runs.
    plandeck::UnixSignals unixSignals;
    plandeck::MainWindow window(plandeck::DataDirectory(QCoreApplication::applicationDirPath().toStdString()));
    QObject::connect(&unixSignals, &plandeck::UnixSignals::terminationRequested, &window,
                     &plandeck::MainWindow::terminate);
    if (!window.start())
        return 0;
    window.showAsStored();
    return QApplication::exec();
}
