#include "platform/FrameworkTimer.h"

#include "platform/host/Clock.h"

std::atomic<float> g_fFrameGateTime{0.0f};

float FrameworkTimerState::Command(uint32_t command) {
    host::Clock& clock = host::GetClock();
    if (!m_bInitialised) {
        m_bInitialised = true;
        m_nTicksPerSecond = clock.TicksPerSecond();
    }
    int64_t now;
    // A stopped clock reads its stop time (a stop at tick 0 included).
    if ((m_bStopped || m_nStopTime != 0) && command != TIMER_START && command != TIMER_GETABSOLUTETIME)
        now = m_nStopTime;
    else now = clock.Ticks();
    const double rate = double(m_nTicksPerSecond);

    switch (command) {
    case TIMER_RESET:
        m_nBaseTime = now;
        m_nLastElapsedTime = now;
        m_nStopTime = 0;
        m_bStopped = false;
        return 0.0f;
    case TIMER_START:
        if (m_bStopped) m_nBaseTime += now - m_nStopTime;
        m_nStopTime = 0;
        m_nLastElapsedTime = now;
        m_bStopped = false;
        return 0.0f;
    case TIMER_STOP:
        if (!m_bStopped) {
            m_nStopTime = now;
            m_nLastElapsedTime = now;
            m_bStopped = true;
        }
        return 0.0f;
    case TIMER_ADVANCE: m_nStopTime += m_nTicksPerSecond / 10; return 0.0f;
    case TIMER_GETABSOLUTETIME: return float(double(now) / rate);
    case TIMER_GETAPPTIME: return float(double(now - m_nBaseTime) / rate);
    case TIMER_GETELAPSEDTIME: {
        double elapsed = double(now - m_nLastElapsedTime) / rate;
        m_nLastElapsedTime = now;
        return float(elapsed);
    }
    default: return -1.0f;
    }
}

float FrameworkTimer(uint32_t command) {
    static FrameworkTimerState state;
    return state.Command(command);
}
