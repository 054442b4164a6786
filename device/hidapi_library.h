#pragma once

// The production HID backend over hidapi (Debian's hidapi-hidraw on Linux).

#include <memory>

#include "device/hid_library.h"

namespace keyloom {

// Initialises hidapi (hid_init) when created and releases it (hid_exit) when destroyed.
// A failed initialisation is not reported: enumeration then yields nothing.
std::unique_ptr<HidLibrary> CreateHidapiLibrary();

}  // namespace keyloom
