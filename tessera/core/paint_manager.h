#pragma once

// PaintManager: the engine of one framework window. It holds the window's two top-level
// control lists, turns window messages into control input, composes the client off
// screen (into a premultiplied BGRA back buffer) and presents it, and runs control
// timers, the tooltip, the message/progress overlay, the caret of windowless edits, the
// image cache and the window's fonts.
//
// Not offered: dragging a control out of the window (the program makes no control
// draggable, so the drag flag is stored only), and the 15 ms pause after each paint that
// paced repaint storms under GDI (the backends pace frames themselves).

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "tessera/core/control.h"
#include "tessera/core/image_cache.h"
#include "tessera/platform/native_tooltip.h"
#include "tessera/platform/native_window.h"
#include "tessera/platform/surface.h"

namespace Tessera {

class MWindow;

enum enumBackMode {
    BACKMODE_NORMAL = 0,  // the background image at (0,0) in its own size
    BACKMODE_FRAME = 1,   // nine-grid stretched over the client
};

enum MsgLevel { MSG_INFO = 0, MSG_WARNING = 1, MSG_ERROR = 2 };

enum AIRBLADDER_TYPE {
    AIRBLADDER_LEFT = 0,
    AIRBLADDER_CENTER = 1,
    AIRBLADDER_RIGHT = 2,
};
enum AIRBLADDER_MODE {
    AIRBLADDER_MODE_NONE = 0,
    AIRBLADDER_MODE_RIGHT = 1,
    AIRBLADDER_MODE_LEFT = 2
};

// The manager's own window timer ids.
inline constexpr unsigned kCaretTimerId = 6553;
inline constexpr unsigned kMessageHoldTimerId = 66;
inline constexpr unsigned kOverlayFadeTimerId = 88;
inline constexpr unsigned kProgressTimerId = 99;
// Window timer that drives the controls registered with AddMTimer.
inline constexpr unsigned kControlTickTimerId = 6554;

struct ControlTimerRecord {
    unsigned key = 0;
    unsigned eventId = 0;
    int killed = 0;
    MControl* control = nullptr;
};

class PaintManager : public MObject {
public:
    PaintManager();
    ~PaintManager() override;

    // ---- lifecycle ----
    void Init(NativeWindow* window, MWindow* owner);
    void DestroyData();
    bool IsInitialized() const { return initialized_; }

    // ---- message entry ----
    LRESULT OnWindowMessage(unsigned msg, WPARAM wParam, LPARAM lParam, bool& handled);
    // Tab focus and tooltip relay; true = consumed.
    bool PreTranslateMessage(unsigned msg, WPARAM wParam, LPARAM lParam);

    // ---- window helpers ----
    NativeWindow* GetPaintWnd() const { return window_; }
    MWindow* GetMDialog() const { return owner_; }
    void Invalidate();
    void InvalidateRect(CRect rect, int erase = 0);
    void GetClientRect(CRect& rect) const;
    void GetWindowRect(CRect& rect) const;
    void GetClientSize(int& cx, int& cy) const;
    void SetCaptionRect(CRect rect) { captionRect_ = rect; }
    CRect GetCaptionRect() const { return captionRect_; }
    void SetWindowMaxSize(int cx, int cy) { maxSize_ = {cx, cy}; }
    void GetWindowManSize(int& cx, int& cy) const { cx = maxSize_.cx, cy = maxSize_.cy; }
    void SetWindowMixSize(int cx, int cy) { minSize_ = {cx, cy}; }
    void GetWindowMinSize(int& cx, int& cy) const { cx = minSize_.cx, cy = minSize_.cy; }
    // The window cursor while the mouse is over the control asking for it; it returns
    // to the default on the first move that no control claims.
    void SetCursor(CursorKind cursor);
    void SetCapture();
    void ReleaseCapture();
    int IsCaptured() const { return captured_; }
    void SetLayeredWindow(int layered);
    int IsLayered() const { return layered_; }
    void EnableWndDrag(int enable) { wndDrag_ = enable; }
    int IsWndDragEnabled() const { return wndDrag_; }
    LRESULT SendMessageW(unsigned msg, WPARAM wParam, LPARAM lParam);
    LRESULT PostMessageW(unsigned msg, WPARAM wParam, LPARAM lParam);
    // The composed client as last painted.
    const Surface& GetBackBuffer() const { return backBuffer_; }
    // For windows that draw over the composed client before presenting it.
    Surface& GetBackBuffer() { return backBuffer_; }

    // ---- look ----
    int LoadBKImage(const std::wstring& file);
    int LoadBKImage(unsigned resId, const std::wstring& resType);
    void SetBackMode(enumBackMode mode, int corner);
    void SetBackColor(COLORREF back, COLORREF frame);
    // Pixels of exactly this colour are presented fully transparent (0xFFFFFF = none).
    void SetColorKey(COLORREF key) { colorKey_ = key; }
    void SetScrollResID(unsigned v, unsigned h) { scrollV_ = v, scrollH_ = h; }
    unsigned GetScrollVID() const { return scrollV_; }
    unsigned GetScrollHID() const { return scrollH_; }
    void SetDefaultEnabledColor(COLORREF color) { defaultEnabledColor_ = color; }
    COLORREF GetDefaultEnabledColor() const { return defaultEnabledColor_; }

    // ---- controls ----
    MControl* CreateArea(MObject* parent, const std::wstring& className, unsigned id, CRect rect,
                         const std::wstring& title, int visible = 1, int enabled = 1);
    MControl* CreateControl(MObject* parent, const std::wstring& className, unsigned id, CRect rect,
                            const std::wstring& title, int visible = 1, int enabled = 1);
    MControl* CreateControl(unsigned layer, MObject* parent, const std::wstring& className,
                            unsigned id, CRect rect, const std::wstring& title, int visible,
                            int enabled);
    // Appends a control built by the caller to layer 0 or 1; it gets this manager.
    MControl* AddControl(unsigned layer, std::unique_ptr<MControl> control);
    MControl* GetControl(unsigned id);
    void RemoveControl(MControl* control);
    void ClearAllControls();
    void ClearAreaControls();
    void ClearControls();
    const ControlList& GetControls() const { return controls_; }
    const ControlList& GetAreas() const { return areas_; }
    void SetFocusControl(MControl* control);
    MControl* GetFocusControl() const { return focus_; }
    MControl* GetHoverControl() const { return hover_; }
    MControl* GetNextFocusableControl();
    MControl* GetPrevFocusableControl();
    long OnControlUpdate(CRect rect, int invalidate, MControl* control) override;
    std::recursive_mutex& TreeLock() { return treeLock_; }
    // A control was hidden: it is no longer the hover or focus control.
    void ReleaseInput(MControl* control);
    // A control (or one of its descendants) is going away: drop every reference to it.
    void ForgetControl(MControl* control);

    // ---- control timers ----
    int SetTimer(MControl* control, unsigned key, unsigned elapseMs);
    int KillTimer(MControl* control, unsigned key);
    void KillTimer(MControl* control);
    void ClearTimers();
    const std::vector<ControlTimerRecord>& GetTimerRecords() const { return timers_; }
    // Periodic ticks of registered controls (OnTimer of each visible, runTimer control).
    // Driven by a window timer on the UI thread rather than a system timer thread.
    unsigned SetMTimer(unsigned periodMs);
    void KillMTimer(unsigned id);
    void KillMTimer();
    void AddMTimer(MControl* control);
    void DeleteMTimer(MControl* control);

    // ---- tooltip ----
    void SetTooltip(const std::wstring& text, CRect rect);
    void ClearTooltip();
    void SetTooltipCtrlID(int id) { tooltipOwner_ = id; }
    int GetTooltipCtrlID() const { return tooltipOwner_; }
    NativeTooltip* GetToolTipWnd() const { return tooltip_.get(); }

    // ---- overlay ----
    void SetMessage(const std::wstring& text, CRect rect, MsgLevel level);
    void SetProgress(int percent, const std::wstring& text, CRect rect);
    int GetOverlayAlpha() const { return overlayAlpha_; }
    int GetProgress() const { return progress_; }
    int GetProgressTarget() const { return progressTarget_; }
    const std::wstring& GetMessageText() const { return messageText_; }

    // ---- caret of windowless edits ----
    void CreateCaret(int cx, int cy);
    void ShowCaret(int show);
    void SetCaretPos(MControl* owner, int x, int y);
    MControl* GetCurrentCaretObject() const { return caretOwner_; }
    void DrawCaret(Canvas& dc, const CRect& clip);

    // ---- resources ----
    ImgResInfo* AddImgResInfo(const std::wstring& file, int frames);
    ImgResInfo* AddImgResInfo(unsigned resId, const std::wstring& resType, int frames,
                              int application);
    void ClearImgResInfo() { images_.Clear(); }
    ImageCache& GetImageCache() { return images_; }
    // Fonts: faces this window added (private font files), by the name given.
    int AddTempFont(const std::wstring& face, const std::wstring& file);
    int AddTempFont(const std::wstring& face, unsigned resId);
    void AddGDITempFont(unsigned resId);
    // The family list text is drawn with for the framework face (Manager::GetFontName);
    // the `face` argument does not take part. Empty when no face can be found.
    std::wstring FindTempFont(const std::wstring& face);
    // The family list this window holds under exactly `face`; empty when it holds none.
    std::wstring GetTempFont(const std::wstring& face);
    void ClearTempFont();

    // ---- drawing helpers for the window ----
    // Composes the client into the back buffer for `update` (everything when layered) and
    // returns the rectangle composed. Exposed for benchmarks and tests.
    CRect Compose(CRect update);

    // The modifier code handed to OnControlKeyDown: 18 Alt, else 16 Shift, else 0; | 17 Ctrl.
    static unsigned CurrentModifierCode();

private:
    LRESULT OnPaint();
    void OnMouseMove(WPARAM flags, CPoint p);
    void RouteMouseMove(WPARAM flags, CPoint p);
    void OnButtonDown(bool right, WPARAM flags, CPoint p);
    void OnButtonUp(bool right, WPARAM flags, CPoint p);
    void OnButtonDblClk(bool right, WPARAM flags, CPoint p);
    void OnMouseLeave();
    void OnMouseWheel(WPARAM wParam, CPoint p);
    void OnNcActivate(bool active);
    bool OnKeyDown(unsigned vk, LPARAM lParam);
    void OnTimer(unsigned id);
    void DrawBackground(Canvas& dc);
    void DrawOverlay(Canvas& dc);
    void RepairAlpha(const CRect& rect);
    void ClearKeyColor(const CRect& rect);
    bool NextTimerIdInUse(unsigned id) const;

    NativeWindow* window_ = nullptr;
    MWindow* owner_ = nullptr;
    bool initialized_ = false;

    COLORREF backColor_ = RGB(6, 15, 16);
    COLORREF frameColor_ = RGB(87, 87, 87);
    COLORREF colorKey_ = 0xFFFFFF;
    std::unique_ptr<Image> bkImage_;
    enumBackMode backMode_ = BACKMODE_NORMAL;
    int corner_ = 4;
    int layered_ = 0;
    CRect captionRect_;
    int wndDrag_ = 1;
    CSize maxSize_;
    CSize minSize_;

    int active_ = 1;
    int tracking_ = 0;
    int lPressed_ = 0;
    int rPressed_ = 0;
    int captured_ = 0;
    MControl* hover_ = nullptr;
    CursorKind cursor_ = CursorKind::kDefault;
    bool cursorRequested_ = false;
    MControl* focus_ = nullptr;

    ControlList areas_;
    ControlList controls_;
    // Guards both lists here and every child list of the window's controls.
    std::recursive_mutex treeLock_;
    std::vector<MControl*> tickControls_;
    std::recursive_mutex tickLock_;
    unsigned tickPeriod_ = 0;

    std::vector<ControlTimerRecord> timers_;
    std::recursive_mutex timerLock_;
    unsigned lastEventId_ = 4096;

    std::unique_ptr<NativeTooltip> tooltip_;
    int tooltipOwner_ = 0;

    std::wstring messageText_;
    MsgLevel messageLevel_ = MSG_INFO;
    int overlayAlpha_ = 0;
    int progress_ = 0;
    int progressTarget_ = 0;
    bool progressMode_ = false;
    CRect overlayRect_;
    std::wstring overlayFace_ = L"HarmonyOS Sans SC";

    CRect caretRect_;
    int caretVisible_ = 0;
    int caretShown_ = 0;
    MControl* caretOwner_ = nullptr;

    unsigned scrollV_ = 102;
    unsigned scrollH_ = 101;
    COLORREF defaultEnabledColor_ = 0x808080;

    ImageCache images_;
    std::mutex fontLock_;
    std::map<std::wstring, std::wstring> fonts_;

    Surface backBuffer_;
};

}  // namespace Tessera
