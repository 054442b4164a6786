#pragma once

// The framework's seam to the windowing system. One Platform object is installed per
// process (UsePlatform); every framework window, timer and loop goes through it. All
// calls are made on the UI thread except PostToUi, which any thread may call.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "tessera/platform/geometry.h"
#include "tessera/platform/native_edit.h"
#include "tessera/platform/native_tooltip.h"
#include "tessera/platform/native_window.h"

namespace Tessera {

class Platform {
public:
    virtual ~Platform() = default;

    // A short name: "null", "gtk", "win32".
    virtual const char* Name() const = 0;

    // Creates a window; the sink receives WM_NCCREATE, WM_CREATE and WM_SIZE before this
    // returns. Null on failure. The window starts hidden.
    virtual std::unique_ptr<NativeWindow> CreateNativeWindow(const WindowParams& params,
                                                             WindowEventSink& sink) = 0;
    // A native edit field over `parent`'s client, initially hidden.
    virtual std::unique_ptr<NativeEdit> CreateEdit(NativeWindow& parent, NativeEditSink& sink) = 0;
    // The tip window of `owner`, created hidden.
    virtual std::unique_ptr<NativeTooltip> CreateTooltip(NativeWindow& owner) = 0;

    // Runs the event loop until `keepRunning` returns false (checked after every event)
    // or a quit request arrives. Loops nest (modal dialogs, menus). Returns true when the
    // loop ended on a quit request; the request stays pending, so enclosing loops end too.
    virtual bool RunLoop(const std::function<bool()>& keepRunning) = 0;
    // Asks every running loop to end (WM_QUIT).
    virtual void PostQuit(int exitCode) = 0;
    virtual bool IsQuitPending() const = 0;
    virtual int QuitCode() const = 0;

    // Runs `task` on the UI thread from the event loop, in posting order (any thread).
    virtual void PostToUi(std::function<void()> task) = 0;

    // Milliseconds of a monotonic clock (the null backend's clock is fake).
    virtual std::uint64_t NowMs() const = 0;

    // Key state as GetKeyState's high bit: true while the virtual key is held down.
    virtual bool IsKeyDown(unsigned vk) const = 0;
    virtual CPoint GetCursorPos() const = 0;
    // Work area (screen minus panels) of the monitor nearest to `rect`.
    virtual CRect GetWorkArea(const CRect& nearRect) const = 0;
    // The system caret blink period in ms.
    virtual unsigned GetCaretBlinkTime() const { return 530; }

    virtual bool SetClipboardText(const std::wstring& text) = 0;
    virtual std::wstring GetClipboardText() const = 0;
};

// Installs the process's platform (replacing and destroying any earlier one: do this
// before any window exists). Without one, CurrentPlatform installs the null backend.
void UsePlatform(std::unique_ptr<Platform> platform);
Platform& CurrentPlatform();

// The folder of the running program file, with a trailing separator.
std::wstring GetProgramFolder();

}  // namespace Tessera
