#include "tessera/controls/picture.h"

#include <algorithm>

#include "tessera/core/image_cache.h"

namespace Tessera {

int MPicture::UseImage(std::unique_ptr<Image> image, int frames) {
    if (!image) {
        return 0;
    }
    image_ = std::move(image);
    frames_ = std::max(frames, 1);
    UpdateControl(1, 0);
    return 1;
}

int MPicture::SetImage(const std::wstring& file, int frames) {
    if (!UseImage(LoadImageFromFile(SkinPath(file)), frames)) {
        return 0;
    }
    imagePath_ = file;
    return 1;
}

int MPicture::SetImage(unsigned resId, const std::wstring&, int frames) {
    std::unique_ptr<Image> image = LoadApplicationImage(resId);
    if (!image) {
        image = LoadFrameworkImage(resId);
    }
    return UseImage(std::move(image), frames);
}

CSize MPicture::GetImageSize() const {
    if (!image_) {
        return {};
    }
    return {image_->Width() / frames_, image_->Height()};
}

int MPicture::SetShowMode(enumShowMode mode, int param) {
    if (mode == mode_ && param == param_) {
        return 0;
    }
    mode_ = mode;
    param_ = param;
    UpdateControl(1, 0);
    return 1;
}

int MPicture::SetShowModeMID(int left, int top, int right, int bottom) {
    margins_[0] = left;
    margins_[1] = top;
    margins_[2] = right;
    margins_[3] = bottom;
    mode_ = SHOWMODE_FRAME_MID;
    UpdateControl(1, 0);
    return 1;
}

void MPicture::SetCustomRect(CRect rect) {
    custom_ = rect;
    UpdateControl(1, 0);
}

void MPicture::DrawControl(Canvas& dc, CRect) {
    if (!image_) {
        return;
    }
    const CSize frame = GetImageSize();
    if (frame.cx <= 0 || frame.cy <= 0) {
        return;
    }
    const CRect first(0, 0, frame.cx, frame.cy);
    dc.PushClip(rect_);
    switch (mode_) {
        case SHOWMODE_PLACE: {
            int x = rect_.left + (rect_.Width() - frame.cx) / 2;
            if (hAlign_ == 0) {
                x = rect_.left;
            } else if (hAlign_ == 2) {
                x = rect_.right - frame.cx;
            }
            int y = rect_.top + (rect_.Height() - frame.cy) / 2;
            if (vAlign_ == 0) {
                y = rect_.top;
            } else if (vAlign_ == 8) {
                y = rect_.bottom - frame.cy;
            }
            dc.DrawImage(*image_, CRect(x, y, x + frame.cx, y + frame.cy), first);
            break;
        }
        case SHOWMODE_TILE:
            // The clip cuts the last column and row.
            for (int y = rect_.top; y < rect_.bottom; y += frame.cy) {
                for (int x = rect_.left; x < rect_.right; x += frame.cx) {
                    dc.DrawImage(*image_, CRect(x, y, x + frame.cx, y + frame.cy), first);
                }
            }
            break;
        case SHOWMODE_STRETCH:
            dc.DrawImage(*image_, rect_, first);
            break;
        case SHOWMODE_FRAME:
            dc.DrawImageNineGrid(*image_, rect_, first, param_, param_, param_, param_);
            break;
        case SHOWMODE_FRAME_MID:
            dc.DrawImageNineGrid(*image_, rect_, first, margins_[0], margins_[1], margins_[2],
                                 margins_[3]);
            break;
        case SHOWMODE_CUSTOM:
            if (!custom_.IsRectEmpty()) {
                dc.DrawImage(*image_, rect_, custom_);
            }
            break;
    }
    dc.PopClip();
}

}  // namespace Tessera
