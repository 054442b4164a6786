// The hidapi backend on this machine: whatever it enumerates carries the identity the
// pattern is matched against, and a path that does not exist is not opened.

#include "device/hidapi_library.h"

#include <gtest/gtest.h>

#include "platform/hotplug_monitor.h"

namespace keyloom {
namespace {

TEST(HidapiLibraryTest, EnumerationCarriesInterfaceIdentities) {
    auto library = CreateHidapiLibrary();
    for (const HidDeviceInfo& info : library->Enumerate(0, 0)) {
        EXPECT_FALSE(info.path.empty());
        EXPECT_EQ(info.interface_identity,
                  MakeInterfaceIdentity(info.vendor_id, info.product_id, info.interface_number))
            << info.path;
    }
    EXPECT_EQ(library->OpenPath("/dev/hidraw-that-does-not-exist"), nullptr);
}

}  // namespace
}  // namespace keyloom
