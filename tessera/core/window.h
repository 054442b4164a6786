#pragma once

// MWindow: one native window and the object behind it. Every event of the window
// arrives as a window message in the virtual OnWindowMessage, whose default is the
// default window procedure (DefWindowProc): WM_CLOSE destroys the window, a caption
// press starts moving it.

#include <memory>
#include <string>

#include "tessera/platform/native_window.h"
#include "tessera/platform/window_messages.h"

namespace Tessera {

class MWindow : public WindowEventSink {
public:
    MWindow();
    ~MWindow() override;
    MWindow(const MWindow&) = delete;
    MWindow& operator=(const MWindow&) = delete;

    // ---- virtual operations ----
    virtual const wchar_t* GetWindowClassName() const { return L"MWindow"; }
    // Null: the window is the framework's own class (no superclassed system window).
    virtual const wchar_t* GetSuperClassName() const { return nullptr; }
    virtual int ShowWindow(int command);
    virtual LRESULT OnWindowMessage(unsigned msg, WPARAM wParam, LPARAM lParam);
    // Offered every input message before dispatch; true = consumed. The default drops
    // messages while Alt and F4 are held together (Manager::PreTranslateMessage).
    bool PreTranslateMessage(unsigned msg, WPARAM wParam, LPARAM lParam) override;
    virtual int OnInitDialog() { return 1; }
    virtual void OnDestroyMessage(NativeWindow*) {}

    // ---- creation ----
    // Creates the window (hidden unless `style` has WS_VISIBLE) and calls OnInitDialog.
    // A window that already exists is returned as it is. Null on failure.
    NativeWindow* Create(NativeWindow* parent, const std::wstring& name, unsigned style,
                         unsigned exStyle, CRect rect);
    NativeWindow* Create(NativeWindow* parent);
    NativeWindow* Create(NativeWindow* parent, CRect rect);

    // Shows the window and runs a nested loop until it is destroyed; the owner is disabled
    // meanwhile. Returns the wParam of the WM_CLOSE that closed it (0 for a bare close),
    // 0xFFFFFFFF without a window.
    unsigned ShowModal(int show = SW_SHOW);

    void DestroyWindow();
    // Centres on the reference window (or the owner) when that is visible and not
    // minimized, else on the work area; kept inside the work area.
    void CenterWindow(MWindow* reference = nullptr);
    void BringToTop();
    NativeWindow* GetSafeHwnd() const { return hwnd_; }
    NativeWindow* GetParentHwnd() const { return parent_; }
    // A skin image name or a full path (PNG, ICO ...); 0 when it cannot be loaded.
    int SetIcon(const std::wstring& file);
    int SetIcon(unsigned resId);
    // Cuts both top corners of a 1200 x 720 window: the paint manager leaves the two
    // triangles transparent and the backend shapes the window from the alpha.
    void SetPolygon(int polygon) { polygon_ = polygon; }
    int GetPolygon() const { return polygon_; }
    unsigned GetStyle() const { return style_; }
    unsigned GetExStyle() const { return exStyle_; }
    int ModifyStyle(unsigned remove, unsigned add, unsigned flags = 0);
    int ModifyExStyle(unsigned remove, unsigned add, unsigned flags = 0);
    void GetClientRect(CRect& rect) const;
    void GetWindowRect(CRect& rect) const;
    void SetWindowTextW(const std::wstring& text);
    int GetWindowTextW(std::wstring& text) const;
    int GetWindowTextLengthW() const;
    int EnableWindow(int enable);
    int IsWindowEnabled() const;
    int IsWindowVisible() const;
    int IsIconic() const;
    void InvalidateRect(CRect rect, int erase = 0);
    void SetCapture();
    void ReleaseCapture();
    void SetFocus();
    int SetTimer(unsigned id, unsigned elapseMs);
    int KillTimer(unsigned id);
    void ClientToScreen(CPoint& point) const;
    void ClientToScreen(CRect& rect) const;
    void ScreenToClient(CPoint& point) const;
    void ScreenToClient(CRect& rect) const;
    int SetWindowPos(int x, int y, int cx, int cy);
    int MoveWindow(const CRect& rect);
    int MoveWindow(int x, int y, int cx, int cy) { return MoveWindow(CRect(x, y, x + cx, y + cy)); }
    // Delivers the message now (through pre-translation-free dispatch); 0 without window.
    LRESULT SendMessageW(unsigned msg, WPARAM wParam = 0, LPARAM lParam = 0);
    int PostMessageW(unsigned msg, WPARAM wParam = 0, LPARAM lParam = 0);

    // The default window procedure.
    LRESULT DefWindowProc(unsigned msg, WPARAM wParam, LPARAM lParam);

    // WindowEventSink
    LRESULT OnNativeMessage(unsigned msg, WPARAM wParam, LPARAM lParam) override;

protected:
    NativeWindow* parent_ = nullptr;
    NativeWindow* hwnd_ = nullptr;
    std::unique_ptr<NativeWindow> window_;
    unsigned style_ = 0;
    unsigned exStyle_ = 0;
    int polygon_ = 0;
    bool modal_ = false;
    unsigned modalResult_ = 0;
};

}  // namespace Tessera
