#include "tessera/platform/gtk/synthetic_input.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <gdk/gdkx.h>

namespace Tessera {

namespace {

Display* XDisplayOrNull() {
    GdkDisplay* display = gdk_display_get_default();
    if (display == nullptr || !GDK_IS_X11_DISPLAY(display)) {
        return nullptr;
    }
    return gdk_x11_display_get_xdisplay(display);
}

bool TapKeysym(Display* display, KeySym keysym) {
    const KeyCode code = XKeysymToKeycode(display, keysym);
    if (code == 0) {
        return false;
    }
    // A keysym found only on the shifted level needs Shift held.
    const bool shifted = XkbKeycodeToKeysym(display, code, 0, 0) != keysym &&
                         XkbKeycodeToKeysym(display, code, 0, 1) == keysym;
    const KeyCode shift = XKeysymToKeycode(display, XK_Shift_L);
    if (shifted) {
        XTestFakeKeyEvent(display, shift, True, CurrentTime);
    }
    XTestFakeKeyEvent(display, code, True, CurrentTime);
    XTestFakeKeyEvent(display, code, False, CurrentTime);
    if (shifted) {
        XTestFakeKeyEvent(display, shift, False, CurrentTime);
    }
    return true;
}

}  // namespace

bool SyntheticInputAvailable() {
    Display* display = XDisplayOrNull();
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    return display != nullptr &&
           XTestQueryExtension(display, &eventBase, &errorBase, &major, &minor) == True;
}

void SyntheticMouseMove(int screenX, int screenY) {
    if (Display* display = XDisplayOrNull()) {
        XTestFakeMotionEvent(display, -1, screenX, screenY, CurrentTime);
        XFlush(display);
    }
}

void SyntheticButton(int button, bool press) {
    if (Display* display = XDisplayOrNull()) {
        XTestFakeButtonEvent(display, static_cast<unsigned>(button), press ? True : False,
                             CurrentTime);
        XFlush(display);
    }
}

bool SyntheticTypeText(const std::wstring& text) {
    Display* display = XDisplayOrNull();
    if (display == nullptr) {
        return false;
    }
    bool all = true;
    for (wchar_t ch : text) {
        // Printable ASCII keysyms equal their character codes.
        if (ch < 0x20 || ch > 0x7E || !TapKeysym(display, static_cast<KeySym>(ch))) {
            all = false;
        }
    }
    XFlush(display);
    return all;
}

bool SyntheticTapKey(const char* keyName) {
    Display* display = XDisplayOrNull();
    if (display == nullptr) {
        return false;
    }
    const KeySym keysym = XStringToKeysym(keyName);
    const bool ok = keysym != NoSymbol && TapKeysym(display, keysym);
    XFlush(display);
    return ok;
}

void SyntheticFlush() {
    if (Display* display = XDisplayOrNull()) {
        XSync(display, False);
    }
}

}  // namespace Tessera
