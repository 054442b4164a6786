#include "protocol/piece_plan.h"

#include <algorithm>

#include "protocol/command_frame.h"

namespace keyloom {

std::vector<TransferPiece> PlanPieces(std::size_t total) {
    std::vector<TransferPiece> pieces;
    for (std::size_t offset = 0; offset < total; offset += kPieceSize) {
        const std::size_t length = std::min(kPieceSize, total - offset);
        pieces.push_back({static_cast<std::uint16_t>(offset), static_cast<std::uint8_t>(length)});
    }
    return pieces;
}

std::vector<TransferPiece> PlanMacroPieces(std::size_t used_length, std::size_t area_size) {
    used_length = std::min(used_length, area_size);
    std::size_t count = used_length / kPieceSize + 1;
    // Without this cap a used length that is a multiple of 56 and fills the area would
    // ask for a piece starting past its end.
    count = std::min(count, (area_size + kPieceSize - 1) / kPieceSize);
    std::vector<TransferPiece> pieces;
    for (std::size_t d = 0; d < count; ++d) {
        const std::size_t offset = d * kPieceSize;
        std::size_t length = kPieceSize;
        if (d + 1 == count) {
            const std::size_t rest = used_length > offset ? used_length - offset : 0;
            length = rest == 0 ? kPieceSize : std::min(rest, kPieceSize);
        }
        pieces.push_back({static_cast<std::uint16_t>(offset), static_cast<std::uint8_t>(length)});
    }
    return pieces;
}

}  // namespace keyloom
