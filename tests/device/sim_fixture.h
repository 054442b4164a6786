#pragma once

// A device manager on virtual time connected to one virtual keyboard, as the program sets
// it up: filter for the configured ids with the lower-case MI_02 pattern, then a rescan.

#include <gtest/gtest.h>

#include <memory>

#include "device/clock.h"
#include "device/device_manager.h"
#include "device/report_frame.h"
#include "sim/sim_hid_library.h"
#include "sim/virtual_keyboard.h"

namespace keyloom::testing {

inline Frame RequestFrame(std::uint8_t command, std::uint8_t length = 0, std::uint16_t offset = 0) {
    Frame frame{};
    frame[1 + kMarkerByte] = kRequestMarker;
    frame[1 + kCommandByte] = command;
    frame[1 + kLengthByte] = length;
    frame[1 + kOffsetLowByte] = static_cast<std::uint8_t>(offset & 0xFFU);
    frame[1 + kOffsetHighByte] = static_cast<std::uint8_t>(offset >> 8U);
    return frame;
}

inline double Millis(Clock::Duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

class SimDeviceTest : public ::testing::Test {
protected:
    SimDeviceTest()
        : keyboard(std::make_shared<sim::VirtualKeyboard>(sim::KeyboardOptions{}, clock)),
          library(keyboard),
          manager(library, clock) {
        manager.AddFilter(0x3412, 0x7A21, L"", L"vid_3412&pid_7a21&mi_02");
        manager.Rescan();
        clock.ClearSleeps();
    }

    std::vector<double> SleepsMs() const {
        std::vector<double> result;
        for (auto sleep : clock.Sleeps()) {
            result.push_back(Millis(sleep));
        }
        return result;
    }

    ManualClock clock;
    std::shared_ptr<sim::VirtualKeyboard> keyboard;
    sim::SimHidLibrary library;
    CDeviceManager manager;
};

}  // namespace keyloom::testing
