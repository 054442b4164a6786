#include "device/action_listener.h"

#include <array>

namespace keyloom {
namespace {

constexpr std::uint16_t kActionUsagePage = 0xFF00;
constexpr std::uint16_t kActionUsage = 0x00;
constexpr std::uint8_t kActionReportId = 0x02;
constexpr std::uint8_t kApplicationAction = 0x50;
constexpr std::uint8_t kWebsiteOrTextAction = 0x60;
constexpr std::size_t kActionReportBytes = 32;
constexpr int kReaderPauseMs = 10;

}  // namespace

ActionListener::ActionListener(HidLibrary& library, PostFn post, unsigned message, Clock& clock,
                               int read_timeout_ms)
    : library_(library),
      post_(std::move(post)),
      message_(message),
      clock_(clock),
      read_timeout_ms_(read_timeout_ms) {}

ActionListener::~ActionListener() {
    Stop();
}

void ActionListener::SetFilter(int vendor_id, int product_id) {
    std::lock_guard lock(control_mutex_);
    vendor_filter_ = vendor_id;
    product_filter_ = product_id;
}

void ActionListener::Start() {
    Restart();
}

void ActionListener::Restart() {
    std::lock_guard lock(control_mutex_);
    StopLocked();
    const auto vendor = static_cast<std::uint16_t>(vendor_filter_);
    const auto product = static_cast<std::uint16_t>(product_filter_);
    for (const HidDeviceInfo& info : library_.Enumerate(vendor, product)) {
        if (info.usage_page != kActionUsagePage || info.usage != kActionUsage) {
            continue;
        }
        device_ = library_.OpenPath(info.path);
        if (device_) {
            break;
        }
    }
    if (!device_) {
        return;
    }
    has_device_ = true;
    running_ = true;
    alive_ = true;
    reader_ = std::thread([this] { ReaderLoop(); });
}

void ActionListener::Stop() {
    std::lock_guard lock(control_mutex_);
    StopLocked();
}

void ActionListener::StopLocked() {
    running_ = false;
    if (reader_.joinable()) {
        reader_.join();
    }
    device_.reset();
    has_device_ = false;
}

bool ActionListener::HasDevice() const {
    return has_device_;
}

bool ActionListener::IsReading() const {
    return alive_;
}

void ActionListener::ReaderLoop() {
    while (running_) {
        std::array<std::uint8_t, kActionReportBytes> report{};
        const int count = device_->ReadTimeout(report.data(), report.size(), read_timeout_ms_);
        if (count > 0 && report[0] == kActionReportId &&
            (report[1] == kApplicationAction || report[1] == kWebsiteOrTextAction)) {
            post_(message_, 0, static_cast<std::intptr_t>(report[2]));
        }
        clock_.SleepFor(std::chrono::milliseconds(kReaderPauseMs));
    }
    alive_ = false;
}

}  // namespace keyloom
