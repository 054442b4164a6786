#pragma once

// CColorButton: a swatch of one colour (0x00BBGGRR). Pressing it checks it and unchecks the
// other live colour buttons of its group inside the same parent control.

#include <string>

#include "tessera/controls/button.h"

namespace Tessera {

class CColorButton : public MButton {
public:
    CColorButton(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
        : MButton(parent, id, rect, L"", visible, enabled) {}

    const wchar_t* GetClassNameW() const override { return L"ColorButton"; }
    void DrawControl(Canvas& dc, CRect clip) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;

    COLORREF GetColor() const { return color_; }
    void SetColor(COLORREF color);
    int GetCheck() const { return check_; }
    // While enabled; checking resets the group.
    int SetCheck(int check);
    void SetControlCheck(int check);
    int ResetGroupCheck();
    void SetGroupName(const std::wstring& name) { group_ = name; }
    const std::wstring& GetGroupName() const { return group_; }
    // The look shown: down while checked, else the state.
    int GetLook() const { return check_ ? BUTTON_STATE_DOWN : state_; }

protected:
    void DrawLook(Canvas& cache, int look, const CRect& slice) override;

private:
    COLORREF color_ = 0xFFFFFF;
    int check_ = 0;
    std::wstring group_;
};

}  // namespace Tessera
