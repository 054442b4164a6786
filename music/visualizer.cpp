#include "music/visualizer.h"

#include <utility>

#include "music/frame_composer.h"

namespace keyloom {
namespace {

// A cycle reads at most this many packets, so a flood of small packets (or a backlog after
// a pause) never holds the cycle up; what is left is read by the next cycles.
constexpr int kMaxPacketsPerCycle = 64;

}  // namespace

Visualizer::Visualizer(std::unique_ptr<AudioCapture> capture) : capture_(std::move(capture)) {
    if (capture_) {
        capture_->SetDefaultDeviceChangedHandler([this] { OnDefaultDeviceChanged(); });
    }
}

Visualizer::~Visualizer() {
    {
        std::lock_guard lock(sleep_lock_);
        running_.store(false);
    }
    wake_.notify_all();
    if (thread_.joinable()) {
        thread_.join();
    }
    std::lock_guard lock(capture_lock_);
    if (capture_) {
        capture_->SetDefaultDeviceChangedHandler(nullptr);
        capture_->CloseStream();
        capture_.reset();
    }
}

void Visualizer::Initialise() {
    std::lock_guard lock(capture_lock_);
    BuildDeviceListLocked();
    OpenCaptureLocked();
}

void Visualizer::StartThread() {
    if (thread_.joinable()) {
        return;
    }
    running_.store(true);
    thread_ = std::thread(&Visualizer::ThreadLoop, this);
}

void Visualizer::ReopenCapture() {
    std::lock_guard lock(capture_lock_);
    if (devices_.empty()) {
        // No sound server or no playback device at start: look again.
        BuildDeviceListLocked();
    }
    OpenCaptureLocked();
}

void Visualizer::SetActive(bool active) {
    {
        std::lock_guard lock(sleep_lock_);
        active_.store(active);
    }
    if (active) {
        wake_.notify_all();
    }
}

void Visualizer::PauseForSettings() {
    std::unique_lock lock(sleep_lock_);
    active_.store(false);
    idle_.wait_for(lock, kSettingsHandOverWait, [this] { return !in_cycle_; });
}

void Visualizer::SetSmoothing(int mode, int width) {
    smoothing_mode_.store(mode);
    smoothing_width_.store(width);
}

std::vector<Visualizer::Device> Visualizer::Devices() const {
    std::lock_guard lock(capture_lock_);
    return devices_;
}

bool Visualizer::IsCaptureOpen() const {
    std::lock_guard lock(capture_lock_);
    return capture_ && capture_->IsStreamOpen();
}

void Visualizer::CopyPublishedImage(FrameImage& image) const {
    std::lock_guard lock(publish_lock_);
    image = *published_;
}

void Visualizer::CopyLevels(LevelArray& levels) const {
    std::lock_guard lock(publish_lock_);
    levels = published_levels_;
}

Visualizer::Settings Visualizer::LoadSettings() const {
    return Settings{
        foreground_mode_.load(),
        background_mode_.load(),
        background_brightness_.load(),
        gain_.load(),
        smoothing_mode_.load(),
        smoothing_width_.load(),
        window_type_.load(),
        decay_.load(),
        response_.load(),
        hue_speed_.load(),
    };
}

void Visualizer::BuildDeviceListLocked() {
    devices_.clear();
    if (!capture_) {
        return;
    }
    if (std::optional<AudioEndpoint> endpoint = capture_->DefaultPlaybackEndpoint()) {
        devices_.push_back(Device{kDefaultLoopbackDeviceName, std::move(*endpoint), false});
    }
}

void Visualizer::OpenCaptureLocked() {
    if (!capture_) {
        return;
    }
    capture_->CloseStream();
    if (devices_.empty()) {
        return;
    }
    const int wanted = device_index_.load();
    const std::size_t index = wanted >= 0 && static_cast<std::size_t>(wanted) < devices_.size()
                                  ? static_cast<std::size_t>(wanted)
                                  : 0;
    const Device& device = devices_[index];
    // A failed open leaves no stream; the cycle then composes from the history it has.
    capture_->OpenStream(device.endpoint, !device.is_capture);
}

void Visualizer::OnDefaultDeviceChanged() {
    // Runs on the capture backend's thread: only note it; the analysis thread re-opens.
    device_change_pending_.store(true);
    std::lock_guard lock(sleep_lock_);
    wake_.notify_all();
}

void Visualizer::HandleDefaultDeviceChange() {
    if (!device_change_pending_.exchange(false)) {
        return;
    }
    std::lock_guard lock(capture_lock_);
    BuildDeviceListLocked();
    OpenCaptureLocked();
}

void Visualizer::CaptureStep(int gain) {
    std::lock_guard lock(capture_lock_);
    if (!capture_) {
        return;
    }
    for (int i = 0; i < kMaxPacketsPerCycle; ++i) {
        AudioPacket packet;
        const PacketResult result = capture_->NextPacket(packet);
        if (result == PacketResult::kNone) {
            return;
        }
        if (result == PacketResult::kLost) {
            capture_->CloseStream();
            return;
        }
        const bool empty = packet.frames == 0;
        if (!empty) {
            analyser_.AddPacket(packet, gain);
        }
        capture_->ReleasePacket();
        if (empty) {
            return;
        }
    }
}

void Visualizer::RunCycle() {
    HandleDefaultDeviceChange();
    const Settings settings = LoadSettings();

    analyser_.Decay(settings.decay);
    CaptureStep(settings.gain);
    analyser_.UpdateLevels(settings.window_type);
    analyser_.Smooth(settings.smoothing_mode, settings.smoothing_width);
    analyser_.Publish(settings.response, level_array_);

    float hue = hue_angle_.load();
    if (hue >= 360.0F) {
        hue = 0.0F;
    } else if (hue < 0.0F) {
        hue = 360.0F;
    }
    renderer_.Render(settings.background_mode, settings.background_brightness, hue, background_);
    renderer_.Render(settings.foreground_mode, 100, hue, foreground_);
    ComposeFrame(level_array_, foreground_, background_, *write_);
    {
        std::lock_guard lock(publish_lock_);
        std::swap(published_, write_);
        published_levels_ = level_array_;
    }
    hue_angle_.store(hue + settings.hue_speed / 100.0F);
}

void Visualizer::SleepFor(std::chrono::milliseconds duration) {
    std::unique_lock lock(sleep_lock_);
    wake_.wait_for(lock, duration, [&] {
        return !running_.load() || device_change_pending_.load() ||
               (duration == kIdleCycleSleep && active_.load());
    });
}

void Visualizer::ThreadLoop() {
    while (running_.load()) {
        {
            std::unique_lock lock(sleep_lock_);
            if (!active_.load()) {
                lock.unlock();
                HandleDefaultDeviceChange();
                SleepFor(kIdleCycleSleep);
                continue;
            }
            in_cycle_ = true;
        }
        RunCycle();
        {
            std::lock_guard lock(sleep_lock_);
            in_cycle_ = false;
        }
        idle_.notify_all();
        SleepFor(kActiveCycleSleep);
    }
}

}  // namespace keyloom
