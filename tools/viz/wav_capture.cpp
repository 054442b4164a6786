#include "tools/viz/wav_capture.h"

#include <sndfile.h>

#include <algorithm>

namespace keyloom::viz {

std::unique_ptr<WavCapture> WavCapture::Open(const std::string& path, std::string& error) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (file == nullptr) {
        error = path + ": " + sf_strerror(nullptr);
        return nullptr;
    }
    if (info.channels <= 0 || info.samplerate <= 0 || info.frames <= 0) {
        sf_close(file);
        error = path + ": no sound in the file";
        return nullptr;
    }
    const auto channels = static_cast<std::size_t>(info.channels);
    const auto frames = static_cast<std::size_t>(info.frames);
    std::vector<float> interleaved(frames * channels);
    const sf_count_t read = sf_readf_float(file, interleaved.data(), info.frames);
    sf_close(file);
    if (read <= 0) {
        error = path + ": could not read the sound";
        return nullptr;
    }

    auto capture = std::make_unique<WavCapture>();
    capture->path_ = path;
    capture->rate_ = info.samplerate;
    capture->frames_ = static_cast<std::size_t>(read);
    capture->frames_per_cycle_ =
        std::max<std::size_t>(1, static_cast<std::size_t>(info.samplerate) * 15 / 1000);
    // The analysis expects two channels: mono is doubled, further channels are dropped.
    capture->samples_.resize(2 * capture->frames_);
    for (std::size_t f = 0; f < capture->frames_; ++f) {
        const float left = interleaved[f * channels];
        const float right = channels > 1 ? interleaved[f * channels + 1] : left;
        capture->samples_[2 * f] = left;
        capture->samples_[2 * f + 1] = right;
    }
    return capture;
}

std::optional<AudioEndpoint> WavCapture::DefaultPlaybackEndpoint() {
    return AudioEndpoint{path_, L"sound file"};
}

bool WavCapture::OpenStream(const AudioEndpoint& /*endpoint*/, bool /*loopback*/) {
    open_ = true;
    return true;
}

PacketResult WavCapture::NextPacket(AudioPacket& packet) {
    if (!open_ || !packet_ready_ || Finished()) {
        return PacketResult::kNone;
    }
    packet_ready_ = false;
    const std::size_t frames = std::min(frames_per_cycle_, frames_ - position_);
    packet.data = samples_.data() + 2 * position_;
    packet.frames = frames;
    packet.values = 2 * frames;
    position_ += frames;
    return PacketResult::kPacket;
}

}  // namespace keyloom::viz
