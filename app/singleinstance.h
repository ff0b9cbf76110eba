#pragma once

// One running copy of the program per user, wherever it was started from: two
// installed copies, or a copy unpacked into another folder, are still the
// same program to the user. The first start holds a lock file in the user's
// runtime folder (XDG_RUNTIME_DIR, else the temporary folder) and listens on
// a local socket; a later start finds the lock taken (or, when it looked for
// the lock in another folder, the socket's name in use by the same user),
// asks the first one over the socket to bring its window to the front, and
// ends.
//
// The lock is a QLockFile: it is held for the life of the object, and a lock
// left behind by a copy that crashed is recognised (its process is gone) and
// taken over. The lock file and the socket are named after the application
// name and the user id, so other users run on their own.

#include <QHash>
#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;
class QLocalSocket;
class QLockFile;
class QWidget;

namespace ykt {

class SingleInstance : public QObject
{
    Q_OBJECT

public:
    // The program's own application name; tests give names of their own.
    static constexpr char kApplication[] = "ykt4m-loader";

    explicit SingleInstance(const QString &application = QLatin1String(kApplication),
                            QObject *parent = nullptr);
    ~SingleInstance() override;

    // Whether this is the first copy. Decided on the first call, which takes
    // the lock and, when it succeeds, starts listening for later copies. When
    // no lock file can be made at all this copy counts as the first, so that
    // the program still runs; errorString() says why.
    bool isPrimary();

    // For a later copy: sends "raise" to the first one. True when the request
    // was delivered within timeoutMs.
    bool askPrimaryToRaise(int timeoutMs = 1000);

    // Why the lock file could not be made, or why later copies cannot reach
    // this one (listening failed); empty when all is well.
    QString errorString() const { return m_error; }

    QString lockFilePath() const { return m_lockPath; }
    QString serverName() const { return m_serverName; }

    // "<application>-<user id>", with every character outside letters,
    // digits, '.', '_' and '-' turned into '_': the socket's name and the
    // lock file's base name.
    static QString instanceName(const QString &application);

    // Brings w to the front: restores it when minimised, shows it when hidden.
    static void raiseWindow(QWidget *w);

signals:
    // A later copy asked for the window; emitted on the primary.
    void raiseRequested();

private:
    void acceptConnections();
    void readRequest(QLocalSocket *socket);

    QString m_lockPath;
    QString m_serverName;
    QString m_error;
    bool m_decided = false;
    bool m_primary = false;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer *m_server = nullptr;
    QHash<QLocalSocket *, QByteArray> m_pending;
};

} // namespace ykt
