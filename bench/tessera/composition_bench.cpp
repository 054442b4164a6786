// Composition of a full-size window: the whole client with 60 controls, and the redraw
// of one button whose cache is valid.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "tessera/controls/area.h"
#include "tessera/controls/button.h"
#include "tessera/core/dialog.h"
#include "tessera/core/manager.h"
#include "tessera/platform/canvas.h"
#include "tessera/platform/image.h"
#include "tessera/platform/null/null_platform.h"

namespace {

using namespace Tessera;
namespace fs = std::filesystem;

// A skin folder with a background and four button looks, written once.
fs::path MakeSkin() {
    const fs::path folder = fs::temp_directory_path() / "tessera_bench_skin";
    fs::create_directories(folder);
    auto write = [&](const char* name, int w, int h, ARGB fill, ARGB edge) {
        Surface s(w, h);
        {
            Canvas dc(s);
            dc.DrawRoundRect(CRect(0, 0, w, h), 10, edge, 2, true, fill);
        }
        SaveSurfaceToPng(s, (folder / name).wstring());
    };
    write("bkg.png", 300, 200, 0xFF101A1C, 0xFF38E3ED);
    write("btn_n.png", 60, 30, 0xFF1F2A2C, 0xFF38E3ED);
    write("btn_h.png", 60, 30, 0xFF27484B, 0xFF38E3ED);
    write("btn_d.png", 60, 30, 0xFF38E3ED, 0xFF1F7C82);
    write("btn_x.png", 60, 30, 0xFF303030, 0xFF808080);
    return folder;
}

struct BenchWindow {
    explicit BenchWindow(bool layered) {
        auto platform = std::make_unique<NullPlatform>();
        null = platform.get();
        UsePlatform(std::move(platform));
        Manager::SetSkinFolder(MakeSkin().wstring());
        window = dialog.Create(nullptr, L"bench", WS_POPUP, layered ? WS_EX_LAYERED : 0,
                               CRect(0, 0, 1200, 800));
        dialog.SetLayeredWindow(layered ? 1 : 0);
        dialog.LoadBKImage(L"bkg.png");
        dialog.SetBackMode(BACKMODE_FRAME, 12);
        // 40 buttons with titles and state images, 20 translucent areas.
        for (unsigned i = 0; i < 40; ++i) {
            const int x = 20 + static_cast<int>(i % 8) * 145;
            const int y = 40 + static_cast<int>(i / 8) * 90;
            auto* b = static_cast<MButton*>(dialog.CreateControl(L"MButton", 100 + i,
                                                                 CRect(x, y, x + 130, y + 40),
                                                                 L"Button " + std::to_wstring(i)));
            b->SetNormalImage(L"btn_n.png");
            b->SetHoverImage(L"btn_h.png");
            b->SetDownImage(L"btn_d.png");
            b->SetDisableImage(L"btn_x.png");
            button = b;
        }
        for (unsigned i = 0; i < 20; ++i) {
            const int x = 20 + static_cast<int>(i % 10) * 115;
            const int y = 520 + static_cast<int>(i / 10) * 130;
            auto* a = static_cast<CArea*>(
                dialog.CreateControl(L"CArea", 200 + i, CRect(x, y, x + 100, y + 110), L""));
            a->SetTransparent(20, 60, RGB(56, 227, 237));
        }
        dialog.ShowWindow(SW_SHOW);
        null->ProcessPending();  // first paint fills every cache
    }
    ~BenchWindow() {
        dialog.DestroyWindow();
        UsePlatform(nullptr);
    }
    NullPlatform* null = nullptr;
    MDialog dialog;
    NativeWindow* window = nullptr;
    MButton* button = nullptr;
};

void BM_FullComposition(benchmark::State& state) {
    BenchWindow bench(state.range(0) != 0);
    PaintManager& pm = bench.dialog.GetPaintManager();
    const CRect client(0, 0, 1200, 800);
    for (auto _ : state) {
        benchmark::DoNotOptimize(pm.Compose(client));
    }
    state.SetLabel(state.range(0) ? "layered" : "opaque");
}
BENCHMARK(BM_FullComposition)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Every cache stale: what the first paint and a skin change cost.
void BM_FullCompositionColdCaches(benchmark::State& state) {
    BenchWindow bench(false);
    PaintManager& pm = bench.dialog.GetPaintManager();
    const CRect client(0, 0, 1200, 800);
    for (auto _ : state) {
        for (const auto& c : pm.GetControls()) {
            c->SetUpdate(0);
        }
        benchmark::DoNotOptimize(pm.Compose(client));
    }
}
BENCHMARK(BM_FullCompositionColdCaches)->Unit(benchmark::kMillisecond);

// A hover change on one button: its rectangle is recomposed and it copies its slice.
void BM_CachedButtonRedraw(benchmark::State& state) {
    BenchWindow bench(false);
    PaintManager& pm = bench.dialog.GetPaintManager();
    MButton* button = bench.button;
    for (auto _ : state) {
        button->UpdateControl(0, 0);
        benchmark::DoNotOptimize(pm.Compose(NullPlatform::InvalidRect(*bench.window)));
        bench.window->BeginPaint();
    }
}
BENCHMARK(BM_CachedButtonRedraw)->Unit(benchmark::kMicrosecond);

}  // namespace
