#include "device/device_config.h"

#include <climits>
#include <cstdio>
#include <cwctype>

#include "platform/folders.h"

namespace keyloom {
namespace {

std::wstring ToUpper(std::wstring_view text) {
    std::wstring upper(text);
    for (wchar_t& c : upper) {
        c = static_cast<wchar_t>(std::towupper(static_cast<std::wint_t>(c)));
    }
    return upper;
}

std::wstring ToLower(std::wstring_view text) {
    std::wstring lower(text);
    for (wchar_t& c : lower) {
        c = static_cast<wchar_t>(std::towlower(static_cast<std::wint_t>(c)));
    }
    return lower;
}

int HexDigit(wchar_t c) {
    if (c >= L'0' && c <= L'9') {
        return c - L'0';
    }
    if (c >= L'a' && c <= L'f') {
        return c - L'a' + 10;
    }
    if (c >= L'A' && c <= L'F') {
        return c - L'A' + 10;
    }
    return -1;
}

std::wstring FormatId(int id) {
    wchar_t text[16] = {};
    std::swprintf(text, 16, L"%04X", static_cast<unsigned>(id));
    return text;
}

}  // namespace

int ParseHexId(std::wstring_view text) {
    std::size_t i = 0;
    while (i < text.size() && std::iswspace(static_cast<std::wint_t>(text[i])) != 0) {
        ++i;
    }
    if (i + 1 < text.size() && text[i] == L'0' && (text[i + 1] == L'x' || text[i + 1] == L'X') &&
        i + 2 < text.size() && HexDigit(text[i + 2]) >= 0) {
        i += 2;
    }
    long long value = 0;
    for (; i < text.size() && HexDigit(text[i]) >= 0; ++i) {
        value = value * 16 + HexDigit(text[i]);
        if (value > INT_MAX) {
            return INT_MAX;  // saturates like the C conversion; matches no device
        }
    }
    return static_cast<int>(value);
}

std::wstring BuildInterfacePattern(std::wstring_view vendor_text, std::wstring_view product_text) {
    std::wstring pattern = L"VID_";
    pattern += vendor_text;
    pattern += L"&PID_";
    pattern += product_text;
    pattern += L"&MI_02";
    return pattern;
}

DeviceConfig::DeviceConfig(CDeviceManager& manager, Hooks hooks)
    : manager_(manager), hooks_(std::move(hooks)) {}

void DeviceConfig::LoadDeviceConfig(const IniFile& config) {
    const std::wstring vendor_text = config.GetString(L"TEXT", L"VID ");
    const std::wstring product_text = config.GetString(L"TEXT", L"PID ");
    DeviceModel model;
    model.vendor_id = ParseHexId(vendor_text);
    model.product_id = ParseHexId(product_text);
    model.pattern = BuildInterfacePattern(vendor_text, product_text);
    {
        std::lock_guard lock(models_mutex_);
        models_.push_back(model);
    }
    manager_.AddFilter(model.vendor_id, model.product_id, L"", ToLower(model.pattern));
    RescanDevice();
}

void DeviceConfig::LoadDeviceConfig() {
    LoadDeviceConfig(IniFile::Load(JoinPath(GetModuleFolder(), L"config.ini")));
}

void DeviceConfig::RescanDevice() {
    bool lost = false;
    {
        std::lock_guard lock(rescan_mutex_);
        manager_.Rescan();
        if (manager_.EntryCount() == 0) {
            lost = connected_;
            keyboard_index_ = -1;
            connected_ = false;
        } else {
            keyboard_index_ = 0;
            connected_ = true;
        }
    }
    if (lost && hooks_.keyboard_lost) {
        hooks_.keyboard_lost();
    }
}

void DeviceConfig::OnDeviceChange(HotplugEvent event, std::wstring_view interface_name) {
    const std::wstring name = ToUpper(interface_name);
    const std::vector<DeviceModel> models = Models();
    if (event == HotplugEvent::kArrival) {
        for (const DeviceModel& model : models) {
            if (!model.pattern.empty() && name.find(model.pattern) != std::wstring::npos) {
                if (hooks_.post_arrival_task) {
                    hooks_.post_arrival_task();
                }
                if (hooks_.restart_listener) {
                    hooks_.restart_listener();
                }
                return;
            }
        }
        return;
    }
    if (!connected_) {
        return;
    }
    for (const DeviceModel& model : models) {
        if (name.find(FormatId(model.vendor_id)) != std::wstring::npos &&
            name.find(FormatId(model.product_id)) != std::wstring::npos) {
            RescanDevice();
            if (hooks_.restart_listener) {
                hooks_.restart_listener();
            }
            return;
        }
    }
}

std::vector<DeviceModel> DeviceConfig::Models() const {
    std::lock_guard lock(models_mutex_);
    return models_;
}

}  // namespace keyloom
