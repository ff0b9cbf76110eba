#include "app/singleinstance.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QWidget>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif
#ifdef Q_OS_LINUX
#include <sys/socket.h>
#endif

namespace ykt {

namespace {

const QByteArray kRaiseRequest = "raise";
// A request is one short line; anything longer is not from us.
constexpr qsizetype kMaxRequest = 64;

QString userId()
{
#ifdef Q_OS_UNIX
    return QString::number(::getuid());
#else
    return qEnvironmentVariable("USERNAME");
#endif
}

// The user's runtime folder (private to the user, the same for the whole
// session whatever TMPDIR says) when there is one, else the temporary folder.
QString lockFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir() && QFileInfo(runtime).isWritable())
        return runtime;
    return QDir::tempPath();
}

#ifdef Q_OS_LINUX
// Whether the server on the abstract name runs as this user: abstract names
// carry no permissions, so another user could have taken ours.
bool listenerIsThisUser(const QString &name)
{
    QLocalSocket socket;
    socket.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
    socket.connectToServer(name);
    if (!socket.waitForConnected(500))
        return false;
    ucred peer{};
    socklen_t size = sizeof peer;
    const bool same =
        ::getsockopt(int(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 &&
        peer.uid == ::getuid();
    socket.abort();
    return same;
}
#endif

} // namespace

QString SingleInstance::instanceName(const QString &application)
{
    QString name = application;
    for (QChar &c : name) {
        const char16_t u = c.unicode();
        const bool plain = (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') ||
                           (u >= '0' && u <= '9') || u == '.' || u == '_' || u == '-';
        if (!plain)
            c = QLatin1Char('_');
    }
    return name + QLatin1Char('-') + userId();
}

SingleInstance::SingleInstance(const QString &application, QObject *parent) : QObject(parent)
{
    m_serverName = instanceName(application);
    m_lockPath = QDir(lockFolder()).filePath(m_serverName + QStringLiteral(".lock"));
}

SingleInstance::~SingleInstance()
{
    // The sockets say "disconnected" as they go; they must not reach us then.
    if (m_server) {
        const auto sockets = m_server->findChildren<QLocalSocket *>();
        for (QLocalSocket *socket : sockets)
            disconnect(socket, nullptr, this, nullptr);
        delete m_server;
    }
    // m_lock unlocks in its destructor.
}

bool SingleInstance::isPrimary()
{
    if (m_decided)
        return m_primary;
    m_decided = true;

    m_lock = std::make_unique<QLockFile>(m_lockPath);
    // Held for the whole run, so age never makes it stale; only a lock whose
    // process has gone is.
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(0)) {
        if (m_lock->error() == QLockFile::LockFailedError)
            return false; // another copy holds it
        // The lock file cannot be made at all (no writable temporary folder):
        // running unguarded is better than not running.
        m_error = QStringLiteral("Cannot create the lock file %1")
                      .arg(QDir::toNativeSeparators(m_lockPath));
        m_primary = true;
        return true;
    }
    m_primary = true;

    m_server = new QLocalServer(this);
#ifdef Q_OS_LINUX
    // A name in the abstract namespace leaves no socket file behind.
    m_server->setSocketOptions(QLocalServer::AbstractNamespaceOption);
#endif
    // Where the socket is a file, one left by a copy that crashed would make
    // listen() fail; we hold the lock, so nothing alive uses this name.
    QLocalServer::removeServer(m_serverName);
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);
    if (!m_server->listen(m_serverName)) {
#ifdef Q_OS_LINUX
        // The abstract name is the user's, whatever folder holds the lock: a
        // copy that took its lock elsewhere (another TMPDIR or runtime
        // folder) holds it and is the first copy.
        if (m_server->serverError() == QAbstractSocket::AddressInUseError &&
            listenerIsThisUser(m_serverName)) {
            delete m_server;
            m_server = nullptr;
            m_lock.reset();
            m_primary = false;
            return false;
        }
#endif
        m_error =
            QStringLiteral("Cannot listen on %1: %2").arg(m_serverName, m_server->errorString());
    }
    return true;
}

bool SingleInstance::askPrimaryToRaise(int timeoutMs)
{
    QLocalSocket socket;
#ifdef Q_OS_LINUX
    socket.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
#endif
    socket.connectToServer(m_serverName);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    const QByteArray request = kRaiseRequest + '\n';
    if (socket.write(request) != request.size())
        return false;
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(timeoutMs))
            return false;
    }
    socket.disconnectFromServer();
    return true;
}

void SingleInstance::acceptConnections()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        m_pending.insert(socket, QByteArray());
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readRequest(socket); });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] {
            readRequest(socket);
            m_pending.remove(socket);
            socket->deleteLater();
        });
        // The other copy may have sent its line and gone before we got here.
        readRequest(socket);
    }
}

void SingleInstance::readRequest(QLocalSocket *socket)
{
    auto it = m_pending.find(socket);
    if (it == m_pending.end())
        return;
    it->append(socket->readAll());
    const qsizetype end = it->indexOf('\n');
    if (end < 0) {
        if (it->size() > kMaxRequest) {
            m_pending.erase(it);
            socket->abort();
        }
        return;
    }
    const bool raise = it->left(end).trimmed() == kRaiseRequest;
    // One request per connection; the socket goes once it is read.
    m_pending.erase(it);
    socket->disconnectFromServer();
    if (raise)
        emit raiseRequested();
}

void SingleInstance::raiseWindow(QWidget *w)
{
    if (!w)
        return;
    if (w->isMinimized())
        w->showNormal();
    else if (!w->isVisible())
        w->show();
    w->raise();
    w->activateWindow();
}

} // namespace ykt
