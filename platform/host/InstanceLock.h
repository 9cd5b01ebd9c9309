#pragma once
// An exclusive lock on a file, held while this object lives. The kernel drops
// it when the process ends, however it ends, so a crashed copy never blocks
// the next start.
#include <string>

namespace host {

class InstanceLock {
public:
    InstanceLock() = default;
    ~InstanceLock() { Release(); }
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // Takes the lock on path (created when missing). False when another open
    // of the file holds it, in this process or another, or it cannot be made.
    bool Acquire(const std::string& path);
    void Release();
    bool Held() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

}  // namespace host
