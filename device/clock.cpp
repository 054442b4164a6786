#include "device/clock.h"

#include <thread>

namespace keyloom {

Clock::TimePoint SystemClock::Now() const {
    return std::chrono::time_point_cast<Duration>(std::chrono::steady_clock::now());
}

void SystemClock::SleepFor(Duration duration) {
    if (duration > Duration::zero()) {
        std::this_thread::sleep_for(duration);
    }
}

SystemClock& SystemClock::Instance() {
    static SystemClock clock;
    return clock;
}

Clock::TimePoint ManualClock::Now() const {
    std::lock_guard lock(mutex_);
    return TimePoint(now_);
}

void ManualClock::SleepFor(Duration duration) {
    std::lock_guard lock(mutex_);
    sleeps_.push_back(duration);
    if (duration > Duration::zero()) {
        now_ += duration;
    }
}

void ManualClock::Advance(Duration duration) {
    std::lock_guard lock(mutex_);
    now_ += duration;
}

std::vector<Clock::Duration> ManualClock::Sleeps() const {
    std::lock_guard lock(mutex_);
    return sleeps_;
}

void ManualClock::ClearSleeps() {
    std::lock_guard lock(mutex_);
    sleeps_.clear();
}

Clock::Duration ManualClock::Elapsed() const {
    std::lock_guard lock(mutex_);
    return now_;
}

}  // namespace keyloom
