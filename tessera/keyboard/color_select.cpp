#include "tessera/keyboard/color_select.h"

namespace Tessera {

namespace {
constexpr COLORREF kColors[] = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF,
                                0xFF00FF, 0xFFFF00, 0xFFFFFF};
}

CColorSelect::CColorSelect(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MPanel(parent, id, rect, L"", visible, enabled) {
    Layout();
}

void CColorSelect::Layout() {
    const int chosen = swatches_.Chosen();
    swatches_ = ColorSwatches();
    for (int i = 0; i < static_cast<int>(std::size(kColors)); ++i) {
        const int top = rect_.top + 5 + 25 * i;
        swatches_.Add(kColors[i], CRect(rect_.left, top, rect_.left + 20, top + 20));
    }
    swatches_.Choose(chosen);
}

void CColorSelect::SetControlRect(CRect rect) {
    MPanel::SetControlRect(rect);
    Layout();
}

void CColorSelect::SetSelectColor(COLORREF color) {
    SetColorIndex(swatches_.Find(color));
}

void CColorSelect::SetColorIndex(int index) {
    swatches_.Choose(index);
    UpdateControl(1, 0);
}

int CColorSelect::OnControlLButtonDown(unsigned, CPoint point) {
    const int index = enabled_ ? swatches_.HitTest(point) : -1;
    if (index < 0) {
        return 0;
    }
    SetColorIndex(index);
    if (parent_ != nullptr) {
        parent_->OnBaseMessage(kFirstColorId + static_cast<unsigned>(index), NOTIFY_DOWN, 0, 0);
    }
    const COLORREF color = GetSelectColor();
    if (color != 0) {
        SendMessageW(NOTIFY_COLOR, static_cast<unsigned>(index), static_cast<long>(color));
    }
    return 1;
}

void CColorSelect::DrawControl(Canvas& dc, CRect clip) {
    MPanel::DrawControl(dc, clip);
    swatches_.Draw(dc, CPoint(0, 0));
}

}  // namespace Tessera
