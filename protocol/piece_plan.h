#pragma once

// How a table is cut into the 56-byte pieces of a transfer.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace keyloom {

struct TransferPiece {
    std::uint16_t offset = 0;
    std::uint8_t length = 0;

    bool operator==(const TransferPiece&) const = default;
};

// Pieces of 56 bytes covering `total` bytes, the last one carrying the remainder:
// 768 gives 13 x 56 + 40, 384 gives 6 x 56 + 48.
std::vector<TransferPiece> PlanPieces(std::size_t total);

// The macro area's own rule: used length / 56 + 1 pieces, the last one's length being
// what remains or 56 when nothing remains (so 112 bytes go as three pieces, the third
// all zeros; the keyboard is used to that). A piece never starts at or beyond the end of
// an area of `area_size` bytes: a full area goes as area_size / 56 pieces.
std::vector<TransferPiece> PlanMacroPieces(std::size_t used_length, std::size_t area_size);

}  // namespace keyloom
