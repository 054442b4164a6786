#pragma once

// Input rules of the gtk backend that do not need a display: which virtual-key code a GDK
// key value stands for, and when a press completes a double click. Kept apart from the
// GTK calls so they can be tested headless.

#include <cstdint>

namespace Tessera::gtk_backend {

// The Windows virtual-key code of an unshifted GDK key value; 0 for keys the framework
// has no code for.
unsigned VirtualKeyFromKeyval(unsigned keyval);

// Windows reports a double click as press, release, double click, release; GDK reports
// press, release, press, double press, release. The tracker decides for every plain press
// whether it is the second press of a double click, by button, time and distance, so the
// backend can send WM_xBUTTONDBLCLK in its place and ignore GDK's own double presses.
class ClickTracker {
public:
    ClickTracker(unsigned doubleClickMs, int doubleClickDistance)
        : timeMs_(doubleClickMs), distance_(doubleClickDistance) {}

    // True when this press completes a double click. A third quick press starts over,
    // as on Windows (it is a new first press).
    bool Press(unsigned button, std::uint32_t timeMs, int x, int y);

private:
    unsigned timeMs_;
    int distance_;
    bool armed_ = false;
    unsigned button_ = 0;
    std::uint32_t lastTime_ = 0;
    int lastX_ = 0;
    int lastY_ = 0;
};

}  // namespace Tessera::gtk_backend
