#pragma once

// MPicture: an image of its own (loaded from the skin folder) shown by one of six modes:
// placed, tiled, stretched, nine-grid by one corner or by four margins, or a custom source
// rectangle stretched.

#include <memory>
#include <string>

#include "tessera/core/control_font.h"

namespace Tessera {

enum enumShowMode {
    SHOWMODE_PLACE = 0,
    SHOWMODE_TILE = 1,
    SHOWMODE_STRETCH = 2,
    SHOWMODE_FRAME = 3,
    SHOWMODE_FRAME_MID = 4,
    SHOWMODE_CUSTOM = 5,
};

class MPicture : public MControlFont {
public:
    MPicture(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
        : MControlFont(parent, id, rect, L"", visible, enabled, 1) {}

    void DrawControl(Canvas& dc, CRect clip) override;

    // 0 when the image cannot be loaded (the old one stays).
    int SetImage(const std::wstring& file, int frames) override;
    int SetImage(unsigned resId, const std::wstring& type, int frames) override;
    // 0 when nothing changed.
    int SetShowMode(enumShowMode mode, int param);
    int SetShowModeMID(int left, int top, int right, int bottom);
    void SetCustomRect(CRect rect);
    // The frame size.
    CSize GetImageSize() const;
    enumShowMode GetShowMode() const { return mode_; }

private:
    int UseImage(std::unique_ptr<Image> image, int frames);

    std::unique_ptr<Image> image_;
    int frames_ = 1;
    enumShowMode mode_ = SHOWMODE_PLACE;
    int param_ = 4;
    int margins_[4] = {0, 0, 0, 0};
    CRect custom_;
};

}  // namespace Tessera
