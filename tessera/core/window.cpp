#include "tessera/core/window.h"

#include <algorithm>
#include <filesystem>

#include "tessera/core/image_cache.h"
#include "tessera/core/manager.h"
#include "tessera/platform/image.h"
#include "tessera/platform/platform.h"

namespace Tessera {

MWindow::MWindow() = default;

MWindow::~MWindow() {
    // A derived window destroys its window while it is whole; this is the last resort.
    if (hwnd_ != nullptr) {
        DestroyWindow();
    }
    Manager::DeleteWnd(this);
}

int MWindow::ShowWindow(int command) {
    if (hwnd_ == nullptr) {
        return 0;
    }
    const int wasVisible = hwnd_->IsVisible() ? 1 : 0;
    hwnd_->Show(command);
    return wasVisible;
}

LRESULT MWindow::OnWindowMessage(unsigned msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProc(msg, wParam, lParam);
}

bool MWindow::PreTranslateMessage(unsigned msg, WPARAM wParam, LPARAM lParam) {
    return Manager::PreTranslateMessage(msg, wParam, lParam) != 0;
}

LRESULT MWindow::DefWindowProc(unsigned msg, WPARAM wParam, LPARAM) {
    switch (msg) {
        case WM_CLOSE:
            DestroyWindow();
            return 0;
        case WM_NCLBUTTONDOWN:
            if (wParam == HTCAPTION && hwnd_ != nullptr) {
                hwnd_->BeginMoveDrag(CurrentPlatform().GetCursorPos());
            }
            return 0;
        case WM_ERASEBKGND:
            return 1;
        default:
            return 0;
    }
}

LRESULT MWindow::OnNativeMessage(unsigned msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_NCCREATE:
            hwnd_ = reinterpret_cast<NativeWindow*>(lParam);  // NOLINT(performance-no-int-to-ptr)
            break;
        case WM_CLOSE:
            if (modal_) {
                modalResult_ = static_cast<unsigned>(wParam);
            }
            break;
        case WM_NCDESTROY: {
            const LRESULT result = OnWindowMessage(msg, wParam, lParam);
            NativeWindow* gone = hwnd_;
            hwnd_ = nullptr;
            Manager::DeleteWnd(this);
            OnDestroyMessage(gone);
            return result;
        }
        default:
            break;
    }
    return OnWindowMessage(msg, wParam, lParam);
}

NativeWindow* MWindow::Create(NativeWindow* parent, const std::wstring& name, unsigned style,
                              unsigned exStyle, CRect rect) {
    if (hwnd_ != nullptr) {
        return hwnd_;
    }
    parent_ = parent;
    style_ = style;
    exStyle_ = exStyle;
    WindowParams params;
    params.kind = (exStyle & WS_EX_TOOLWINDOW) || ((style & WS_POPUP) && parent != nullptr)
                      ? WindowKind::kPopup
                      : WindowKind::kTopLevel;
    params.owner = parent;
    params.caption = name;
    params.rect = rect;
    params.layered = (exStyle & WS_EX_LAYERED) != 0;
    params.topmost = (exStyle & WS_EX_TOPMOST) != 0;
    params.noActivate = (exStyle & WS_EX_NOACTIVATE) != 0;
    // The previous window object of this MWindow (if any) is gone; drop it first.
    window_.reset();
    window_ = CurrentPlatform().CreateNativeWindow(params, *this);
    if (!window_) {
        hwnd_ = nullptr;
        return nullptr;
    }
    hwnd_ = window_.get();
    Manager::AddWnd(this);
    OnInitDialog();
    if (hwnd_ != nullptr && (style & WS_VISIBLE)) {
        hwnd_->Show(SW_SHOW);
    }
    return hwnd_;
}

NativeWindow* MWindow::Create(NativeWindow* parent) {
    return Create(parent, L"MClient", 0x80B, 0, CRect(0, 0, 800, 600));
}

NativeWindow* MWindow::Create(NativeWindow* parent, CRect rect) {
    return Create(parent, L"MClient", 0x80B, 0, rect);
}

unsigned MWindow::ShowModal(int show) {
    if (hwnd_ == nullptr) {
        return 0xFFFFFFFFu;
    }
    NativeWindow* owner = parent_;
    modal_ = true;
    modalResult_ = 0;
    hwnd_->Show(show);
    if (owner != nullptr && owner->IsAlive()) {
        owner->Enable(false);
    }
    Platform& platform = CurrentPlatform();
    platform.RunLoop([this] { return hwnd_ != nullptr; });
    modal_ = false;
    // The owner may have gone while the loop ran (the program closes windows in any
    // order); only a live one is re-enabled.
    if (owner != nullptr && owner->IsAlive()) {
        owner->Enable(true);
        owner->Activate();
    }
    // A quit request that ended the loop stays pending for the enclosing loop.
    return modalResult_;
}

void MWindow::DestroyWindow() {
    if (hwnd_ != nullptr) {
        hwnd_->Destroy();
    }
}

void MWindow::CenterWindow(MWindow* reference) {
    if (hwnd_ == nullptr) {
        return;
    }
    const CRect rect = hwnd_->GetWindowRect();
    NativeWindow* ref = reference != nullptr ? reference->GetSafeHwnd() : parent_;
    const Platform& platform = CurrentPlatform();
    const CRect work = platform.GetWorkArea(ref != nullptr ? ref->GetWindowRect() : rect);
    CRect around = work;
    if (ref != nullptr && ref->IsAlive() && ref->IsVisible() && !ref->IsMinimized()) {
        around = ref->GetWindowRect();
    }
    int x = around.left + (around.Width() - rect.Width()) / 2;
    int y = around.top + (around.Height() - rect.Height()) / 2;
    // Keep inside the work area: right/bottom first, then left/top.
    x = std::min(x, work.right - rect.Width());
    y = std::min(y, work.bottom - rect.Height());
    x = std::max(x, work.left);
    y = std::max(y, work.top);
    hwnd_->Move(CRect(x, y, x + rect.Width(), y + rect.Height()));
}

void MWindow::BringToTop() {
    if (hwnd_ != nullptr) {
        hwnd_->Activate();
    }
}

int MWindow::SetIcon(const std::wstring& file) {
    if (hwnd_ == nullptr) {
        return 0;
    }
    // A full path is taken as it is; anything else is a skin image name.
    auto icon =
        LoadImageFromFile(std::filesystem::path(file).is_absolute() ? file : SkinPath(file));
    if (!icon) {
        return 0;
    }
    hwnd_->SetIcon(*icon);
    return 1;
}

int MWindow::SetIcon(unsigned resId) {
    if (hwnd_ == nullptr) {
        return 0;
    }
    auto icon = LoadApplicationImage(resId);
    if (!icon) {
        return 0;
    }
    hwnd_->SetIcon(*icon);
    return 1;
}

int MWindow::ModifyStyle(unsigned remove, unsigned add, unsigned) {
    if (hwnd_ == nullptr) {
        return 0;
    }
    style_ = (style_ & ~remove) | add;
    return 1;
}

int MWindow::ModifyExStyle(unsigned remove, unsigned add, unsigned) {
    if (hwnd_ == nullptr) {
        return 0;
    }
    exStyle_ = (exStyle_ & ~remove) | add;
    hwnd_->SetLayered((exStyle_ & WS_EX_LAYERED) != 0);
    return 1;
}

void MWindow::GetClientRect(CRect& rect) const {
    rect = hwnd_ != nullptr ? hwnd_->GetClientRect() : CRect();
}

void MWindow::GetWindowRect(CRect& rect) const {
    rect = hwnd_ != nullptr ? hwnd_->GetWindowRect() : CRect();
}

void MWindow::SetWindowTextW(const std::wstring& text) {
    if (hwnd_ != nullptr) {
        hwnd_->SetCaption(text);
    }
}

int MWindow::GetWindowTextW(std::wstring& text) const {
    text = hwnd_ != nullptr ? hwnd_->GetCaption() : std::wstring();
    return static_cast<int>(text.size());
}

int MWindow::GetWindowTextLengthW() const {
    return hwnd_ != nullptr ? static_cast<int>(hwnd_->GetCaption().size()) : 0;
}

int MWindow::EnableWindow(int enable) {
    if (hwnd_ == nullptr) {
        return 0;
    }
    const int wasDisabled = hwnd_->IsEnabled() ? 0 : 1;
    hwnd_->Enable(enable != 0);
    return wasDisabled;
}

int MWindow::IsWindowEnabled() const {
    return hwnd_ != nullptr && hwnd_->IsEnabled() ? 1 : 0;
}
int MWindow::IsWindowVisible() const {
    return hwnd_ != nullptr && hwnd_->IsVisible() ? 1 : 0;
}
int MWindow::IsIconic() const {
    return hwnd_ != nullptr && hwnd_->IsMinimized() ? 1 : 0;
}

void MWindow::InvalidateRect(CRect rect, int) {
    if (hwnd_ != nullptr) {
        hwnd_->Invalidate(rect);
    }
}

void MWindow::SetCapture() {
    if (hwnd_ != nullptr) {
        hwnd_->SetCapture();
    }
}

void MWindow::ReleaseCapture() {
    if (hwnd_ != nullptr) {
        hwnd_->ReleaseCapture();
    }
}

void MWindow::SetFocus() {
    if (hwnd_ != nullptr) {
        hwnd_->Activate();
    }
}

int MWindow::SetTimer(unsigned id, unsigned elapseMs) {
    return hwnd_ != nullptr && hwnd_->SetTimer(id, elapseMs) ? 1 : 0;
}

int MWindow::KillTimer(unsigned id) {
    if (hwnd_ == nullptr) {
        return 0;
    }
    hwnd_->KillTimer(id);
    return 1;
}

void MWindow::ClientToScreen(CPoint& point) const {
    if (hwnd_ != nullptr) {
        point = hwnd_->ClientToScreen(point);
    }
}

void MWindow::ClientToScreen(CRect& rect) const {
    if (hwnd_ != nullptr) {
        const CPoint tl = hwnd_->ClientToScreen(rect.TopLeft());
        rect.OffsetRect(tl.x - rect.left, tl.y - rect.top);
    }
}

void MWindow::ScreenToClient(CPoint& point) const {
    if (hwnd_ != nullptr) {
        point = hwnd_->ScreenToClient(point);
    }
}

void MWindow::ScreenToClient(CRect& rect) const {
    if (hwnd_ != nullptr) {
        const CPoint tl = hwnd_->ScreenToClient(rect.TopLeft());
        rect.OffsetRect(tl.x - rect.left, tl.y - rect.top);
    }
}

int MWindow::SetWindowPos(int x, int y, int cx, int cy) {
    return MoveWindow(x, y, cx, cy);
}

int MWindow::MoveWindow(const CRect& rect) {
    if (hwnd_ == nullptr) {
        return 0;
    }
    hwnd_->Move(rect);
    return 1;
}

LRESULT MWindow::SendMessageW(unsigned msg, WPARAM wParam, LPARAM lParam) {
    return hwnd_ != nullptr ? OnNativeMessage(msg, wParam, lParam) : 0;
}

int MWindow::PostMessageW(unsigned msg, WPARAM wParam, LPARAM lParam) {
    return hwnd_ != nullptr && hwnd_->PostMessage(msg, wParam, lParam) ? 1 : 0;
}

}  // namespace Tessera
