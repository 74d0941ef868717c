#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QStringList>
#include <QTimer>

namespace plandeck {

// Tells when another program may have changed the watched files, about 200 ms after the last sign of it.
// Each file's folder is watched too: a program that saves by renaming a new file over the old one takes the
// watched file away, and the folder's change is how that is seen (the file is then watched again).
class FileWatcher : public QObject {
    Q_OBJECT
public:
    static constexpr int QuietMilliseconds = 200;

    explicit FileWatcher(QObject* parent = nullptr);
    // The files to watch from now on.
    void setFiles(const QStringList& files);
    const QStringList& files() const { return m_files; }

signals:
    // Something changed; what, the owners of the files find out by their stamps.
    void changed();

private:
    void rewatch();

    QFileSystemWatcher m_watcher;
    QTimer m_quiet;
    QStringList m_files;
};

} // namespace plandeck
