#include "devicelock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <utility>

namespace ykt {

DeviceLock::~DeviceLock()
{
    release();
}

DeviceLock::DeviceLock(DeviceLock &&other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)), m_error(other.m_error)
{}

DeviceLock &DeviceLock::operator=(DeviceLock &&other) noexcept
{
    if (this != &other) {
        release();
        m_fd = std::exchange(other.m_fd, -1);
        m_error = other.m_error;
    }
    return *this;
}

void DeviceLock::release()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

DeviceLock::Outcome DeviceLock::acquire(const QString &path)
{
    release();
    m_error = 0;
    const QByteArray node = path.toLocal8Bit();
    // Read-only is enough for flock(); the node's input reports this copy
    // gets are never read and the kernel drops them when its queue is full.
    const int fd = ::open(node.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        m_error = errno;
        return Outcome::Unlocked;
    }
    int result;
    do {
        result = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        m_error = errno;
        ::close(fd);
        return m_error == EWOULDBLOCK ? Outcome::Busy : Outcome::Unlocked;
    }
    m_fd = fd;
    return Outcome::Held;
}

} // namespace ykt
