#include "device/device_manager.h"

#include <algorithm>

#include "device/hidapi_library.h"

namespace keyloom {
namespace {

// Pauses and time-outs of the protocol, in milliseconds.
constexpr int kCommandPause = 10;
constexpr int kLadderShortPause = 2;
constexpr int kLadderLongPause = 5;
constexpr int kCommandReadTimeout = 100;
constexpr int kDrainReadTimeout = 50;
constexpr int kDrainPause = 10;
constexpr int kStreamPause = 2;
constexpr int kStreamReadTimeout = 10;

std::mutex g_process_mutex;
std::shared_ptr<HidLibrary> g_process_library;
bool g_process_manager_created = false;

// The response as reads deliver it: positions a shorter read did not reach keep what an
// earlier read left; `valid` says how far any read reached.
struct ResponseBuffer {
    Report bytes{};
    std::size_t valid = 0;

    // True when this read delivered an acknowledgement.
    bool Read(HidDevice& device, int timeout_ms) {
        Report incoming{};
        const int count = device.ReadTimeout(incoming.data(), incoming.size(), timeout_ms);
        if (count <= 0) {
            return false;
        }
        const auto length = std::min(static_cast<std::size_t>(count), incoming.size());
        std::copy_n(incoming.begin(), length, bytes.begin());
        valid = std::max(valid, length);
        return incoming[kMarkerByte] == kAckMarker;
    }

    void CopyTo(Frame& frame) const { std::copy_n(bytes.begin(), valid, frame.begin()); }
};

bool WriteSucceeded(int result) {
    return result > 0;
}

}  // namespace

CDeviceManager::CDeviceManager(HidLibrary& library, Clock& clock)
    : library_(library), clock_(clock) {}

CDeviceManager::~CDeviceManager() {
    CloseAll();
}

HidLibrary& CDeviceManager::ProcessLibrary() {
    std::lock_guard lock(g_process_mutex);
    if (!g_process_library) {
        g_process_library = CreateHidapiLibrary();
    }
    return *g_process_library;
}

bool CDeviceManager::UseProcessLibrary(std::shared_ptr<HidLibrary> library) {
    std::lock_guard lock(g_process_mutex);
    if (g_process_manager_created || g_process_library || !library) {
        return false;
    }
    g_process_library = std::move(library);
    return true;
}

namespace {

HidLibrary& LibraryForProcessManager() {
    HidLibrary& library = CDeviceManager::ProcessLibrary();
    std::lock_guard lock(g_process_mutex);
    g_process_manager_created = true;
    return library;
}

}  // namespace

CDeviceManager& CDeviceManager::GetInstance() {
    static CDeviceManager manager(LibraryForProcessManager());
    return manager;
}

void CDeviceManager::AddFilter(int vendor_id, int product_id, const std::wstring& product_name,
                               const std::wstring& pattern) {
    std::lock_guard lock(filters_mutex_);
    filters_.push_back(DeviceFilter{vendor_id, product_id, product_name, pattern});
}

bool CDeviceManager::IsWanted(int vendor_id, int product_id,
                              const std::wstring& product_name) const {
    std::lock_guard lock(filters_mutex_);
    return std::any_of(filters_.begin(), filters_.end(), [&](const DeviceFilter& filter) {
        return filter.vendor_id == vendor_id && filter.product_id == product_id &&
               (filter.product_name.empty() || filter.product_name == product_name);
    });
}

std::wstring CDeviceManager::PatternFor(int vendor_id, int product_id) const {
    std::lock_guard lock(filters_mutex_);
    for (const DeviceFilter& filter : filters_) {
        if (filter.vendor_id == vendor_id && filter.product_id == product_id) {
            return filter.pattern;
        }
    }
    return {};
}

void CDeviceManager::Scan() {
    std::lock_guard lock(mutex_);
    ScanLocked();
}

void CDeviceManager::ScanLocked() {
    for (const HidDeviceInfo& info : library_.Enumerate(0, 0)) {
        if (!IsWanted(info.vendor_id, info.product_id, info.product)) {
            continue;
        }
        const std::wstring pattern = PatternFor(info.vendor_id, info.product_id);
        if (pattern.empty() || info.interface_identity.find(pattern) == std::wstring::npos) {
            continue;
        }
        // The entry's path field holds 1024 bytes: a longer path is skipped, not cut short,
        // since a truncated path would name another device or none.
        if (info.path.size() > DeviceEntry::kMaxPathBytes) {
            continue;
        }
        std::unique_ptr<HidDevice> handle = library_.OpenPath(info.path);
        if (!handle) {
            continue;
        }
        auto entry = std::make_unique<DeviceEntry>();
        entry->index = static_cast<int>(entries_.size());
        entry->vendor_id = info.vendor_id;
        entry->product_id = info.product_id;
        entry->path = info.path;
        if (!handle->GetManufacturerString(entry->manufacturer)) {
            entry->manufacturer.clear();
        }
        if (!handle->GetProductString(entry->product)) {
            entry->product.clear();
        }
        entry->release_number = info.release_number;
        entry->handle = std::move(handle);
        entries_.push_back(std::move(entry));
        break;
    }
}

void CDeviceManager::CloseAll() {
    std::lock_guard lock(mutex_);
    CloseAllLocked();
}

void CDeviceManager::CloseAllLocked() {
    // Entries are closed even when not enabled: a Scan without a following enable must not
    // leave a handle behind for the next scan to duplicate.
    enabled_ = false;
    entries_.clear();
}

void CDeviceManager::Rescan() {
    std::lock_guard lock(mutex_);
    CloseAllLocked();
    ScanLocked();
    enabled_ = true;
}

void CDeviceManager::SetEnabled(bool enabled) {
    std::lock_guard lock(mutex_);
    enabled_ = enabled;
}

bool CDeviceManager::IsEnabled() const {
    std::lock_guard lock(mutex_);
    return enabled_;
}

int CDeviceManager::EntryCount() const {
    std::lock_guard lock(mutex_);
    return static_cast<int>(entries_.size());
}

std::optional<DeviceEntryInfo> CDeviceManager::GetEntryInfo(int keyboard_index) const {
    std::lock_guard lock(mutex_);
    if (keyboard_index < 0 || keyboard_index >= static_cast<int>(entries_.size())) {
        return std::nullopt;
    }
    const DeviceEntry& entry = *entries_[static_cast<std::size_t>(keyboard_index)];
    return DeviceEntryInfo{entry.index,        entry.vendor_id, entry.product_id,    entry.path,
                           entry.manufacturer, entry.product,   entry.release_number};
}

int CDeviceManager::FirmwareRelease() const {
    std::lock_guard lock(mutex_);
    return entries_.empty() ? 0 : entries_.front()->release_number;
}

HidDevice* CDeviceManager::DeviceAt(int keyboard_index) const {
    if (!enabled_ || keyboard_index < 0 || keyboard_index >= static_cast<int>(entries_.size())) {
        return nullptr;
    }
    const auto& entry = entries_[static_cast<std::size_t>(keyboard_index)];
    return entry ? entry->handle.get() : nullptr;
}

void CDeviceManager::Pause(int milliseconds) {
    clock_.SleepFor(std::chrono::milliseconds(milliseconds));
}

bool CDeviceManager::CommandLadder(HidDevice& device, Frame& frame, std::size_t write_length) {
    if (!WriteSucceeded(device.Write(frame.data(), write_length))) {
        Pause(kCommandPause);
        if (!WriteSucceeded(device.Write(frame.data(), write_length))) {
            return false;
        }
    }
    ResponseBuffer response;
    auto read = [&] { return response.Read(device, kCommandReadTimeout); };
    Pause(kLadderShortPause);
    bool acknowledged = read();
    if (!acknowledged) {
        Pause(kLadderShortPause);
        acknowledged = read();
    }
    // Two more tries, each writing the request again; these writes are not checked, the
    // read after them tells.
    for (int retry = 0; retry < 2 && !acknowledged; ++retry) {
        Pause(kLadderLongPause);
        (void)device.Write(frame.data(), write_length);
        Pause(kLadderLongPause);
        acknowledged = read();
    }
    response.CopyTo(frame);
    return frame[kMarkerByte] == kAckMarker;
}

bool CDeviceManager::SendCommand(Frame& frame, int keyboard_index) {
    std::lock_guard lock(mutex_);
    HidDevice* device = DeviceAt(keyboard_index);
    if (device == nullptr) {
        return false;
    }
    Pause(kCommandPause);
    frame[1 + kChecksumByte] = FrameChecksum(frame, 63);
    return CommandLadder(*device, frame, kFrameSize);
}

bool CDeviceManager::ReadCommand(Frame& frame, int keyboard_index) {
    std::lock_guard lock(mutex_);
    HidDevice* device = DeviceAt(keyboard_index);
    if (device == nullptr) {
        return false;
    }
    Pause(kCommandPause);
    // The 64-byte write drops report byte 63, which the keyboard then receives as 0.
    frame[1 + kChecksumByte] = FrameChecksum(frame, 62);
    Report stale{};
    while (device->ReadTimeout(stale.data(), stale.size(), kDrainReadTimeout) > 0) {
        Pause(kDrainPause);
    }
    return CommandLadder(*device, frame, kReportSize);
}

bool CDeviceManager::SendStream(Frame& frame, int keyboard_index) {
    std::lock_guard lock(mutex_);
    HidDevice* device = DeviceAt(keyboard_index);
    if (device == nullptr) {
        return false;
    }
    Pause(kStreamPause);
    frame[1 + kChecksumByte] = FrameChecksum(frame, 63);
    if (!WriteSucceeded(device->Write(frame.data(), kFrameSize))) {
        Pause(kStreamPause);
        if (!WriteSucceeded(device->Write(frame.data(), kFrameSize))) {
            return false;
        }
    }
    Pause(kStreamPause);
    ResponseBuffer response;
    (void)response.Read(*device, kStreamReadTimeout);
    response.CopyTo(frame);
    return frame[kMarkerByte] == kAckMarker;
}

}  // namespace keyloom
