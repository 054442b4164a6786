#include "sim/sim_hid_library.h"

namespace keyloom::sim {
namespace {

bool Matches(const HidDeviceInfo& info, std::uint16_t vendor_id, std::uint16_t product_id) {
    return (vendor_id == 0 || info.vendor_id == vendor_id) &&
           (product_id == 0 || info.product_id == product_id);
}

}  // namespace

SimHidLibrary::SimHidLibrary(std::shared_ptr<VirtualKeyboard> keyboard) {
    AddKeyboard(std::move(keyboard));
}

void SimHidLibrary::AddKeyboard(std::shared_ptr<VirtualKeyboard> keyboard) {
    std::lock_guard lock(mutex_);
    keyboards_.push_back(std::move(keyboard));
}

void SimHidLibrary::AddForeignInterface(HidDeviceInfo info) {
    std::lock_guard lock(mutex_);
    foreign_.push_back(std::move(info));
}

std::vector<HidDeviceInfo> SimHidLibrary::Enumerate(std::uint16_t vendor_id,
                                                    std::uint16_t product_id) {
    std::lock_guard lock(mutex_);
    std::vector<HidDeviceInfo> result;
    for (const HidDeviceInfo& info : foreign_) {
        if (Matches(info, vendor_id, product_id)) {
            result.push_back(info);
        }
    }
    for (const auto& keyboard : keyboards_) {
        for (HidDeviceInfo& info : keyboard->Interfaces()) {
            if (Matches(info, vendor_id, product_id)) {
                result.push_back(std::move(info));
            }
        }
    }
    return result;
}

std::unique_ptr<HidDevice> SimHidLibrary::OpenPath(const std::string& path) {
    std::lock_guard lock(mutex_);
    for (const auto& keyboard : keyboards_) {
        if (auto device = keyboard->Open(path)) {
            return device;
        }
    }
    return nullptr;
}

}  // namespace keyloom::sim
