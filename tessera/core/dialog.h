#pragma once

// MDialog: the skinned top-level window of the program — a borderless window with one
// PaintManager, its controls, and the hooks a program dialog overrides (InitUI to build
// the controls, UISize to lay them out, OnMessage to hear from them).

#include <string>

#include "tessera/core/control.h"
#include "tessera/core/paint_manager.h"
#include "tessera/core/window.h"

namespace Tessera {

// Posted by DoOK and friends; turned into a posted WM_CLOSE with the same parameters.
inline constexpr unsigned kUserCloseMessage = 0x442;

class MDialog : public MWindow, public MObject {
public:
    MDialog();
    ~MDialog() override;

    // ---- MWindow ----
    LRESULT OnWindowMessage(unsigned msg, WPARAM wParam, LPARAM lParam) override;
    bool PreTranslateMessage(unsigned msg, WPARAM wParam, LPARAM lParam) override;
    int OnInitDialog() override;
    void OnDestroyMessage(NativeWindow* hwnd) override;

    // ---- MObject ----
    const wchar_t* GetClassNameW() const override { return L"MDialog"; }
    long OnBaseMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;
    long OnControlUpdate(CRect rect, int invalidate, MControl* control) override;

    // ---- hooks ----
    // The point under the control's bottom edge (type 0 left, 1 centre, 2 right), in
    // screen coordinates.
    virtual CPoint GetAirBladderPoint(MControl* control, unsigned type);
    virtual void OnMinimize();
    virtual void OnMaximize();
    virtual void InitUI(CRect) {}
    virtual void UISize(CRect) {}
    virtual long OnMessage(unsigned, unsigned, unsigned, long) { return 0; }
    virtual long OnUserCloseWindow(unsigned code, long lParam);
    virtual int OnCreate() { return 0; }
    virtual int OnSize(unsigned kind, int cx, int cy);
    virtual int OnMouseMove(WPARAM, CPoint) { return 0; }
    virtual int OnMouseLeave() { return 0; }
    virtual int OnMouseHover(WPARAM, CPoint) { return 0; }
    virtual int OnMouseWheel(WPARAM, CPoint) { return 0; }
    virtual int OnLButtonDown(WPARAM, CPoint) { return 0; }
    virtual int OnLButtonUp(WPARAM, CPoint) { return 0; }
    virtual int OnLButtonDblClk(WPARAM, CPoint) { return 0; }
    virtual int OnRButtonDown(WPARAM, CPoint) { return 0; }
    virtual int OnRButtonUp(WPARAM, CPoint) { return 0; }
    virtual int OnRButtonDblClk(WPARAM, CPoint) { return 0; }
    virtual int OnKeyDown(WPARAM, LPARAM) { return 0; }
    virtual int OnNcHitTest(CPoint) { return 0; }
    virtual int OnGetMinMaxInfo(MINMAXINFO*) { return 0; }
    virtual int OnNcCalcSize() { return 0; }
    virtual int OnNcActivate(int) { return 0; }
    virtual int OnWindowPosChanging() { return 1; }
    virtual int OnWindowPosChanged() { return 1; }
    virtual int OnPaint() { return 0; }
    virtual int OnTimer(unsigned) { return 0; }
    virtual int OnNcPaint() { return 0; }
    virtual int OnClose() { return 1; }
    virtual int OnDestroy() { return 0; }
    virtual void PostNcDestroy() {}

    // ---- controls ----
    MControl* CreateControl(const std::wstring& className, unsigned id, CRect rect,
                            const std::wstring& title, int visible = 1, int enabled = 1);
    MControl* CreateArea(const std::wstring& className, unsigned id, CRect rect,
                         const std::wstring& title, int visible = 1, int enabled = 1);
    MControl* GetControl(unsigned id) { return paintManager_.GetControl(id); }
    const ControlList& GetControls() const { return paintManager_.GetControls(); }
    void SetFocusControl(MControl* control) { paintManager_.SetFocusControl(control); }
    PaintManager& GetPaintManager() { return paintManager_; }

    // ---- closing: post the close request with the dialog result ----
    void DoOK() { PostMessageW(kUserCloseMessage, IDOK, 0); }
    void DoCancel() { PostMessageW(kUserCloseMessage, IDCANCEL, 0); }
    void DoClose() { PostMessageW(kUserCloseMessage, IDCANCEL, 0); }
    void DoYes() { PostMessageW(kUserCloseMessage, IDYES, 0); }
    void DoNo() { PostMessageW(kUserCloseMessage, IDNO, 0); }

    // ---- look ----
    int LoadBKImage(const std::wstring& file) { return paintManager_.LoadBKImage(file); }
    int LoadBKImage(unsigned resId, const std::wstring& type) {
        return paintManager_.LoadBKImage(resId, type);
    }
    void SetBackMode(enumBackMode mode, int corner) { paintManager_.SetBackMode(mode, corner); }
    void SetLayeredWindow(int layered) { paintManager_.SetLayeredWindow(layered); }
    // Constant translucency: window alpha (255 = opaque) or a colour key (0xFFFFFF = none).
    void SetWindowAlpha(int alpha) { windowAlpha_ = alpha; }
    void SetColorKey(COLORREF key) {
        colorKey_ = key;
        paintManager_.SetColorKey(key);
    }
    void SetupBackTranslucent();
    void SetScrollResID(unsigned v, unsigned h) { paintManager_.SetScrollResID(v, h); }
    void EnableWndDrag(int enable) { paintManager_.EnableWndDrag(enable); }
    // The drop shadow window: the program never creates one; the calls are accepted and
    // range-checked so a caller's settings read back, nothing is drawn.
    int CreateShadow(int show, bool reinit);
    int SetSize(int size);
    int SetSharpness(unsigned sharpness);
    int SetDarkness(unsigned darkness);
    int SetPosition(int x, int y);
    int SetShadowColor(COLORREF color);
    int SetShadowShow(int show);

    // ---- feedback ----
    void SetTooltip(const std::wstring& text, CRect rect) { paintManager_.SetTooltip(text, rect); }
    void ClearTooltip() { paintManager_.ClearTooltip(); }
    void SetTooltipCtrlID(int id) { paintManager_.SetTooltipCtrlID(id); }
    int GetTooltipCtrlID() const { return paintManager_.GetTooltipCtrlID(); }
    // An empty rectangle puts a 200 x 58 box at the bottom centre of the client.
    void SetMessage(const std::wstring& text, CRect rect, MsgLevel level);
    void SetProgress(int percent, const std::wstring& text, CRect rect) {
        paintManager_.SetProgress(percent, text, rect);
    }
    // The balloon tip; 0 when x or y is 0. Shown as a tooltip at the point.
    int SetAirBladderMsg(const std::wstring& text, CPoint screenPoint, AIRBLADDER_TYPE type);

    // ---- timers ----
    unsigned SetMTimer(unsigned periodMs) { return paintManager_.SetMTimer(periodMs); }
    void KillMTimer(unsigned id) { paintManager_.KillMTimer(id); }

    const CRect& GetClientRectCached() const { return client_; }

protected:
    PaintManager paintManager_;
    CRect client_;
    COLORREF colorKey_ = 0xFFFFFF;
    int windowAlpha_ = 255;
    struct ShadowSettings {
        int show = 0;
        int size = 0;
        unsigned sharpness = 5;
        unsigned darkness = 150;
        CPoint offset{5, 5};
        COLORREF color = 0;
    } shadow_;
};

}  // namespace Tessera
