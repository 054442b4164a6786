#pragma once

// A capture backend that plays a sound file into the visualiser: each packet holds the
// frames of one analysis cycle (15 ms at the file's rate) as 2-channel floats, so a run
// shows what the visualiser would have shown while the file played.

#include <memory>
#include <string>
#include <vector>

#include "platform/audio_capture.h"

namespace keyloom::viz {

class WavCapture : public AudioCapture {
public:
    // Empty `error` on success.
    static std::unique_ptr<WavCapture> Open(const std::string& path, std::string& error);

    std::optional<AudioEndpoint> DefaultPlaybackEndpoint() override;
    bool OpenStream(const AudioEndpoint& endpoint, bool loopback) override;
    void CloseStream() override { open_ = false; }
    bool IsStreamOpen() const override { return open_; }
    PacketResult NextPacket(AudioPacket& packet) override;
    void ReleasePacket() override {}
    void SetDefaultDeviceChangedHandler(std::function<void()> /*handler*/) override {}

    // Makes the next cycle's frames available (one packet per cycle).
    void AdvanceCycle() { packet_ready_ = true; }
    bool Finished() const { return position_ >= frames_; }
    int SampleRate() const { return rate_; }
    double Seconds() const { return static_cast<double>(frames_) / rate_; }

private:
    std::string path_;
    std::vector<float> samples_;  // interleaved stereo
    std::size_t frames_ = 0;
    std::size_t position_ = 0;
    std::size_t frames_per_cycle_ = 0;
    int rate_ = 0;
    bool open_ = false;
    bool packet_ready_ = false;
};

}  // namespace keyloom::viz
