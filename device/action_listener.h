#pragma once

// Reads the keyboard's action reports (02 50 id: application, 02 60 id: website or text) on
// its vendor input interface (usage page 0xFF00, usage 0) and posts the action id. Runs a
// reader thread of its own; the post callback is called on that thread and must only hand
// the message on (the controller posts message 0x0444 to the UI thread).

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "device/clock.h"
#include "device/hid_library.h"

namespace keyloom {

inline constexpr unsigned kActionMessage = 0x0444;

class ActionListener {
public:
    using PostFn =
        std::function<void(unsigned message, std::uintptr_t wparam, std::intptr_t lparam)>;

    static constexpr int kReadTimeoutMs = 1000;

    // vendor/product filter 0 = any. `read_timeout_ms` bounds how long Stop waits for the
    // reader (one read); tests shorten it.
    ActionListener(HidLibrary& library, PostFn post, unsigned message = kActionMessage,
                   Clock& clock = SystemClock::Instance(), int read_timeout_ms = kReadTimeoutMs);
    ~ActionListener();
    ActionListener(const ActionListener&) = delete;
    ActionListener& operator=(const ActionListener&) = delete;

    void SetFilter(int vendor_id, int product_id);

    // Restart on a listener that has no device.
    void Start();
    // Stops the reader, closes the interface, opens the first usage-page 0xFF00 / usage 0
    // interface that opens and, when one did, starts the reader on it.
    void Restart();
    // Ends the reader (after at most one read time-out) and closes the interface.
    void Stop();

    bool HasDevice() const;
    bool IsReading() const;

private:
    void StopLocked();
    void ReaderLoop();

    HidLibrary& library_;
    PostFn post_;
    unsigned message_;
    Clock& clock_;
    int read_timeout_ms_;

    std::mutex control_mutex_;  // serialises Start/Restart/Stop
    std::atomic<bool> running_{false};
    std::atomic<bool> alive_{false};
    std::atomic<bool> has_device_{false};
    int vendor_filter_ = 0;
    int product_filter_ = 0;
    std::unique_ptr<HidDevice> device_;  // used by the reader only while it runs
    std::thread reader_;
};

}  // namespace keyloom
