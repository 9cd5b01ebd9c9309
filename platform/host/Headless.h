#pragma once
// Installs the headless twins of the host services for the lifetime of the
// object, and restores the real ones afterwards. Tests and scripted runs use it.
#include "platform/host/AudioDevice.h"
#include "platform/host/Clock.h"
#include "platform/host/MessageBox.h"
#include "platform/host/SystemInfo.h"

namespace host {

class HeadlessHost {
public:
    HeadlessHost() {
        SetClock(&clock);
        SetMessageBoxes(&boxes);
        SetSystemInfo(&system);
        SetAudioDevice(&audio);
    }
    ~HeadlessHost() {
        SetClock(nullptr);
        SetMessageBoxes(nullptr);
        SetSystemInfo(nullptr);
        SetAudioDevice(nullptr);
    }
    HeadlessHost(const HeadlessHost&) = delete;
    HeadlessHost& operator=(const HeadlessHost&) = delete;

    VirtualClock clock;
    RecordingMessageBoxes boxes;
    FakeSystemInfo system;
    HeadlessAudioDevice audio;
};

}  // namespace host
