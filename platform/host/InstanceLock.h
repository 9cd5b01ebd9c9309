#pragma once
// An exclusive lock on a file, held while this object lives. The kernel drops
// it when the process ends, however it ends, so a crashed copy never blocks
// the next start.
#include <string>

namespace host {

class InstanceLock {
public:
    enum class Result {
        Taken,
        HeldElsewhere,  // another open of the file holds it, in this process or another
        Failed,         // the file cannot be opened or locked: Reason() says why
    };

    InstanceLock() = default;
    ~InstanceLock() { Release(); }
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // Takes the lock on path (created when missing).
    Result Acquire(const std::string& path);
    void Release();
    bool Held() const { return m_fd >= 0; }
    // The system's words for the last Failed answer.
    const std::string& Reason() const { return m_sReason; }

private:
    int m_fd = -1;
    std::string m_sReason;
};

}  // namespace host
