#include "tessera/controls/layer_button.h"

#include "tessera/core/image_cache.h"

namespace Tessera {

namespace {
constexpr int kIconWidth = 26;
constexpr int kIconHeight = 15;
constexpr int kTitleLeft = 30;
}  // namespace

LayerButton::LayerButton(MObject* parent, unsigned id, CRect rect, const std::wstring& title,
                         int visible, int enabled)
    : MButton(parent, id, rect, title, visible, enabled) {
    fontStyle_ = kFontStyleBold;
    SetTextColors(0xFFFFFFFF, 0xFFFFFFFF, 0xFFFF3300, 0xFF808080);
}

int LayerButton::LoadIcon(int state, const std::wstring& file) {
    icons_[state] = LoadImageFromFile(SkinPath(file));
    UpdateControl(1, 0);
    return 1;
}

void LayerButton::DrawControl(Canvas& dc, CRect) {
    DrawCachedLooks(dc, 4, GetLook(), [this](Canvas& cache, int look, const CRect& slice) {
        DrawLook(cache, look, slice);
    });
}

void LayerButton::DrawLook(Canvas& cache, int look, const CRect& slice) {
    const int h = slice.Height();
    if (const auto& icon = icons_[look & 3]) {
        const int top = slice.top + h / 2 - 8;
        cache.DrawImage(*icon, CRect(slice.left, top, slice.left + kIconWidth, top + kIconHeight),
                        CRect(0, 0, icon->Width(), icon->Height()));
    }
    DrawTitle(cache, CRect(slice.left + kTitleLeft, slice.top, slice.right, slice.bottom), look,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}

int LayerButton::OnControlLButtonUp(unsigned, CPoint point) {
    if (!enabled_) {
        return 0;
    }
    if (!rect_.PtInRect(point)) {
        SetState(BUTTON_STATE_NORMAL);
        return 1;
    }
    // Any release inside counts, whatever happened before.
    SendMessageW(NOTIFY_CLICK, 0, 0);
    SetState(BUTTON_STATE_HOVER);
    return 1;
}

int LayerButton::SetCheck(int check) {
    check = check ? 1 : 0;
    if (check != check_) {
        check_ = check;
        UpdateControl(0, 0);
    }
    return 1;
}

}  // namespace Tessera
