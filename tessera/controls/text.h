#pragma once

// MText: a label — the title over the window pixels or over a solid background, one line
// with an end ellipsis or word-wrapped. Constructed disabled: it never takes part in input
// except that it swallows the wheel.

#include <string>

#include "tessera/core/control_font.h"

namespace Tessera {

class MText : public MControlFont {
public:
    // A label takes no input: whatever `enabled` says, it starts disabled.
    MText(MObject* parent, unsigned id, CRect rect, const std::wstring& title, int visible,
          int enabled = 0);

    void DrawControl(Canvas& dc, CRect clip) override;
    int OnControlScroll(int, unsigned, CPoint point) override { return rect_.PtInRect(point); }
    long OnBaseMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;

    void SetMarkText(const std::wstring& mark);
    void SetMarkText(const std::wstring& mark, ARGB color, int option);
    void SetTitleMarkText(const std::wstring& title, const std::wstring& mark, int option);
    void SetMarkText(const std::wstring& title, const std::wstring& mark, ARGB color, int option);
    const std::wstring& GetMarkText() const { return mark_; }
    void EnableTextBack(int on, ARGB color);
    void EnableMultiLine(int on);
    void EnableShadow(int on) { shadow_ = on; }
    void EnableVCenter(int on) { vCenter_ = on; }
    int GetVirtualHeight() const { return 0; }

private:
    void ChangeMarks(const std::wstring& title, const std::wstring& mark, ARGB color, int option);

    int multiLine_ = 0;
    int vCenter_ = 0;
    int shadow_ = 0;
    int backOn_ = 0;
    ARGB backColor_ = 0;
    std::wstring mark_;
    ARGB markColor_ = 0xFFED801B;
    int markOption_ = 0;
};

}  // namespace Tessera
