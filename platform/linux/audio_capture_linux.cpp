// Loopback capture through the sound server's asynchronous client API on its own
// threaded main loop: the monitor source of the default sink is recorded as 2-channel
// 32-bit float at 48 kHz (the server converts), and a change of the server's default sink
// is reported to the handler.

#include <pulse/pulseaudio.h>

#include <string>
#include <utility>

#include "platform/audio_capture.h"
#include "text/utf_convert.h"

namespace keyloom {
namespace {

constexpr pa_sample_spec kCaptureSpec{PA_SAMPLE_FLOAT32LE, 48000, 2};
constexpr pa_usec_t kServerTimeoutUsec = 3 * PA_USEC_PER_SEC;
constexpr pa_usec_t kFragmentUsec = 10 * PA_USEC_PER_MSEC;
constexpr std::size_t kFrameBytes = 2 * sizeof(float);

// Holds the main loop's lock for a scope.
class LoopLock {
public:
    explicit LoopLock(pa_threaded_mainloop* loop) : loop_(loop) {
        pa_threaded_mainloop_lock(loop_);
    }
    ~LoopLock() { pa_threaded_mainloop_unlock(loop_); }
    LoopLock(const LoopLock&) = delete;
    LoopLock& operator=(const LoopLock&) = delete;

private:
    pa_threaded_mainloop* loop_;
};

class PulseLoopbackCapture final : public AudioCapture {
public:
    PulseLoopbackCapture() {
        loop_ = pa_threaded_mainloop_new();
        if (loop_ != nullptr && pa_threaded_mainloop_start(loop_) < 0) {
            pa_threaded_mainloop_free(loop_);
            loop_ = nullptr;
        }
    }

    ~PulseLoopbackCapture() override {
        if (loop_ == nullptr) {
            return;
        }
        {
            LoopLock lock(loop_);
            CloseStreamLocked();
            DropContextLocked();
        }
        pa_threaded_mainloop_stop(loop_);
        pa_threaded_mainloop_free(loop_);
    }

    PulseLoopbackCapture(const PulseLoopbackCapture&) = delete;
    PulseLoopbackCapture& operator=(const PulseLoopbackCapture&) = delete;

    std::optional<AudioEndpoint> DefaultPlaybackEndpoint() override {
        if (loop_ == nullptr) {
            return std::nullopt;
        }
        LoopLock lock(loop_);
        if (!EnsureContextLocked()) {
            return std::nullopt;
        }
        std::optional<std::string> sink = QueryDefaultSinkLocked();
        if (!sink || sink->empty()) {
            return std::nullopt;
        }
        known_default_sink_ = *sink;

        SinkQuery query{this, false, {}, {}};
        pa_operation* op =
            pa_context_get_sink_info_by_name(context_, sink->c_str(), OnSinkInfo, &query);
        if (!WaitForOperationLocked(op, [&] { return query.done; }) || query.monitor.empty()) {
            return std::nullopt;
        }
        return AudioEndpoint{query.monitor, Utf8ToWide(query.description)};
    }

    bool OpenStream(const AudioEndpoint& endpoint, bool /*loopback*/) override {
        // A monitor source and an ordinary source are recorded the same way here; the
        // endpoint id already says which one it is.
        if (loop_ == nullptr) {
            return false;
        }
        LoopLock lock(loop_);
        CloseStreamLocked();
        if (!EnsureContextLocked()) {
            return false;
        }
        stream_ = pa_stream_new(context_, "Keyloom visualiser", &kCaptureSpec, nullptr);
        if (stream_ == nullptr) {
            return false;
        }
        pa_stream_set_state_callback(stream_, OnStreamState, this);
        pa_buffer_attr attr{};
        attr.maxlength = static_cast<uint32_t>(-1);
        attr.tlength = static_cast<uint32_t>(-1);
        attr.prebuf = static_cast<uint32_t>(-1);
        attr.minreq = static_cast<uint32_t>(-1);
        attr.fragsize = static_cast<uint32_t>(pa_usec_to_bytes(kFragmentUsec, &kCaptureSpec));
        if (pa_stream_connect_record(stream_, endpoint.id.c_str(), &attr,
                                     PA_STREAM_ADJUST_LATENCY) < 0) {
            CloseStreamLocked();
            return false;
        }
        const bool settled = WaitLocked([this] {
            const pa_stream_state_t state = pa_stream_get_state(stream_);
            return state == PA_STREAM_READY || !PA_STREAM_IS_GOOD(state);
        });
        if (!settled || pa_stream_get_state(stream_) != PA_STREAM_READY) {
            CloseStreamLocked();
            return false;
        }
        return true;
    }

    void CloseStream() override {
        if (loop_ == nullptr) {
            return;
        }
        LoopLock lock(loop_);
        CloseStreamLocked();
    }

    bool IsStreamOpen() const override {
        if (loop_ == nullptr) {
            return false;
        }
        LoopLock lock(loop_);
        return stream_ != nullptr;
    }

    PacketResult NextPacket(AudioPacket& packet) override {
        packet = AudioPacket{};
        if (loop_ == nullptr) {
            return PacketResult::kNone;
        }
        LoopLock lock(loop_);
        if (stream_ == nullptr) {
            return PacketResult::kNone;
        }
        if (peeked_) {
            // The previous packet was never released; release it rather than hand out the
            // same data twice.
            pa_stream_drop(stream_);
            peeked_ = false;
        }
        const pa_stream_state_t state = pa_stream_get_state(stream_);
        if (!PA_STREAM_IS_GOOD(state)) {
            return PacketResult::kLost;
        }
        if (state != PA_STREAM_READY) {
            return PacketResult::kNone;
        }
        for (;;) {
            const void* data = nullptr;
            std::size_t bytes = 0;
            if (pa_stream_peek(stream_, &data, &bytes) < 0) {
                return PacketResult::kLost;
            }
            if (bytes == 0) {
                return PacketResult::kNone;
            }
            if (data == nullptr) {
                // A hole in the record buffer: nothing to analyse, skip it.
                pa_stream_drop(stream_);
                continue;
            }
            peeked_ = true;
            packet.data = static_cast<const float*>(data);
            packet.frames = bytes / kFrameBytes;
            packet.values = bytes / sizeof(float);
            return PacketResult::kPacket;
        }
    }

    void ReleasePacket() override {
        if (loop_ == nullptr) {
            return;
        }
        LoopLock lock(loop_);
        if (stream_ != nullptr && peeked_) {
            pa_stream_drop(stream_);
        }
        peeked_ = false;
    }

    void SetDefaultDeviceChangedHandler(std::function<void()> handler) override {
        if (loop_ == nullptr) {
            return;
        }
        LoopLock lock(loop_);
        handler_ = std::move(handler);
    }

private:
    struct SinkQuery {
        PulseLoopbackCapture* self;
        bool done;
        std::string monitor;
        std::string description;
    };
    struct ServerQuery {
        PulseLoopbackCapture* self;
        bool done;
        std::string default_sink;
    };

    // Waits on the main loop (lock held) until `ready` or the server time-out.
    template <typename Ready>
    bool WaitLocked(Ready ready) {
        timed_out_ = false;
        pa_mainloop_api* api = pa_threaded_mainloop_get_api(loop_);
        timeval deadline{};
        pa_gettimeofday(&deadline);
        pa_timeval_add(&deadline, kServerTimeoutUsec);
        pa_time_event* timer = api->time_new(api, &deadline, OnTimeout, this);
        while (!ready() && !timed_out_) {
            pa_threaded_mainloop_wait(loop_);
        }
        api->time_free(timer);
        return ready();
    }

    template <typename Ready>
    bool WaitForOperationLocked(pa_operation* op, Ready ready) {
        if (op == nullptr) {
            return false;
        }
        const bool done = WaitLocked(
            [&] { return ready() || pa_operation_get_state(op) != PA_OPERATION_RUNNING; });
        if (pa_operation_get_state(op) == PA_OPERATION_RUNNING) {
            pa_operation_cancel(op);
        }
        pa_operation_unref(op);
        return done && ready();
    }

    bool EnsureContextLocked() {
        if (context_ != nullptr && pa_context_get_state(context_) == PA_CONTEXT_READY) {
            return true;
        }
        // A context that failed (no server, or the server went away) is replaced, so the
        // capture comes back when the server does.
        DropContextLocked();
        context_ = pa_context_new(pa_threaded_mainloop_get_api(loop_), "Keyloom");
        if (context_ == nullptr) {
            return false;
        }
        pa_context_set_state_callback(context_, OnContextState, this);
        if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
            DropContextLocked();
            return false;
        }
        const bool settled = WaitLocked([this] {
            const pa_context_state_t state = pa_context_get_state(context_);
            return state == PA_CONTEXT_READY || !PA_CONTEXT_IS_GOOD(state);
        });
        if (!settled || pa_context_get_state(context_) != PA_CONTEXT_READY) {
            DropContextLocked();
            return false;
        }
        pa_context_set_subscribe_callback(context_, OnSubscription, this);
        if (pa_operation* op =
                pa_context_subscribe(context_, PA_SUBSCRIPTION_MASK_SERVER, nullptr, nullptr)) {
            pa_operation_unref(op);
        }
        return true;
    }

    void DropContextLocked() {
        if (context_ == nullptr) {
            return;
        }
        CloseStreamLocked();
        pa_context_set_state_callback(context_, nullptr, nullptr);
        pa_context_set_subscribe_callback(context_, nullptr, nullptr);
        pa_context_disconnect(context_);
        pa_context_unref(context_);
        context_ = nullptr;
    }

    void CloseStreamLocked() {
        if (stream_ == nullptr) {
            return;
        }
        if (peeked_ && PA_STREAM_IS_GOOD(pa_stream_get_state(stream_))) {
            pa_stream_drop(stream_);
        }
        peeked_ = false;
        pa_stream_set_state_callback(stream_, nullptr, nullptr);
        pa_stream_disconnect(stream_);
        pa_stream_unref(stream_);
        stream_ = nullptr;
    }

    std::optional<std::string> QueryDefaultSinkLocked() {
        ServerQuery query{this, false, {}};
        pa_operation* op = pa_context_get_server_info(context_, OnServerInfo, &query);
        if (!WaitForOperationLocked(op, [&] { return query.done; })) {
            return std::nullopt;
        }
        return query.default_sink;
    }

    static void OnTimeout(pa_mainloop_api* /*api*/, pa_time_event* /*event*/, const timeval* /*tv*/,
                          void* userdata) {
        auto* self = static_cast<PulseLoopbackCapture*>(userdata);
        self->timed_out_ = true;
        pa_threaded_mainloop_signal(self->loop_, 0);
    }

    static void OnContextState(pa_context* /*context*/, void* userdata) {
        auto* self = static_cast<PulseLoopbackCapture*>(userdata);
        pa_threaded_mainloop_signal(self->loop_, 0);
    }

    static void OnStreamState(pa_stream* /*stream*/, void* userdata) {
        auto* self = static_cast<PulseLoopbackCapture*>(userdata);
        pa_threaded_mainloop_signal(self->loop_, 0);
    }

    static void OnServerInfo(pa_context* /*context*/, const pa_server_info* info, void* userdata) {
        auto* query = static_cast<ServerQuery*>(userdata);
        if (info != nullptr && info->default_sink_name != nullptr) {
            query->default_sink = info->default_sink_name;
        }
        query->done = true;
        pa_threaded_mainloop_signal(query->self->loop_, 0);
    }

    static void OnSinkInfo(pa_context* /*context*/, const pa_sink_info* info, int eol,
                           void* userdata) {
        auto* query = static_cast<SinkQuery*>(userdata);
        if (eol == 0 && info != nullptr) {
            if (info->monitor_source_name != nullptr) {
                query->monitor = info->monitor_source_name;
            }
            if (info->description != nullptr) {
                query->description = info->description;
            }
            return;
        }
        query->done = true;
        pa_threaded_mainloop_signal(query->self->loop_, 0);
    }

    static void OnSubscription(pa_context* context, pa_subscription_event_type_t event,
                               uint32_t /*index*/, void* userdata) {
        if ((event & PA_SUBSCRIPTION_EVENT_FACILITY_MASK) != PA_SUBSCRIPTION_EVENT_SERVER) {
            return;
        }
        if (pa_operation* op = pa_context_get_server_info(context, OnServerChanged, userdata)) {
            pa_operation_unref(op);
        }
    }

    // Runs on the main loop's thread with its lock held.
    static void OnServerChanged(pa_context* /*context*/, const pa_server_info* info,
                                void* userdata) {
        auto* self = static_cast<PulseLoopbackCapture*>(userdata);
        if (info == nullptr) {
            return;
        }
        const std::string sink = info->default_sink_name != nullptr ? info->default_sink_name : "";
        if (sink == self->known_default_sink_) {
            return;
        }
        self->known_default_sink_ = sink;
        if (self->handler_) {
            self->handler_();
        }
    }

    pa_threaded_mainloop* loop_ = nullptr;
    // Everything below is guarded by the main loop's lock.
    pa_context* context_ = nullptr;
    pa_stream* stream_ = nullptr;
    bool peeked_ = false;
    bool timed_out_ = false;
    std::string known_default_sink_;
    std::function<void()> handler_;
};

}  // namespace

std::unique_ptr<AudioCapture> CreateLoopbackCapture() {
    return std::make_unique<PulseLoopbackCapture>();
}

}  // namespace keyloom
