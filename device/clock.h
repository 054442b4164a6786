#pragma once

// Time as the device link sees it. The protocol's pauses are real sleeps in the program
// (SystemClock); tests hand the link and the virtual keyboard a ManualClock so a ladder of
// 100 ms time-outs runs in no time and every pause can be checked.

#include <chrono>
#include <mutex>
#include <vector>

namespace keyloom {

class Clock {
public:
    using Duration = std::chrono::microseconds;
    using TimePoint = std::chrono::time_point<std::chrono::steady_clock, Duration>;

    virtual ~Clock() = default;
    virtual TimePoint Now() const = 0;
    virtual void SleepFor(Duration duration) = 0;
};

// steady_clock and real sleeps.
class SystemClock final : public Clock {
public:
    TimePoint Now() const override;
    void SleepFor(Duration duration) override;

    // The process-wide instance (stateless).
    static SystemClock& Instance();
};

// Virtual time: SleepFor advances Now by the duration at once and records the pause.
// Thread-safe, but meant for single-threaded tests.
class ManualClock final : public Clock {
public:
    TimePoint Now() const override;
    void SleepFor(Duration duration) override;

    void Advance(Duration duration);
    std::vector<Duration> Sleeps() const;  // every SleepFor, in order
    void ClearSleeps();
    Duration Elapsed() const;  // since construction

private:
    mutable std::mutex mutex_;
    Duration now_{0};
    std::vector<Duration> sleeps_;
};

}  // namespace keyloom
