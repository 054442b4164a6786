#pragma once

// The headless backend: windows are off-screen surfaces, input comes from a scripted
// injector, time from a fake clock that only moves when a test advances it. Every UI unit
// test runs on it; the gallery can too.

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "tessera/platform/platform.h"
#include "tessera/platform/surface.h"

namespace Tessera {

class NullWindow;
class NullEdit;
class NullTooltip;

class NullPlatform : public Platform {
public:
    NullPlatform();
    ~NullPlatform() override;

    const char* Name() const override { return "null"; }
    std::unique_ptr<NativeWindow> CreateNativeWindow(const WindowParams& params,
                                                     WindowEventSink& sink) override;
    std::unique_ptr<NativeEdit> CreateEdit(NativeWindow& parent, NativeEditSink& sink) override;
    std::unique_ptr<NativeTooltip> CreateTooltip(NativeWindow& owner) override;
    // Dispatches posted messages, UI tasks, due timers and pending paints. When nothing is
    // left, calls the idle script (SetIdleScript); without one, or when it returns false,
    // the loop ends as if `keepRunning` had turned false — a headless loop never blocks.
    bool RunLoop(const std::function<bool()>& keepRunning) override;
    void PostQuit(int exitCode) override;
    bool IsQuitPending() const override { return quitPending_; }
    int QuitCode() const override { return quitCode_; }
    void PostToUi(std::function<void()> task) override;
    std::uint64_t NowMs() const override { return nowMs_; }
    bool IsKeyDown(unsigned vk) const override;
    CPoint GetCursorPos() const override { return cursor_; }
    CRect GetWorkArea(const CRect& nearRect) const override;
    bool SetClipboardText(const std::wstring& text) override;
    std::wstring GetClipboardText() const override { return clipboard_; }

    // ---- scripting ----
    void SetWorkArea(const CRect& area) { workArea_ = area; }
    void ClearQuit() { quitPending_ = false; }
    // Called by RunLoop when it has nothing to do; return false to end the loop.
    void SetIdleScript(std::function<bool()> script) { idle_ = std::move(script); }
    // Makes SetTimer fail, as a system out of timers would.
    void SetRefuseTimers(bool refuse) { refuseTimers_ = refuse; }

    // Moves the fake clock, firing due window timers in time order (each timer fires as
    // often as its period fits), then paints invalid windows.
    void AdvanceTime(std::uint64_t ms);
    // Delivers posted messages and UI tasks, then pending paints, without waiting.
    void ProcessPending();
    // Paints every visible window with an invalid region (WM_PAINT).
    void PaintAll();

    // Input, in client coordinates of `window`, sent through the sink as a real backend
    // would: pre-translation, then the window message. A press on a disabled window is
    // dropped. Mouse input goes to the capturing window instead while one captures.
    void MouseMove(NativeWindow& window, CPoint p);
    void MouseDown(NativeWindow& window, CPoint p, bool right = false);
    void MouseUp(NativeWindow& window, CPoint p, bool right = false);
    // Press, release, press, double click, release — what a double click produces.
    void DoubleClick(NativeWindow& window, CPoint p, bool right = false);
    void Click(NativeWindow& window, CPoint p, bool right = false);
    void Wheel(NativeWindow& window, CPoint p, int delta);
    void MouseLeave(NativeWindow& window);
    void KeyDown(NativeWindow& window, unsigned vk);
    void KeyUp(NativeWindow& window, unsigned vk);
    void Char(NativeWindow& window, wchar_t ch);
    // Deactivation (WM_NCACTIVATE 0), e.g. a click into another program.
    void Deactivate(NativeWindow& window);
    // Sends a message synchronously, as SendMessage does.
    LRESULT Send(NativeWindow& window, unsigned msg, WPARAM wParam, LPARAM lParam);

    // ---- inspection ----
    // The last presented client image of the window.
    static const Surface& Screen(const NativeWindow& window);
    static int PaintCount(const NativeWindow& window);
    static CRect InvalidRect(const NativeWindow& window);
    static bool HasTimer(const NativeWindow& window, unsigned id);
    static CursorKind Cursor(const NativeWindow& window);
    static bool IsLayeredWindow(const NativeWindow& window);
    // Number of BeginMoveDrag calls (a press on a free spot moves the window).
    static int MoveDragCount(const NativeWindow& window);
    // All live windows, oldest first.
    std::vector<NativeWindow*> Windows() const;
    // The most recently created edit field / tooltip, null when none.
    NativeEdit* LastEdit() const { return lastEdit_; }
    NativeTooltip* LastTooltip() const { return lastTooltip_; }
    // Types into the focused edit field's text, as the user would.
    static void TypeInto(NativeEdit& edit, const std::wstring& text);
    // Enter or Escape inside the edit field.
    static void PressEditKey(NativeEdit& edit, unsigned vk);

private:
    friend class NullWindow;
    friend class NullEdit;
    friend class NullTooltip;
    // One queued item: a window message, or a UI task when `window` is null.
    struct Posted {
        NullWindow* window = nullptr;
        unsigned msg = 0;
        WPARAM wParam = 0;
        LPARAM lParam = 0;
        std::function<void()> task;
    };
    void Forget(NullWindow* window);
    void ForgetEdit(NullEdit* edit);
    void SetActive(NullWindow* window);
    bool EditTakesPress(NullWindow& window, CPoint p);
    bool DispatchOne();
    NullWindow* MouseTarget(NativeWindow& window);
    void SendInput(NullWindow& target, unsigned msg, WPARAM wParam, LPARAM lParam);
    WPARAM MouseKeyState() const;

    std::uint64_t nowMs_ = 0;
    std::uint64_t timerSequence_ = 0;
    bool quitPending_ = false;
    int quitCode_ = 0;
    CRect workArea_{0, 0, 1920, 1040};
    CPoint cursor_;
    std::map<unsigned, bool> keys_;
    std::wstring clipboard_;
    mutable std::mutex queueMutex_;  // guards posted_ (any thread posts)
    std::deque<Posted> posted_;
    std::function<bool()> idle_;
    std::vector<NullWindow*> windows_;
    NullWindow* capture_ = nullptr;
    NativeEdit* lastEdit_ = nullptr;
    NativeTooltip* lastTooltip_ = nullptr;
    std::vector<NullEdit*> edits_;
    std::vector<NullTooltip*> tooltips_;
    NullEdit* focusedEdit_ = nullptr;
    NullWindow* active_ = nullptr;
    bool refuseTimers_ = false;
};

}  // namespace Tessera
