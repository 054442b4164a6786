#pragma once

// MControl: the base of every windowless control. A control lives in one list (area
// layer 0 or control layer 1) of its parent, owns its own two child lists, draws itself
// through its window's PaintManager and gets its input routed down the tree.
//
// Deriving a control: override DrawControl and the OnControl* handlers you need; report
// to the owner with SendMessageW(code, ...); ask for repainting with UpdateControl.
// Button-like controls keep their looks side by side in the cache (see
// MControlFont::DrawCachedLooks).

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "tessera/core/object.h"
#include "tessera/platform/canvas.h"
#include "tessera/platform/native_window.h"
#include "tessera/platform/surface.h"
#include "tessera/platform/window_messages.h"

namespace Tessera {

class PaintManager;

// Where a child sits along a span (see MControl::PositionItem2Value).
struct M_POSITION_ITEM {
    int kind = 0;     // 0 offset, 1 from the centre, 2 percent
    int fromEnd = 0;  // measure from the end of the span
    float value = 0;
};

using ControlList = std::vector<std::unique_ptr<MControl>>;

class MControl : public MObject {
public:
    MControl(MObject* parent, unsigned id, CRect rect, int visible, int enabled, int response);
    ~MControl() override;

    const wchar_t* GetClassNameW() const override { return L"MControl"; }

    // ---- virtual operations ----
    virtual void InitControl(PaintManager* manager);
    virtual int PtInRect(CPoint point);
    virtual void DrawControl(Canvas& dc, CRect clip) = 0;
    virtual int DrawSubControls(Canvas& dc, CRect clip);
    virtual int IsDraw(CPoint) { return 0; }
    virtual void SetUpdate(int update, unsigned long color = 0);
    virtual int SetControlFocus(int focus);
    virtual void InitUI(CRect) {}
    // A scrolling container shifts the point by its scroll offset.
    virtual int OnMousePointChange(CPoint&) { return 0; }
    // A control may refuse the mouse at a point.
    virtual int OnCheckMouseResponse(unsigned, CPoint) { return 1; }
    virtual LRESULT OnWindowMessage(unsigned, WPARAM, LPARAM) { return 0; }
    virtual long OnMessage(unsigned, unsigned, unsigned, long) { return 0; }
    virtual void SetControlRect(CRect rect) { rect_ = rect; }
    virtual void SetControlVisible(int visible) { visible_ = visible; }
    virtual void SetControlWndVisible(int) {}
    virtual void SetControlEnabled(int enabled) { enabled_ = enabled; }
    virtual int OnControlTimer() { return 0; }
    // The image dragged out of the window; the framework never drags (see PaintManager).
    virtual const Surface* GetControlDropBitmap() { return nullptr; }
    virtual int OnControlMouseMove(unsigned, CPoint) { return 0; }
    virtual int OnControlSetCursor(unsigned flags, CPoint point);
    virtual int OnControlLButtonDown(unsigned, CPoint) { return 0; }
    virtual int OnControlLButtonUp(unsigned, CPoint) { return 0; }
    virtual int OnControlLButtonDblClk(unsigned, CPoint) { return 0; }
    virtual int OnControlScroll(int, unsigned, CPoint) { return 0; }
    virtual int OnControlRButtonDown(unsigned, CPoint) { return 0; }
    virtual int OnControlRButtonUp(unsigned, CPoint) { return 0; }
    virtual int OnControlRButtonDblClk(unsigned, CPoint) { return 0; }
    virtual int OnControlKeyDown(unsigned vk, unsigned repeat, unsigned modifier);
    virtual void OnPositionChange() {}
    // Invalidates the control's rect in the window (the whole client when layered).
    virtual void InvalidateRect(const CRect* rect, int erase);

    // ---- geometry and state ----
    void SetRect(CRect rect);
    void SetRect(int x, int y, int cx, int cy) { SetRect(CRect(x, y, x + cx, y + cy)); }
    CRect GetRect() const { return rect_; }
    unsigned GetControlID() const { return id_; }
    MObject* GetParantObject() const { return parent_; }
    void SetParent(MObject* parent) { parent_ = parent; }
    PaintManager* GetManager() const { return manager_; }
    // Stores the manager and calls InitControl; children created later get it too.
    void SetManager(PaintManager* manager);
    const ControlList& GetControls() const { return controls_; }
    const ControlList& GetAreas() const { return areas_; }
    int IsVisible() const { return visible_; }
    int IsEnabled() const { return enabled_; }
    int IsFocused() const { return focused_; }
    int IsRunTimer() const { return runTimer_; }
    void SetRunTimer(int run) { runTimer_ = run; }
    int GetDblClk() const { return dblClk_; }
    void SetDblClk(int dblClk) { dblClk_ = dblClk; }
    // Double clicks also reported to the owner as NOTIFY_DBLCLK.
    void SetDblClkReport(int report) { dblClkReport_ = report; }
    int GetRresponse() const { return response_; }
    void SetRresponse(int response) { response_ = response; }
    int IsTabStop() const { return tabStop_; }
    void SetTabStop(int tabStop) { tabStop_ = tabStop; }
    int IsDragDrop() const { return dragDrop_; }
    void SetDragDrop(int dragDrop) { dragDrop_ = dragDrop; }
    int GetUpdate() const { return update_; }
    int IsPressed() const { return pressed_; }
    void SetHotKey(unsigned vk, unsigned modifier) {
        hotKey_ = static_cast<int>(vk);
        hotKeyModifier_ = static_cast<int>(modifier);
    }
    void UseImageECM(int use) { imageECM_ = use; }
    MControl* GetHoverChild() const { return hoverChild_; }

    void SetVisible(int visible);
    void SetVisible(int visible, int repaint);
    void SetEnabled(int enabled);
    int IsParentVisible() const;
    // 1 when this control is its window's focus control.
    int IsFocusControl() const;

    // ---- repainting ----
    void UpdateControl(int invalidate = 1, int force = 0);
    void UpdateControl(CRect rect, int force, int invalidate);
    void UpdateAControl(int keep, int force);

    // ---- tooltip and cursor ----
    void SetTooltip(const std::wstring& text) { tooltip_ = text; }
    void SetTooltip(const std::wstring& text, CRect rect);
    void ClearTooltip();
    const std::wstring& GetTooltip() const { return tooltip_; }
    void SetTooltipCtrlID(int) {}
    int GetTooltipCtrlID() const { return 0; }
    // "arrow", "wait", "cross", "sizewe", "sizens", "hand", "help"; other names keep the
    // cursor. Returns 0.
    long SetCursorEx(const std::wstring& name);
    CursorKind GetCursor() const { return cursor_; }

    // ---- children ----
    // Appends an owned child to layer 0 (areas) or 1 (controls); it gets this control as
    // parent and this control's manager. Returns the child, null for another layer.
    MControl* AddChild(unsigned layer, std::unique_ptr<MControl> child);
    MControl* GetControl(unsigned id);
    void RemoveControl(MControl* control);
    void RemoveAllControl();
    static float PositionItem2Value(const M_POSITION_ITEM& item, float start, float end);

    // ---- timers and notifications ----
    void AddMTimer();
    long SendMessageW(unsigned code, unsigned wParam = 0, long lParam = 0);

    // ---- drawing ----
    void Draw(Canvas& dc, CRect clip);
    // The control's own cache, cx x cy (recreated only when the size changes; marks the
    // cache valid).
    Surface& UpdateMemDC(Canvas& dc, int cx, int cy);
    Surface& UpdateAnimateDC(Canvas& dc, int cx, int cy);
    Surface& GetMemDC() { return cache_; }
    // Copies the window pixels under the control (as composed so far) into `dst` at
    // (dstX, dstY): the snapshot a cache draws over.
    void CopyWindowPixels(Canvas& dc, Surface& dst, int dstX, int dstY) const;

    // ---- input entry points (manager or parent control) ----
    int OnMouseMove(unsigned flags, CPoint point);
    int OnLButtonDown(unsigned flags, CPoint point);
    int OnLButtonUp(unsigned flags, CPoint point);
    int OnLButtonDblClk(unsigned flags, CPoint point);
    int OnRButtonDown(unsigned flags, CPoint point);
    int OnRButtonUp(unsigned flags, CPoint point);
    int OnRButtonDblClk(unsigned flags, CPoint point);
    int OnScroll(int bar, unsigned dir, CPoint point);
    int OnKeyDown(unsigned vk, unsigned repeat, unsigned modifier);
    int OnKeyUp(unsigned, unsigned, unsigned) { return 0; }
    int OnTimer();
    void OnFocus(int focus) { SetControlFocus(focus); }
    MControl* GetFocusControl() const { return nullptr; }
    MControl* GetNextFocusableControl() const { return nullptr; }
    MControl* GetPrevFocusableControl() const { return nullptr; }

    // Depth-first search of one child list (each child before its descendants).
    static MControl* FindInList(const ControlList& list, std::recursive_mutex& mutex, unsigned id);

    // Takes `control` out of `list` and hands it over; null when it is not there.
    static std::unique_ptr<MControl> DetachFromList(ControlList& list, std::recursive_mutex& mutex,
                                                    MControl* control);

    // Called by the manager when a control anywhere below is going away.
    void ForgetDescendant(MControl* control);

protected:
    // The lock of the child lists: one per window tree (the manager's), so routing down
    // and repaint requests up never take two locks in opposite orders.
    std::recursive_mutex& ControlsLock();
    int RoutePress(bool right, unsigned flags, CPoint point);
    int RouteRelease(bool right, unsigned flags, CPoint point);
    // The point as this control's children see it (scroll offset applied).
    CPoint ChildPoint(const MControl& child, CPoint unshifted, CPoint shifted) const;

    MObject* parent_;
    PaintManager* manager_ = nullptr;
    unsigned id_;
    CRect rect_;
    int visible_;
    int enabled_;
    int dragDrop_ = 0;
    int response_;
    int tabStop_ = 0;
    int dblClk_ = 0;
    int pressed_ = 0;
    int keyDown_ = 0;
    int focused_ = 0;
    int hotKey_ = 0;
    int hotKeyModifier_ = 0;
    int update_ = 0;
    int animate_ = 0;
    int runTimer_ = 0;
    int imageECM_ = 0;
    ControlList areas_;
    ControlList controls_;
    std::recursive_mutex ownLock_;  // until the control joins a window
    MControl* hoverChild_ = nullptr;
    Surface cache_;
    Surface animateCache_;
    std::wstring tooltip_;
    CursorKind cursor_ = CursorKind::kDefault;
    int dblClkReport_ = 0;
    int trackLeave_ = 0;
};

}  // namespace Tessera
