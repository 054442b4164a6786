#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/folders.h"
#include "platform/fs_path.h"
#include "store/config_database.h"

namespace keyloom {
namespace {

// A database in a fresh temporary data folder, removed afterwards.
class BenchDatabase {
public:
    BenchDatabase() {
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        folder_ = std::filesystem::temp_directory_path() /
                  ("keyloom_store_bench_" + std::to_string(stamp));
        std::filesystem::create_directories(folder_ / "db");
        opened_ = db_.OpenDatabase(FromFsPath(folder_) + kPathSeparator, L"kb_data");
    }
    BenchDatabase(const BenchDatabase&) = delete;
    BenchDatabase& operator=(const BenchDatabase&) = delete;
    ~BenchDatabase() {
        db_.Close();
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    bool opened() const { return opened_; }
    ConfigDatabase& db() { return db_; }

private:
    std::filesystem::path folder_;
    ConfigDatabase db_;
    bool opened_ = false;
};

// One iteration: a whole key map's worth of edits, 1,000 saves over distinct keys, each
// replacing the row the previous iteration left.
void BM_SaveKeyAssignment1000(benchmark::State& state) {
    BenchDatabase bench;
    if (!bench.opened()) {
        state.SkipWithError("database did not open");
        return;
    }
    KeyAssignment assignment;
    assignment.profile = 1;
    assignment.macro_type = 2;
    assignment.macro_value = 0x04;
    assignment.macro_desc = L"A";
    for (auto _ : state) {  // NOLINT(clang-analyzer-deadcode.DeadStores)
        int failures = 0;
        for (int key = 1; key <= 1000; ++key) {
            assignment.key_code = key;
            failures += bench.db().SaveKeyAssignment(assignment) > 0 ? 0 : 1;
        }
        if (failures != 0) {
            state.SkipWithError("a save failed");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_SaveKeyAssignment1000)->Unit(benchmark::kMillisecond);

// One iteration: the custom mode's colours of a full-size keyboard, 109 rows in one
// transaction. The previous iteration's rows are removed outside the timing.
void BM_AddKeyColours109(benchmark::State& state) {
    BenchDatabase bench;
    if (!bench.opened()) {
        state.SkipWithError("database did not open");
        return;
    }
    std::vector<KeyColour> colours(109);
    for (int i = 0; i < 109; ++i) {
        colours[i].profile = 1;
        colours[i].key_code = 4 + i;
        colours[i].key_rgb = 0x00FF0000 + i;
    }
    for (auto _ : state) {  // NOLINT(clang-analyzer-deadcode.DeadStores)
        if (bench.db().AddKeyColours(colours) != 109) {
            state.SkipWithError("not every colour was stored");
            break;
        }
        state.PauseTiming();
        bench.db().DeleteKeyColours(0);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * 109);
}
BENCHMARK(BM_AddKeyColours109)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace keyloom
