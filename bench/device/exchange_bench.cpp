// Exchanges against the virtual keyboard answering after 1 ms, on the real clock, as a ratio
// to the pauses and waits the protocol mandates. The 1 ms answer falls inside the 2 ms pause
// before the first read, so it adds nothing: anything above 1 is overhead of ours (or the
// scheduler's lateness in waking a sleeper).

#include <benchmark/benchmark.h>

#include <chrono>
#include <initializer_list>
#include <memory>

#include "device/device_manager.h"
#include "sim/sim_hid_library.h"

namespace keyloom {
namespace {

constexpr auto kLatency = std::chrono::milliseconds(1);

struct Link {
    Link()
        : keyboard(std::make_shared<sim::VirtualKeyboard>()), library(keyboard), manager(library) {
        keyboard->SetAnswerLatency(kLatency);
        keyboard->ClearRecord();
        manager.AddFilter(0x3412, 0x7A21, L"", L"vid_3412&pid_7a21&mi_02");
        manager.Rescan();
    }
    std::shared_ptr<sim::VirtualKeyboard> keyboard;
    sim::SimHidLibrary library;
    CDeviceManager manager;
};

Frame Request(std::uint8_t command, std::uint8_t length, std::uint16_t offset) {
    Frame frame{};
    frame[1] = kRequestMarker;
    frame[2] = command;
    frame[1 + kLengthByte] = length;
    frame[1 + kOffsetLowByte] = static_cast<std::uint8_t>(offset & 0xFFU);
    frame[1 + kOffsetHighByte] = static_cast<std::uint8_t>(offset >> 8U);
    return frame;
}

double MillisSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

// Times the exchanges, and right after them the same pauses slept bare, so the figures
// separate our overhead from the scheduler's lateness on a loaded machine:
//   ratio    = exchanges / mandated pauses
//   overhead = exchanges / the same pauses slept bare
template <typename Body>
void Measure(benchmark::State& state, std::initializer_list<int> pauses_ms, Body body) {
    Link link;
    double mandated_ms = 0;
    for (int pause : pauses_ms) {
        mandated_ms += pause;
    }
    double exchange_ms = 0;
    double bare_ms = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        if (!body(link)) {
            state.SkipWithError("exchange not acknowledged");
            return;
        }
        exchange_ms += MillisSince(start);
        link.keyboard->ClearRecord();
        start = std::chrono::steady_clock::now();
        for (int pause : pauses_ms) {
            SystemClock::Instance().SleepFor(std::chrono::milliseconds(pause));
        }
        bare_ms += MillisSince(start);
    }
    const auto iterations = static_cast<double>(state.iterations());
    state.counters["ms"] = exchange_ms / iterations;
    state.counters["mandated_ms"] = mandated_ms;
    state.counters["ratio"] = exchange_ms / iterations / mandated_ms;
    state.counters["overhead"] = exchange_ms / bare_ms;
}

// 10 ms pause, 2 ms pause (the answer is ready within it).
void BM_SendCommand(benchmark::State& state) {
    Measure(state, {10, 2}, [](Link& link) {
        Frame frame = Request(0x09, 56, 56);
        return link.manager.SendCommand(frame, 0);
    });
}

// 10 ms pause, one empty 50 ms drain read, 2 ms pause.
void BM_ReadCommand(benchmark::State& state) {
    Measure(state, {10, 50, 2}, [](Link& link) {
        Frame frame = Request(0x07, 56, 0);
        return link.manager.ReadCommand(frame, 0);
    });
}

// A streamed music frame: begin, 7 colour pieces, end; each 2 + 2 ms pauses.
void BM_StreamedFrame(benchmark::State& state) {
    Measure(state, {2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2}, [](Link& link) {
        Frame begin = Request(0x01, 0, 0);
        bool ok = link.manager.SendStream(begin, 0);
        for (std::uint16_t d = 0; ok && d < 7; ++d) {
            Frame piece = Request(0xDD, d == 6 ? 48 : 56, static_cast<std::uint16_t>(56 * d));
            ok = link.manager.SendStream(piece, 0);
        }
        Frame end = Request(0x02, 0, 0);
        return ok && link.manager.SendStream(end, 0);
    });
}

BENCHMARK(BM_SendCommand)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_ReadCommand)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_StreamedFrame)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace
}  // namespace keyloom
