#pragma once

// An advisory claim on a device node, so that two programs do not talk to one
// module at the same time. hidraw lets any number of processes open a node,
// and hidapi keeps its file descriptor to itself; so the node is opened once
// more and that descriptor holds an exclusive flock() for as long as the
// module is claimed. Every copy of this program (the window and ykt4m-cli)
// takes it; other programs that do not are not kept out.

#include <QString>

namespace ykt {

class DeviceLock
{
public:
    enum class Outcome
    {
        Held,     // the lock is ours until the object goes
        Busy,     // another open descriptor (another program) holds it
        Unlocked, // the node cannot be opened or locked here (no flock on it);
                  // nothing is held, and the claim goes on without a lock
    };

    DeviceLock() = default;
    ~DeviceLock();
    DeviceLock(DeviceLock &&other) noexcept;
    DeviceLock &operator=(DeviceLock &&other) noexcept;
    DeviceLock(const DeviceLock &) = delete;
    DeviceLock &operator=(const DeviceLock &) = delete;

    // Opens path and takes the lock without waiting, releasing any lock held
    // before. errno's value of the failure is kept for Unlocked.
    Outcome acquire(const QString &path);
    // Gives the lock up (closes the descriptor).
    void release();

    bool held() const { return m_fd >= 0; }
    // errno of the last Unlocked or Busy outcome; 0 otherwise.
    int error() const { return m_error; }

private:
    int m_fd = -1;
    int m_error = 0;
};

} // namespace ykt
