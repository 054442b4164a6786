#pragma once

// CColorPalette: a composite colour chooser — a row of eight preset colours, an HSL
// palette (MPalette, id 620) and a 50 x 50 swatch of the choice — kept in step: a colour
// picked anywhere shows in the other parts and reaches the owner as NOTIFY_COLOR. The
// choice's hexadecimal form ("rrggbb") is kept for display.

#include <string>

#include "tessera/core/panel.h"
#include "tessera/keyboard/color_swatches.h"
#include "tessera/keyboard/hsl_palette.h"

namespace Tessera {

class CColorPalette : public MPanel {
public:
    static constexpr unsigned kPaletteId = 620;
    static constexpr unsigned kChoiceId = 622;
    static constexpr unsigned kFirstPresetId = 631;

    CColorPalette(MObject* parent, unsigned id, CRect rect, int visible, int enabled = 1);

    const wchar_t* GetClassNameW() const override { return L"CColorPalette"; }

    COLORREF GetSelectColor() const { return color_; }
    void SetSelectColor(COLORREF color);
    // "%02x%02x%02x" of red, green and blue.
    const std::wstring& GetHexText() const { return hex_; }
    int SetThumbImage(const std::wstring& file) { return palette_->SetThumbImage(file); }
    void UpdateControlEx(int invalidate) { UpdateControl(invalidate, 0); }
    MPalette* GetPalette() const { return palette_; }
    CRect GetChoiceRect() const { return choiceRect_; }

    void InitControl(PaintManager* manager) override;
    void SetControlRect(CRect rect) override;
    void DrawControl(Canvas& dc, CRect clip) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    long OnBaseMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;

private:
    void Layout();
    void Show(COLORREF color);

    MPalette* palette_ = nullptr;
    ColorSwatches presets_;
    CRect choiceRect_;
    COLORREF color_ = 0x00E1FF;
    std::wstring hex_;
};

}  // namespace Tessera
