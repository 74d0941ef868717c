#include "platform/Shell.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QUrl>

namespace plandeck {

void Shell::openDocument(const QString& path) {
    if (s_recording) {
        s_opened.push_back(path);
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void Shell::copyText(const QString& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text);
}

void Shell::setRecording(bool on) {
    s_recording = on;
    s_opened.clear();
}

} // namespace plandeck
