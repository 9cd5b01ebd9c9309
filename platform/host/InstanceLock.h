#pragma once
// An exclusive lock on a file and on the folder that holds it, held while
// this object lives. The kernel drops it when the process ends, however it
// ends, so a crashed copy never blocks the next start. Deleting the file
// frees nothing: the folder stays locked.
#include <string>

namespace host {

class InstanceLock {
public:
    enum class Result {
        Taken,
        HeldElsewhere,  // another open of the file or folder holds it, in this process or another
        Failed,         // the file cannot be opened or locked: Reason() says why
    };

    InstanceLock() = default;
    ~InstanceLock() { Release(); }
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // Takes the lock on path (created when missing) and on its folder. A
    // file that fails keeps the folder's lock, when that was taken.
    Result Acquire(const std::string& path);
    void Release();
    bool Held() const { return m_fd >= 0 || m_dirFd >= 0; }
    // What is locked is still what stands at its name: the folder was not
    // removed (and perhaps made again) under it.
    bool StillAtItsName() const;
    // The system's words for the last Failed answer.
    const std::string& Reason() const { return m_sReason; }

    // For a child forked without exec (a start-up box): closes its copies of
    // every lock's descriptors, so that it never holds the locks once this
    // process is gone. The parent's locks stay. Async-signal-safe.
    static void CloseAllInChild();

private:
    int m_fd = -1, m_dirFd = -1;
    std::string m_sPath, m_sFolder;
    std::string m_sReason;
};

}  // namespace host
