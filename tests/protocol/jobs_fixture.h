#pragma once

// The jobs as the worker runs them: a device manager on virtual time connected to one
// virtual keyboard, a configuration database in a fresh folder, and a clock that can pull
// the keyboard (or drop its answers) at a chosen moment.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "device/clock.h"
#include "device/device_manager.h"
#include "protocol/keyboard_jobs.h"
#include "sim/sim_hid_library.h"
#include "sim/virtual_keyboard.h"
#include "store/config_database.h"
#include "tests/support/temp_folder.h"

namespace keyloom::protocol_test {

// Virtual time with a hook run before every pause: tests use it to act "in the middle" of a
// job. The hook runs on the sleeping thread, outside the keyboard's lock.
class HookedClock final : public Clock {
public:
    TimePoint Now() const override { return inner_.Now(); }
    void SleepFor(Duration duration) override {
        ++sleeps_;
        if (hook_) {
            hook_(sleeps_);
        }
        inner_.SleepFor(duration);
    }

    void SetHook(std::function<void(int sleep_number)> hook) {
        sleeps_ = 0;
        hook_ = std::move(hook);
    }
    std::vector<Duration> Sleeps() const { return inner_.Sleeps(); }
    void ClearSleeps() { inner_.ClearSleeps(); }
    Duration Elapsed() const { return inner_.Elapsed(); }

private:
    ManualClock inner_;
    std::function<void(int)> hook_;
    int sleeps_ = 0;
};

inline double Millis(Clock::Duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

class JobsTest : public ::testing::Test {
protected:
    explicit JobsTest(sim::KeyboardOptions options = {})
        : keyboard(std::make_shared<sim::VirtualKeyboard>(std::move(options), clock)),
          library(keyboard),
          devices(library, clock),
          jobs(devices, database, clock) {
        devices.AddFilter(0x3412, 0x7A21, L"", L"vid_3412&pid_7a21&mi_02");
        devices.Rescan();
        std::filesystem::create_directories(folder.path() / "db");
        database.OpenDatabase(folder.Wide(), L"kb_data");
        database.InsertDefaultConfig();
        keyboard->ClearRecord();
        clock.ClearSleeps();
    }

    void SetUp() override {
        ASSERT_EQ(devices.EntryCount(), 1);
        ASSERT_TRUE(database.IsOpened());
    }

    // Commands of the configuration requests the keyboard received, in order.
    std::vector<std::uint8_t> Commands() const {
        std::vector<std::uint8_t> commands;
        for (const Report& report : keyboard->ConfigRequests()) {
            commands.push_back(report[kCommandByte]);
        }
        return commands;
    }

    void Assign(int layer, int key_code, int type, int value, int value2 = 0) {
        KeyAssignment a;
        a.profile = context.current_profile;
        a.fn_layer = layer;
        a.key_code = key_code;
        a.macro_type = type;
        a.macro_value = value;
        a.macro_value2 = value2;
        ASSERT_GT(database.SaveKeyAssignment(a), 0);
    }

    bool Stored(int layer, int key_code) {
        KeyAssignment a;
        return database.GetKeyAssignment(context.current_profile, layer, key_code, a);
    }

    HookedClock clock;
    std::shared_ptr<sim::VirtualKeyboard> keyboard;
    sim::SimHidLibrary library;
    CDeviceManager devices;
    test_support::TempFolder folder{L"protocol"};
    ConfigDatabase database;
    KeyboardJobs jobs;
    JobContext context{0, 1, 6};
};

// Repeated command bytes, for writing expected sequences.
inline std::vector<std::uint8_t> Repeat(std::uint8_t command, std::size_t count) {
    return std::vector<std::uint8_t>(count, command);
}

inline std::vector<std::uint8_t> Join(std::initializer_list<std::vector<std::uint8_t>> parts) {
    std::vector<std::uint8_t> joined;
    for (const auto& part : parts) {
        joined.insert(joined.end(), part.begin(), part.end());
    }
    return joined;
}

}  // namespace keyloom::protocol_test
