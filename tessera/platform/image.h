#pragma once

// Decoded images: one frame for PNG, BMP, JPEG and ICO (the largest icon), every frame
// with its delay for an animated GIF. Frames are premultiplied BGRA surfaces that the
// canvas draws directly.

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "tessera/platform/surface.h"

namespace Tessera {

class Image {
public:
    Image() = default;
    explicit Image(Surface single);

    int Width() const { return frames_.empty() ? 0 : frames_.front().Width(); }
    int Height() const { return frames_.empty() ? 0 : frames_.front().Height(); }
    int FrameCount() const { return static_cast<int>(frames_.size()); }
    // Frame `index` (clamped to the valid range); the image has at least one frame.
    const Surface& Frame(int index = 0) const;
    Surface& MutableFrame(int index = 0);
    // Delay of an animation frame in milliseconds (100 where the file gives none).
    int FrameDelayMs(int index) const;

    void AddFrame(Surface frame, int delayMs);

private:
    std::vector<Surface> frames_;
    std::vector<int> delays_;
};

// Decoding. Null when the file is missing, unreadable or not an image.
std::unique_ptr<Image> LoadImageFromFile(const std::wstring& path);
std::unique_ptr<Image> LoadImageFromMemory(const void* data, std::size_t size);

// Writes frame 0 as a PNG file; false on failure (screenshots, the skin painter).
bool SaveSurfaceToPng(const Surface& surface, const std::wstring& path);

}  // namespace Tessera
