// Mixing 100 playing voices for one second of output; the counter says what
// fraction of real time that costs one core.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <vector>

#include "platform/host/AudioDevice.h"

static void BM_Mix100VoicesOneSecond(benchmark::State& state) {
    host::HeadlessAudioDevice device;
    const uint32_t rates[] = {22050, 44100, 11025, 32000};
    for (int i = 0; i < 100; ++i) {
        host::PcmFormat f;
        f.channels = uint16_t(1 + i % 2);
        f.rate = rates[i % 4];
        f.bits = 16;
        std::vector<int16_t> pcm(size_t(f.rate) * f.channels);
        for (size_t k = 0; k < pcm.size(); ++k) pcm[k] = int16_t(3000 * std::sin(0.01 * double(k) * (1 + i % 7)));
        host::VoiceId v = device.CreateVoice(f, uint32_t(pcm.size() * 2));
        device.WriteVoice(v, 0, pcm.data(), uint32_t(pcm.size() * 2));
        device.SetVolume(v, -600 - 10 * i);
        device.Play(v, true);
    }
    std::vector<int16_t> out(size_t(host::kMixRate) * host::kMixChannels);
    double seconds = 0.0;
    for (auto _ : state) {
        auto t0 = std::chrono::steady_clock::now();
        device.Mix(out.data(), host::kMixRate);
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["cpu_fraction_of_real_time"] = seconds / double(state.iterations());
}
BENCHMARK(BM_Mix100VoicesOneSecond)->Unit(benchmark::kMillisecond);
