// X11 implementation of the computer-side actions, on GIO and GTK's clipboard.
//
// The synthesised paste uses the XTest extension, which exists only on X11 displays: under a
// Wayland session the program must run with the X11 backend (GDK_BACKEND=x11, as the program
// sets at start-up), or the keys reach no other window.

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <gdk/gdkx.h>
#include <gio/gio.h>
#include <gtk/gtk.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/computer_actions.h"
#include "text/utf_convert.h"

namespace keyloom {
namespace {

Display* XDisplayOrNull() {
    GdkDisplay* display = gdk_display_get_default();
    if (display == nullptr || !GDK_IS_X11_DISPLAY(display)) {
        return nullptr;
    }
    return gdk_x11_display_get_xdisplay(display);
}

bool SendKey(Display* x, KeySym sym, bool down) {
    const KeyCode code = XKeysymToKeycode(x, sym);
    if (code == 0) {
        return false;
    }
    XTestFakeKeyEvent(x, code, down ? True : False, CurrentTime);
    return true;
}

bool LaunchUri(const std::string& uri) {
    GError* error = nullptr;
    const gboolean ok = g_app_info_launch_default_for_uri(uri.c_str(), nullptr, &error);
    if (error != nullptr) {
        g_error_free(error);
    }
    return ok != FALSE;
}

bool IsExecutableFile(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           access(path.c_str(), X_OK) == 0;
}

class LinuxComputerActions final : public ComputerActions {
public:
    bool OpenProgram(const std::wstring& path) override {
        const std::string utf8 = WideToUtf8(path);
        if (utf8.empty()) {
            return false;
        }
        if (IsExecutableFile(utf8)) {
            gchar* argv[] = {const_cast<gchar*>(utf8.c_str()), nullptr};
            GError* error = nullptr;
            const gboolean ok = g_spawn_async(nullptr, argv, nullptr, G_SPAWN_DEFAULT, nullptr,
                                              nullptr, nullptr, &error);
            if (error != nullptr) {
                g_error_free(error);
            }
            return ok != FALSE;
        }
        // Documents and desktop entries open with the program the desktop associates.
        GFile* file = g_file_new_for_path(utf8.c_str());
        gchar* uri = g_file_get_uri(file);
        const bool ok = LaunchUri(uri);
        g_free(uri);
        g_object_unref(file);
        return ok;
    }

    bool OpenAddress(const std::wstring& address) override {
        return LaunchUri(WideToUtf8(address));
    }

    std::optional<std::wstring> GetClipboardText() override {
        gchar* text = gtk_clipboard_wait_for_text(Clipboard());
        if (text == nullptr) {
            return std::nullopt;
        }
        std::wstring wide = Utf8ToWide(text);
        g_free(text);
        return wide;
    }

    bool SetClipboardText(const std::wstring& text) override {
        const std::string utf8 = WideToUtf8(text);
        gtk_clipboard_set_text(Clipboard(), utf8.c_str(), static_cast<gint>(utf8.size()));
        return true;
    }

    void ClearClipboard() override { gtk_clipboard_clear(Clipboard()); }

    bool PressPasteKeys() override {
        Display* x = XDisplayOrNull();
        if (x == nullptr) {
            return false;
        }
        const bool ok = SendKey(x, XK_Control_L, true) && SendKey(x, XK_v, true);
        XFlush(x);
        return ok;
    }

    void ReleasePasteKeys() override {
        Display* x = XDisplayOrNull();
        if (x == nullptr) {
            return;
        }
        SendKey(x, XK_v, false);
        SendKey(x, XK_Control_L, false);
        XFlush(x);
    }

    void RunLater(int delay_ms, std::function<void()> task) override {
        auto* boxed = new std::function<void()>(std::move(task));  // owned by the GLib source
        g_timeout_add_full(
            G_PRIORITY_DEFAULT, static_cast<guint>(delay_ms < 0 ? 0 : delay_ms),
            [](gpointer data) -> gboolean {
                (*static_cast<std::function<void()>*>(data))();
                return G_SOURCE_REMOVE;
            },
            boxed, [](gpointer data) { delete static_cast<std::function<void()>*>(data); });
    }

    bool StartOnScreenKeyboard() override {
        for (const char* name : {"onboard", "florence"}) {
            gchar* found = g_find_program_in_path(name);
            if (found == nullptr) {
                continue;
            }
            gchar* argv[] = {found, nullptr};
            const gboolean ok = g_spawn_async(nullptr, argv, nullptr, G_SPAWN_DEFAULT, nullptr,
                                              nullptr, nullptr, nullptr);
            g_free(found);
            return ok != FALSE;
        }
        return false;
    }

private:
    static GtkClipboard* Clipboard() { return gtk_clipboard_get(GDK_SELECTION_CLIPBOARD); }
};

}  // namespace

std::unique_ptr<ComputerActions> CreateComputerActions() {
    return std::make_unique<LinuxComputerActions>();
}

}  // namespace keyloom
