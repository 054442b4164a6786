// Request frames and the cutting of tables into pieces, byte for byte.

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "protocol/command_frame.h"
#include "protocol/macro_area.h"
#include "protocol/piece_plan.h"

namespace keyloom {
namespace {

TEST(PieceFrame, PutsMarkerCommandLengthOffsetAndDataOnePositionAfterTheReportId) {
    std::vector<std::uint8_t> data(56);
    std::iota(data.begin(), data.end(), std::uint8_t{1});
    const Frame frame = MakePieceFrame(command::kWriteKeyMap, 728, 40, data);

    EXPECT_EQ(frame[0], 0x00);  // report id
    EXPECT_EQ(frame[1], 0x55);
    EXPECT_EQ(frame[2], 0x09);
    EXPECT_EQ(frame[3], 0x00);
    EXPECT_EQ(frame[5], 40);
    EXPECT_EQ(frame[6], 0xD8);  // 728 = 0x02D8, little-endian
    EXPECT_EQ(frame[7], 0x02);
    EXPECT_EQ(frame[8], 0x00);
    for (std::size_t i = 0; i < 56; ++i) {
        EXPECT_EQ(frame[9 + i], data[i]) << i;
    }
}

TEST(PieceFrame, ReadRequestsCarryAnEmptyDataAreaAndCommandFramesNoLength) {
    const Frame read = MakePieceFrame(command::kReadKeyMap, 56, 56);
    EXPECT_EQ(read[5], 56);
    EXPECT_EQ(read[6], 0x38);
    EXPECT_EQ(read[7], 0x00);
    for (std::size_t i = 8; i < read.size(); ++i) {
        EXPECT_EQ(read[i], 0) << i;
    }
    const Frame reset = MakeCommandFrame(command::kFactoryReset);
    Frame expected{};
    expected[1] = 0x55;
    expected[2] = 0xEE;
    EXPECT_EQ(reset, expected);
}

TEST(PieceFrame, DataBeyondOnePieceIsNotCopied) {
    const std::vector<std::uint8_t> data(80, 0x7F);
    const Frame frame = MakePieceFrame(command::kWriteMacroArea, 0, 56, data);
    EXPECT_EQ(frame[64], 0x7F);  // report byte 63, the last data byte
}

TEST(PiecePlan, KeyMapIsThirteenFullPiecesAndOneOfForty) {
    const auto pieces = PlanPieces(768);
    ASSERT_EQ(pieces.size(), 14u);
    for (std::size_t d = 0; d < 13; ++d) {
        EXPECT_EQ(pieces[d], (TransferPiece{static_cast<std::uint16_t>(56 * d), 56}));
    }
    EXPECT_EQ(pieces[13], (TransferPiece{728, 40}));
}

TEST(PiecePlan, ColourMapEndsWithAPieceOfFortyEightAtOffset336) {
    const auto pieces = PlanPieces(384);
    ASSERT_EQ(pieces.size(), 7u);
    EXPECT_EQ(pieces[6], (TransferPiece{336, 48}));
    const Frame frame =
        MakePieceFrame(command::kWriteColourMap, pieces[6].offset, pieces[6].length);
    EXPECT_EQ(frame[6], 0x50);
    EXPECT_EQ(frame[7], 0x01);
}

struct MacroPlanCase {
    std::size_t used_length;
    std::vector<TransferPiece> expected;
};

class MacroPiecePlan : public ::testing::TestWithParam<MacroPlanCase> {};

TEST_P(MacroPiecePlan, FollowsTheAreaRuleAndNeverLeavesTheArea) {
    const MacroPlanCase& c = GetParam();
    const auto pieces = PlanMacroPieces(c.used_length, kMacroAreaSize);
    if (c.expected.size() <= 3) {
        EXPECT_EQ(pieces, c.expected);
    } else {
        ASSERT_EQ(pieces.size(), c.expected.size());
        EXPECT_EQ(pieces.back(), c.expected.back());
    }
    for (const TransferPiece& piece : pieces) {
        EXPECT_LE(piece.offset + std::size_t{56}, kMacroAreaSize);
    }
}

// 64 pieces of which only the last one is checked.
std::vector<TransferPiece> SixtyFourEndingWith(TransferPiece last) {
    std::vector<TransferPiece> pieces(64);
    pieces.back() = last;
    return pieces;
}

INSTANTIATE_TEST_SUITE_P(UsedLengths, MacroPiecePlan,
                         ::testing::Values(
                             // No macros: only the offset table.
                             MacroPlanCase{64, {{0, 56}, {56, 8}}},
                             MacroPlanCase{72, {{0, 56}, {56, 16}}},
                             // A multiple of 56 adds a full piece of zeros.
                             MacroPlanCase{112, {{0, 56}, {56, 56}, {112, 56}}},
                             MacroPlanCase{3576, SixtyFourEndingWith({3528, 48})},
                             // A full area is 64 pieces, not 65 with one past its end.
                             MacroPlanCase{3584, SixtyFourEndingWith({3528, 56})}));

}  // namespace
}  // namespace keyloom
