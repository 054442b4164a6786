// Every job against the virtual keyboard answering after 1 ms, in real time, as a ratio to
// the pauses and waits the protocol itself demands. A ratio near 1 means the jobs add
// nothing of their own; the counter "ratio" is the figure to report (target <= 1.05).

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>

#include "device/clock.h"
#include "device/device_manager.h"
#include "protocol/keyboard_jobs.h"
#include "sim/sim_hid_library.h"
#include "sim/virtual_keyboard.h"
#include "store/config_database.h"
#include "tests/support/temp_folder.h"

namespace keyloom {
namespace {

// The protocol's own waits per exchange when the keyboard answers within the 2 ms pause:
// a checked command pauses 10 + 2 ms, a read adds the 50 ms drain read that finds nothing,
// a streamed piece pauses 2 + 2 ms.
constexpr double kCommandMs = 12.0;
constexpr double kReadMs = 62.0;
constexpr double kStreamMs = 4.0;
constexpr double kReadOutMs = 2 * kCommandMs + 28 * kReadMs + 14 * 8.0;  // 1872 ms

struct Rig {
    explicit Rig(Clock& clock = SystemClock::Instance())
        : keyboard(std::make_shared<sim::VirtualKeyboard>(sim::KeyboardOptions{}, clock)),
          library(keyboard),
          devices(library, clock),
          jobs(devices, database, clock) {
        keyboard->SetAnswerLatency(std::chrono::milliseconds(1));
        devices.AddFilter(0x3412, 0x7A21, L"", L"vid_3412&pid_7a21&mi_02");
        devices.Rescan();
        std::filesystem::create_directories(folder.path() / "db");
        database.OpenDatabase(folder.Wide(), L"kb_data");
        database.InsertDefaultConfig();

        // A profile's worth of data for the jobs to fetch and build.
        for (int key : {0x3A, 0x04, 0x29, 0x2C}) {
            KeyAssignment a;
            a.profile = 1;
            a.key_code = key;
            a.macro_type = 5;
            a.macro_value = 3;
            database.SaveKeyAssignment(a);
        }
        const int macro = database.AddMacro(L"Macro 0");
        std::vector<MacroEvent> steps(2);
        for (int i = 0; i < 2; ++i) {
            steps[static_cast<std::size_t>(i)].macro_id = macro;
            steps[static_cast<std::size_t>(i)].record_index = i;
            steps[static_cast<std::size_t>(i)].type = 2 + i;
            steps[static_cast<std::size_t>(i)].value = 0x41;
            steps[static_cast<std::size_t>(i)].delay_time = 20;
        }
        database.AddMacroEvents(steps);
        LightSetting wave;
        wave.profile = 1;
        wave.mode = 6;
        wave.brightness = 100;
        wave.speed = 3;
        database.AddLightSetting(wave);
        std::vector<KeyColour> colours(100);
        for (int i = 0; i < 100; ++i) {
            colours[static_cast<std::size_t>(i)].profile = 1;
            colours[static_cast<std::size_t>(i)].key_code = 4 + i;
            colours[static_cast<std::size_t>(i)].key_rgb = 0x00102030 + i;
        }
        database.AddKeyColours(colours);
        frame.fill(0x40);
    }

    test_support::TempFolder folder{L"protocol_bench"};
    std::shared_ptr<sim::VirtualKeyboard> keyboard;
    sim::SimHidLibrary library;
    CDeviceManager devices;
    ConfigDatabase database;
    KeyboardJobs jobs;
    JobContext context{0, 1, 6};
    ColourMap frame{};
};

using Job = std::function<JobResult(Rig&)>;

void RunJob(benchmark::State& state, double mandated_ms, const Job& job) {
    Rig rig;
    rig.jobs.ReadKeyboard(rig.context);  // the key map write starts from a held copy
    double total_ms = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const JobResult result = job(rig);
        const auto stop = std::chrono::steady_clock::now();
        if (!result.Succeeded()) {
            state.SkipWithError("the job was not acknowledged throughout");
            return;
        }
        const double ms = std::chrono::duration<double, std::milli>(stop - start).count();
        total_ms += ms;
        state.SetIterationTime(ms / 1000.0);
    }
    const double iterations = static_cast<double>(state.iterations());
    state.counters["mandated_ms"] = mandated_ms;
    state.counters["ratio"] = total_ms / (iterations * mandated_ms);
    state.counters["overhead_ms"] = total_ms / iterations - mandated_ms;
}

// The same job on virtual time: every pause and wait takes no real time, so what is left is
// the job's own work (store queries, building, framing) and the virtual keyboard's.
void RunJobWork(benchmark::State& state, const Job& job) {
    ManualClock clock;
    Rig rig(clock);
    rig.jobs.ReadKeyboard(rig.context);
    for (auto _ : state) {
        benchmark::DoNotOptimize(job(rig));
    }
}

void BM_ReadKeyboard(benchmark::State& state) {
    RunJob(state, kReadOutMs, [](Rig& r) { return r.jobs.ReadKeyboard(r.context); });
}
void BM_WriteKeyMap(benchmark::State& state) {
    RunJob(state, 16 * kCommandMs, [](Rig& r) { return r.jobs.WriteKeyMap(r.context); });
}
void BM_WriteMacros(benchmark::State& state) {
    // 64 + 2 steps of 4 bytes = 72 bytes: 2 pieces between begin and end.
    RunJob(state, 4 * kCommandMs, [](Rig& r) { return r.jobs.WriteMacros(r.context); });
}
void BM_WriteSettings(benchmark::State& state) {
    RunJob(state, 3 * kCommandMs + kReadMs, [](Rig& r) { return r.jobs.WriteSettings(r.context); });
}
void BM_WriteKeyColours(benchmark::State& state) {
    RunJob(state, 9 * kCommandMs, [](Rig& r) { return r.jobs.WriteKeyColours(r.context); });
}
void BM_FactoryReset(benchmark::State& state) {
    RunJob(state, kCommandMs + 2500.0 + kReadOutMs,
           [](Rig& r) { return r.jobs.FactoryReset(r.context); });
}
void BM_StreamColourFrame(benchmark::State& state) {
    RunJob(state, 9 * kStreamMs,
           [](Rig& r) { return r.jobs.StreamColourFrame(r.context, r.frame); });
}

BENCHMARK(BM_ReadKeyboard)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_WriteKeyMap)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_WriteMacros)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(50);
BENCHMARK(BM_WriteSettings)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(30);
BENCHMARK(BM_WriteKeyColours)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(30);
BENCHMARK(BM_FactoryReset)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_StreamColourFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(100);

void BM_ReadKeyboard_Work(benchmark::State& state) {
    RunJobWork(state, [](Rig& r) { return r.jobs.ReadKeyboard(r.context); });
}
BENCHMARK(BM_ReadKeyboard_Work)->Unit(benchmark::kMicrosecond);
void BM_WriteKeyMap_Work(benchmark::State& state) {
    RunJobWork(state, [](Rig& r) { return r.jobs.WriteKeyMap(r.context); });
}
BENCHMARK(BM_WriteKeyMap_Work)->Unit(benchmark::kMicrosecond);
void BM_WriteMacros_Work(benchmark::State& state) {
    RunJobWork(state, [](Rig& r) { return r.jobs.WriteMacros(r.context); });
}
BENCHMARK(BM_WriteMacros_Work)->Unit(benchmark::kMicrosecond);
void BM_WriteSettings_Work(benchmark::State& state) {
    RunJobWork(state, [](Rig& r) { return r.jobs.WriteSettings(r.context); });
}
BENCHMARK(BM_WriteSettings_Work)->Unit(benchmark::kMicrosecond);
void BM_WriteKeyColours_Work(benchmark::State& state) {
    RunJobWork(state, [](Rig& r) { return r.jobs.WriteKeyColours(r.context); });
}
BENCHMARK(BM_WriteKeyColours_Work)->Unit(benchmark::kMicrosecond);
void BM_FactoryReset_Work(benchmark::State& state) {
    RunJobWork(state, [](Rig& r) { return r.jobs.FactoryReset(r.context); });
}
BENCHMARK(BM_FactoryReset_Work)->Unit(benchmark::kMicrosecond);
void BM_StreamColourFrame_Work(benchmark::State& state) {
    RunJobWork(state, [](Rig& r) { return r.jobs.StreamColourFrame(r.context, r.frame); });
}
BENCHMARK(BM_StreamColourFrame_Work)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace keyloom
