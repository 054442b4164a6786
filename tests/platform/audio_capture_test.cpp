#include "platform/audio_capture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "tests/platform/sound_server_helpers.h"

namespace keyloom {
namespace {

using audio_test::Pactl;
using Clock = std::chrono::steady_clock;

// Tests that need a sound server run only against a private one named by PULSE_SERVER
// (the test script starts one with null sinks); they change its default sink.
bool PrivateServerGiven() {
    return std::getenv("PULSE_SERVER") != nullptr;
}

class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        setenv(name, value, 1);
    }
    ~ScopedEnvironment() {
        if (old_) {
            setenv(name_, old_->c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(LoopbackCapture, WithoutServerNothingOpensAndNothingWaits) {
    ScopedEnvironment server("PULSE_SERVER", "unix:/nonexistent/keyloom/native");
    auto capture = CreateLoopbackCapture();
    EXPECT_FALSE(capture->DefaultPlaybackEndpoint().has_value());
    EXPECT_FALSE(capture->OpenStream(AudioEndpoint{"missing.monitor", L""}, true));
    EXPECT_FALSE(capture->IsStreamOpen());
    AudioPacket packet;
    EXPECT_EQ(capture->NextPacket(packet), PacketResult::kNone);
    capture->ReleasePacket();  // harmless without a packet
}

TEST(LoopbackCapture, RecordsWhatTheDefaultSinkPlays) {
    if (!PrivateServerGiven()) {
        GTEST_SKIP() << "PULSE_SERVER not set: no private sound server";
    }
    auto capture = CreateLoopbackCapture();
    const std::optional<AudioEndpoint> endpoint = capture->DefaultPlaybackEndpoint();
    ASSERT_TRUE(endpoint.has_value());
    EXPECT_EQ(endpoint->id, Pactl("get-default-sink") + ".monitor");
    ASSERT_TRUE(capture->OpenStream(*endpoint, true));

    audio_test::TonePlayer tone(1000.0, 0.5F);
    ASSERT_TRUE(tone.Playing());
    double energy = 0.0;
    std::size_t frames = 0;
    const auto deadline = Clock::now() + std::chrono::seconds(5);
    while (frames < 48000 && Clock::now() < deadline) {
        AudioPacket packet;
        const PacketResult result = capture->NextPacket(packet);
        ASSERT_NE(result, PacketResult::kLost);
        if (result == PacketResult::kNone) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            continue;
        }
        ASSERT_NE(packet.data, nullptr);
        EXPECT_EQ(packet.values, 2 * packet.frames);
        for (std::size_t i = 0; i < packet.values; ++i) {
            energy += static_cast<double>(packet.data[i]) * packet.data[i];
        }
        frames += packet.frames;
        capture->ReleasePacket();
    }
    ASSERT_GE(frames, 48000u);
    // A sine of amplitude 0.5 has a mean square of 0.125; the first packets may be silent.
    EXPECT_GT(energy / static_cast<double>(2 * frames), 0.05);
    capture->CloseStream();
    EXPECT_FALSE(capture->IsStreamOpen());
}

TEST(LoopbackCapture, ReportsDefaultSinkChanges) {
    if (!PrivateServerGiven()) {
        GTEST_SKIP() << "PULSE_SERVER not set: no private sound server";
    }
    const std::string original = Pactl("get-default-sink");
    const std::string module = Pactl("load-module module-null-sink sink_name=keyloom_alt_sink");
    ASSERT_FALSE(module.empty());

    auto capture = CreateLoopbackCapture();
    std::mutex lock;
    std::condition_variable changed;
    int changes = 0;
    capture->SetDefaultDeviceChangedHandler([&] {
        std::lock_guard guard(lock);
        ++changes;
        changed.notify_all();
    });
    ASSERT_TRUE(capture->DefaultPlaybackEndpoint().has_value());  // connects and subscribes

    Pactl("set-default-sink keyloom_alt_sink");
    {
        std::unique_lock guard(lock);
        EXPECT_TRUE(changed.wait_for(guard, std::chrono::seconds(5), [&] { return changes > 0; }));
    }
    const std::optional<AudioEndpoint> now = capture->DefaultPlaybackEndpoint();
    ASSERT_TRUE(now.has_value());
    EXPECT_EQ(now->id, "keyloom_alt_sink.monitor");

    Pactl("set-default-sink " + original);
    Pactl("unload-module " + module);
    capture.reset();
}

}  // namespace
}  // namespace keyloom
