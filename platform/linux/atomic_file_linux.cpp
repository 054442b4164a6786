#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <system_error>

#include "platform/atomic_file.h"

namespace keyloom {
namespace {

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

}  // namespace

bool ReplaceFileContent(const std::filesystem::path& file, std::string_view bytes) {
    std::error_code error;
    std::filesystem::path target = file;
    if (std::filesystem::is_symlink(file, error)) {
        target = std::filesystem::weakly_canonical(file, error);
        if (error) {
            return false;
        }
    }
    if (std::filesystem::exists(target, error) && !std::filesystem::is_regular_file(target)) {
        return false;
    }
    std::string temp =
        (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        return false;
    }
    // A new file keeps mkstemp's owner-only permissions.
    struct stat old_stat {};
    bool ok = true;
    if (::stat(target.c_str(), &old_stat) == 0) {
        ok = ::fchmod(fd, old_stat.st_mode & 07777) == 0;
    }
    ok = ok && WriteAll(fd, bytes) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && ::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
    }
    return ok;
}

}  // namespace keyloom
