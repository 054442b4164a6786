#include "tessera/platform/platform.h"

#include <filesystem>
#include <system_error>

#include "tessera/platform/null/null_platform.h"

namespace Tessera {

namespace {
std::unique_ptr<Platform>& Installed() {
    static std::unique_ptr<Platform> platform;
    return platform;
}
}  // namespace

void UsePlatform(std::unique_ptr<Platform> platform) {
    Installed() = std::move(platform);
}

Platform& CurrentPlatform() {
    auto& platform = Installed();
    if (!platform) {
        platform = std::make_unique<NullPlatform>();
    }
    return *platform;
}

std::wstring GetProgramFolder() {
    std::error_code ec;
#ifdef _WIN32
    std::filesystem::path exe;  // the win32 backend supplies the module path
#else
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
#endif
    std::filesystem::path folder =
        ec || exe.empty() ? std::filesystem::current_path(ec) : exe.parent_path();
    std::wstring result = folder.wstring();
    if (result.empty() || result.back() != std::filesystem::path::preferred_separator) {
        result.push_back(std::filesystem::path::preferred_separator);
    }
    return result;
}

}  // namespace Tessera
