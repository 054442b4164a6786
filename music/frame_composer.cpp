#include "music/frame_composer.h"

namespace keyloom {

void ComposeFrame(const LevelArray& levels, const FrameImage& foreground,
                  const FrameImage& background, FrameImage& frame) {
    for (int y = 1; y < kImageHeight; ++y) {
        const float threshold = static_cast<float>(64 - y) / 64.0F;
        const std::size_t row = PixelIndex(0, y);
        for (int x = 0; x < kImageWidth; ++x) {
            const std::size_t i = row + static_cast<std::size_t>(x);
            frame[i] =
                levels[static_cast<std::size_t>(x)] > threshold ? foreground[i] : background[i];
        }
    }
    const float bass = levels[kBassLevelIndex] - 0.05F;
    for (int x = 0; x < kImageWidth; ++x) {
        const float reach =
            x < 128 ? static_cast<float>(127 - x) / 128.0F : static_cast<float>(x - 128) / 128.0F;
        const auto i = static_cast<std::size_t>(x);
        frame[i] = bass > reach ? foreground[i] : background[i];
    }
}

}  // namespace keyloom
