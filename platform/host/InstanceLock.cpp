#include "platform/host/InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

namespace host {

namespace {

// 0 when taken, else the system's error (EWOULDBLOCK: someone holds it).
int LockNow(int fd) {
    int locked;
    do locked = ::flock(fd, LOCK_EX | LOCK_NB);
    while (locked != 0 && errno == EINTR);
    return locked == 0 ? 0 : errno;
}

// Every descriptor a lock holds, for a forked child to close.
std::atomic<int> g_lockFds[8] = {-1, -1, -1, -1, -1, -1, -1, -1};

void Remember(int fd) {
    for (std::atomic<int>& slot : g_lockFds) {
        int empty = -1;
        if (slot.compare_exchange_strong(empty, fd)) return;
    }
}

void Forget(int fd) {
    for (std::atomic<int>& slot : g_lockFds) {
        int held = fd;
        if (slot.compare_exchange_strong(held, -1)) return;
    }
}

bool SameAs(int fd, const std::string& path) {
    struct stat held, named;
    return ::fstat(fd, &held) == 0 && ::stat(path.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
           held.st_ino == named.st_ino;
}

}  // namespace

InstanceLock::Result InstanceLock::Acquire(const std::string& path) {
    Release();
    m_sPath = path;
    m_sFolder = path.substr(0, path.find_last_of('/') + 1);
    auto fail = [&](int error) {
        m_sReason = std::strerror(error);
        return Result::Failed;
    };
    // The folder first: it cannot be deleted from under the lock as a file
    // can. One that cannot be opened leaves the file to decide.
    const int dir = ::open(m_sFolder.empty() ? "." : m_sFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        const int error = LockNow(dir);
        if (error == EWOULDBLOCK) {
            ::close(dir);
            return Result::HeldElsewhere;
        }
        if (error == 0) {
            m_dirFd = dir;
            Remember(dir);
        } else {
            ::close(dir);
        }
    }
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0644);
    if (fd < 0) return fail(errno);
    const int error = LockNow(fd);
    if (error != 0) {
        // Only a lock that someone holds means another copy; anything else
        // is a fault of the file or the file system.
        ::close(fd);
        if (error != EWOULDBLOCK) return fail(error);
        Release();
        return Result::HeldElsewhere;
    }
    m_fd = fd;
    Remember(fd);
    return Result::Taken;
}

bool InstanceLock::StillAtItsName() const {
    if (m_dirFd >= 0) return SameAs(m_dirFd, m_sFolder.empty() ? "." : m_sFolder);
    return m_fd >= 0 && SameAs(m_fd, m_sPath);
}

void InstanceLock::Release() {
    // Closing the only descriptor drops its lock.
    for (int fd : {m_fd, m_dirFd})
        if (fd >= 0) {
            Forget(fd);
            ::close(fd);
        }
    m_fd = m_dirFd = -1;
}

void InstanceLock::CloseAllInChild() {
    for (std::atomic<int>& slot : g_lockFds) {
        const int fd = slot.load();
        if (fd >= 0) ::close(fd);
    }
}

}  // namespace host
