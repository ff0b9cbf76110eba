#include "app/singleinstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QWidget>

#ifdef Q_OS_UNIX
#include <unistd.h>
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

QString baseName(const QString &key)
{
    const QString user = userId();
    const QByteArray digest =
        QCryptographicHash::hash(key.toUtf8() + '\n' + user.toUtf8(), QCryptographicHash::Sha1);
    return QStringLiteral("ykt4m-loader-%1-%2")
        .arg(QString::fromLatin1(digest.toHex().left(16)), user);
}

} // namespace

SingleInstance::SingleInstance(const QString &key, QObject *parent) : QObject(parent)
{
    const QString base = baseName(key);
    m_lockPath = QDir(QDir::tempPath()).filePath(base + QStringLiteral(".lock"));
    m_serverName = base;
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
    if (!m_server->listen(m_serverName))
        m_error =
            QStringLiteral("Cannot listen on %1: %2").arg(m_serverName, m_server->errorString());
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
