#pragma once

// MPalette: an HSL colour chooser — a hue/lightness field at full saturation and a
// saturation bar beside it. Values are kept as integers: hue 0..360, saturation 0..200
// (0..1.0) and lightness 20..200 (0.1..1.0).

#include <string>

#include "tessera/core/control_font.h"
#include "tessera/platform/image.h"

namespace Tessera {

// HSL (each 0..1) to a COLORREF by the standard formula.
COLORREF HslToColorRef(double h, double s, double l);
// The reverse: hue 0..1, saturation 0..1, lightness 0..1.
void ColorRefToHsl(COLORREF color, double& h, double& s, double& l);

class MPalette : public MControlFont {
public:
    static constexpr int kFieldWidth = 360;
    static constexpr int kFieldHeight = 200;
    static constexpr int kFieldFirstRow = 20;  // rows above are too dark to offer
    static constexpr int kBarColumn = 370;

    MPalette(MObject* parent, unsigned id, CRect rect, int visible, int enabled = 1);

    const wchar_t* GetClassNameW() const override { return L"MPalette"; }

    COLORREF GetSelectColor() const;
    void SetSelectColor(COLORREF color);
    int SetThumbImage(const std::wstring& file);
    void SetPalletHeight(int height);
    int GetPalletHeight() const { return palletHeight_; }
    int GetHue() const { return hue_; }
    int GetSaturation() const { return saturation_; }
    int GetLightness() const { return lightness_; }
    CRect GetPaletteRect() const { return paletteRect_; }
    CRect GetBarRect() const { return barRect_; }
    CPoint GetMarker() const { return marker_; }

    // ---- overrides ----
    void SetControlRect(CRect rect) override;
    void DrawControl(Canvas& dc, CRect clip) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;
    int OnControlScroll(int, unsigned, CPoint) override { return 1; }

private:
    enum Drag { kNoDrag, kPaletteDrag, kBarDrag };
    void Layout();
    // The marker at the place of the current hue and lightness.
    void PlaceMarker();
    void FillField();
    void FillBar();
    void PickInPalette(CPoint point);
    void PickInBar(CPoint point);
    void ReportIfChanged();

    int hue_ = 180;
    int saturation_ = 200;
    int lightness_ = 120;
    int palletHeight_ = 150;
    int barWidth_ = 16;
    CRect paletteRect_;
    CRect barRect_;
    Image field_;  // the hue/lightness field and, from column 370, the bar
    CPoint marker_;
    ImgResInfo* thumb_ = nullptr;
    Drag drag_ = kNoDrag;
    COLORREF reported_ = 0xFFFFFFFFu;
};

}  // namespace Tessera
