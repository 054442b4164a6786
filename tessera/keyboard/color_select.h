#pragma once

// CColorSelect: a column of seven basic colours (red, green, blue, yellow, magenta, cyan,
// white; ids 631-637 as its buttons are numbered). Choosing one reports NOTIFY_COLOR with
// the colour's index and value; the press itself reaches the owner as NOTIFY_DOWN from the
// colour's id. The swatches are drawn by the control itself.

#include "tessera/core/panel.h"
#include "tessera/keyboard/color_swatches.h"

namespace Tessera {

class CColorSelect : public MPanel {
public:
    static constexpr unsigned kFirstColorId = 631;

    CColorSelect(MObject* parent, unsigned id, CRect rect, int visible, int enabled = 1);

    const wchar_t* GetClassNameW() const override { return L"CColorSelect"; }

    // The chosen colour, 0 when none is chosen.
    COLORREF GetSelectColor() const { return swatches_.ColorAt(swatches_.Chosen()); }
    // Chooses the first swatch of that colour (none when absent).
    void SetSelectColor(COLORREF color);
    void SetColorIndex(int index);
    int GetColorIndex() const { return swatches_.Chosen(); }

    void SetControlRect(CRect rect) override;
    void DrawControl(Canvas& dc, CRect clip) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;

private:
    void Layout();
    ColorSwatches swatches_;
};

}  // namespace Tessera
