#include "tessera/core/loading_wnd.h"

#include "tessera/core/image_cache.h"
#include "tessera/platform/canvas.h"

namespace Tessera {

NativeWindow* LoadingWnd::CreateDlg(NativeWindow* parent, CRect rect) {
    NativeWindow* window =
        Create(parent, L"Loading Window", WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_LAYERED, rect);
    if (window != nullptr) {
        SetLayeredWindow(1);
        EnableWndDrag(0);
    }
    return window;
}

int LoadingWnd::LoadAnimateImage(const std::wstring& file, int frames) {
    auto image = LoadImageFromFile(SkinPath(file));
    if (!image || frames <= 0) {
        return 0;
    }
    animation_ = std::move(image);
    stripFrames_ = frames;
    Start();
    return 1;
}

int LoadingWnd::LoadGifImage(const std::wstring& file) {
    auto image = LoadImageFromFile(SkinPath(file));
    if (!image) {
        return 0;
    }
    animation_ = std::move(image);
    stripFrames_ = 0;
    Start();
    return 1;
}

int LoadingWnd::FrameCount() const {
    if (!animation_) {
        return 0;
    }
    return stripFrames_ > 0 ? stripFrames_ : animation_->FrameCount();
}

void LoadingWnd::Start() {
    frame_ = 0;
    const unsigned delay =
        stripFrames_ > 0 ? 80u : static_cast<unsigned>(animation_->FrameDelayMs(0));
    SetTimer(kFrameTimerId, delay);
    paintManager_.Invalidate();
}

int LoadingWnd::OnTimer(unsigned id) {
    if (id != kFrameTimerId || FrameCount() == 0) {
        return 0;
    }
    frame_ = (frame_ + 1) % FrameCount();
    if (stripFrames_ == 0) {
        SetTimer(kFrameTimerId, static_cast<unsigned>(animation_->FrameDelayMs(frame_)));
    }
    paintManager_.Invalidate();
    return 1;
}

LRESULT LoadingWnd::OnWindowMessage(unsigned msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_PAINT || !animation_ || GetSafeHwnd() == nullptr) {
        return MDialog::OnWindowMessage(msg, wParam, lParam);
    }
    // Compose the background and controls, then the current frame centred on top.
    const CRect update = GetSafeHwnd()->BeginPaint();
    if (update.IsRectEmpty()) {
        return 0;
    }
    PaintManager& pm = paintManager_;
    pm.Compose(update);
    Surface& buffer = pm.GetBackBuffer();
    {
        Canvas dc(buffer);
        const int fw = stripFrames_ > 0 ? animation_->Width() / stripFrames_ : animation_->Width();
        const int fh = animation_->Height();
        const int x = (buffer.Width() - fw) / 2;
        const int y = (buffer.Height() - fh) / 2;
        const int sx = stripFrames_ > 0 ? frame_ * fw : 0;
        dc.DrawImage(*animation_, CRect(x, y, x + fw, y + fh), CRect(sx, 0, sx + fw, fh), 255,
                     stripFrames_ > 0 ? 0 : frame_);
    }
    GetSafeHwnd()->Present(buffer, buffer.Bounds());
    return 0;
}

}  // namespace Tessera
