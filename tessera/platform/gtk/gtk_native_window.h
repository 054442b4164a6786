#pragma once

// One framework window as a GtkWindow: RGBA visual, the composed client image kept in a
// Cairo surface and painted on "draw", GDK events turned into Win32-coded messages.

#include <cairo.h>
#include <gtk/gtk.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "tessera/platform/gtk/alpha_shape.h"
#include "tessera/platform/gtk/gtk_backend.h"
#include "tessera/platform/native_window.h"

namespace Tessera::gtk_backend {

class GtkNativeWindow : public NativeWindow {
public:
    GtkNativeWindow(const WindowParams& params, WindowEventSink& sink);
    ~GtkNativeWindow() override;
    GtkNativeWindow(const GtkNativeWindow&) = delete;
    GtkNativeWindow& operator=(const GtkNativeWindow&) = delete;

    // Sends the creation messages; false when the window could not be made.
    bool Create();

    void Destroy() override;
    bool IsAlive() const override { return window_ != nullptr; }
    void Show(int command) override;
    bool IsVisible() const override;
    bool IsMinimized() const override;
    bool IsMaximized() const override;
    void Activate() override;
    bool IsActive() const override;
    void Enable(bool enable) override;
    bool IsEnabled() const override { return enabled_; }
    CRect GetWindowRect() const override { return rect_; }
    void Move(const CRect& screenRect) override;
    void SetCaption(const std::wstring& caption) override;
    std::wstring GetCaption() const override { return caption_; }
    void SetIcon(const Image& icon) override;
    void SetProperty(const std::wstring& name, std::intptr_t value) override;
    std::intptr_t GetProperty(const std::wstring& name) const override;
    void SetLayered(bool layered) override;
    void SetOpacity(int alpha) override;
    void SetCapture() override;
    void ReleaseCapture() override;
    bool HasCapture() const override { return captured_; }
    void SetCursor(CursorKind cursor) override;
    void BeginMoveDrag(CPoint screenPoint) override;
    void Invalidate(const CRect& clientRect) override;
    CRect BeginPaint() override;
    void Present(const Surface& client, const CRect& rect) override;
    bool SetTimer(unsigned id, unsigned elapseMs) override;
    void KillTimer(unsigned id) override;
    bool PostMessage(unsigned msg, WPARAM wParam, LPARAM lParam) override;

    GtkWidget* Widget() const { return window_; }
    GtkWidget* ChildLayer() const { return fixed_; }
    // Delivers a message to the sink unless the window is gone.
    LRESULT Send(unsigned msg, WPARAM wParam, LPARAM lParam);

private:
    struct TimerRecord {
        GtkNativeWindow* window;
        unsigned id;
        guint source;
    };

    static gboolean OnDraw(GtkWidget*, cairo_t* cr, gpointer self);
    static gboolean OnConfigure(GtkWidget*, GdkEventConfigure* event, gpointer self);
    static gboolean OnButtonPress(GtkWidget*, GdkEventButton* event, gpointer self);
    static gboolean OnButtonRelease(GtkWidget*, GdkEventButton* event, gpointer self);
    static gboolean OnMotion(GtkWidget*, GdkEventMotion* event, gpointer self);
    static gboolean OnLeave(GtkWidget*, GdkEventCrossing* event, gpointer self);
    static gboolean OnScroll(GtkWidget*, GdkEventScroll* event, gpointer self);
    static gboolean OnKey(GtkWidget*, GdkEventKey* event, gpointer self);
    static gboolean OnFocus(GtkWidget*, GdkEventFocus* event, gpointer self);
    static gboolean OnDelete(GtkWidget*, GdkEvent*, gpointer self);
    static gboolean OnWindowState(GtkWidget*, GdkEventWindowState* event, gpointer self);
    static gboolean OnGrabBroken(GtkWidget*, GdkEvent*, gpointer self);
    static gboolean OnTimer(gpointer record);
    static gboolean OnHoverTimeout(gpointer self);

    // Offers an input message to the sink's pre-translation, then sends it.
    void Input(unsigned msg, WPARAM wParam, LPARAM lParam);
    WPARAM MouseKeys(guint state) const;
    void EnsureBacking(int width, int height);
    // Cuts the window shape from the alpha of the backing rows `rows` touched.
    void UpdateShape(const CRect& rows);
    void ApplyLayering();
    void Teardown();

    WindowParams params_;
    WindowEventSink& sink_;
    std::uint64_t id_;
    GtkWidget* window_ = nullptr;
    GtkWidget* fixed_ = nullptr;
    cairo_surface_t* backing_ = nullptr;  // the last presented client image
    CRect rect_;
    CRect invalid_;
    std::wstring caption_;
    std::map<std::wstring, std::intptr_t> properties_;
    std::map<unsigned, TimerRecord*> timers_;
    bool enabled_ = true;
    bool layered_ = false;
    bool captured_ = false;
    bool grabbed_ = false;
    AlphaShape shape_;
    std::vector<ShapeRect> appliedShape_;
    bool shapeApplied_ = false;
    bool presented_ =
        false;  // a frame has been presented since creation  // holds a pointer grab of its own
    bool painting_ = false;
    bool minimized_ = false;
    bool maximized_ = false;
    bool destroying_ = false;
    bool silent_ = false;  // no more messages to the sink
    // WM_MOUSEHOVER once per stay in the window, after the pointer rests for a while.
    guint hoverSource_ = 0;
    bool hoverArmed_ = true;
    CPoint hoverPoint_;
    WPARAM hoverKeys_ = 0;
    // Window moving by mouse when no window manager does it.
    bool moving_ = false;
    CPoint moveStartPointer_;
    CPoint moveStartWindow_;
};

}  // namespace Tessera::gtk_backend
