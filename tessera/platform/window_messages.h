#pragma once

// The framework's window logic speaks window messages with the Win32 numeric codes. The
// win32 backend passes native messages through; the other backends translate their events
// into these codes, so the paint manager and every control behave alike everywhere.
//
// Coordinates: mouse messages carry the client point packed in lParam (two signed 16-bit
// values), WM_MOUSEWHEEL included (a backend whose native wheel point is in screen
// coordinates converts it). A double click arrives as one press followed by one
// WM_xBUTTONDBLCLK, as on Windows.

#include <cstdint>

#include "tessera/platform/geometry.h"

#ifdef _WIN32
#include <windows.h>
#include <windowsx.h>
namespace Tessera {
using ::LPARAM;
using ::LRESULT;
using ::WPARAM;
}  // namespace Tessera
#else

namespace Tessera {

using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

// Window messages.
inline constexpr unsigned WM_NULL = 0x0000;
inline constexpr unsigned WM_CREATE = 0x0001;
inline constexpr unsigned WM_DESTROY = 0x0002;
inline constexpr unsigned WM_MOVE = 0x0003;
inline constexpr unsigned WM_SIZE = 0x0005;
inline constexpr unsigned WM_ACTIVATE = 0x0006;
inline constexpr unsigned WM_SETFOCUS = 0x0007;
inline constexpr unsigned WM_KILLFOCUS = 0x0008;
inline constexpr unsigned WM_ENABLE = 0x000A;
inline constexpr unsigned WM_SETTEXT = 0x000C;
inline constexpr unsigned WM_PAINT = 0x000F;
inline constexpr unsigned WM_CLOSE = 0x0010;
inline constexpr unsigned WM_QUIT = 0x0012;
inline constexpr unsigned WM_ERASEBKGND = 0x0014;
inline constexpr unsigned WM_SHOWWINDOW = 0x0018;
inline constexpr unsigned WM_ACTIVATEAPP = 0x001C;
inline constexpr unsigned WM_SETCURSOR = 0x0020;
inline constexpr unsigned WM_GETMINMAXINFO = 0x0024;
inline constexpr unsigned WM_WINDOWPOSCHANGING = 0x0046;
inline constexpr unsigned WM_WINDOWPOSCHANGED = 0x0047;
inline constexpr unsigned WM_NCCREATE = 0x0081;
inline constexpr unsigned WM_NCDESTROY = 0x0082;
inline constexpr unsigned WM_NCCALCSIZE = 0x0083;
inline constexpr unsigned WM_NCHITTEST = 0x0084;
inline constexpr unsigned WM_NCPAINT = 0x0085;
inline constexpr unsigned WM_NCACTIVATE = 0x0086;
inline constexpr unsigned WM_NCLBUTTONDOWN = 0x00A1;
inline constexpr unsigned WM_INPUT = 0x00FF;
inline constexpr unsigned WM_KEYDOWN = 0x0100;
inline constexpr unsigned WM_KEYUP = 0x0101;
inline constexpr unsigned WM_CHAR = 0x0102;
inline constexpr unsigned WM_SYSKEYDOWN = 0x0104;
inline constexpr unsigned WM_SYSKEYUP = 0x0105;
inline constexpr unsigned WM_COMMAND = 0x0111;
inline constexpr unsigned WM_SYSCOMMAND = 0x0112;
inline constexpr unsigned WM_TIMER = 0x0113;
inline constexpr unsigned WM_CTLCOLOREDIT = 0x0133;
inline constexpr unsigned WM_CTLCOLORSTATIC = 0x0138;
inline constexpr unsigned STM_SETIMAGE = 0x0172;
inline constexpr unsigned WM_MOUSEMOVE = 0x0200;
inline constexpr unsigned WM_LBUTTONDOWN = 0x0201;
inline constexpr unsigned WM_LBUTTONUP = 0x0202;
inline constexpr unsigned WM_LBUTTONDBLCLK = 0x0203;
inline constexpr unsigned WM_RBUTTONDOWN = 0x0204;
inline constexpr unsigned WM_RBUTTONUP = 0x0205;
inline constexpr unsigned WM_RBUTTONDBLCLK = 0x0206;
inline constexpr unsigned WM_MBUTTONDOWN = 0x0207;
inline constexpr unsigned WM_MBUTTONUP = 0x0208;
inline constexpr unsigned WM_MBUTTONDBLCLK = 0x0209;
inline constexpr unsigned WM_MOUSEWHEEL = 0x020A;
inline constexpr unsigned WM_CAPTURECHANGED = 0x0215;
inline constexpr unsigned WM_DEVICECHANGE = 0x0219;
inline constexpr unsigned WM_MOUSEHOVER = 0x02A1;
inline constexpr unsigned WM_MOUSELEAVE = 0x02A3;
inline constexpr unsigned WM_USER = 0x0400;

// Mouse key state bits in wParam of mouse messages.
inline constexpr unsigned MK_LBUTTON = 0x0001;
inline constexpr unsigned MK_RBUTTON = 0x0002;
inline constexpr unsigned MK_SHIFT = 0x0004;
inline constexpr unsigned MK_CONTROL = 0x0008;
inline constexpr unsigned MK_MBUTTON = 0x0010;

// Hit-test codes.
inline constexpr unsigned HTCLIENT = 1;
inline constexpr unsigned HTCAPTION = 2;

// Show commands.
inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOWNORMAL = 1;
inline constexpr int SW_SHOWMINIMIZED = 2;
inline constexpr int SW_SHOWMAXIMIZED = 3;
inline constexpr int SW_SHOWNOACTIVATE = 4;
inline constexpr int SW_SHOW = 5;
inline constexpr int SW_MINIMIZE = 6;
inline constexpr int SW_SHOWNA = 8;
inline constexpr int SW_RESTORE = 9;

// WM_SIZE kinds.
inline constexpr unsigned SIZE_RESTORED = 0;
inline constexpr unsigned SIZE_MINIMIZED = 1;
inline constexpr unsigned SIZE_MAXIMIZED = 2;

// Virtual-key codes the framework itself looks at (the rest pass through as numbers).
inline constexpr unsigned VK_LBUTTON = 0x01;
inline constexpr unsigned VK_RBUTTON = 0x02;
inline constexpr unsigned VK_BACK = 0x08;
inline constexpr unsigned VK_TAB = 0x09;
inline constexpr unsigned VK_RETURN = 0x0D;
inline constexpr unsigned VK_SHIFT = 0x10;
inline constexpr unsigned VK_CONTROL = 0x11;
inline constexpr unsigned VK_MENU = 0x12;
inline constexpr unsigned VK_ESCAPE = 0x1B;
inline constexpr unsigned VK_SPACE = 0x20;
inline constexpr unsigned VK_PRIOR = 0x21;
inline constexpr unsigned VK_NEXT = 0x22;
inline constexpr unsigned VK_END = 0x23;
inline constexpr unsigned VK_HOME = 0x24;
inline constexpr unsigned VK_LEFT = 0x25;
inline constexpr unsigned VK_UP = 0x26;
inline constexpr unsigned VK_RIGHT = 0x27;
inline constexpr unsigned VK_DOWN = 0x28;
inline constexpr unsigned VK_DELETE = 0x2E;
inline constexpr unsigned VK_F4 = 0x73;

// Text format bits (horizontal 0 left / 1 centre / 2 right, vertical 0 top / 4 centre /
// 8 bottom, as the controls store their alignment).
inline constexpr unsigned DT_TOP = 0x0000;
inline constexpr unsigned DT_LEFT = 0x0000;
inline constexpr unsigned DT_CENTER = 0x0001;
inline constexpr unsigned DT_RIGHT = 0x0002;
inline constexpr unsigned DT_VCENTER = 0x0004;
inline constexpr unsigned DT_BOTTOM = 0x0008;
inline constexpr unsigned DT_WORDBREAK = 0x0010;
inline constexpr unsigned DT_SINGLELINE = 0x0020;
inline constexpr unsigned DT_NOCLIP = 0x0100;
inline constexpr unsigned DT_NOPREFIX = 0x0800;
inline constexpr unsigned DT_END_ELLIPSIS = 0x8000;

inline constexpr int WHEEL_DELTA = 120;

// Window styles the framework reads when it creates a window.
inline constexpr unsigned WS_POPUP = 0x80000000u;
inline constexpr unsigned WS_CHILD = 0x40000000u;
inline constexpr unsigned WS_MINIMIZE = 0x20000000u;
inline constexpr unsigned WS_VISIBLE = 0x10000000u;
inline constexpr unsigned WS_CLIPSIBLINGS = 0x04000000u;
inline constexpr unsigned WS_CLIPCHILDREN = 0x02000000u;
inline constexpr unsigned WS_MAXIMIZE = 0x01000000u;
inline constexpr unsigned WS_CAPTION = 0x00C00000u;
inline constexpr unsigned WS_SYSMENU = 0x00080000u;
inline constexpr unsigned WS_THICKFRAME = 0x00040000u;
inline constexpr unsigned WS_MINIMIZEBOX = 0x00020000u;
inline constexpr unsigned WS_MAXIMIZEBOX = 0x00010000u;
inline constexpr unsigned WS_EX_TOPMOST = 0x00000008u;
inline constexpr unsigned WS_EX_TOOLWINDOW = 0x00000080u;
inline constexpr unsigned WS_EX_LAYERED = 0x00080000u;
inline constexpr unsigned WS_EX_NOACTIVATE = 0x08000000u;

// Dialog result codes.
inline constexpr unsigned IDOK = 1;
inline constexpr unsigned IDCANCEL = 2;
inline constexpr unsigned IDYES = 6;
inline constexpr unsigned IDNO = 7;

// lParam of WM_GETMINMAXINFO points at one of these.
struct MINMAXINFO {
    CPoint ptReserved;
    CPoint ptMaxSize;
    CPoint ptMaxPosition;
    CPoint ptMinTrackSize;
    CPoint ptMaxTrackSize;
};

constexpr LPARAM MAKELPARAM(int low, int high) {
    return static_cast<LPARAM>(
        static_cast<std::uint32_t>((low & 0xFFFF) | ((high & 0xFFFF) << 16)));
}
constexpr WPARAM MAKEWPARAM(int low, int high) {
    return static_cast<WPARAM>(
        static_cast<std::uint32_t>((low & 0xFFFF) | ((high & 0xFFFF) << 16)));
}
constexpr unsigned LOWORD(std::uintptr_t v) {
    return static_cast<unsigned>(v & 0xFFFF);
}
constexpr unsigned HIWORD(std::uintptr_t v) {
    return static_cast<unsigned>((v >> 16) & 0xFFFF);
}
constexpr int GET_X_LPARAM(LPARAM lp) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(lp & 0xFFFF));
}
constexpr int GET_Y_LPARAM(LPARAM lp) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>((lp >> 16) & 0xFFFF));
}
constexpr int GET_WHEEL_DELTA_WPARAM(WPARAM wp) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>((wp >> 16) & 0xFFFF));
}

}  // namespace Tessera

#endif
