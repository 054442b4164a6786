#pragma once

// MenuItem: one entry of a popup menu (MenuWnd) — a plain item, a checkable item or a
// separator line. It follows the button's state rules; only its looks and what a
// checkable item reports differ.

#include <string>

#include "tessera/controls/button.h"

namespace Tessera {

class MenuItem : public MButton {
public:
    MenuItem(MObject* parent, unsigned id, CRect rect, const std::wstring& title, int visible,
             int enabled);

    const wchar_t* GetClassNameW() const override { return L"MenuItem"; }
    void DrawControl(Canvas& dc, CRect clip) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;

    void SetSeparator(int separator) { separator_ = separator; }
    int IsSeparator() const { return separator_; }
    void SetCheckable(int checkable) { checkable_ = checkable; }
    int GetCheck() const { return check_; }
    void SetCheck(int check);
    void SetGroupName(const std::wstring& group) { group_ = group; }
    const std::wstring& GetGroupName() const { return group_; }
    void SetHoverColor(ARGB color) { hoverColor_ = color; }

protected:
    void DrawLook(Canvas& cache, int look, const CRect& slice) override;
    void OnClicked() override;

private:
    int separator_ = 0;
    int checkable_ = 0;
    int check_ = 0;
    std::wstring group_ = L"Menu Group";
    ARGB hoverColor_ = 0xFE479CEB;
};

}  // namespace Tessera
