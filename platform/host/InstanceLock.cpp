#include "platform/host/InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace host {

InstanceLock::Result InstanceLock::Acquire(const std::string& path) {
    Release();
    auto fail = [&](int error) {
        m_sReason = std::strerror(error);
        return Result::Failed;
    };
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0644);
    if (fd < 0) return fail(errno);
    int locked;
    do locked = ::flock(fd, LOCK_EX | LOCK_NB);
    while (locked != 0 && errno == EINTR);
    if (locked != 0) {
        // Only a lock that someone holds means another copy; anything else
        // is a fault of the file or the file system.
        const int error = errno;
        ::close(fd);
        return error == EWOULDBLOCK ? Result::HeldElsewhere : fail(error);
    }
    m_fd = fd;
    return Result::Taken;
}

void InstanceLock::Release() {
    if (m_fd < 0) return;
    ::close(m_fd);  // closing the only descriptor drops the lock
    m_fd = -1;
}

}  // namespace host
