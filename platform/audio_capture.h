#pragma once

// Loopback capture of what the computer plays: the default playback device, its capture
// stream and the notification when the default device changes. The analysis owns the
// policy (which endpoint, when to re-open); a backend only opens, reads and reports.

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace keyloom {

// One playback endpoint that can be captured.
struct AudioEndpoint {
    std::string id;            // what OpenStream needs to reach the endpoint again
    std::wstring description;  // shown to people; not used by the analysis
};

// One packet of captured sound: interleaved 32-bit float samples.
struct AudioPacket {
    const float* data = nullptr;
    std::size_t frames = 0;  // frames the packet covers
    std::size_t values = 0;  // floats readable at `data` (frames × channels)
};

enum class PacketResult {
    kPacket,  // `packet` holds data; call ReleasePacket when done with it
    kNone,    // nothing queued right now (or no stream open)
    kLost,    // the stream is gone; the caller should close it
};

class AudioCapture {
public:
    virtual ~AudioCapture() = default;

    // The current default playback endpoint, or nothing when there is none (or no sound
    // server). Never blocks for long.
    virtual std::optional<AudioEndpoint> DefaultPlaybackEndpoint() = 0;

    // Opens a capture stream of 2-channel 32-bit float frames on `endpoint`; `loopback`
    // true captures what the endpoint plays. Any open stream is closed first.
    virtual bool OpenStream(const AudioEndpoint& endpoint, bool loopback) = 0;
    virtual void CloseStream() = 0;
    virtual bool IsStreamOpen() const = 0;

    // Never waits: returns kNone when no packet is queued.
    virtual PacketResult NextPacket(AudioPacket& packet) = 0;
    virtual void ReleasePacket() = 0;

    // Called from the backend's own thread when the default playback device changes. The
    // handler must only record the event: calling back into this object from it may
    // deadlock.
    virtual void SetDefaultDeviceChangedHandler(std::function<void()> handler) = 0;
};

// The platform's loopback capture (Linux: the monitor of the default sink of the sound
// server named by the environment, PULSE_SERVER included).
std::unique_ptr<AudioCapture> CreateLoopbackCapture();

}  // namespace keyloom
