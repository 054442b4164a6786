#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "platform/instance_lock.h"
#include "text/utf_convert.h"

namespace keyloom {
namespace {

std::string LockFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");  // NOLINT(concurrency-mt-unsafe)
    struct stat info {};
    if (runtime != nullptr && runtime[0] == '/' && ::stat(runtime, &info) == 0 &&
        S_ISDIR(info.st_mode)) {
        return runtime;
    }
    return "/tmp";
}

}  // namespace

InstanceLock::InstanceLock(const std::wstring& name) : InstanceLock(name, LockFolder()) {}

InstanceLock::InstanceLock(const std::wstring& name, const std::filesystem::path& folder) {
    std::string file_name = WideToUtf8(name);
    for (char& c : file_name) {
        if (c == '/') {
            c = '_';
        }
    }
    const std::string path =
        (folder / (file_name + "-" + std::to_string(::getuid()) + ".lock")).string();
    // O_NOFOLLOW: in a shared /tmp the name must not be a link planted by someone else.
    handle_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (handle_ < 0) {
        return;
    }
    int result = 0;
    do {
        result = ::flock(handle_, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result == 0) {
        state_ = State::kHeld;
    } else {
        state_ = errno == EWOULDBLOCK ? State::kAlreadyExists : State::kUnavailable;
        ::close(handle_);
        handle_ = -1;
    }
}

InstanceLock::~InstanceLock() {
    if (handle_ >= 0) {
        ::close(handle_);
    }
}

}  // namespace keyloom
