#pragma once

// LoadingWnd: a small busy window that plays a frame strip or an animated GIF. The
// program does not use it; it is kept small: a centred animation over the background,
// one frame per timer tick (the GIF's own delays, 80 ms for a strip).

#include <memory>
#include <string>

#include "tessera/core/dialog.h"
#include "tessera/platform/image.h"

namespace Tessera {

class LoadingWnd : public MDialog {
public:
    const wchar_t* GetClassNameW() const override { return nullptr; }
    int OnTimer(unsigned id) override;
    LRESULT OnWindowMessage(unsigned msg, WPARAM wParam, LPARAM lParam) override;

    NativeWindow* CreateDlg(NativeWindow* parent, CRect rect);
    // A horizontal strip of `frames` equal frames from the skin folder.
    int LoadAnimateImage(const std::wstring& file, int frames);
    int LoadGifImage(const std::wstring& file);
    void CloseWindow() { PostMessageW(WM_CLOSE, 0, 0); }
    int GetCurrentFrame() const { return frame_; }

private:
    static constexpr unsigned kFrameTimerId = 1;
    void Start();
    int FrameCount() const;

    std::unique_ptr<Image> animation_;
    int stripFrames_ = 0;  // 0: the image's own frames (GIF)
    int frame_ = 0;
};

}  // namespace Tessera
