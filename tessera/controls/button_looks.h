#pragma once

// Small drawing helpers the button family shares when it renders its looks.

#include "tessera/core/image_cache.h"
#include "tessera/platform/canvas.h"

namespace Tessera {

// A 0x00BBGGRR colour as opaque ARGB.
inline ARGB OpaqueFromColorref(COLORREF c) {
    return 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

// The image at its own size, centred in `box`; nothing for an empty image.
inline void DrawImageCentred(Canvas& dc, const ImgResInfo* info, const CRect& box) {
    if (info == nullptr || !info->image) {
        return;
    }
    const int w = info->image->Width();
    const int h = info->image->Height();
    const int x = box.left + (box.Width() - w) / 2;
    const int y = box.top + (box.Height() - h) / 2;
    dc.DrawImage(*info->image, CRect(x, y, x + w, y + h), CRect(0, 0, w, h));
}

// The image stretched over `box`.
inline void DrawImageStretched(Canvas& dc, const ImgResInfo* info, const CRect& box) {
    if (info == nullptr || !info->image) {
        return;
    }
    dc.DrawImage(*info->image, box, CRect(0, 0, info->image->Width(), info->image->Height()));
}

}  // namespace Tessera
