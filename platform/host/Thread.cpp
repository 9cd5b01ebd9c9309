#include "platform/host/Thread.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace host {

namespace {
void ApplyPriority(ThreadPriority priority) {
    int nice = 0;
    switch (priority) {
    case ThreadPriority::BelowNormal: nice = 5; break;
    case ThreadPriority::Normal: return;
    case ThreadPriority::Highest: nice = -5; break;
    }
    // Linux nice values are per thread; lowering needs no rights, raising may be refused.
    pid_t tid = pid_t(syscall(SYS_gettid));
    (void)setpriority(PRIO_PROCESS, id_t(tid), nice);
}
}  // namespace

Thread::~Thread() { Join(); }

void Thread::Start(std::function<void()> fn, ThreadPriority priority) {
    Join();
    m_thread = std::thread([fn = std::move(fn), priority] {
        ApplyPriority(priority);
        fn();
    });
}

void Thread::Join() {
    if (m_thread.joinable() && m_thread.get_id() != std::this_thread::get_id()) m_thread.join();
}

}  // namespace host
