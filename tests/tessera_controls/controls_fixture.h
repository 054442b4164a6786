#pragma once

// The standard controls' tests share the keyboard controls' headless host: a dialog on the
// null backend with one panel the controls live in, recording every notification.

#include <gtest/gtest.h>

#include <vector>

#include "tests/tessera_keyboard/host_window.h"

namespace tctl_test {

using namespace Tessera;
using tessera_test::Notification;
using tkbd_test::HostWindow;
using tkbd_test::RgbAt;
using tkbd_test::RgbNear;
using tkbd_test::ScratchSkin;

// Press and release at two points (a drag when they differ).
inline void PressRelease(HostWindow& host, CPoint down, CPoint up) {
    host.Move(down);
    host.Platform().MouseDown(host.Window(), down);
    host.Move(up);
    host.Platform().MouseUp(host.Window(), up);
}

// Only the notifications of one control.
inline std::vector<Notification> From(const std::vector<Notification>& all, unsigned id) {
    std::vector<Notification> mine;
    for (const Notification& n : all) {
        if (n.id == id) {
            mine.push_back(n);
        }
    }
    return mine;
}

}  // namespace tctl_test
