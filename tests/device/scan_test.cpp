// Discovery: which interface a scan opens, what the entry holds, and closing.

#include <gtest/gtest.h>

#include "tests/device/sim_fixture.h"

namespace keyloom::testing {
namespace {

std::shared_ptr<sim::VirtualKeyboard> MakeKeyboard(ManualClock& clock, std::string serial,
                                                   std::string prefix = "sim:") {
    sim::KeyboardOptions options;
    options.serial = std::move(serial);
    options.path_prefix = std::move(prefix);
    return std::make_shared<sim::VirtualKeyboard>(options, clock);
}

class ScanTest : public ::testing::Test {
protected:
    ScanTest() : manager(library, clock) {
        manager.AddFilter(0x3412, 0x7A21, L"", L"vid_3412&pid_7a21&mi_02");
    }

    ManualClock clock;
    sim::SimHidLibrary library;
    CDeviceManager manager;
};

TEST_F(ScanTest, OpensTheConfigurationInterfaceAndDescribesIt) {
    library.AddKeyboard(MakeKeyboard(clock, "kb0"));
    manager.Rescan();
    ASSERT_EQ(manager.EntryCount(), 1);
    const auto entry = manager.GetEntryInfo(0);
    ASSERT_TRUE(entry.has_value());
    EXPECT_EQ(entry->index, 0);
    EXPECT_EQ(entry->path, "sim:kb0/1/mi_02");  // not MI_00 or MI_01, though wanted too
    EXPECT_EQ(entry->vendor_id, 0x3412);
    EXPECT_EQ(entry->product_id, 0x7A21);
    EXPECT_EQ(entry->manufacturer, L"Keyloom");
    EXPECT_EQ(entry->product, L"Virtual Keyboard");
    EXPECT_EQ(entry->release_number, 0x0105);
    EXPECT_EQ(manager.FirmwareRelease(), 0x0105);
}

TEST_F(ScanTest, OpensOnlyTheFirstOfTwoKeyboards) {
    library.AddKeyboard(MakeKeyboard(clock, "first"));
    library.AddKeyboard(MakeKeyboard(clock, "second"));
    manager.Rescan();
    manager.Scan();  // a second scan without closing still opens at most one more
    manager.Rescan();
    ASSERT_EQ(manager.EntryCount(), 1);
    EXPECT_EQ(manager.GetEntryInfo(0)->path, "sim:first/1/mi_02");
}

TEST_F(ScanTest, SkipsInterfacesItCannotUseAndTriesTheNext) {
    // A path too long for the entry's 1024-byte field, then one held by another program.
    library.AddKeyboard(MakeKeyboard(clock, "long", std::string(1100, 'p')));
    auto held = MakeKeyboard(clock, "held");
    held->SetOpenFails(true);
    library.AddKeyboard(held);
    library.AddKeyboard(MakeKeyboard(clock, "usable"));
    manager.Rescan();
    ASSERT_EQ(manager.EntryCount(), 1);
    EXPECT_EQ(manager.GetEntryInfo(0)->path, "sim:usable/1/mi_02");
}

TEST_F(ScanTest, PathOfExactly1023BytesStillFits) {
    const std::string prefix(1023 - std::string("kb/1/mi_02").size(), 'p');
    library.AddKeyboard(MakeKeyboard(clock, "kb", prefix));
    manager.Rescan();
    ASSERT_EQ(manager.EntryCount(), 1);
    EXPECT_EQ(manager.GetEntryInfo(0)->path.size(), 1023U);
}

TEST_F(ScanTest, NothingWantedOpensNothing) {
    CDeviceManager unconfigured(library, clock);
    unconfigured.AddFilter(0, 0, L"", L"vid_&pid_&mi_02");
    library.AddKeyboard(MakeKeyboard(clock, "kb0"));
    HidDeviceInfo foreign;
    foreign.path = "other";
    foreign.interface_identity = L"vid_0000&pid_0000&mi_02";
    library.AddForeignInterface(foreign);
    unconfigured.Rescan();
    EXPECT_EQ(unconfigured.EntryCount(), 0);
    EXPECT_EQ(unconfigured.FirmwareRelease(), 0);
    EXPECT_TRUE(unconfigured.IsEnabled());
}

TEST_F(ScanTest, FiltersMatchIdsAndAnExactProductName) {
    manager.AddFilter(0x1111, 0x2222, L"Pad", L"vid_1111&pid_2222&mi_00");
    EXPECT_TRUE(manager.IsWanted(0x3412, 0x7A21, L"anything"));
    EXPECT_FALSE(manager.IsWanted(0x3412, 0x7A22, L""));
    EXPECT_TRUE(manager.IsWanted(0x1111, 0x2222, L"Pad"));
    EXPECT_FALSE(manager.IsWanted(0x1111, 0x2222, L"pad"));
    EXPECT_EQ(manager.PatternFor(0x1111, 0x2222), L"vid_1111&pid_2222&mi_00");
    EXPECT_EQ(manager.PatternFor(0x1111, 0x3333), L"");
}

TEST_F(ScanTest, CloseAllDisablesAndDropsEveryEntry) {
    auto keyboard = MakeKeyboard(clock, "kb0");
    library.AddKeyboard(keyboard);
    manager.Rescan();
    ASSERT_EQ(manager.EntryCount(), 1);
    manager.CloseAll();
    EXPECT_FALSE(manager.IsEnabled());
    EXPECT_EQ(manager.EntryCount(), 0);
    EXPECT_FALSE(manager.GetEntryInfo(0).has_value());
    Frame frame = RequestFrame(0x01);
    EXPECT_FALSE(manager.SendCommand(frame, 0));
    EXPECT_EQ(keyboard->Traffic().config_writes, 0U);
}

}  // namespace
}  // namespace keyloom::testing
