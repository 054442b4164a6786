#include "tessera/platform/image.h"

#include <algorithm>

namespace Tessera {

Image::Image(Surface single) {
    AddFrame(std::move(single), 0);
}

const Surface& Image::Frame(int index) const {
    static const Surface kEmpty;
    if (frames_.empty()) {
        return kEmpty;
    }
    return frames_[static_cast<std::size_t>(std::clamp(index, 0, FrameCount() - 1))];
}

Surface& Image::MutableFrame(int index) {
    if (frames_.empty()) {
        frames_.emplace_back();
        delays_.push_back(0);
    }
    return frames_[static_cast<std::size_t>(std::clamp(index, 0, FrameCount() - 1))];
}

int Image::FrameDelayMs(int index) const {
    if (index < 0 || index >= FrameCount()) {
        return 0;
    }
    const int delay = delays_[static_cast<std::size_t>(index)];
    return delay > 0 ? delay : 100;
}

void Image::AddFrame(Surface frame, int delayMs) {
    frames_.push_back(std::move(frame));
    delays_.push_back(delayMs);
}

}  // namespace Tessera
