#pragma once

// The music visualiser: captures what the computer plays, analyses it into 256 levels
// every 15 ms on its own thread while active, and composes the frame image that the
// music frames sample. The object is large (its images are fixed members so a cycle
// allocates nothing): create it on the heap.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "music/frame_image.h"
#include "music/mode_images.h"
#include "music/spectrum_analyser.h"
#include "platform/audio_capture.h"

namespace keyloom {

inline constexpr auto kActiveCycleSleep = std::chrono::milliseconds(15);
inline constexpr auto kIdleCycleSleep = std::chrono::milliseconds(500);
// Longest wait for the analysis thread to finish its cycle when settings change.
inline constexpr auto kSettingsHandOverWait = std::chrono::milliseconds(150);
inline constexpr wchar_t kDefaultLoopbackDeviceName[] = L"Default Loopback Device";

class Visualizer {
public:
    struct Device {
        std::wstring name;
        AudioEndpoint endpoint;
        bool is_capture = false;
    };

    // `capture` may be null: the visualiser then runs on silence.
    explicit Visualizer(std::unique_ptr<AudioCapture> capture);
    ~Visualizer();  // stops and joins the analysis thread
    Visualizer(const Visualizer&) = delete;
    Visualizer& operator=(const Visualizer&) = delete;

    // Builds the device list (the default playback device) and opens its capture.
    void Initialise();
    // Starts the analysis thread (once).
    void StartThread();
    // Closes the stream and opens the entry at the device index (entry 0 when the index is
    // beyond the list). An empty list is built again first.
    void ReopenCapture();

    void SetActive(bool active);
    bool IsActive() const { return active_.load(); }
    // Clears the active flag and waits (at most kSettingsHandOverWait) until the analysis
    // thread is between cycles, so new settings take effect from a cycle's start.
    void PauseForSettings();

    // Settings; each is handed over atomically and read once per cycle.
    void SetForegroundMode(int mode) { foreground_mode_.store(mode); }
    void SetBackgroundMode(int mode) { background_mode_.store(mode); }
    void SetBackgroundBrightness(int brightness) { background_brightness_.store(brightness); }
    void SetGain(int gain) { gain_.store(gain); }
    void SetDeviceIndex(int index) { device_index_.store(index); }
    void SetSmoothing(int mode, int width);
    void SetWindowType(int type) { window_type_.store(type); }
    void SetDecay(int percent) { decay_.store(percent); }
    void SetResponse(float response) { response_.store(response); }
    void SetHueSpeed(float speed) { hue_speed_.store(speed); }
    void SetHueAngle(float degrees) { hue_angle_.store(degrees); }

    int ForegroundMode() const { return foreground_mode_.load(); }
    int BackgroundMode() const { return background_mode_.load(); }
    int BackgroundBrightness() const { return background_brightness_.load(); }
    int Gain() const { return gain_.load(); }
    int DeviceIndex() const { return device_index_.load(); }
    float HueAngle() const { return hue_angle_.load(); }

    // One analysis cycle without its sleep: analyse, render, compose, publish, advance the
    // hue. The analysis thread runs it; tests and tools may call it while no thread runs.
    void RunCycle();

    // Published outputs, safe from any thread.
    void CopyPublishedImage(FrameImage& image) const;
    void CopyLevels(LevelArray& levels) const;
    template <typename Reader>
    void ReadPublishedImage(Reader&& reader) const {
        std::lock_guard lock(publish_lock_);
        reader(*published_);
    }

    // Capture state, for the tools and tests.
    std::vector<Device> Devices() const;
    bool IsCaptureOpen() const;
    // Samples as the analysis keeps them (each twice), oldest first. Analysis thread only.
    void CopyHistory(HistoryBuffer& history) const { analyser_.CopyHistory(history); }

private:
    struct Settings {
        int foreground_mode;
        int background_mode;
        int background_brightness;
        int gain;
        int smoothing_mode;
        int smoothing_width;
        int window_type;
        int decay;
        float response;
        float hue_speed;
    };

    Settings LoadSettings() const;
    void ThreadLoop();
    void SleepFor(std::chrono::milliseconds duration);
    void OnDefaultDeviceChanged();
    void HandleDefaultDeviceChange();
    void BuildDeviceListLocked();
    void OpenCaptureLocked();
    void CaptureStep(int gain);

    // Capture side: guarded by capture_lock_ (the analysis thread, the notification and
    // the settings load all reach it).
    mutable std::mutex capture_lock_;
    std::unique_ptr<AudioCapture> capture_;
    std::vector<Device> devices_;
    std::atomic<bool> device_change_pending_{false};

    // Settings.
    std::atomic<int> foreground_mode_{15};
    std::atomic<int> background_mode_{0};
    std::atomic<int> background_brightness_{100};
    std::atomic<int> gain_{270};
    std::atomic<int> device_index_{0};
    std::atomic<int> smoothing_mode_{kSmoothingMoving};
    std::atomic<int> smoothing_width_{8};
    std::atomic<int> window_type_{kWindowHann};
    std::atomic<int> decay_{80};
    std::atomic<float> response_{1.0F};
    std::atomic<float> hue_speed_{500.0F};
    std::atomic<float> hue_angle_{0.0F};

    // Analysis state: touched only by the cycle.
    SpectrumAnalyser analyser_;
    ModeImageRenderer renderer_;
    LevelArray level_array_{};
    FrameImage background_{};
    FrameImage foreground_{};
    std::array<FrameImage, 2> frames_{};

    // Published outputs.
    mutable std::mutex publish_lock_;
    FrameImage* published_ = &frames_[0];
    FrameImage* write_ = &frames_[1];
    LevelArray published_levels_{};

    // Thread.
    std::atomic<bool> running_{false};
    std::atomic<bool> active_{false};
    std::mutex sleep_lock_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    bool in_cycle_ = false;  // guarded by sleep_lock_
    std::thread thread_;
};

}  // namespace keyloom
