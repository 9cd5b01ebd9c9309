#include "platform/host/Clock.h"
#include "platform/host/Display.h"

namespace host {

namespace {
// The system timer the game was written for never fires faster than this; the
// fades that step once per timer call are timed by it.
constexpr uint32_t kShortestTimerMs = 10;
}  // namespace

void Window::SetTimer(uintptr_t id, uint32_t milliseconds) {
    const uint32_t now = GetClock().Milliseconds();
    if (milliseconds < kShortestTimerMs) milliseconds = kShortestTimerMs;
    for (Timer& t : m_timers)
        if (t.id == id) {
            t.interval = milliseconds;
            t.last = now;
            return;
        }
    m_timers.push_back({id, milliseconds, now});
}

void Window::KillTimer(uintptr_t id) {
    for (size_t i = 0; i < m_timers.size(); ++i)
        if (m_timers[i].id == id) {
            m_timers.erase(m_timers.begin() + long(i));
            return;
        }
}

bool Window::HasTimer(uintptr_t id) const {
    for (const Timer& t : m_timers)
        if (t.id == id) return true;
    return false;
}

bool Window::TakeDueTimer(WindowMessage& out) {
    if (m_timers.empty()) return false;
    const uint32_t now = GetClock().Milliseconds();
    for (Timer& t : m_timers) {
        // Unsigned difference: right across the millisecond counter's wrap.
        if (now - t.last < t.interval) continue;
        t.last = now;
        out = WindowMessage{WM_TIMER, t.id, 0};
        return true;
    }
    return false;
}

}  // namespace host
