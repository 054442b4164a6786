#pragma once

// One native top-level window as the framework sees it. The framework's window object
// (MWindow) implements WindowEventSink and receives every event as a Win32-coded window
// message; it drives the window through NativeWindow. Backends: null (off-screen, for
// tests), gtk, later win32.

#include <cstdint>
#include <memory>
#include <string>

#include "tessera/platform/geometry.h"
#include "tessera/platform/window_messages.h"

namespace Tessera {

class Image;
class Surface;

// What a window is; all windows are undecorated (the skin draws everything).
enum class WindowKind {
    kTopLevel,  // application dialog, appears in the task bar
    kPopup,     // menu, drop-down list, tip: no task bar entry, may be topmost
};

enum class CursorKind { kDefault, kArrow, kWait, kCross, kSizeWE, kSizeNS, kHand, kHelp };

struct WindowParams {
    WindowKind kind = WindowKind::kTopLevel;
    class NativeWindow* owner = nullptr;  // stays above its owner; may be null
    std::wstring caption;
    CRect rect;            // window rectangle in screen coordinates
    bool layered = false;  // per-pixel alpha
    bool topmost = false;
    bool noActivate = false;  // shown without taking focus (tips)
};

// Receives the window's events, each a window message with Win32 codes and packing.
// Order on creation: WM_NCCREATE (lParam = the NativeWindow*, so the sink knows its
// window before CreateNativeWindow returns), WM_CREATE (returning -1 fails the creation),
// WM_SIZE. On destruction: WM_DESTROY then
// WM_NCDESTROY, after which the backend never calls the sink again. WM_PAINT arrives
// when part of the client is invalid; the sink then calls BeginPaint and Present.
class WindowEventSink {
public:
    virtual ~WindowEventSink() = default;
    // Offered every input message before dispatch; true = consumed.
    virtual bool PreTranslateMessage(unsigned msg, WPARAM wParam, LPARAM lParam) {
        (void)msg;
        (void)wParam;
        (void)lParam;
        return false;
    }
    virtual LRESULT OnNativeMessage(unsigned msg, WPARAM wParam, LPARAM lParam) = 0;
};

class NativeWindow {
public:
    virtual ~NativeWindow() = default;

    // Destroys the native window (WM_DESTROY, WM_NCDESTROY to the sink); idempotent.
    // Deleting the object without Destroy() ends the window without any message (the
    // sink may already be half torn down).
    virtual void Destroy() = 0;
    virtual bool IsAlive() const = 0;

    // SW_* show commands: SW_HIDE, SW_SHOW, SW_SHOWNA, SW_SHOWNOACTIVATE, SW_MINIMIZE,
    // SW_SHOWMAXIMIZED, SW_RESTORE.
    virtual void Show(int command) = 0;
    virtual bool IsVisible() const = 0;
    virtual bool IsMinimized() const = 0;
    virtual bool IsMaximized() const = 0;
    // Brings the window to the front and gives it the focus.
    virtual void Activate() = 0;
    virtual bool IsActive() const = 0;
    // Disabled windows receive no input (the owner of a modal dialog).
    virtual void Enable(bool enable) = 0;
    virtual bool IsEnabled() const = 0;

    // Window rectangle in screen coordinates; the client has the same size (no frame).
    virtual CRect GetWindowRect() const = 0;
    virtual void Move(const CRect& screenRect) = 0;
    CRect GetClientRect() const {
        CRect r = GetWindowRect();
        return {0, 0, r.Width(), r.Height()};
    }

    virtual void SetCaption(const std::wstring& caption) = 0;
    virtual std::wstring GetCaption() const = 0;
    virtual void SetIcon(const Image& icon) = 0;
    // Named values kept with the window (the single-instance marker looks for one).
    virtual void SetProperty(const std::wstring& name, std::intptr_t value) = 0;
    virtual std::intptr_t GetProperty(const std::wstring& name) const = 0;

    // Per-pixel alpha on or off. Without a compositor the backend cuts the window shape
    // from the presented alpha channel instead.
    virtual void SetLayered(bool layered) = 0;
    // Constant window alpha (255 = opaque).
    virtual void SetOpacity(int alpha) = 0;

    // Mouse capture: mouse messages keep coming to this window while the button is held.
    virtual void SetCapture() = 0;
    virtual void ReleaseCapture() = 0;
    virtual bool HasCapture() const = 0;
    virtual void SetCursor(CursorKind cursor) = 0;
    // Starts moving the window with the mouse, as a press on a caption does.
    virtual void BeginMoveDrag(CPoint screenPoint) = 0;

    // Marks part of the client for repainting; a WM_PAINT follows from the event loop.
    virtual void Invalidate(const CRect& clientRect) = 0;
    // The invalid part of the client, and marks it valid; empty when nothing is invalid.
    virtual CRect BeginPaint() = 0;
    // Shows `rect` of the composed client image (client-sized, premultiplied BGRA).
    virtual void Present(const Surface& client, const CRect& rect) = 0;

    // Window timers: WM_TIMER with wParam = id every `elapseMs`. Setting an existing id
    // restarts it. False when the system refuses.
    virtual bool SetTimer(unsigned id, unsigned elapseMs) = 0;
    virtual void KillTimer(unsigned id) = 0;

    // Queues a message for this window (any thread); delivered by the event loop.
    virtual bool PostMessage(unsigned msg, WPARAM wParam, LPARAM lParam) = 0;

    virtual CPoint ClientToScreen(CPoint p) const {
        CRect r = GetWindowRect();
        return {p.x + r.left, p.y + r.top};
    }
    virtual CPoint ScreenToClient(CPoint p) const {
        CRect r = GetWindowRect();
        return {p.x - r.left, p.y - r.top};
    }
};

}  // namespace Tessera
