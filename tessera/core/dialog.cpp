#include "tessera/core/dialog.h"

#include "tessera/platform/platform.h"

namespace Tessera {

MDialog::MDialog() = default;

MDialog::~MDialog() {
    // Destroy the window while the dialog is whole, so its hooks still run.
    if (GetSafeHwnd() != nullptr) {
        DestroyWindow();
    }
    paintManager_.DestroyData();
}

LRESULT MDialog::OnWindowMessage(unsigned msg, WPARAM wParam, LPARAM lParam) {
    const CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    switch (msg) {
        case WM_CREATE:
            // No system frame: the skin draws everything.
            style_ =
                (style_ & ~(WS_CAPTION | WS_THICKFRAME)) | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | 0x8;
            OnCreate();
            break;
        case WM_DESTROY:
            OnDestroy();
            break;
        case WM_SIZE:
            OnSize(static_cast<unsigned>(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            break;
        case WM_PAINT:
            OnPaint();
            break;
        case WM_CLOSE:
            OnClose();
            break;
        case WM_ERASEBKGND:
            return 1;
        case WM_WINDOWPOSCHANGING:
            OnWindowPosChanging();
            break;
        case WM_WINDOWPOSCHANGED:
            OnWindowPosChanged();
            break;
        case WM_NCACTIVATE:
            OnNcActivate(static_cast<int>(wParam));
            break;
        case WM_TIMER:
            OnTimer(static_cast<unsigned>(wParam));
            break;
        case WM_MOUSEMOVE:
            OnMouseMove(wParam, point);
            break;
        case WM_MOUSELEAVE:
            OnMouseLeave();
            break;
        case WM_MOUSEHOVER:
            OnMouseHover(wParam, point);
            break;
        case WM_MOUSEWHEEL:
            OnMouseWheel(wParam, point);
            break;
        case WM_LBUTTONDOWN:
            OnLButtonDown(wParam, point);
            break;
        case WM_LBUTTONUP:
            OnLButtonUp(wParam, point);
            break;
        case WM_LBUTTONDBLCLK:
            OnLButtonDblClk(wParam, point);
            break;
        case WM_RBUTTONDOWN:
            OnRButtonDown(wParam, point);
            break;
        case WM_RBUTTONUP:
            OnRButtonUp(wParam, point);
            break;
        case WM_RBUTTONDBLCLK:
            OnRButtonDblClk(wParam, point);
            break;
        case WM_KEYDOWN:
            OnKeyDown(wParam, lParam);
            break;
        case WM_GETMINMAXINFO:
            OnGetMinMaxInfo(
                reinterpret_cast<MINMAXINFO*>(lParam));  // NOLINT(performance-no-int-to-ptr)
            break;
        case WM_NCPAINT:
            OnNcPaint();
            break;
        case kUserCloseMessage:
            return OnUserCloseWindow(static_cast<unsigned>(wParam), static_cast<long>(lParam));
        default:
            break;
    }
    bool handled = false;
    const LRESULT result = paintManager_.OnWindowMessage(msg, wParam, lParam, handled);
    if (handled && result != 0) {
        return result;
    }
    return DefWindowProc(msg, wParam, lParam);
}

bool MDialog::PreTranslateMessage(unsigned msg, WPARAM wParam, LPARAM lParam) {
    if (MWindow::PreTranslateMessage(msg, wParam, lParam)) {
        return true;
    }
    return paintManager_.PreTranslateMessage(msg, wParam, lParam);
}

int MDialog::OnInitDialog() {
    paintManager_.Init(GetSafeHwnd(), this);
    GetClientRect(client_);
    InitUI(client_);
    return 1;
}

void MDialog::OnDestroyMessage(NativeWindow*) {
    paintManager_.DestroyData();
    PostNcDestroy();
}

long MDialog::OnBaseMessage(unsigned id, unsigned code, unsigned wParam, long lParam) {
    return OnMessage(id, code, wParam, lParam);
}

long MDialog::OnControlUpdate(CRect rect, int invalidate, MControl* control) {
    return paintManager_.OnControlUpdate(rect, invalidate, control);
}

CPoint MDialog::GetAirBladderPoint(MControl* control, unsigned type) {
    if (control == nullptr) {
        return {};
    }
    const CRect r = control->GetRect();
    CPoint p(r.left, r.bottom);
    if (type == AIRBLADDER_CENTER) {
        p.x = (r.left + r.right) / 2;
    } else if (type == AIRBLADDER_RIGHT) {
        p.x = r.right;
    }
    ClientToScreen(p);
    return p;
}

void MDialog::OnMinimize() {
    ShowWindow(SW_MINIMIZE);
}

void MDialog::OnMaximize() {
    if (GetSafeHwnd() == nullptr) {
        return;
    }
    ShowWindow(GetSafeHwnd()->IsMaximized() ? SW_RESTORE : SW_SHOWMAXIMIZED);
}

long MDialog::OnUserCloseWindow(unsigned code, long lParam) {
    return PostMessageW(WM_CLOSE, code, lParam);
}

int MDialog::OnSize(unsigned kind, int, int) {
    if (kind != SIZE_MINIMIZED) {
        SetupBackTranslucent();
    }
    GetClientRect(client_);
    if (client_.Width() > 1 && client_.Height() > 1) {
        UISize(client_);
    }
    InvalidateRect(client_, 0);
    return 0;
}

void MDialog::SetupBackTranslucent() {
    NativeWindow* hwnd = GetSafeHwnd();
    if (hwnd == nullptr) {
        return;
    }
    if (windowAlpha_ != 255) {
        hwnd->SetOpacity(windowAlpha_);
    } else if (colorKey_ != 0xFFFFFF) {
        // The paint manager clears pixels of the key colour; the backend shapes the
        // window from the presented alpha.
        hwnd->SetLayered(true);
    }
}

MControl* MDialog::CreateControl(const std::wstring& className, unsigned id, CRect rect,
                                 const std::wstring& title, int visible, int enabled) {
    return paintManager_.CreateControl(1, this, className, id, rect, title, visible, enabled);
}

MControl* MDialog::CreateArea(const std::wstring& className, unsigned id, CRect rect,
                              const std::wstring& title, int visible, int enabled) {
    return paintManager_.CreateControl(0, this, className, id, rect, title, visible, enabled);
}

void MDialog::SetMessage(const std::wstring& text, CRect rect, MsgLevel level) {
    if (rect.IsRectEmpty()) {
        CRect client;
        GetClientRect(client);
        const int centre = (client.left + client.right) / 2;
        rect = CRect(centre - 100, client.bottom - 60, centre + 100, client.bottom - 2);
    }
    paintManager_.SetMessage(text, rect, level);
}

int MDialog::SetAirBladderMsg(const std::wstring& text, CPoint screenPoint, AIRBLADDER_TYPE) {
    if (screenPoint.x == 0 || screenPoint.y == 0) {
        return 0;
    }
    CPoint client = screenPoint;
    ScreenToClient(client);
    paintManager_.SetTooltip(text, CRect(client.x, client.y, client.x, client.y));
    return 1;
}

int MDialog::CreateShadow(int show, bool) {
    shadow_.show = show;
    return 1;
}

int MDialog::SetSize(int size) {
    if (size < -35 || size > 35) {
        return 0;
    }
    shadow_.size = size;
    return 1;
}

int MDialog::SetSharpness(unsigned sharpness) {
    if (sharpness > 35) {
        return 0;
    }
    shadow_.sharpness = sharpness;
    return 1;
}

int MDialog::SetDarkness(unsigned darkness) {
    if (darkness > 255) {
        return 0;
    }
    shadow_.darkness = darkness;
    return 1;
}

int MDialog::SetPosition(int x, int y) {
    if (x < -35 || x > 35 || y < -35 || y > 35) {
        return 0;
    }
    shadow_.offset = {x, y};
    return 1;
}

int MDialog::SetShadowColor(COLORREF color) {
    shadow_.color = color;
    return 1;
}

int MDialog::SetShadowShow(int show) {
    shadow_.show = show;
    return 1;
}

}  // namespace Tessera
