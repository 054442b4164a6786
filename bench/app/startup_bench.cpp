// The start-up work that happens before the first window: the language round trip through
// the settings store with the data folder, and reading config.ini.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/windowless_startup.h"
#include "platform/fs_path.h"
#include "platform/ini_file.h"

namespace keyloom {
namespace {

void BM_WindowlessStartup(benchmark::State& state) {
    const auto folder = std::filesystem::temp_directory_path() / "keyloom_bench_startup";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const SettingsStore settings(folder / "Varnel V21 Driver.ini");
    const std::wstring data = FromFsPath(folder) + L"/data/";
    for (auto _ : state) {
        benchmark::DoNotOptimize(RunWindowlessStartup(settings, data));
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_WindowlessStartup);

void BM_ReadConfigIni(benchmark::State& state) {
    std::ifstream in(KEYLOOM_SOURCE_DIR "/res/config.ini", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    const std::string config = text.str();
    for (auto _ : state) {
        const IniFile ini = IniFile::Parse(config);
        benchmark::DoNotOptimize(ini.GetString(L"TEXT", L"VID "));
        benchmark::DoNotOptimize(ini.GetInt(L"TEXT", L"LAN_CHINESE ", 0));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * config.size()));
}
BENCHMARK(BM_ReadConfigIni);

}  // namespace
}  // namespace keyloom
