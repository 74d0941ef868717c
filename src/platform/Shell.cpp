#include "platform/Shell.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGuiApplication>
#include <QUrl>

namespace plandeck {

bool Shell::openDocument(const QString& path) {
    if (!QFileInfo::exists(path))
        return false;
    if (s_recording) {
        s_opened.push_back(path);
        return true;
    }
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
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
