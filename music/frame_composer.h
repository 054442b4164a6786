#pragma once

// The frame image: each column's bar of foreground grows from the bottom row with the
// column's level over the background, and row 0 carries the centred bass bar.

#include "music/frame_image.h"

namespace keyloom {

// Level whose bar spans row 0 from the centre outwards.
inline constexpr int kBassLevelIndex = 5;

void ComposeFrame(const LevelArray& levels, const FrameImage& foreground,
                  const FrameImage& background, FrameImage& frame);

}  // namespace keyloom
