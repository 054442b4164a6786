#pragma once

// A scripted capture backend: a queue of packets (or a lost-stream report) and a default
// endpoint that tests can change, with counters of what the visualiser asked for. Packets
// are built up front so reading them allocates nothing.

#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/audio_capture.h"

namespace keyloom::music_test {

struct ScriptedPacket {
    std::vector<float> values;  // exactly the readable floats
    std::size_t frames = 0;
    bool lost = false;
};

struct FakeCaptureState {
    std::optional<AudioEndpoint> default_endpoint = AudioEndpoint{"sink-a.monitor", L"Sink A"};
    std::vector<ScriptedPacket> packets;
    std::size_t next = 0;
    bool open = false;
    bool loopback = false;
    std::string opened_id;
    int opens = 0;
    int closes = 0;
    int reads = 0;
    int releases = 0;
    bool outstanding = false;  // a packet handed out and not yet released
    std::function<void()> handler;
};

class FakeAudioCapture : public AudioCapture {
public:
    explicit FakeAudioCapture(FakeCaptureState& state) : state_(state) {}

    std::optional<AudioEndpoint> DefaultPlaybackEndpoint() override {
        return state_.default_endpoint;
    }
    bool OpenStream(const AudioEndpoint& endpoint, bool loopback) override {
        CloseStream();
        ++state_.opens;
        state_.open = true;
        state_.loopback = loopback;
        state_.opened_id = endpoint.id;
        return true;
    }
    void CloseStream() override {
        if (state_.open) {
            ++state_.closes;
        }
        state_.open = false;
    }
    bool IsStreamOpen() const override { return state_.open; }
    PacketResult NextPacket(AudioPacket& packet) override {
        if (!state_.open || state_.next >= state_.packets.size()) {
            return PacketResult::kNone;
        }
        ++state_.reads;
        const ScriptedPacket& scripted = state_.packets[state_.next++];
        if (scripted.lost) {
            return PacketResult::kLost;
        }
        packet.data = scripted.values.empty() ? nullptr : scripted.values.data();
        packet.values = scripted.values.size();
        packet.frames = scripted.frames;
        state_.outstanding = true;
        return PacketResult::kPacket;
    }
    void ReleasePacket() override {
        ++state_.releases;
        state_.outstanding = false;
    }
    void SetDefaultDeviceChangedHandler(std::function<void()> handler) override {
        state_.handler = std::move(handler);
    }

private:
    FakeCaptureState& state_;
};

// A stereo packet of `frames` frames, every value `value`.
inline ScriptedPacket ConstantPacket(std::size_t frames, float value) {
    return ScriptedPacket{std::vector<float>(2 * frames, value), frames, false};
}

}  // namespace keyloom::music_test
