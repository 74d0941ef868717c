#pragma once

#include <QByteArray>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class QLocalServer;

namespace plandeck {

// Keeps a second copy of the program from running on the same data folder. The lock is a file in the data
// folder holding the owner's process id: a lock left behind by a copy that crashed is taken over, and two
// portable copies in different folders each have their own.
//
// The copy that holds the lock also listens on a local socket named after the data folder, so that a second
// start can ask it to come to the front instead of only being refused. The lock alone decides who runs; the
// socket only wakes the running copy.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    explicit SingleInstance(const QString& dataFolder, QObject* parent = nullptr);
    ~SingleInstance() override;

    // False only when another copy holds the lock. Once the lock is held, the socket listens.
    bool acquire();
    bool held() const { return m_held; }

    // Asks the copy that holds the lock to come to the front; true when it said so within `timeoutMs`.
    bool wakeRunningCopy(int timeoutMs = 1000) const;

    // The socket's full path for a data folder: a hash of the folder's canonical path, so that one folder
    // however spelled gives one name and two folders never share one. It lies in the user's runtime folder
    // ($XDG_RUNTIME_DIR), or in the temporary folder with the user's id in the name.
    static QString socketPath(const QString& dataFolder);

    // A calendar file handed over by a second start ("plandeck --import-ics FILE"): the running copy imports
    // it and answers with the exit code on the first line and then the report. Without a handler the
    // request is refused.
    using ImportHandler = std::function<QByteArray(const QString& path)>;
    void setImportHandler(ImportHandler handler) { m_importHandler = std::move(handler); }
    // Hands a calendar file to the copy that holds the lock; its answer, or nothing when no copy answered
    // (it is given `answerMs` to import once it took the request within `connectMs`).
    std::optional<QByteArray> handImport(const QString& path, int connectMs = 1000, int answerMs = 30000) const;

signals:
    // Another start of the program on this folder asked for the window.
    void wakeRequested();

private:
    void listen();
    void answer();

    QString m_socketPath;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer* m_server = nullptr;
    bool m_held = false;
    ImportHandler m_importHandler;
};

} // namespace plandeck
