#include "tessera/platform/gtk/gtk_native_window.h"

#include <gdk/gdkx.h>

#include <algorithm>
#include <atomic>

#include "tessera/platform/image.h"
#include "text/utf_convert.h"

namespace Tessera::gtk_backend {

namespace {

std::atomic<std::uint64_t> g_nextWindowId{1};
// How long the pointer rests before WM_MOUSEHOVER (the framework asks for 400 ms).
constexpr guint kHoverTimeMs = 400;

LPARAM PointParam(double x, double y) {
    return MAKELPARAM(static_cast<int>(x), static_cast<int>(y));
}

const char* CursorName(CursorKind kind) {
    switch (kind) {
        case CursorKind::kDefault:
        case CursorKind::kArrow:
            return "default";
        case CursorKind::kWait:
            return "wait";
        case CursorKind::kCross:
            return "crosshair";
        case CursorKind::kSizeWE:
            return "ew-resize";
        case CursorKind::kSizeNS:
            return "ns-resize";
        case CursorKind::kHand:
            return "pointer";
        case CursorKind::kHelp:
            return "help";
    }
    return "default";
}

}  // namespace

GtkNativeWindow::GtkNativeWindow(const WindowParams& params, WindowEventSink& sink)
    : params_(params),
      sink_(sink),
      id_(g_nextWindowId++),
      rect_(params.rect),
      caption_(params.caption),
      layered_(params.layered) {}

GtkNativeWindow::~GtkNativeWindow() {
    // Deleted without Destroy(): the sink may be half torn down, so it hears nothing.
    silent_ = true;
    Teardown();
}

bool GtkNativeWindow::Create() {
    // Tips are override-redirect popups; menus and lists are ordinary undecorated windows
    // so that they get (and lose) the focus, which is how a menu learns to close.
    const bool overrideRedirect = params_.kind == WindowKind::kPopup && params_.noActivate;
    window_ = gtk_window_new(overrideRedirect ? GTK_WINDOW_POPUP : GTK_WINDOW_TOPLEVEL);
    if (window_ == nullptr) {
        return false;
    }
    GtkWindow* gtkWindow = GTK_WINDOW(window_);
    gtk_window_set_decorated(gtkWindow, FALSE);
    gtk_window_set_resizable(gtkWindow, TRUE);
    gtk_widget_set_app_paintable(window_, TRUE);
    gtk_window_set_title(gtkWindow, keyloom::WideToUtf8(caption_).c_str());
    if (params_.kind == WindowKind::kPopup) {
        gtk_window_set_skip_taskbar_hint(gtkWindow, TRUE);
        gtk_window_set_skip_pager_hint(gtkWindow, TRUE);
        // Owned dialogs and menus stay ordinary windows for the window manager, so they
        // take and lose the focus as users expect; only tips are marked as such.
        if (params_.noActivate) {
            gtk_window_set_type_hint(gtkWindow, GDK_WINDOW_TYPE_HINT_TOOLTIP);
        }
    }
    if (params_.topmost) {
        gtk_window_set_keep_above(gtkWindow, TRUE);
    }
    if (params_.noActivate) {
        gtk_window_set_accept_focus(gtkWindow, FALSE);
        gtk_window_set_focus_on_map(gtkWindow, FALSE);
    }
    if (auto* owner = dynamic_cast<GtkNativeWindow*>(params_.owner);
        owner != nullptr && owner->window_ != nullptr) {
        gtk_window_set_transient_for(gtkWindow, GTK_WINDOW(owner->window_));
    }
    // A visual with alpha, so layered windows can be see-through where a compositor runs.
    GdkScreen* screen = gtk_widget_get_screen(window_);
    if (GdkVisual* rgba = gdk_screen_get_rgba_visual(screen)) {
        gtk_widget_set_visual(window_, rgba);
    }
    fixed_ = gtk_fixed_new();
    gtk_container_add(GTK_CONTAINER(window_), fixed_);
    gtk_widget_show(fixed_);

    gtk_widget_add_events(window_, GDK_POINTER_MOTION_MASK | GDK_BUTTON_PRESS_MASK |
                                       GDK_BUTTON_RELEASE_MASK | GDK_LEAVE_NOTIFY_MASK |
                                       GDK_SCROLL_MASK | GDK_KEY_PRESS_MASK | GDK_KEY_RELEASE_MASK |
                                       GDK_FOCUS_CHANGE_MASK | GDK_STRUCTURE_MASK);
    g_signal_connect(window_, "draw", G_CALLBACK(OnDraw), this);
    g_signal_connect(window_, "configure-event", G_CALLBACK(OnConfigure), this);
    g_signal_connect(window_, "button-press-event", G_CALLBACK(OnButtonPress), this);
    g_signal_connect(window_, "button-release-event", G_CALLBACK(OnButtonRelease), this);
    g_signal_connect(window_, "motion-notify-event", G_CALLBACK(OnMotion), this);
    g_signal_connect(window_, "leave-notify-event", G_CALLBACK(OnLeave), this);
    g_signal_connect(window_, "scroll-event", G_CALLBACK(OnScroll), this);
    g_signal_connect(window_, "key-press-event", G_CALLBACK(OnKey), this);
    g_signal_connect(window_, "key-release-event", G_CALLBACK(OnKey), this);
    g_signal_connect(window_, "focus-in-event", G_CALLBACK(OnFocus), this);
    g_signal_connect(window_, "focus-out-event", G_CALLBACK(OnFocus), this);
    g_signal_connect(window_, "delete-event", G_CALLBACK(OnDelete), this);
    g_signal_connect(window_, "window-state-event", G_CALLBACK(OnWindowState), this);
    g_signal_connect(window_, "grab-broken-event", G_CALLBACK(OnGrabBroken), this);

    const int width = std::max(1, rect_.Width());
    const int height = std::max(1, rect_.Height());
    gtk_window_set_default_size(gtkWindow, width, height);
    gtk_widget_set_size_request(fixed_, 1, 1);
    gtk_window_move(gtkWindow, rect_.left, rect_.top);
    gtk_widget_realize(window_);
    EnsureBacking(width, height);
    ThePlatform().RegisterWindow(id_, this);

    // The sink learns its window before CreateNativeWindow returns.
    Send(WM_NCCREATE, 0, reinterpret_cast<LPARAM>(static_cast<NativeWindow*>(this)));
    if (Send(WM_CREATE, 0, 0) == -1) {
        Destroy();
        return false;
    }
    Send(WM_SIZE, SIZE_RESTORED, MAKELPARAM(width, height));
    return window_ != nullptr;
}

void GtkNativeWindow::Destroy() {
    Teardown();
}

void GtkNativeWindow::Teardown() {
    if (window_ == nullptr || destroying_) {
        return;
    }
    destroying_ = true;
    ReleaseCapture();
    for (auto& [id, record] : timers_) {
        g_source_remove(record->source);
        delete record;
    }
    timers_.clear();
    if (hoverSource_ != 0) {
        g_source_remove(hoverSource_);
        hoverSource_ = 0;
    }
    Send(WM_DESTROY, 0, 0);
    Send(WM_NCDESTROY, 0, 0);
    ThePlatform().UnregisterWindow(id_);
    GtkWidget* widget = window_;
    window_ = nullptr;
    fixed_ = nullptr;
    g_signal_handlers_disconnect_by_data(widget, this);
    gtk_widget_destroy(widget);
    if (backing_ != nullptr) {
        cairo_surface_destroy(backing_);
        backing_ = nullptr;
    }
}

LRESULT GtkNativeWindow::Send(unsigned msg, WPARAM wParam, LPARAM lParam) {
    if (silent_ || (window_ == nullptr && msg != WM_DESTROY && msg != WM_NCDESTROY)) {
        return 0;
    }
    return sink_.OnNativeMessage(msg, wParam, lParam);
}

void GtkNativeWindow::Input(unsigned msg, WPARAM wParam, LPARAM lParam) {
    if (sink_.PreTranslateMessage(msg, wParam, lParam)) {
        return;
    }
    Send(msg, wParam, lParam);
}

void GtkNativeWindow::Show(int command) {
    if (window_ == nullptr) {
        return;
    }
    GtkWindow* gtkWindow = GTK_WINDOW(window_);
    switch (command) {
        case SW_HIDE:
            gtk_widget_hide(window_);
            break;
        case SW_MINIMIZE:
        case SW_SHOWMINIMIZED:
            gtk_window_iconify(gtkWindow);
            break;
        case SW_SHOWMAXIMIZED:
            gtk_widget_show(window_);
            gtk_window_maximize(gtkWindow);
            break;
        case SW_RESTORE:
            gtk_window_deiconify(gtkWindow);
            gtk_window_unmaximize(gtkWindow);
            gtk_widget_show(window_);
            break;
        case SW_SHOWNA:
        case SW_SHOWNOACTIVATE:
            gtk_window_set_focus_on_map(gtkWindow, FALSE);
            gtk_widget_show(window_);
            break;
        default:
            gtk_widget_show(window_);
            if (!params_.noActivate) {
                gtk_window_present(gtkWindow);
            }
            break;
    }
    // Without a window manager the position given before mapping is the one kept.
    gtk_window_move(gtkWindow, rect_.left, rect_.top);
}

bool GtkNativeWindow::IsVisible() const {
    return window_ != nullptr && gtk_widget_get_visible(window_);
}

bool GtkNativeWindow::IsMinimized() const {
    return minimized_;
}

bool GtkNativeWindow::IsMaximized() const {
    return maximized_;
}

void GtkNativeWindow::Activate() {
    if (window_ != nullptr) {
        gtk_window_present(GTK_WINDOW(window_));
    }
}

bool GtkNativeWindow::IsActive() const {
    return window_ != nullptr && gtk_window_is_active(GTK_WINDOW(window_));
}

void GtkNativeWindow::Enable(bool enable) {
    enabled_ = enable;
    if (window_ != nullptr) {
        Send(WM_ENABLE, enable ? 1 : 0, 0);
    }
}

void GtkNativeWindow::Move(const CRect& screenRect) {
    if (window_ == nullptr) {
        return;
    }
    const bool resized =
        screenRect.Width() != rect_.Width() || screenRect.Height() != rect_.Height();
    rect_ = screenRect;
    const int width = std::max(1, rect_.Width());
    const int height = std::max(1, rect_.Height());
    gtk_window_move(GTK_WINDOW(window_), rect_.left, rect_.top);
    gtk_window_resize(GTK_WINDOW(window_), width, height);
    if (resized) {
        // The framework lays out on WM_SIZE at once, as on Windows; the configure event
        // that follows finds the size unchanged.
        EnsureBacking(width, height);
        Send(WM_SIZE, SIZE_RESTORED, MAKELPARAM(rect_.Width(), rect_.Height()));
    }
}

void GtkNativeWindow::SetCaption(const std::wstring& caption) {
    caption_ = caption;
    if (window_ != nullptr) {
        gtk_window_set_title(GTK_WINDOW(window_), keyloom::WideToUtf8(caption).c_str());
    }
}

void GtkNativeWindow::SetIcon(const Image& icon) {
    if (window_ == nullptr || icon.Width() <= 0) {
        return;
    }
    const Surface& frame = icon.Frame(0);
    cairo_surface_t* surface = cairo_image_surface_create_for_data(
        reinterpret_cast<unsigned char*>(const_cast<std::uint32_t*>(frame.Data())),
        CAIRO_FORMAT_ARGB32, frame.Width(), frame.Height(), frame.Stride());
    if (GdkPixbuf* pixbuf =
            gdk_pixbuf_get_from_surface(surface, 0, 0, frame.Width(), frame.Height())) {
        gtk_window_set_icon(GTK_WINDOW(window_), pixbuf);
        g_object_unref(pixbuf);
    }
    cairo_surface_destroy(surface);
}

void GtkNativeWindow::SetProperty(const std::wstring& name, std::intptr_t value) {
    properties_[name] = value;
}

std::intptr_t GtkNativeWindow::GetProperty(const std::wstring& name) const {
    auto it = properties_.find(name);
    return it == properties_.end() ? 0 : it->second;
}

void GtkNativeWindow::SetLayered(bool layered) {
    if (layered_ == layered) {
        return;
    }
    layered_ = layered;
    ApplyLayering();
}

void GtkNativeWindow::SetOpacity(int alpha) {
    if (window_ != nullptr) {
        gtk_widget_set_opacity(window_, std::clamp(alpha, 0, 255) / 255.0);
    }
}

void GtkNativeWindow::ApplyLayering() {
    if (window_ == nullptr) {
        return;
    }
    shapeApplied_ = false;
    if (layered_) {
        UpdateShape(GetClientRect());
    } else {
        gtk_widget_shape_combine_region(window_, nullptr);
    }
    gtk_widget_queue_draw(window_);
}

void GtkNativeWindow::UpdateShape(const CRect& rows) {
    // With a compositor the alpha channel does the work; without one (Xvfb, bare X) the
    // window would show black where it is transparent, so its shape follows the alpha.
    // Before the first frame the backing is blank: a shape cut from it would be empty, and
    // an empty shape gets no expose, so the window would never paint at all.
    if (window_ == nullptr || !layered_ || backing_ == nullptr || !presented_ ||
        ThePlatform().IsComposited()) {
        return;
    }
    cairo_surface_flush(backing_);
    const int width = cairo_image_surface_get_width(backing_);
    const int height = cairo_image_surface_get_height(backing_);
    shape_.Update(reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(backing_)),
                  width, height, cairo_image_surface_get_stride(backing_) / 4, rows.top,
                  rows.bottom);
    std::vector<ShapeRect> rects = shape_.Rects();
    if ((shapeApplied_ && rects == appliedShape_) || rects.empty()) {
        return;  // unchanged (no round trip to the X server), or nothing would stay visible
    }
    std::vector<cairo_rectangle_int_t> cairoRects;
    cairoRects.reserve(rects.size());
    for (const ShapeRect& r : rects) {
        cairoRects.push_back({r.x, r.y, r.width, r.height});
    }
    cairo_region_t* region =
        cairo_region_create_rectangles(cairoRects.data(), static_cast<int>(cairoRects.size()));
    gtk_widget_shape_combine_region(window_, region);
    cairo_region_destroy(region);
    appliedShape_ = std::move(rects);
    shapeApplied_ = true;
    // Parts that just became visible are drawn from the backing at once.
    gtk_widget_queue_draw(window_);
}

void GtkNativeWindow::SetCapture() {
    if (window_ == nullptr || captured_) {
        return;
    }
    GdkWindow* gdkWindow = gtk_widget_get_window(window_);
    GdkSeat* seat = gdk_display_get_default_seat(gtk_widget_get_display(window_));
    // Without the grab (another program holds one) the implicit grab of the held button
    // still keeps the mouse with this window until the release.
    grabbed_ = gdkWindow != nullptr && seat != nullptr &&
               gdk_seat_grab(seat, gdkWindow, GDK_SEAT_CAPABILITY_ALL_POINTING, FALSE, nullptr,
                             nullptr, nullptr, nullptr) == GDK_GRAB_SUCCESS;
    captured_ = true;
}

void GtkNativeWindow::ReleaseCapture() {
    if (!captured_) {
        return;
    }
    captured_ = false;
    if (window_ != nullptr) {
        GdkSeat* seat = gdk_display_get_default_seat(gtk_widget_get_display(window_));
        if (grabbed_ && seat != nullptr) {
            gdk_seat_ungrab(seat);
        }
        grabbed_ = false;
        Send(WM_CAPTURECHANGED, 0, 0);
    }
}

void GtkNativeWindow::SetCursor(CursorKind cursor) {
    if (window_ == nullptr) {
        return;
    }
    GdkWindow* gdkWindow = gtk_widget_get_window(window_);
    if (gdkWindow == nullptr) {
        return;
    }
    GdkCursor* gdkCursor =
        gdk_cursor_new_from_name(gdk_window_get_display(gdkWindow), CursorName(cursor));
    gdk_window_set_cursor(gdkWindow, gdkCursor);
    if (gdkCursor != nullptr) {
        g_object_unref(gdkCursor);
    }
}

void GtkNativeWindow::BeginMoveDrag(CPoint screenPoint) {
    if (window_ == nullptr) {
        return;
    }
    // Moved by hand from the motion events of the held button: works with and without a
    // window manager, and keeps absolute positions exact.
    moving_ = true;
    moveStartPointer_ = screenPoint;
    moveStartWindow_ = rect_.TopLeft();
}

void GtkNativeWindow::Invalidate(const CRect& clientRect) {
    if (window_ == nullptr) {
        return;
    }
    const CRect clipped = CRect::Intersect(clientRect, GetClientRect());
    if (clipped.IsRectEmpty()) {
        return;
    }
    invalid_ = CRect::Union(invalid_, clipped);
    gtk_widget_queue_draw_area(window_, clipped.left, clipped.top, clipped.Width(),
                               clipped.Height());
}

CRect GtkNativeWindow::BeginPaint() {
    CRect result = invalid_;
    invalid_.SetRectEmpty();
    return result;
}

void GtkNativeWindow::EnsureBacking(int width, int height) {
    if (backing_ != nullptr && cairo_image_surface_get_width(backing_) == width &&
        cairo_image_surface_get_height(backing_) == height) {
        return;
    }
    cairo_surface_t* fresh = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    if (backing_ != nullptr) {
        cairo_t* cr = cairo_create(fresh);
        cairo_set_source_surface(cr, backing_, 0, 0);
        cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
        cairo_paint(cr);
        cairo_destroy(cr);
        cairo_surface_destroy(backing_);
    }
    backing_ = fresh;
    invalid_ = CRect::Union(invalid_, CRect(0, 0, width, height));
}

void GtkNativeWindow::Present(const Surface& client, const CRect& rect) {
    if (window_ == nullptr || backing_ == nullptr || client.IsEmpty()) {
        return;
    }
    cairo_surface_flush(backing_);
    const int width = cairo_image_surface_get_width(backing_);
    const int height = cairo_image_surface_get_height(backing_);
    const int stride = cairo_image_surface_get_stride(backing_);
    unsigned char* data = cairo_image_surface_get_data(backing_);
    const CRect area =
        CRect::Intersect(CRect::Intersect(rect, client.Bounds()), CRect(0, 0, width, height));
    for (int y = area.top; y < area.bottom; ++y) {
        std::copy(client.Row(y) + area.left, client.Row(y) + area.right,
                  reinterpret_cast<std::uint32_t*>(data + static_cast<std::size_t>(y) * stride) +
                      area.left);
    }
    cairo_surface_mark_dirty(backing_);
    presented_ = true;
    UpdateShape(area);
    if (!painting_ && !area.IsRectEmpty()) {
        gtk_widget_queue_draw_area(window_, area.left, area.top, area.Width(), area.Height());
    }
}

bool GtkNativeWindow::SetTimer(unsigned id, unsigned elapseMs) {
    if (window_ == nullptr) {
        return false;
    }
    KillTimer(id);
    auto* record = new TimerRecord{this, id, 0};
    record->source = g_timeout_add(std::max(1u, elapseMs), OnTimer, record);
    timers_[id] = record;
    return record->source != 0;
}

void GtkNativeWindow::KillTimer(unsigned id) {
    auto it = timers_.find(id);
    if (it == timers_.end()) {
        return;
    }
    g_source_remove(it->second->source);
    delete it->second;
    timers_.erase(it);
}

gboolean GtkNativeWindow::OnTimer(gpointer data) {
    auto* record = static_cast<TimerRecord*>(data);
    // The record may be freed by a KillTimer inside the handler; copy what is needed.
    GtkNativeWindow* window = record->window;
    const unsigned id = record->id;
    window->Send(WM_TIMER, id, 0);
    return G_SOURCE_CONTINUE;
}

bool GtkNativeWindow::PostMessage(unsigned msg, WPARAM wParam, LPARAM lParam) {
    const std::uint64_t id = id_;
    ThePlatform().PostToUi([id, msg, wParam, lParam] {
        if (GtkNativeWindow* window = ThePlatform().FindWindow(id)) {
            window->Send(msg, wParam, lParam);
        }
    });
    return true;
}

// ---- GDK events -----------------------------------------------------------------------------

gboolean GtkNativeWindow::OnDraw(GtkWidget*, cairo_t* cr, gpointer data) {
    auto* self = static_cast<GtkNativeWindow*>(data);
    if (!self->invalid_.IsRectEmpty()) {
        self->painting_ = true;
        self->Send(WM_PAINT, 0, 0);
        self->painting_ = false;
    }
    if (self->window_ == nullptr || self->backing_ == nullptr) {
        return FALSE;
    }
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    if (!self->layered_) {
        // An ordinary window is opaque whatever the composed alpha says.
        cairo_set_source_rgb(cr, 0, 0, 0);
        cairo_paint(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    }
    cairo_set_source_surface(cr, self->backing_, 0, 0);
    cairo_paint(cr);
    cairo_restore(cr);
    return FALSE;  // the child layer (native edit fields) draws on top
}

gboolean GtkNativeWindow::OnConfigure(GtkWidget*, GdkEventConfigure* event, gpointer data) {
    auto* self = static_cast<GtkNativeWindow*>(data);
    const CRect fresh(event->x, event->y, event->x + event->width, event->y + event->height);
    const bool resized =
        fresh.Width() != self->rect_.Width() || fresh.Height() != self->rect_.Height();
    const bool moved = fresh.TopLeft() != self->rect_.TopLeft();
    self->rect_ = fresh;
    if (resized) {
        self->EnsureBacking(event->width, event->height);
        self->Send(WM_SIZE, self->maximized_ ? SIZE_MAXIMIZED : SIZE_RESTORED,
                   MAKELPARAM(event->width, event->height));
    }
    if (moved) {
        self->Send(WM_MOVE, 0, MAKELPARAM(event->x, event->y));
    }
    return FALSE;
}

WPARAM GtkNativeWindow::MouseKeys(guint state) const {
    WPARAM keys = 0;
    if (state & GDK_BUTTON1_MASK)
        keys |= MK_LBUTTON;
    if (state & GDK_BUTTON3_MASK)
        keys |= MK_RBUTTON;
    if (state & GDK_BUTTON2_MASK)
        keys |= MK_MBUTTON;
    if (state & GDK_SHIFT_MASK)
        keys |= MK_SHIFT;
    if (state & GDK_CONTROL_MASK)
        keys |= MK_CONTROL;
    return keys;
}

gboolean GtkNativeWindow::OnButtonPress(GtkWidget*, GdkEventButton* event, gpointer data) {
    auto* self = static_cast<GtkNativeWindow*>(data);
    // GDK's own double and triple presses are ignored: the click tracker has already
    // turned the second plain press into the double click.
    if (event->type != GDK_BUTTON_PRESS || !self->enabled_ || event->button > 3) {
        return TRUE;
    }
    const bool isDouble =
        ThePlatform().Clicks().Press(event->button, event->time, static_cast<int>(event->x_root),
                                     static_cast<int>(event->y_root));
    // Click to focus, also where no window manager does it (a bare X server): the window
    // that was active before hears WM_NCACTIVATE 0, which is how an open menu closes.
    if (!self->params_.noActivate && !gtk_window_is_active(GTK_WINDOW(self->window_))) {
        gtk_window_present_with_time(GTK_WINDOW(self->window_), event->time);
    }
    // Keep the keyboard focus off a native edit field when the skin itself is clicked.
    if (gtk_window_get_focus(GTK_WINDOW(self->window_)) != nullptr) {
        gtk_window_set_focus(GTK_WINDOW(self->window_), nullptr);
    }
    unsigned msg = 0;
    unsigned vk = 0;
    WPARAM keys = self->MouseKeys(event->state);
    switch (event->button) {
        case 1:
            msg = isDouble ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN;
            vk = VK_LBUTTON;
            keys |= MK_LBUTTON;
            break;
        case 3:
            msg = isDouble ? WM_RBUTTONDBLCLK : WM_RBUTTONDOWN;
            vk = VK_RBUTTON;
            keys |= MK_RBUTTON;
            break;
        default:
            msg = isDouble ? WM_MBUTTONDBLCLK : WM_MBUTTONDOWN;
            vk = 0x04;
            keys |= MK_MBUTTON;
            break;
    }
    ThePlatform().SetButtonState(vk, true);
    self->Input(msg, keys, PointParam(event->x, event->y));
    return TRUE;
}

gboolean GtkNativeWindow::OnButtonRelease(GtkWidget*, GdkEventButton* event, gpointer data) {
    auto* self = static_cast<GtkNativeWindow*>(data);
    if (event->button > 3) {
        return TRUE;
    }
    const unsigned vk = event->button == 1 ? VK_LBUTTON : event->button == 3 ? VK_RBUTTON : 0x04;
    ThePlatform().SetButtonState(vk, false);
    if (event->button == 1) {
        self->moving_ = false;
    }
    if (!self->enabled_) {
        return TRUE;
    }
    WPARAM keys = self->MouseKeys(event->state);
    unsigned msg = WM_MBUTTONUP;
    if (event->button == 1) {
        msg = WM_LBUTTONUP;
        keys &= ~static_cast<WPARAM>(MK_LBUTTON);
    } else if (event->button == 3) {
        msg = WM_RBUTTONUP;
        keys &= ~static_cast<WPARAM>(MK_RBUTTON);
    } else {
        keys &= ~static_cast<WPARAM>(MK_MBUTTON);
    }
    self->Input(msg, keys, PointParam(event->x, event->y));
    return TRUE;
}

gboolean GtkNativeWindow::OnMotion(GtkWidget*, GdkEventMotion* event, gpointer data) {
    auto* self = static_cast<GtkNativeWindow*>(data);
    if (self->moving_) {
        if ((event->state & GDK_BUTTON1_MASK) == 0) {
            self->moving_ = false;
        } else {
            const int x = self->moveStartWindow_.x + static_cast<int>(event->x_root) -
                          self->moveStartPointer_.x;
            const int y = self->moveStartWindow_.y + static_cast<int>(event->y_root) -
                          self->moveStartPointer_.y;
            CRect moved = self->rect_;
            moved.OffsetRect(x - moved.left, y - moved.top);
            self->Move(moved);
            return TRUE;
        }
    }
    if (!self->enabled_) {
        return TRUE;
    }
    self->Input(WM_MOUSEMOVE, self->MouseKeys(event->state), PointParam(event->x, event->y));
    if (self->hoverArmed_ && self->window_ != nullptr) {
        if (self->hoverSource_ != 0) {
            g_source_remove(self->hoverSource_);
        }
        self->hoverPoint_ = {static_cast<int>(event->x), static_cast<int>(event->y)};
        self->hoverKeys_ = self->MouseKeys(event->state);
        self->hoverSource_ = g_timeout_add(kHoverTimeMs, OnHoverTimeout, self);
    }
    return TRUE;
}

gboolean GtkNativeWindow::OnHoverTimeout(gpointer data) {
    auto* self = static_cast<GtkNativeWindow*>(data);
    self->hoverSource_ = 0;
    self->hoverArmed_ = false;
    self->Send(WM_MOUSEHOVER, self->hoverKeys_,
               MAKELPARAM(self->hoverPoint_.x, self->hoverPoint_.y));
    return G_SOURCE_REMOVE;
}

gboolean GtkNativeWindow::OnLeave(GtkWidget*, GdkEventCrossing* event, gpointer data) {
    auto* self = static_cast<GtkNativeWindow*>(data);
    // Moving onto a native child (an edit field) is not leaving the window.
    if (event->detail == GDK_NOTIFY_INFERIOR || event->mode != GDK_CROSSING_NORMAL) {
        return FALSE;
    }
    if (self->hoverSource_ != 0) {
        g_source_remove(self->hoverSource_);
        self->hoverSource_ = 0;
    }
    self->hoverArmed_ = true;
    self->Send(WM_MOUSELEAVE, 0, 0);
    return FALSE;
}

gboolean GtkNativeWindow::OnScroll(GtkWidget*, GdkEventScroll* event, gpointer data) {
    auto* self = static_cast<GtkNativeWindow*>(data);
    if (!self->enabled_) {
        return TRUE;
    }
    int delta = 0;
    switch (event->direction) {
        case GDK_SCROLL_UP:
            delta = WHEEL_DELTA;
            break;
        case GDK_SCROLL_DOWN:
            delta = -WHEEL_DELTA;
            break;
        case GDK_SCROLL_SMOOTH:
            delta = static_cast<int>(-event->delta_y * WHEEL_DELTA);
            break;
        default:
            return TRUE;
    }
    const WPARAM keys = self->MouseKeys(event->state);
    self->Input(WM_MOUSEWHEEL, MAKEWPARAM(static_cast<int>(keys), delta),
                PointParam(event->x, event->y));
    return TRUE;
}

gboolean GtkNativeWindow::OnKey(GtkWidget*, GdkEventKey* event, gpointer data) {
    auto* self = static_cast<GtkNativeWindow*>(data);
    // A focused native edit field takes its keys through GTK's own propagation.
    if (gtk_window_get_focus(GTK_WINDOW(self->window_)) != nullptr) {
        return FALSE;
    }
    // The key's unshifted meaning decides its virtual key, as on Windows.
    guint plain = event->keyval;
    gdk_keymap_translate_keyboard_state(
        gdk_keymap_get_for_display(gtk_widget_get_display(self->window_)), event->hardware_keycode,
        static_cast<GdkModifierType>(0), event->group, &plain, nullptr, nullptr, nullptr);
    unsigned vk = VirtualKeyFromKeyval(plain);
    if (vk == 0) {
        vk = VirtualKeyFromKeyval(event->keyval);
    }
    const bool press = event->type == GDK_KEY_PRESS;
    const bool wasDown = ThePlatform().IsKeyDown(vk);
    if (vk != 0) {
        ThePlatform().SetKeyState(vk, press);
    }
    if (!self->enabled_) {
        return TRUE;
    }
    const bool alt = (event->state & GDK_MOD1_MASK) != 0 || vk == VK_MENU;
    const unsigned scan = event->hardware_keycode >= 8 ? event->hardware_keycode - 8u : 0u;
    LPARAM lParam = 1 | (static_cast<LPARAM>(scan & 0xFF) << 16);
    if (press && wasDown) {
        lParam |= static_cast<LPARAM>(1) << 30;
    }
    if (!press) {
        lParam |= static_cast<LPARAM>(3) << 30;
    }
    if (vk != 0) {
        const unsigned msg =
            press ? (alt ? WM_SYSKEYDOWN : WM_KEYDOWN) : (alt ? WM_SYSKEYUP : WM_KEYUP);
        self->Input(msg, vk, lParam);
    }
    if (press && self->window_ != nullptr) {
        const gunichar ch = gdk_keyval_to_unicode(event->keyval);
        if (ch != 0 && (event->state & GDK_CONTROL_MASK) == 0) {
            self->Input(WM_CHAR, ch, lParam);
        }
    }
    return TRUE;
}

gboolean GtkNativeWindow::OnFocus(GtkWidget*, GdkEventFocus* event, gpointer data) {
    auto* self = static_cast<GtkNativeWindow*>(data);
    const WPARAM active = event->in ? 1 : 0;
    self->Send(WM_NCACTIVATE, active, 0);
    self->Send(WM_ACTIVATE, active, 0);
    return FALSE;
}

gboolean GtkNativeWindow::OnDelete(GtkWidget*, GdkEvent*, gpointer data) {
    // The framework decides what a close request does (a dialog ends its modal loop).
    static_cast<GtkNativeWindow*>(data)->Send(WM_CLOSE, 0, 0);
    return TRUE;
}

gboolean GtkNativeWindow::OnWindowState(GtkWidget*, GdkEventWindowState* event, gpointer data) {
    auto* self = static_cast<GtkNativeWindow*>(data);
    self->minimized_ = (event->new_window_state & GDK_WINDOW_STATE_ICONIFIED) != 0;
    self->maximized_ = (event->new_window_state & GDK_WINDOW_STATE_MAXIMIZED) != 0;
    if ((event->changed_mask & GDK_WINDOW_STATE_ICONIFIED) != 0 && self->minimized_) {
        self->Send(WM_SIZE, SIZE_MINIMIZED, 0);
    }
    return FALSE;
}

gboolean GtkNativeWindow::OnGrabBroken(GtkWidget*, GdkEvent*, gpointer data) {
    auto* self = static_cast<GtkNativeWindow*>(data);
    if (self->captured_) {
        self->captured_ = false;
        self->grabbed_ = false;
        self->Send(WM_CAPTURECHANGED, 0, 0);
    }
    return FALSE;
}

}  // namespace Tessera::gtk_backend
