#include "sim/virtual_keyboard.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <mutex>

#include "platform/hotplug_monitor.h"

namespace keyloom::sim {
namespace {

// A real interface buffers a limited number of input reports and drops the oldest.
constexpr std::size_t kInputQueueLimit = 64;

struct PendingAnswer {
    Report report{};
    Clock::TimePoint ready;
};

template <typename T>
void PushBounded(std::deque<T>& queue, T item, std::size_t limit) {
    if (queue.size() >= limit) {
        queue.pop_front();
    }
    queue.push_back(std::move(item));
}

}  // namespace

struct VirtualKeyboard::Core {
    Core(KeyboardOptions opts, Clock& clk)
        : options(std::move(opts)),
          clock(clk),
          firmware(options.factory_key_map.value_or(DefaultFactoryKeyMap())) {}

    std::string PathOf(int interface_number) const {
        return options.path_prefix + options.serial + "/" + std::to_string(generation) + "/mi_0" +
               std::to_string(interface_number);
    }

    bool Alive(std::uint64_t handle_generation) const {
        return plugged && handle_generation == generation;
    }

    void Remember(int interface_number, const std::uint8_t* data, std::size_t length) {
        RecordedReport entry{interface_number, std::vector<std::uint8_t>(data, data + length),
                             clock.Now()};
        PushBounded(record, std::move(entry), std::max<std::size_t>(1, options.record_capacity));
    }

    std::vector<std::wstring> Identities() const {
        std::vector<std::wstring> identities;
        for (int mi = kKeyboardInterface; mi <= kConfigInterface; ++mi) {
            identities.push_back(MakeInterfaceIdentity(options.vendor_id, options.product_id, mi));
        }
        return identities;
    }

    const KeyboardOptions options;
    Clock& clock;

    mutable std::mutex mutex;
    std::condition_variable input_arrived;  // MI_01 reports, unplug
    KeyboardFirmware firmware;
    bool plugged = true;
    bool open_fails = false;
    std::uint64_t generation = 1;
    Clock::Duration latency{0};
    int drop_acks = 0;
    int fail_writes = 0;
    std::deque<PendingAnswer> config_answers;
    std::deque<std::vector<std::uint8_t>> action_reports;
    std::deque<RecordedReport> record;
    TrafficCounters traffic;
    PlugObserver observer;
};

namespace {

class SimDevice final : public HidDevice {
public:
    SimDevice(std::shared_ptr<VirtualKeyboard::Core> core, int interface_number,
              std::uint64_t generation)
        : core_(std::move(core)), interface_(interface_number), generation_(generation) {}

    int Write(const std::uint8_t* data, std::size_t length) override {
        std::lock_guard lock(core_->mutex);
        if (interface_ == kConfigInterface) {
            ++core_->traffic.config_writes;
        }
        if (!core_->Alive(generation_) || length == 0) {
            ++core_->traffic.failed_writes;
            return -1;
        }
        if (interface_ != kConfigInterface) {
            core_->Remember(interface_, data, length);
            return static_cast<int>(length);
        }
        if (core_->fail_writes > 0) {
            --core_->fail_writes;
            ++core_->traffic.failed_writes;
            return -1;
        }
        core_->Remember(interface_, data, length);
        // Byte 0 is the report id; a short write reaches the keyboard padded with zeros.
        Report request{};
        std::copy_n(data + 1, std::min(length - 1, request.size()), request.begin());
        std::optional<Report> answer = core_->firmware.Handle(request);
        if (answer) {
            if (core_->drop_acks > 0) {
                --core_->drop_acks;
                ++core_->traffic.dropped_acks;
            } else {
                PushBounded(core_->config_answers,
                            PendingAnswer{*answer, core_->clock.Now() + core_->latency},
                            kInputQueueLimit);
            }
        }
        return static_cast<int>(length);
    }

    int ReadTimeout(std::uint8_t* data, std::size_t length, int timeout_ms) override {
        if (interface_ == kConfigInterface) {
            return ReadConfig(data, length, timeout_ms);
        }
        return ReadInput(data, length, timeout_ms);
    }

    bool GetManufacturerString(std::wstring& text) override {
        std::lock_guard lock(core_->mutex);
        text.clear();
        if (!core_->Alive(generation_)) {
            return false;
        }
        text = core_->options.manufacturer;
        return true;
    }

    bool GetProductString(std::wstring& text) override {
        std::lock_guard lock(core_->mutex);
        text.clear();
        if (!core_->Alive(generation_)) {
            return false;
        }
        text = core_->options.product;
        return true;
    }

private:
    static int Deliver(const std::uint8_t* report, std::size_t report_length, std::uint8_t* data,
                       std::size_t length) {
        const std::size_t count = std::min(report_length, length);
        std::copy_n(report, count, data);
        return static_cast<int>(count);
    }

    // Answers of the configuration interface become readable at their ready time on the
    // keyboard's clock; waiting for them is a sleep on that clock.
    int ReadConfig(std::uint8_t* data, std::size_t length, int timeout_ms) {
        const Clock::Duration timeout = std::chrono::milliseconds(std::max(timeout_ms, 0));
        std::unique_lock lock(core_->mutex);
        ++core_->traffic.config_reads;
        if (!core_->Alive(generation_)) {
            return -1;
        }
        const Clock::TimePoint now = core_->clock.Now();
        Clock::Duration wait = timeout;
        if (!core_->config_answers.empty()) {
            const Clock::TimePoint ready = core_->config_answers.front().ready;
            if (ready <= now + timeout) {
                wait = std::max(ready - now, Clock::Duration::zero());
            }
        }
        if (wait > Clock::Duration::zero()) {
            lock.unlock();
            core_->clock.SleepFor(wait);
            lock.lock();
            if (!core_->Alive(generation_)) {
                return -1;
            }
        }
        if (core_->config_answers.empty() ||
            core_->config_answers.front().ready > core_->clock.Now()) {
            return 0;
        }
        const Report answer = core_->config_answers.front().report;
        core_->config_answers.pop_front();
        return Deliver(answer.data(), answer.size(), data, length);
    }

    // MI_00 and MI_01 wait in real time: only the action listener's thread reads them.
    int ReadInput(std::uint8_t* data, std::size_t length, int timeout_ms) {
        std::unique_lock lock(core_->mutex);
        const bool woke = core_->input_arrived.wait_for(
            lock, std::chrono::milliseconds(std::max(timeout_ms, 0)), [&] {
                return !core_->Alive(generation_) ||
                       (interface_ == kActionInterface && !core_->action_reports.empty());
            });
        if (!core_->Alive(generation_)) {
            return -1;
        }
        if (!woke || interface_ != kActionInterface) {
            return 0;
        }
        const std::vector<std::uint8_t> report = std::move(core_->action_reports.front());
        core_->action_reports.pop_front();
        ++core_->traffic.action_reports;
        return Deliver(report.data(), report.size(), data, length);
    }

    std::shared_ptr<VirtualKeyboard::Core> core_;
    int interface_;
    std::uint64_t generation_;
};

}  // namespace

VirtualKeyboard::VirtualKeyboard(KeyboardOptions options, Clock& clock)
    : core_(std::make_shared<Core>(std::move(options), clock)) {}

VirtualKeyboard::~VirtualKeyboard() {
    // Handles may outlive the keyboard object; they must see it as gone.
    std::lock_guard lock(core_->mutex);
    core_->plugged = false;
    core_->observer = nullptr;
    core_->input_arrived.notify_all();
}

std::vector<HidDeviceInfo> VirtualKeyboard::Interfaces() const {
    std::lock_guard lock(core_->mutex);
    std::vector<HidDeviceInfo> interfaces;
    if (!core_->plugged) {
        return interfaces;
    }
    struct Usage {
        std::uint16_t page;
        std::uint16_t usage;
    };
    constexpr Usage kUsages[] = {{0x0001, 0x0006}, {0xFF00, 0x0000}, {0xFF01, 0x0001}};
    for (int mi = kKeyboardInterface; mi <= kConfigInterface; ++mi) {
        HidDeviceInfo info;
        info.path = core_->PathOf(mi);
        info.vendor_id = core_->options.vendor_id;
        info.product_id = core_->options.product_id;
        info.release_number = core_->options.release_number;
        info.product = core_->options.product;
        info.usage_page = kUsages[mi].page;
        info.usage = kUsages[mi].usage;
        info.interface_number = mi;
        info.interface_identity =
            MakeInterfaceIdentity(core_->options.vendor_id, core_->options.product_id, mi);
        interfaces.push_back(std::move(info));
    }
    return interfaces;
}

std::unique_ptr<HidDevice> VirtualKeyboard::Open(const std::string& path) {
    std::lock_guard lock(core_->mutex);
    if (!core_->plugged || core_->open_fails) {
        return nullptr;
    }
    for (int mi = kKeyboardInterface; mi <= kConfigInterface; ++mi) {
        if (core_->PathOf(mi) == path) {
            return std::make_unique<SimDevice>(core_, mi, core_->generation);
        }
    }
    return nullptr;
}

void VirtualKeyboard::Unplug() {
    PlugObserver observer;
    std::vector<std::wstring> identities;
    {
        std::lock_guard lock(core_->mutex);
        if (!core_->plugged) {
            return;
        }
        core_->plugged = false;
        core_->config_answers.clear();
        core_->action_reports.clear();
        core_->firmware.PowerCycle();
        core_->input_arrived.notify_all();
        observer = core_->observer;
        identities = core_->Identities();
    }
    if (observer) {
        for (const std::wstring& identity : identities) {
            observer(false, identity);
        }
    }
}

void VirtualKeyboard::Replug() {
    PlugObserver observer;
    std::vector<std::wstring> identities;
    {
        std::lock_guard lock(core_->mutex);
        if (core_->plugged) {
            return;
        }
        core_->plugged = true;
        ++core_->generation;
        observer = core_->observer;
        identities = core_->Identities();
    }
    if (observer) {
        for (const std::wstring& identity : identities) {
            observer(true, identity);
        }
    }
}

bool VirtualKeyboard::IsPlugged() const {
    std::lock_guard lock(core_->mutex);
    return core_->plugged;
}

void VirtualKeyboard::SetPlugObserver(PlugObserver observer) {
    std::lock_guard lock(core_->mutex);
    core_->observer = std::move(observer);
}

void VirtualKeyboard::PressActionKey(std::uint8_t kind, std::uint8_t action_id) {
    QueueActionReport({0x02, kind, action_id});
}

void VirtualKeyboard::QueueActionReport(std::vector<std::uint8_t> report) {
    std::lock_guard lock(core_->mutex);
    if (!core_->plugged) {
        return;
    }
    PushBounded(core_->action_reports, std::move(report), kInputQueueLimit);
    core_->input_arrived.notify_all();
}

void VirtualKeyboard::SetAnswerLatency(Clock::Duration latency) {
    std::lock_guard lock(core_->mutex);
    core_->latency = std::max(latency, Clock::Duration::zero());
}

void VirtualKeyboard::DropAcknowledgements(int count) {
    std::lock_guard lock(core_->mutex);
    core_->drop_acks = std::max(count, 0);
}

void VirtualKeyboard::FailWrites(int count) {
    std::lock_guard lock(core_->mutex);
    core_->fail_writes = std::max(count, 0);
}

void VirtualKeyboard::QueueStaleReports(int count) {
    std::lock_guard lock(core_->mutex);
    for (int i = 0; i < count; ++i) {
        // An acknowledged key map piece whose data no current request asked for.
        PendingAnswer stale;
        stale.report[kMarkerByte] = kAckMarker;
        stale.report[kCommandByte] = 0x07;
        stale.report[kLengthByte] = static_cast<std::uint8_t>(kPieceSize);
        std::fill(stale.report.begin() + kDataByte, stale.report.end(), 0xEE);
        stale.report[kChecksumByte] = ReportChecksum(stale.report.data());
        stale.ready = Clock::TimePoint{};
        PushBounded(core_->config_answers, stale, kInputQueueLimit);
    }
}

void VirtualKeyboard::SetOpenFails(bool fails) {
    std::lock_guard lock(core_->mutex);
    core_->open_fails = fails;
}

FirmwareTables VirtualKeyboard::Tables() const {
    std::lock_guard lock(core_->mutex);
    return core_->firmware.Tables();
}

FirmwareCounters VirtualKeyboard::FirmwareCounts() const {
    std::lock_guard lock(core_->mutex);
    return core_->firmware.Counters();
}

TrafficCounters VirtualKeyboard::Traffic() const {
    std::lock_guard lock(core_->mutex);
    return core_->traffic;
}

std::vector<RecordedReport> VirtualKeyboard::Record() const {
    std::lock_guard lock(core_->mutex);
    return {core_->record.begin(), core_->record.end()};
}

std::vector<Report> VirtualKeyboard::ConfigRequests() const {
    std::lock_guard lock(core_->mutex);
    std::vector<Report> requests;
    for (const RecordedReport& entry : core_->record) {
        if (entry.interface_number != kConfigInterface || entry.bytes.size() < 2) {
            continue;
        }
        Report report{};
        std::copy_n(entry.bytes.begin() + 1, std::min(entry.bytes.size() - 1, report.size()),
                    report.begin());
        requests.push_back(report);
    }
    return requests;
}

void VirtualKeyboard::ClearRecord() {
    std::lock_guard lock(core_->mutex);
    core_->record.clear();
}

bool VirtualKeyboard::InSequence() const {
    std::lock_guard lock(core_->mutex);
    return core_->firmware.InSequence();
}

const KeyboardOptions& VirtualKeyboard::Options() const {
    return core_->options;
}

}  // namespace keyloom::sim
