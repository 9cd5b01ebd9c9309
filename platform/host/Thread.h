#pragma once
// Worker threads with a best-effort priority. Raising a thread's priority needs
// privileges a player usually lacks, so a refused change is silently ignored.
#include <functional>
#include <thread>

namespace host {

enum class ThreadPriority { BelowNormal, Normal, Highest };

class Thread {
public:
    Thread() = default;
    ~Thread();  // joins a thread still running
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;

    // Starts fn on a new thread; a thread started earlier is joined first.
    void Start(std::function<void()> fn, ThreadPriority priority);
    void Join();
    bool Joinable() const { return m_thread.joinable(); }

private:
    std::thread m_thread;
};

}  // namespace host
