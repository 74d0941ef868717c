#include "platform/SingleInstance.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <unistd.h>

namespace plandeck {

namespace {

// What a second start sends, and what the running copy answers once it has come to the front.
constexpr char WakeRequest[] = "show\n";
constexpr char WakeAnswer[] = "ok\n";
// A second start with a calendar file to import: this, the file's absolute path and a line end.
constexpr char ImportRequest[] = "import ";
// The longest request line: the import's path included.
constexpr qint64 LongestRequest = 8192;
// A connection that says nothing is dropped after this long.
constexpr int IdleConnectionMilliseconds = 5000;
// The longest path a local socket may have, with room to spare.
constexpr int LongestSocketPath = 100;

} // namespace

SingleInstance::SingleInstance(const QString& dataFolder, QObject* parent)
    : QObject(parent), m_socketPath(socketPath(dataFolder)),
      m_lock(std::make_unique<QLockFile>(dataFolder + QStringLiteral("/plandeck.lock"))) {
    // A lock is stale only when its process is gone; its age does not matter.
    m_lock->setStaleLockTime(0);
}

SingleInstance::~SingleInstance() {
    // The socket goes before the lock, so that it never removes the socket of a copy that took the lock over.
    delete m_server;
}

QString SingleInstance::socketPath(const QString& dataFolder) {
    const QFileInfo folder(dataFolder);
    const QString canonical = folder.canonicalFilePath();
    const QByteArray hash =
        QCryptographicHash::hash((canonical.isEmpty() ? folder.absoluteFilePath() : canonical).toUtf8(),
                                 QCryptographicHash::Sha256)
            .toHex()
            .left(24);
    const QString name = QStringLiteral("plandeck-") + QString::fromLatin1(hash);
    // The runtime folder is the user's own; the temporary folder is shared, so the name carries the user.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (runtime.startsWith(QLatin1Char('/')) && QFileInfo(runtime).isDir() &&
        runtime.size() + name.size() < LongestSocketPath)
        return runtime + QLatin1Char('/') + name;
    return QDir::tempPath() + QStringLiteral("/plandeck-") + QString::number(::getuid()) + QLatin1Char('-') +
           QString::fromLatin1(hash);
}

bool SingleInstance::acquire() {
    if (m_held)
        return true;
    m_held = m_lock->tryLock(0);
    if (m_held)
        listen();
    // A folder where no lock can be written (read-only media) must not keep the program from starting:
    // only a lock held by another living copy does.
    return m_held || m_lock->error() != QLockFile::LockFailedError;
}

void SingleInstance::listen() {
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // With the lock held no other copy listens on this folder's name: a socket file there was left by a copy
    // that ended without removing it.
    QLocalServer::removeServer(m_socketPath);
    if (!m_server->listen(m_socketPath)) {
        // The program runs all the same; a second start then only shows that it is already running.
        delete m_server;
        m_server = nullptr;
        return;
    }
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, &SingleInstance::answer);
            QTimer::singleShot(IdleConnectionMilliseconds, socket, &QLocalSocket::abort);
        }
    });
}

void SingleInstance::answer() {
    auto* socket = qobject_cast<QLocalSocket*>(sender());
    if (!socket || !socket->canReadLine())
        return;
    const QByteArray request = socket->readLine(LongestRequest);
    const bool wake = request == WakeRequest;
    if (request.startsWith(ImportRequest) && request.endsWith('\n') && m_importHandler)
        socket->write(m_importHandler(QString::fromUtf8(request.mid(sizeof ImportRequest - 1).chopped(1))));
    else
        socket->write(wake ? WakeAnswer : "?\n");
    socket->flush();
    socket->disconnectFromServer();
    if (wake)
        emit wakeRequested();
}

bool SingleInstance::wakeRunningCopy(int timeoutMs) const {
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    socket.connectToServer(m_socketPath);
    if (!socket.waitForConnected(deadline.remainingTime()))
        return false;
    socket.write(WakeRequest);
    if (!socket.waitForBytesWritten(deadline.remainingTime()))
        return false;
    while (!socket.canReadLine())
        if (deadline.hasExpired() || !socket.waitForReadyRead(deadline.remainingTime()))
            return false;
    return socket.readLine(64) == WakeAnswer;
}

std::optional<QByteArray> SingleInstance::handImport(const QString& path, int connectMs, int answerMs) const {
    QLocalSocket socket;
    socket.connectToServer(m_socketPath);
    if (!socket.waitForConnected(connectMs))
        return std::nullopt;
    socket.write(ImportRequest + path.toUtf8() + '\n');
    const QDeadlineTimer deadline(answerMs);
    if (!socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime())))
        return std::nullopt;
    // The answer ends when the running copy hangs up.
    QByteArray answer;
    while (socket.state() == QLocalSocket::ConnectedState && !deadline.hasExpired()) {
        socket.waitForReadyRead(static_cast<int>(deadline.remainingTime()));
        answer += socket.readAll();
    }
    answer += socket.readAll();
    if (answer.isEmpty() || answer == "?\n")
        return std::nullopt;
    return answer;
}

} // namespace plandeck
