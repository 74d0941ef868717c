#include "platform/FileWatcher.h"

#include <QFileInfo>

namespace plandeck {

FileWatcher::FileWatcher(QObject* parent) : QObject(parent) {
    m_quiet.setSingleShot(true);
    m_quiet.setInterval(QuietMilliseconds);
    connect(&m_quiet, &QTimer::timeout, this, &FileWatcher::changed);
    auto seen = [this] {
        // A replaced file dropped out of the watch: take it up again.
        rewatch();
        m_quiet.start();
    };
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, seen);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, seen);
}

void FileWatcher::setFiles(const QStringList& files) {
    if (files == m_files)
        return;
    m_files = files;
    if (!m_watcher.files().isEmpty())
        m_watcher.removePaths(m_watcher.files());
    if (!m_watcher.directories().isEmpty())
        m_watcher.removePaths(m_watcher.directories());
    rewatch();
}

void FileWatcher::rewatch() {
    const QStringList watchedFiles = m_watcher.files();
    const QStringList watchedFolders = m_watcher.directories();
    for (const QString& file : m_files) {
        const QFileInfo info(file);
        const QString folder = info.absolutePath();
        if (!watchedFolders.contains(folder) && QFileInfo(folder).isDir())
            m_watcher.addPath(folder);
        if (!watchedFiles.contains(file) && info.exists())
            m_watcher.addPath(file);
    }
}

} // namespace plandeck
