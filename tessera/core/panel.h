#pragma once

// MPanel: a container control with scrolling. Children live in content coordinates (the
// window's client coordinates when not scrolled); the panel draws them shifted by its
// scroll offset and clipped to itself, and shifts the mouse the other way. Its own two
// scroll bars (ids 1 and 2) do not scroll. What children report goes to the panel's
// parent unchanged, so the dialog sees the id of the control that acted.

#include <string>

#include "tessera/controls/scroll_bar.h"
#include "tessera/core/control_font.h"

namespace Tessera {

class MPanel : public MControlFont {
public:
    MPanel(MObject* parent, unsigned id, CRect rect, const std::wstring& title, int visible,
           int enabled = 1);

    // ---- creation of children (the panel's class-name table) ----
    virtual MControl* CreateArea(const std::wstring& className, unsigned id, CRect rect,
                                 const std::wstring& title, int visible = 1, int enabled = 1);
    virtual MControl* CreateControl(unsigned layer, MObject* parent, const std::wstring& className,
                                    unsigned id, CRect rect, const std::wstring& title, int visible,
                                    int enabled);
    virtual MControl* CreateControl(const std::wstring& className, unsigned id, CRect rect,
                                    const std::wstring& title, int visible = 1, int enabled = 1);
    virtual int OnControlKeyUp(unsigned, unsigned, unsigned) { return 0; }

    // ---- scrolling ----
    // Size of the content; 0 = no scrolling in that direction.
    void SetVirtualSize(int cx, int cy);
    CSize GetVirtualSize() const { return virtualSize_; }
    void EnableScroll(int enable);
    CPoint GetScrollOffset() const { return scroll_; }
    void SetScrollOffset(int x, int y);
    MScrollBar* GetVScrollBar() const { return vbar_; }
    MScrollBar* GetHScrollBar() const { return hbar_; }

    // ---- overrides ----
    void DrawControl(Canvas& dc, CRect clip) override;
    int DrawSubControls(Canvas& dc, CRect clip) override;
    int OnMousePointChange(CPoint& point) override;
    int OnControlScroll(int bar, unsigned dir, CPoint point) override;
    void SetControlRect(CRect rect) override;
    long OnBaseMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;
    long OnControlUpdate(CRect rect, int invalidate, MControl* control) override;

    // Background fill of the panel (ARGB, 0 = none).
    void SetBackColor(ARGB color) { backColor_ = color; }

private:
    void LayoutScrollBars();
    bool IsOwnBar(const MControl* control) const { return control == vbar_ || control == hbar_; }

    MScrollBar* vbar_ = nullptr;
    MScrollBar* hbar_ = nullptr;
    CSize virtualSize_;
    CPoint scroll_;
    int enableScroll_ = 1;
    ARGB backColor_ = 0;
};

// A page of a tab control: a panel shown and hidden as its tab is selected.
class MTabLayout : public MPanel {
public:
    MTabLayout(MObject* parent, unsigned id, CRect rect, const std::wstring& title, int visible,
               int enabled = 1)
        : MPanel(parent, id, rect, title, visible, enabled) {}

    // Only where a child is: a press on an empty part of a page reaches the window (which
    // moves the window from there).
    int OnCheckMouseResponse(unsigned, CPoint point) override {
        const CPoint content(point.x + GetScrollOffset().x, point.y + GetScrollOffset().y);
        std::lock_guard lock(ControlsLock());
        for (const auto& child : GetControls()) {
            const bool bar = child.get() == GetVScrollBar() || child.get() == GetHScrollBar();
            if (child->IsVisible() && child->GetRect().PtInRect(bar ? point : content)) {
                return 1;
            }
        }
        return 0;
    }
};

}  // namespace Tessera
