#include "tessera/core/control_font.h"

#include "tessera/core/manager.h"
#include "tessera/core/paint_manager.h"

namespace Tessera {

MControlFont::MControlFont(MObject* parent, unsigned id, CRect rect, const std::wstring& title,
                           int visible, int enabled, int response)
    : MControl(parent, id, rect, visible, enabled, response),
      title_(title),
      face_(Manager::GetFontName()),
      fontSize_(Manager::GetFontWidth()) {}

int MControlFont::UseStrip(ImgResInfo* info) {
    if (info == nullptr) {
        return 0;
    }
    strip_ = info;
    frameCount_ = info->frames;
    frameWidth_ = info->width;
    frameHeight_ = info->height;
    UpdateControl(1, 0);
    return 1;
}

int MControlFont::SetImage(unsigned resId, const std::wstring& resType, int count) {
    return manager_ != nullptr ? UseStrip(manager_->AddImgResInfo(resId, resType, count, 0)) : 0;
}

int MControlFont::SetImage(const std::wstring& file, int count) {
    if (manager_ == nullptr || !UseStrip(manager_->AddImgResInfo(file, count))) {
        return 0;
    }
    imagePath_ = file;
    return 1;
}

void MControlFont::SetTitle(const std::wstring& title) {
    SetControlTitle(title);
    UpdateControl(1, 0);
}

void MControlFont::SetAlignment(unsigned h) {
    SetAlignment(h, vAlign_);
}
void MControlFont::SetVAlignment(unsigned v) {
    SetAlignment(hAlign_, v);
}
void MControlFont::SetAlignment(unsigned h, unsigned v) {
    if (h == hAlign_ && v == vAlign_) {
        return;
    }
    hAlign_ = h;
    vAlign_ = v;
    UpdateControl(1, 0);
}

std::wstring MControlFont::GetFontFamily(const std::wstring& face) const {
    return manager_ != nullptr ? manager_->GetTempFont(face) : std::wstring();
}

FontSpec MControlFont::GetGDIFont() const {
    std::wstring face = Manager::GetFontName();
    if (face.size() > 32) {
        face.resize(32);
    }
    return {face, fontSize_, fontStyle_};
}

CSize MControlFont::GetImageSize() const {
    if (strip_ != nullptr) {
        return {frameWidth_, frameHeight_};
    }
    if (stateImages_[0] != nullptr) {
        return {stateImages_[0]->width, stateImages_[0]->height};
    }
    return {};
}

int MControlFont::SetStateImage(int state, const std::wstring& file) {
    if (manager_ == nullptr) {
        return 0;
    }
    ImgResInfo* info = manager_->AddImgResInfo(file, 1);
    if (info == nullptr) {
        return 0;
    }
    stateImages_[state & 3] = info;
    UpdateControl(1, 0);
    return 1;
}

void MControlFont::DrawCachedLooks(
    Canvas& dc, int looks, int current,
    const std::function<void(Canvas&, int, const CRect&)>& drawLook) {
    const int w = rect_.Width();
    const int h = rect_.Height();
    if (w <= 0 || h <= 0 || looks <= 0) {
        return;
    }
    if (!update_ || cache_.Width() != w * looks || cache_.Height() != h) {
        Surface& cache = UpdateMemDC(dc, w * looks, h);
        for (int look = 0; look < looks; ++look) {
            CopyWindowPixels(dc, cache, look * w, 0);
        }
        Canvas cacheCanvas(cache);
        for (int look = 0; look < looks; ++look) {
            const CRect slice(look * w, 0, (look + 1) * w, h);
            cacheCanvas.PushClip(slice);
            drawLook(cacheCanvas, look, slice);
            cacheCanvas.PopClip();
        }
    }
    const int slice = std::clamp(current, 0, looks - 1);
    dc.DrawSurface(cache_, CRect(slice * w, 0, (slice + 1) * w, h), rect_.left, rect_.top, 255,
                   true);
}

unsigned MControlFont::AlignmentFormat() const {
    return (hAlign_ & 3u) | (vAlign_ & 0xCu) | DT_SINGLELINE | DT_END_ELLIPSIS;
}

void MControlFont::DrawTitle(Canvas& dc, const CRect& rect, int state, unsigned format) const {
    const std::wstring title = GetControlTitle();
    if (title.empty()) {
        return;
    }
    dc.DrawText(title, rect, GetGDIFont(), textColors_[state & 3],
                format != 0 ? format : AlignmentFormat());
}

}  // namespace Tessera
