#pragma once

// A headless dialog on the null backend that hosts the control under test inside a panel
// and records every notification that reaches it.

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "tessera/core/dialog.h"
#include "tessera/core/manager.h"
#include "tessera/core/panel.h"
#include "tessera/platform/null/null_platform.h"
#include "tests/tessera/null_ui.h"

namespace tkbd_test {

using namespace Tessera;

using tessera_test::Notification;
using HostDialog = tessera_test::RecordingDialog;

class HostWindow {
public:
    explicit HostWindow(CRect client = CRect(0, 0, 400, 300), CPoint screen = CPoint(100, 50)) {
        auto platform = std::make_unique<NullPlatform>();
        platform_ = platform.get();
        UsePlatform(std::move(platform));
        CRect rect = client;
        rect.OffsetRect(screen.x, screen.y);
        dialog_.Create(nullptr, L"host", WS_POPUP, 0, rect);
        dialog_.GetPaintManager().EnableWndDrag(0);
        panel_ = static_cast<MPanel*>(dialog_.CreateControl(L"MTabLayout", 900, client, L""));
        dialog_.ShowWindow(SW_SHOW);
    }
    ~HostWindow() { dialog_.DestroyWindow(); }

    template <class T>
    T* Create(const wchar_t* className, unsigned id, CRect rect) {
        return dynamic_cast<T*>(panel_->CreateControl(className, id, rect, L""));
    }

    NullPlatform& Platform() { return *platform_; }
    NativeWindow& Window() { return *dialog_.GetSafeHwnd(); }
    HostDialog& Dialog() { return dialog_; }
    std::vector<Notification>& Received() { return dialog_.notes; }
    // What arrived since the last call.
    std::vector<Notification> Take() {
        std::vector<Notification> all;
        all.swap(dialog_.notes);
        return all;
    }
    // Paints what is invalid and returns the window's presented image.
    const Surface& Paint() {
        platform_->ProcessPending();
        platform_->PaintAll();
        return NullPlatform::Screen(Window());
    }
    void Move(CPoint p) { platform_->MouseMove(Window(), p); }
    void Click(CPoint p) { platform_->Click(Window(), p); }
    void RightClick(CPoint p) { platform_->Click(Window(), p, true); }

private:
    NullPlatform* platform_ = nullptr;
    HostDialog dialog_;
    MPanel* panel_ = nullptr;
};

// Straight RGB of a presented pixel (alpha dropped).
inline std::uint32_t RgbAt(const Surface& s, int x, int y) {
    return UnpremultiplyPixel(s.PixelAt(x, y)) & 0xFFFFFFu;
}

// Channels within `tolerance` (translucent colours lose a little in premultiplication).
inline ::testing::AssertionResult RgbNear(std::uint32_t got, std::uint32_t want,
                                          int tolerance = 2) {
    for (int shift = 0; shift <= 16; shift += 8) {
        const int a = static_cast<int>((got >> shift) & 0xFF);
        const int b = static_cast<int>((want >> shift) & 0xFF);
        if (std::abs(a - b) > tolerance) {
            return ::testing::AssertionFailure()
                   << std::hex << "got 0x" << got << ", want 0x" << want;
        }
    }
    return ::testing::AssertionSuccess();
}

// A scratch folder used as the skin folder for one test.
class ScratchSkin {
public:
    ScratchSkin() {
        dir_ = std::filesystem::temp_directory_path() /
               ("tkbd_skin_" + std::to_string(reinterpret_cast<std::uintptr_t>(this)));
        std::filesystem::create_directories(dir_);
        Manager::SetSkinFolder(dir_.wstring() + L"/");
    }
    ~ScratchSkin() {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    // Writes a w x h PNG filled with `argb` (or one colour per frame).
    std::wstring WriteSolid(const std::wstring& name, int w, int h, ARGB argb) {
        Surface s(w, h);
        s.Fill(s.Bounds(), PremultiplyArgb(argb));
        return Write(name, s);
    }
    std::wstring Write(const std::wstring& name, const Surface& s) {
        const std::wstring path = (dir_ / name).wstring();
        SaveSurfaceToPng(s, path);
        return path;
    }

private:
    std::filesystem::path dir_;
};

}  // namespace tkbd_test
