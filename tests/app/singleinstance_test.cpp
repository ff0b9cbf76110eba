// The single-instance rule, in one process: a QLockFile is held per file, so
// a second object with the same key finds the lock taken just as a second
// start of the program would.

#include "app/singleinstance.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalSocket>
#include <QLockFile>
#include <QTemporaryDir>
#include <QThread>
#include <QUuid>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <sys/wait.h>
#include <unistd.h>

using ykt::SingleInstance;

namespace {

// An application name of its own per test, so that no test meets a copy of the
// program that runs on this machine, nor another test.
QString uniqueKey()
{
    return QStringLiteral("ykt4m-loader-test-%1")
        .arg(QUuid::createUuid().toString(QUuid::WithoutBraces));
}

// Sets an environment variable for the life of the object.
class ScopedEnv
{
public:
    ScopedEnv(const char *name, const QByteArray &value)
        : m_name(name), m_had(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name))
    {
        qputenv(name, value);
    }
    ~ScopedEnv()
    {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char *m_name;
    bool m_had;
    QByteArray m_old;
};

bool waitUntil(const std::function<bool()> &done, int timeoutMs = 3000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < timeoutMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
    return done();
}

// Lets queued events run for a while, for checks that something does not happen.
void settle(int ms = 200)
{
    waitUntil([] { return false; }, ms);
}

// Sends raw bytes to the primary of key, as a foreign program could.
void sendRaw(const SingleInstance &instance, const QByteArray &bytes)
{
    QLocalSocket socket;
#ifdef Q_OS_LINUX
    socket.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
#endif
    socket.connectToServer(instance.serverName());
    ASSERT_TRUE(socket.waitForConnected(1000));
    socket.write(bytes);
    while (socket.bytesToWrite() > 0)
        ASSERT_TRUE(socket.waitForBytesWritten(1000));
    socket.disconnectFromServer();
}

} // namespace

TEST(SingleInstance, SecondCopyAsksTheFirstToRaise)
{
    const QString key = uniqueKey();
    SingleInstance first(key);
    SingleInstance second(key);
    int firstRaised = 0;
    int secondRaised = 0;
    QObject::connect(&first, &SingleInstance::raiseRequested, [&] { ++firstRaised; });
    QObject::connect(&second, &SingleInstance::raiseRequested, [&] { ++secondRaised; });

    ASSERT_TRUE(first.isPrimary()) << first.errorString().toStdString();
    EXPECT_TRUE(first.errorString().isEmpty()) << first.errorString().toStdString();
    EXPECT_FALSE(second.isPrimary());
    EXPECT_TRUE(first.isPrimary()); // decided once
    EXPECT_EQ(first.serverName(), second.serverName());
    EXPECT_TRUE(first.serverName().endsWith(QStringLiteral("-%1").arg(::getuid())));

    ASSERT_TRUE(second.askPrimaryToRaise());
    EXPECT_TRUE(waitUntil([&] { return firstRaised == 1; }));
    ASSERT_TRUE(second.askPrimaryToRaise());
    EXPECT_TRUE(waitUntil([&] { return firstRaised == 2; }));
    settle();
    EXPECT_EQ(firstRaised, 2);
    EXPECT_EQ(secondRaised, 0);

    // Another application name is not the same program.
    SingleInstance other(uniqueKey());
    EXPECT_TRUE(other.isPrimary());
    EXPECT_NE(other.serverName(), first.serverName());
    EXPECT_NE(other.lockFilePath(), first.lockFilePath());
}

TEST(SingleInstance, NamedAfterTheUserNotTheProgramFolder)
{
    // The program's names hold nothing of where it was started from.
    const QString user = QString::number(::getuid());
    SingleInstance program;
    EXPECT_EQ(program.serverName(), "ykt4m-loader-" + user);
    EXPECT_TRUE(program.lockFilePath().endsWith("/ykt4m-loader-" + user + ".lock"));
    EXPECT_EQ(SingleInstance::instanceName("/opt/a b/x"), "_opt_a_b_x-" + user);
}

TEST(SingleInstance, ACopyThatLooksForTheLockElsewhereStillFindsTheFirst)
{
    // Started from two places with different runtime and temporary folders:
    // two lock files, one user, one copy.
    QTemporaryDir one;
    QTemporaryDir two;
    ASSERT_TRUE(one.isValid() && two.isValid());
    const QString key = uniqueKey();
    std::unique_ptr<SingleInstance> first;
    {
        ScopedEnv runtime("XDG_RUNTIME_DIR", one.path().toLocal8Bit());
        first = std::make_unique<SingleInstance>(key);
    }
    ScopedEnv runtime("XDG_RUNTIME_DIR", two.path().toLocal8Bit());
    ScopedEnv temp("TMPDIR", two.path().toLocal8Bit());
    SingleInstance second(key);
    EXPECT_NE(first->lockFilePath(), second.lockFilePath());
    EXPECT_TRUE(first->lockFilePath().startsWith(one.path()));

    int raised = 0;
    QObject::connect(first.get(), &SingleInstance::raiseRequested, [&] { ++raised; });
    ASSERT_TRUE(first->isPrimary()) << first->errorString().toStdString();
    EXPECT_FALSE(second.isPrimary());
    ASSERT_TRUE(second.askPrimaryToRaise());
    EXPECT_TRUE(waitUntil([&] { return raised == 1; }));

    // Once the first has gone, a new copy there is the first.
    first.reset();
    SingleInstance third(key);
    EXPECT_TRUE(third.isPrimary());
}

TEST(SingleInstance, TheLockGoesWithTheFirstCopy)
{
    const QString key = uniqueKey();
    {
        SingleInstance first(key);
        ASSERT_TRUE(first.isPrimary());
    }
    // Nobody listens: asking fails rather than hanging.
    SingleInstance next(key);
    EXPECT_FALSE(next.askPrimaryToRaise(500));
    EXPECT_TRUE(next.isPrimary());
}

TEST(SingleInstance, LockOfACrashedCopyIsTakenOver)
{
    const QString key = uniqueKey();
    const QString lockPath = SingleInstance(key).lockFilePath();

    // A child takes the lock and dies without releasing it, leaving the file.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        QLockFile lock(lockPath);
        lock.setStaleLockTime(0);
        ::_exit(lock.tryLock(0) ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_TRUE(QFile::exists(lockPath));

    SingleInstance next(key);
    EXPECT_TRUE(next.isPrimary()) << next.errorString().toStdString();
}

TEST(SingleInstance, OnlyARaiseLineRaises)
{
    const QString key = uniqueKey();
    SingleInstance first(key);
    ASSERT_TRUE(first.isPrimary());
    int raised = 0;
    QObject::connect(&first, &SingleInstance::raiseRequested, [&] { ++raised; });

    sendRaw(first, "hello\n");
    sendRaw(first, "raise"); // not a whole line
    sendRaw(first, QByteArray(4096, 'r'));
    settle();
    EXPECT_EQ(raised, 0);

    // The primary still answers after all that.
    SingleInstance second(key);
    EXPECT_TRUE(second.askPrimaryToRaise());
    EXPECT_TRUE(waitUntil([&] { return raised == 1; }));
}

TEST(SingleInstance, RaiseWindowRestoresAndShows)
{
    QWidget minimised;
    minimised.showMinimized();
    ASSERT_TRUE(minimised.isMinimized());
    SingleInstance::raiseWindow(&minimised);
    EXPECT_FALSE(minimised.isMinimized());
    EXPECT_TRUE(minimised.isVisible());

    QWidget hidden;
    SingleInstance::raiseWindow(&hidden);
    EXPECT_TRUE(hidden.isVisible());
}
