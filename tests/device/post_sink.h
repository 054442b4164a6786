#pragma once

// Collects the messages a listener posts from its thread, and waits for them.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <vector>

#include "device/action_listener.h"

namespace keyloom::testing {

struct PostedMessage {
    unsigned message = 0;
    std::uintptr_t wparam = 0;
    std::intptr_t lparam = 0;
    bool operator==(const PostedMessage&) const = default;
};

class PostSink {
public:
    ActionListener::PostFn Callback() {
        return [this](unsigned message, std::uintptr_t wparam, std::intptr_t lparam) {
            std::lock_guard lock(mutex_);
            posts_.push_back({message, wparam, lparam});
            arrived_.notify_all();
        };
    }

    // True when at least `count` posts arrived within `timeout`.
    bool WaitFor(std::size_t count, std::chrono::milliseconds timeout = std::chrono::seconds(5)) {
        std::unique_lock lock(mutex_);
        return arrived_.wait_for(lock, timeout, [&] { return posts_.size() >= count; });
    }

    std::vector<PostedMessage> Posts() const {
        std::lock_guard lock(mutex_);
        return posts_;
    }

private:
    mutable std::mutex mutex_;
    std::condition_variable arrived_;
    std::vector<PostedMessage> posts_;
};

}  // namespace keyloom::testing
