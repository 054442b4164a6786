#pragma once

// The worker's conversations with the keyboard: the read-out when it connects and the
// write jobs. Each job fetches its rows from the store, builds the payload with the pure
// builders beside this file and sends it through the device manager, one bracketed
// sequence (begin, data, end) at a time. Jobs run on the worker thread only.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

#include "device/clock.h"
#include "device/device_manager.h"
#include "protocol/colour_map.h"
#include "protocol/key_map_payload.h"
#include "store/config_database.h"

namespace keyloom {

// The controller's state a job reads when it runs.
struct JobContext {
    int keyboard_index = -1;  // 0 while the keyboard is open, -1 when not
    int current_profile = 1;
    int current_light_mode = 1;
};

// What happened to a job's exchanges. A job runs to its end through failed exchanges,
// except a streamed frame (dropped at its first unacknowledged piece) and a write whose
// payload would be built from an answer the keyboard did not give.
struct JobResult {
    int exchanges = 0;       // exchanges attempted
    int failed = 0;          // of them, not acknowledged
    bool abandoned = false;  // the sequence was cut short on purpose

    bool Succeeded() const { return failed == 0 && !abandoned; }
};

struct ReadOutResult : JobResult {
    bool reconciled = false;      // both maps arrived whole and the store was compared
    int assignments_deleted = 0;  // stored assignments the keyboard no longer carries
};

class KeyboardJobs {
public:
    // The key map copy is 800 bytes; a read-out fills 14 x 56 of them.
    static constexpr std::size_t kKeyMapCopySize = 800;
    using KeyMapCopy = std::array<std::uint8_t, kKeyMapCopySize>;

    KeyboardJobs(CDeviceManager& devices, ConfigDatabase& database,
                 Clock& clock = SystemClock::Instance());

    // Reads both key maps, keeps the first as the base of later key map writes, and
    // deletes stored assignments of the current profile that the keyboard does not carry.
    ReadOutResult ReadKeyboard(const JobContext& context);
    JobResult WriteKeyMap(const JobContext& context);
    JobResult WriteMacros(const JobContext& context);
    JobResult WriteSettings(const JobContext& context);
    JobResult WriteKeyColours(const JobContext& context);
    // 0xEE alone, 2.5 s for the keyboard to restore itself, then `reload` (the controller's
    // reload sequence, which reads the keyboard again); without one, ReadKeyboard runs.
    JobResult FactoryReset(const JobContext& context, const std::function<void()>& reload = {});
    // Shows one music frame. Nothing is sent when no key is lit above the value 1; the
    // frame is abandoned at the first piece the keyboard does not acknowledge.
    JobResult StreamColourFrame(const JobContext& context, const ColourMap& payload);

    const KeyMapCopy& KeyMapCopyBytes() const { return key_map_copy_; }
    // True when the copy holds a key map the keyboard returned whole.
    bool HoldsKeyMap() const { return key_map_held_; }

private:
    class Sequence;

    // Reads the 14 pieces of one map into `target` at 56 x d; true when all arrived.
    bool ReadMap(Sequence& sequence, std::uint8_t command, std::span<std::uint8_t> target,
                 int pause_ms);
    void Pause(int milliseconds);

    CDeviceManager& devices_;
    ConfigDatabase& database_;
    Clock& clock_;
    KeyMapCopy key_map_copy_{};
    bool key_map_held_ = false;
};

}  // namespace keyloom
