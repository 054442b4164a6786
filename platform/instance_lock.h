#pragma once

// The single-instance lock: a named lock held for the life of the process. The first process
// to take it holds it; later ones learn that it already exists. On Linux it is an flock on
// "<runtime folder>/<name>-<user id>.lock" ($XDG_RUNTIME_DIR, else /tmp), released by the
// system when the process ends, however it ends.

#include <filesystem>
#include <string>

namespace keyloom {

class InstanceLock {
public:
    enum class State {
        kHeld,           // this object holds the lock: the first instance
        kAlreadyExists,  // another holder has it: a second instance
        kUnavailable,    // the lock could not be made; carry on without protection
    };

    explicit InstanceLock(const std::wstring& name);
    // The lock file in `folder` in place of the runtime folder.
    InstanceLock(const std::wstring& name, const std::filesystem::path& folder);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    State GetState() const { return state_; }
    bool AlreadyExists() const { return state_ == State::kAlreadyExists; }

private:
    State state_ = State::kUnavailable;
    int handle_ = -1;
};

}  // namespace keyloom
