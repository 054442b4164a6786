// The firmware model answers from its tables, refuses what a keyboard could not take, and
// restores its factory tables.

#include "sim/keyboard_firmware.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "keys/key_layout.h"

namespace keyloom::sim {
namespace {

Report Request(std::uint8_t command, std::uint8_t length = 0, std::uint16_t offset = 0,
               std::uint8_t fill = 0) {
    Report report{};
    report[kMarkerByte] = kRequestMarker;
    report[kCommandByte] = command;
    report[kLengthByte] = length;
    report[kOffsetLowByte] = static_cast<std::uint8_t>(offset & 0xFFU);
    report[kOffsetHighByte] = static_cast<std::uint8_t>(offset >> 8U);
    for (std::size_t i = 0; i < length; ++i) {
        report[kDataByte + i] = static_cast<std::uint8_t>(fill + i);
    }
    report[kChecksumByte] = ReportChecksum(report.data());
    return report;
}

bool Acked(const std::optional<Report>& answer) {
    return answer.has_value() && (*answer)[kMarkerByte] == kAckMarker;
}

TEST(KeyboardFirmwareTest, FactoryKeyMapHoldsEveryKeyAsItself) {
    const KeyMapTable map = DefaultFactoryKeyMap();
    auto slot = [&](int index) {
        return std::vector<std::uint8_t>(map.begin() + index * 6, map.begin() + index * 6 + 6);
    };
    const int a = UsageToMatrixIndex(0x04);
    const int left_ctrl = UsageToMatrixIndex(0xE0);
    const int fn = UsageToMatrixIndex(kUsageFn);
    ASSERT_GE(a, 0);
    ASSERT_GE(left_ctrl, 0);
    ASSERT_GE(fn, 0);
    EXPECT_EQ(slot(a), (std::vector<std::uint8_t>{0x10, 0, 0x04, 0, 0, 0}));
    EXPECT_EQ(slot(left_ctrl), (std::vector<std::uint8_t>{0x10, 0, 0x01, 0, 0, 0}));
    EXPECT_EQ(slot(fn), std::vector<std::uint8_t>(6, 0));
    EXPECT_EQ(slot(6), std::vector<std::uint8_t>(6, 0));  // a position without a key
    EXPECT_EQ(slot(127), std::vector<std::uint8_t>(6, 0));
}

TEST(KeyboardFirmwareTest, KeyMapWrittenInPiecesIsReadBackInPieces) {
    KeyboardFirmware firmware;
    for (std::uint16_t d = 0; d < 14; ++d) {
        const auto length = static_cast<std::uint8_t>(d == 13 ? 40 : 56);
        ASSERT_TRUE(Acked(firmware.Handle(Request(0x09, length, 56 * d, 3 * d))));
    }
    const auto last = firmware.Handle(Request(0x07, 40, 728));
    ASSERT_TRUE(Acked(last));
    EXPECT_EQ((*last)[kDataByte], 39);            // 3 * 13
    EXPECT_EQ((*last)[kDataByte + 39], 39 + 39);  // last valid byte
    EXPECT_EQ((*last)[kDataByte + 40], 0);        // nothing beyond the 768 bytes
    EXPECT_EQ((*last)[kChecksumByte], ReportChecksum(last->data()));
    // The second map still holds the factory state.
    const auto factory = firmware.Handle(Request(0x08, 56, 0));
    EXPECT_TRUE(
        std::equal(factory->begin() + kDataByte, factory->end(), DefaultFactoryKeyMap().begin()));
}

TEST(KeyboardFirmwareTest, RefusesWhatDoesNotFitOrDoesNotCheck) {
    struct Case {
        const char* name;
        Report request;
    };
    Report bad_checksum = Request(0x09, 56, 0, 1);
    bad_checksum[kChecksumByte] ^= 0x01;
    Report too_long = Request(0x0B, 56, 0);
    too_long[kLengthByte] = 57;
    too_long[kChecksumByte] = ReportChecksum(too_long.data());
    const Case cases[] = {
        {"bad checksum", bad_checksum},
        {"length over 56", too_long},
        {"key map past 768", Request(0x09, 56, 728, 1)},
        {"colour map past 384", Request(0x0B, 56, 336, 1)},
        {"macro piece starting at 3584", Request(0x0D, 56, 3584, 1)},
        {"read past the key map", Request(0x07, 56, 728)},
        {"unknown command", Request(0x33)},
    };
    for (const Case& c : cases) {
        KeyboardFirmware firmware;
        const auto answer = firmware.Handle(c.request);
        ASSERT_TRUE(answer.has_value()) << c.name;
        EXPECT_EQ((*answer)[kMarkerByte], kRefusedMarker) << c.name;
        EXPECT_EQ(firmware.Counters().refused, 1U) << c.name;
        EXPECT_EQ(firmware.Tables().key_map, DefaultFactoryKeyMap()) << c.name;
    }
    KeyboardFirmware firmware;
    Report not_a_request = Request(0x01);
    not_a_request[kMarkerByte] = 0xAA;
    EXPECT_FALSE(firmware.Handle(not_a_request).has_value());
}

TEST(KeyboardFirmwareTest, MacroAreaTakesItsLastFullPiece) {
    KeyboardFirmware firmware;
    ASSERT_TRUE(Acked(firmware.Handle(Request(0x0D, 56, 3528, 7))));
    EXPECT_EQ(firmware.Tables().macro_area[3583], 7 + 55);
}

TEST(KeyboardFirmwareTest, SettingsWriteKeepsWhatTheHostSentBack) {
    KeyboardFirmware firmware;
    const auto frame = firmware.Handle(Request(0x05, 0x20, 0));
    ASSERT_TRUE(Acked(frame));
    EXPECT_EQ((*frame)[kCommandByte], 0x05);
    EXPECT_EQ((*frame)[10], 6);  // factory light mode
    EXPECT_EQ((*frame)[12], 1);  // speed 3 sent as 4 - 3
    EXPECT_EQ((*frame)[19], 0x04);

    Report write = *frame;
    write[kMarkerByte] = kRequestMarker;
    write[kCommandByte] = 0x06;
    write[11] = 40;
    write[25] = 0x07;
    write[kChecksumByte] = ReportChecksum(write.data());
    ASSERT_TRUE(Acked(firmware.Handle(write)));
    const auto reread = firmware.Handle(Request(0x05, 0x20, 0));
    EXPECT_EQ((*reread)[11], 40);
    EXPECT_EQ((*reread)[25], 0x07);
    EXPECT_EQ((*reread)[19], 0x04);
    EXPECT_EQ((*reread)[kLengthByte], 0x20);
}

TEST(KeyboardFirmwareTest, StreamedFrameIsShownOnlyWhenItsSequenceEnds) {
    KeyboardFirmware firmware;
    auto stream = [&](int pieces, bool end) {
        firmware.Handle(Request(0x01));
        for (int d = 0; d < pieces; ++d) {
            const auto length = static_cast<std::uint8_t>(d == 6 ? 48 : 56);
            firmware.Handle(Request(0xDD, length, static_cast<std::uint16_t>(56 * d), 0x40));
        }
        if (end) {
            firmware.Handle(Request(0x02));
        }
    };
    stream(7, true);
    EXPECT_EQ(firmware.Counters().frames_shown, 1U);
    EXPECT_EQ(firmware.Counters().unbracketed, 0U);
    EXPECT_EQ(firmware.Tables().shown_colours[336], 0x40);
    EXPECT_EQ(firmware.Tables().colour_map, firmware.Tables().factory_colour_map);

    stream(3, false);  // abandoned: the host stops after an unacknowledged piece
    firmware.Handle(Request(0x01));
    firmware.Handle(Request(0x02));
    EXPECT_EQ(firmware.Counters().frames_shown, 1U);
}

TEST(KeyboardFirmwareTest, FactoryResetRestoresEveryTable) {
    KeyboardFirmware firmware;
    // Data commands sent without begin/end are taken but counted; the reset is sent alone.
    firmware.Handle(Request(0x09, 56, 0, 0x90));
    firmware.Handle(Request(0x0B, 56, 0, 0x10));
    firmware.Handle(Request(0x0D, 56, 0, 0x20));
    Report settings = *firmware.Handle(Request(0x05, 0x20));
    settings[kMarkerByte] = kRequestMarker;
    settings[kCommandByte] = 0x06;
    settings[10] = 2;
    settings[kChecksumByte] = ReportChecksum(settings.data());
    firmware.Handle(settings);
    ASSERT_NE(firmware.Tables().key_map, DefaultFactoryKeyMap());

    ASSERT_TRUE(Acked(firmware.Handle(Request(0xEE))));
    const FirmwareTables& tables = firmware.Tables();
    EXPECT_EQ(tables.key_map, DefaultFactoryKeyMap());
    EXPECT_EQ(tables.colour_map, tables.factory_colour_map);
    EXPECT_EQ(tables.macro_area, MacroAreaTable{});
    EXPECT_EQ(tables.settings, DefaultFactorySettings());
    EXPECT_EQ(firmware.Counters().factory_resets, 1U);
    EXPECT_EQ(firmware.Counters().unbracketed, 5U);  // 0x09, 0x0B, 0x0D, 0x05, 0x06
}

}  // namespace
}  // namespace keyloom::sim
