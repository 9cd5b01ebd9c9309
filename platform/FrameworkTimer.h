#pragma once
// The process-wide clock of the frame gate. It starts stopped, so the first
// start makes application time begin at 0; pausing the framework stops it so
// that paused time never reaches the game.
#include <atomic>
#include <cstdint>

enum TimerCommand : uint32_t {
    TIMER_RESET = 0,
    TIMER_START = 1,
    TIMER_STOP = 2,
    TIMER_ADVANCE = 3,  // moves the stop time on by a tenth of a second
    TIMER_GETABSOLUTETIME = 4,
    TIMER_GETAPPTIME = 5,
    TIMER_GETELAPSEDTIME = 6,
};

// One clock's state; FrameworkTimer drives the process-wide one. Reads ticks
// from host::GetClock().
class FrameworkTimerState {
public:
    // Seconds for the query commands, 0 for the others, -1 for unknown commands.
    float Command(uint32_t command);

private:
    bool m_bInitialised = false;
    int64_t m_nTicksPerSecond = 0;
    int64_t m_nStopTime = 0;
    int64_t m_nLastElapsedTime = 0;
    int64_t m_nBaseTime = 0;
    bool m_bStopped = true;
};

float FrameworkTimer(uint32_t command);

// Seconds of real time the frame gate has not yet turned into frames. The
// page-switch worker clears it when a new page is ready.
extern std::atomic<float> g_fFrameGateTime;
