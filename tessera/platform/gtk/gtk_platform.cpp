#include <gdk/gdkx.h>
#include <gtk/gtk.h>

#include <cstdio>

#include "tessera/platform/gtk/gtk_backend.h"
#include "tessera/platform/gtk/gtk_native_window.h"
#include "text/utf_convert.h"

namespace Tessera {

namespace gtk_backend {

namespace {
GtkPlatform* g_platform = nullptr;

unsigned SettingInt(const char* name, int fallback) {
    gint value = fallback;
    if (GtkSettings* settings = gtk_settings_get_default()) {
        g_object_get(settings, name, &value, nullptr);
    }
    return static_cast<unsigned>(value > 0 ? value : fallback);
}
}  // namespace

GtkPlatform& ThePlatform() {
    return *g_platform;
}

GtkPlatform::GtkPlatform()
    : clicks_(SettingInt("gtk-double-click-time", 500),
              static_cast<int>(SettingInt("gtk-double-click-distance", 5))) {
    g_platform = this;
}

GtkPlatform::~GtkPlatform() {
    {
        std::lock_guard lock(queueMutex_);
        if (taskSource_ != 0) {
            g_source_remove(taskSource_);
            taskSource_ = 0;
        }
        tasks_.clear();
    }
    if (g_platform == this) {
        g_platform = nullptr;
    }
}

std::unique_ptr<NativeWindow> GtkPlatform::CreateNativeWindow(const WindowParams& params,
                                                              WindowEventSink& sink) {
    auto window = std::make_unique<GtkNativeWindow>(params, sink);
    if (!window->Create()) {
        return nullptr;
    }
    return window;
}

bool GtkPlatform::RunLoop(const std::function<bool()>& keepRunning) {
    while (!quitPending_ && keepRunning()) {
        g_main_context_iteration(nullptr, TRUE);
    }
    return quitPending_;
}

void GtkPlatform::PostQuit(int exitCode) {
    quitPending_ = true;
    quitCode_ = exitCode;
    g_main_context_wakeup(nullptr);
}

void GtkPlatform::PostToUi(std::function<void()> task) {
    // One queue drained by one idle source keeps posting order across threads.
    std::lock_guard lock(queueMutex_);
    tasks_.push_back(std::move(task));
    if (taskSource_ == 0) {
        taskSource_ = g_idle_add_full(G_PRIORITY_DEFAULT, RunPostedTasks, this, nullptr);
    }
}

gboolean GtkPlatform::RunPostedTasks(gpointer data) {
    auto* self = static_cast<GtkPlatform*>(data);
    std::deque<std::function<void()>> batch;
    {
        std::lock_guard lock(self->queueMutex_);
        batch.swap(self->tasks_);
        self->taskSource_ = 0;
    }
    while (!batch.empty()) {
        auto task = std::move(batch.front());
        batch.pop_front();
        task();
    }
    return G_SOURCE_REMOVE;
}

std::uint64_t GtkPlatform::NowMs() const {
    return static_cast<std::uint64_t>(g_get_monotonic_time() / 1000);
}

bool GtkPlatform::IsKeyDown(unsigned vk) const {
    if (buttonsDown_.count(vk) != 0 || keysDown_.count(vk) != 0) {
        return true;
    }
    // Modifiers are asked of the keyboard itself: they may have been pressed while
    // another program had the focus.
    if (vk == VK_SHIFT || vk == VK_CONTROL || vk == VK_MENU) {
        GdkKeymap* keymap = gdk_keymap_get_for_display(gdk_display_get_default());
        const guint state = gdk_keymap_get_modifier_state(keymap);
        return vk == VK_SHIFT     ? (state & GDK_SHIFT_MASK) != 0
               : vk == VK_CONTROL ? (state & GDK_CONTROL_MASK) != 0
                                  : (state & GDK_MOD1_MASK) != 0;
    }
    return false;
}

void GtkPlatform::SetKeyState(unsigned vk, bool down) {
    if (down) {
        keysDown_.insert(vk);
    } else {
        keysDown_.erase(vk);
    }
}

void GtkPlatform::SetButtonState(unsigned vk, bool down) {
    if (down) {
        buttonsDown_.insert(vk);
    } else {
        buttonsDown_.erase(vk);
    }
}

CPoint GtkPlatform::GetCursorPos() const {
    GdkDisplay* display = gdk_display_get_default();
    GdkSeat* seat = display != nullptr ? gdk_display_get_default_seat(display) : nullptr;
    GdkDevice* pointer = seat != nullptr ? gdk_seat_get_pointer(seat) : nullptr;
    if (pointer == nullptr) {
        return {};
    }
    gint x = 0;
    gint y = 0;
    gdk_device_get_position(pointer, nullptr, &x, &y);
    return {x, y};
}

CRect GtkPlatform::GetWorkArea(const CRect& nearRect) const {
    GdkDisplay* display = gdk_display_get_default();
    if (display == nullptr) {
        return {};
    }
    const CPoint centre = nearRect.CenterPoint();
    GdkMonitor* monitor = gdk_display_get_monitor_at_point(display, centre.x, centre.y);
    if (monitor == nullptr) {
        monitor = gdk_display_get_primary_monitor(display);
    }
    if (monitor == nullptr) {
        return {};
    }
    GdkRectangle area{};
    gdk_monitor_get_workarea(monitor, &area);
    return {area.x, area.y, area.x + area.width, area.y + area.height};
}

unsigned GtkPlatform::GetCaretBlinkTime() const {
    // GTK's setting is a whole on-off cycle; Windows counts one phase.
    return SettingInt("gtk-cursor-blink-time", 1200) / 2;
}

bool GtkPlatform::SetClipboardText(const std::wstring& text) {
    GtkClipboard* clipboard = gtk_clipboard_get(GDK_SELECTION_CLIPBOARD);
    if (clipboard == nullptr) {
        return false;
    }
    const std::string utf8 = keyloom::WideToUtf8(text);
    gtk_clipboard_set_text(clipboard, utf8.c_str(), static_cast<gint>(utf8.size()));
    gtk_clipboard_store(clipboard);
    return true;
}

std::wstring GtkPlatform::GetClipboardText() const {
    GtkClipboard* clipboard = gtk_clipboard_get(GDK_SELECTION_CLIPBOARD);
    if (clipboard == nullptr) {
        return {};
    }
    gchar* text = gtk_clipboard_wait_for_text(clipboard);
    if (text == nullptr) {
        return {};
    }
    std::wstring result = keyloom::Utf8ToWide(text);
    g_free(text);
    return result;
}

void GtkPlatform::RegisterWindow(std::uint64_t id, GtkNativeWindow* window) {
    windows_[id] = window;
}

void GtkPlatform::UnregisterWindow(std::uint64_t id) {
    windows_.erase(id);
}

GtkNativeWindow* GtkPlatform::FindWindow(std::uint64_t id) const {
    auto it = windows_.find(id);
    return it == windows_.end() ? nullptr : it->second;
}

bool GtkPlatform::IsComposited() const {
    GdkScreen* screen = gdk_screen_get_default();
    return screen != nullptr && gdk_screen_is_composited(screen);
}

GtkWidget* WidgetOf(NativeWindow& window) {
    auto* gtkWindow = dynamic_cast<GtkNativeWindow*>(&window);
    return gtkWindow != nullptr ? gtkWindow->Widget() : nullptr;
}

GtkWidget* ChildLayerOf(NativeWindow& window) {
    auto* gtkWindow = dynamic_cast<GtkNativeWindow*>(&window);
    return gtkWindow != nullptr ? gtkWindow->ChildLayer() : nullptr;
}

std::string CssColor(std::uint32_t argb) {
    char text[48];
    std::snprintf(text, sizeof text, "rgba(%u,%u,%u,%.3f)", (argb >> 16) & 0xFFu,
                  (argb >> 8) & 0xFFu, argb & 0xFFu, ((argb >> 24) & 0xFFu) / 255.0);
    return text;
}

}  // namespace gtk_backend

std::unique_ptr<Platform> CreateGtkPlatform() {
    // XTest and absolute window positions are X11 only.
    gdk_set_allowed_backends("x11");
    if (!gtk_init_check(nullptr, nullptr)) {
        return nullptr;
    }
    return std::make_unique<gtk_backend::GtkPlatform>();
}

}  // namespace Tessera
