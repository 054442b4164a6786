#include "tessera/keyboard/keyboard_tips.h"

#include "tessera/core/image_cache.h"
#include "tessera/core/manager.h"
#include "tessera/platform/canvas.h"

namespace Tessera {

namespace {
constexpr unsigned kTipStyle = 0x96000080u;
// Hit-test answer for "nothing here": the mouse goes to whatever lies below.
constexpr LRESULT kHitNowhere = 0;
constexpr unsigned WM_MOUSEACTIVATE_CODE = 0x0021;
constexpr LRESULT kMouseNoActivate = 3;
}  // namespace

CKeyboardTips::CKeyboardTips() = default;

CKeyboardTips::~CKeyboardTips() {
    if (GetSafeHwnd() != nullptr) {
        DestroyWindow();
    }
}

NativeWindow* CKeyboardTips::CreateTipWindow(NativeWindow* owner) {
    // The visible bit is left out so creation shows nothing; the owner shows the tip
    // when a key is hovered.
    return Create(owner, L"KeyboardTip Window", kTipStyle & ~WS_VISIBLE,
                  WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, CRect());
}

int CKeyboardTips::ShowWindow(int command) {
    if (command != SW_HIDE) {
        command = SW_SHOWNA;
    }
    return MWindow::ShowWindow(command);
}

LRESULT CKeyboardTips::OnWindowMessage(unsigned msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CREATE:
            style_ = (style_ & 0xFF3BFFFFu) | 0x06000008u;
            exStyle_ = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
            break;
        case WM_SIZE:
            if (wParam != SIZE_MINIMIZED && GetSafeHwnd() != nullptr) {
                CRect client;
                GetClientRect(client);
                InvalidateRect(client);
            }
            break;
        case WM_PAINT:
            if (GetSafeHwnd() != nullptr) {
                GetSafeHwnd()->BeginPaint();
                Paint();
            }
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_TIMER:
            if (wParam == kTipHideTimerId) {
                KillTimer(kTipHideTimerId);
                if (IsWindowVisible()) {
                    ShowWindow(SW_HIDE);
                }
            }
            return 0;
        case WM_NCHITTEST:
            return kHitNowhere;
        case WM_MOUSEACTIVATE_CODE:
            return kMouseNoActivate;
        case WM_NCACTIVATE:
            return 1;
        case kTipCloseMessage:
            return OnUserCloseWindow(wParam, lParam);
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_RBUTTONDBLCLK:
        case WM_MOUSEWHEEL:
        case WM_MOUSELEAVE:
        case WM_KEYDOWN:
            return 0;
        default:
            break;
    }
    return DefWindowProc(msg, wParam, lParam);
}

int CKeyboardTips::SetAirBladderMsg(const std::wstring& title, const std::wstring& text,
                                    const std::wstring& second, CPoint anchor) {
    if (title == title_ && text == text_ && second == second_ && anchor == anchor_) {
        return 1;
    }
    title_ = title;
    text_ = text;
    second_ = second;
    anchor_ = anchor;
    type_ = 5;
    mode_ = 4;
    if (!title_.empty() && GetSafeHwnd() != nullptr) {
        const int x = anchor.x - kWidth / 2;
        const int y = anchor.y - kHeight;
        MoveWindow(x, y, kWidth, kHeight);
        Paint();
    }
    return 1;
}

int CKeyboardTips::LoadBKImage(const std::wstring& file) {
    auto image = LoadImageFromFile(SkinPath(file));
    if (!image) {
        return 0;
    }
    background_ = std::move(image);
    return 1;
}

int CKeyboardTips::LoadBKImage(unsigned resId, const std::wstring&) {
    auto image = LoadApplicationImage(resId);
    if (!image) {
        return 0;
    }
    background_ = std::move(image);
    return 1;
}

void CKeyboardTips::Paint() {
    NativeWindow* window = GetSafeHwnd();
    if (window == nullptr) {
        return;
    }
    const CRect client = window->GetClientRect();
    if (client.IsRectEmpty()) {
        return;
    }
    buffer_.Resize(client.Width(), client.Height());
    {
        Canvas dc(buffer_);
        dc.ClearRect(client, 0);
        const int corner = window->IsMaximized() ? 0 : 3;
        dc.DrawRoundRect(client, corner, kBackColor, 1, true, kBackColor);
        if (!title_.empty()) {
            const std::wstring face = Manager::GetFontName();
            const unsigned format = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;
            dc.DrawText(title_, CRect(10, 15, client.Width() - 10, 35), FontSpec{face, 14, 0},
                        kTextColor, format);
            dc.DrawText(second_, CRect(10, 40, client.Width() - 10, 70), FontSpec{face, 18, 0},
                        kTextColor, format);
        }
        dc.Flush();
    }
    window->Present(buffer_, client);
    ++paintCount_;
}

}  // namespace Tessera
