#include "tessera/keyboard/color_palette.h"

#include <cstdio>

namespace Tessera {

namespace {
constexpr COLORREF kPresets[] = {0x001B55, 0x23A2F9, 0x31FEFE, 0x29FF4C,
                                 0xFEFF50, 0xFC1517, 0x7F007C, 0xFC00F7};
}

CColorPalette::CColorPalette(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MPanel(parent, id, rect, L"", visible, enabled) {
    palette_ = static_cast<MPalette*>(
        AddChild(1, std::make_unique<MPalette>(this, kPaletteId, CRect(), 1, enabled)));
    Layout();
    Show(color_);
}

void CColorPalette::InitControl(PaintManager* manager) {
    MPanel::InitControl(manager);
    palette_->SetThumbImage(L"img_palette_thumb.png");
}

void CColorPalette::Layout() {
    presets_ = ColorSwatches();
    for (int i = 0; i < static_cast<int>(std::size(kPresets)); ++i) {
        const int left = rect_.left + 25 * i;
        presets_.Add(kPresets[i], CRect(left, rect_.top + 5, left + 20, rect_.top + 25));
    }
    if (palette_ != nullptr) {
        palette_->SetControlRect(
            CRect(rect_.left, rect_.top + 30, rect_.left + 233, rect_.bottom - 4));
    }
    choiceRect_ = {rect_.left + 245, rect_.top + 30, rect_.left + 295, rect_.top + 80};
}

void CColorPalette::SetControlRect(CRect rect) {
    MPanel::SetControlRect(rect);
    Layout();
}

void CColorPalette::Show(COLORREF color) {
    color_ = color;
    wchar_t text[8];
    std::swprintf(text, std::size(text), L"%02x%02x%02x", GetRValue(color), GetGValue(color),
                  GetBValue(color));
    hex_ = text;
    UpdateControl(1, 0);
}

void CColorPalette::SetSelectColor(COLORREF color) {
    palette_->SetSelectColor(color);
    Show(color);
}

int CColorPalette::OnControlLButtonDown(unsigned, CPoint point) {
    const int index = enabled_ ? presets_.HitTest(point) : -1;
    if (index < 0) {
        return 0;
    }
    if (parent_ != nullptr) {
        parent_->OnBaseMessage(kFirstPresetId + static_cast<unsigned>(index), NOTIFY_DOWN, 0, 0);
    }
    SetSelectColor(presets_.ColorAt(index));
    SendMessageW(NOTIFY_COLOR, color_, 0);
    return 1;
}

long CColorPalette::OnBaseMessage(unsigned id, unsigned code, unsigned wParam, long lParam) {
    if (id == kPaletteId && code == NOTIFY_COLOR) {
        Show(palette_->GetSelectColor());
    }
    return MPanel::OnBaseMessage(id, code, wParam, lParam);
}

void CColorPalette::DrawControl(Canvas& dc, CRect clip) {
    MPanel::DrawControl(dc, clip);
    presets_.Draw(dc, CPoint(0, 0));
    dc.FillRect(choiceRect_, ColorRefToArgb(color_));
}

}  // namespace Tessera
