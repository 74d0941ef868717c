#include "app/frmPlandeck.h"
#include "platform/DisplayCheck.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char* argv[]) {
    if (std::string message = plandeck::MissingDisplayMessage(); !message.empty()) {
        std::fputs(message.c_str(), stderr);
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName("Plandeck");
    plandeck::frmPlandeck window(plandeck::DataDirectory(QCoreApplication::applicationDirPath().toStdString()));
    if (window.options().maximised)
        window.showMaximized();
    else
        window.show();
    return QApplication::exec();
}
