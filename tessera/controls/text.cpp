#include "tessera/controls/text.h"

namespace Tessera {

MText::MText(MObject* parent, unsigned id, CRect rect, const std::wstring& title, int visible, int)
    : MControlFont(parent, id, rect, title, visible, 0, 1) {}

void MText::DrawControl(Canvas& dc, CRect) {
    if (backOn_) {
        dc.FillRect(rect_, backColor_);
    }
    const unsigned format = multiLine_ ? AlignmentFormat() | DT_WORDBREAK
                                       : AlignmentFormat() | DT_SINGLELINE | DT_END_ELLIPSIS;
    // A label looks the same enabled or not.
    DrawTitle(dc, rect_, 0, format);
}

long MText::OnBaseMessage(unsigned id, unsigned code, unsigned wParam, long lParam) {
    if (code == NOTIFY_SCROLL && id == 1) {
        UpdateControl(1, 0);
        return 1;
    }
    return MControlFont::OnBaseMessage(id, code, wParam, lParam);
}

void MText::ChangeMarks(const std::wstring& title, const std::wstring& mark, ARGB color,
                        int option) {
    if (title == title_ && mark == mark_ && color == markColor_ && option == markOption_) {
        return;
    }
    title_ = title;
    mark_ = mark;
    markColor_ = color;
    markOption_ = option;
    UpdateControl(1, 0);
}

void MText::SetMarkText(const std::wstring& mark) {
    ChangeMarks(title_, mark, markColor_, markOption_);
}
void MText::SetMarkText(const std::wstring& mark, ARGB color, int option) {
    ChangeMarks(title_, mark, color, option);
}
void MText::SetTitleMarkText(const std::wstring& title, const std::wstring& mark, int option) {
    ChangeMarks(title, mark, markColor_, option);
}
void MText::SetMarkText(const std::wstring& title, const std::wstring& mark, ARGB color,
                        int option) {
    ChangeMarks(title, mark, color, option);
}

void MText::EnableTextBack(int on, ARGB color) {
    backOn_ = on;
    backColor_ = color;
    UpdateControl(1, 0);
}

void MText::EnableMultiLine(int on) {
    multiLine_ = on;
    UpdateControl(1, 0);
}

}  // namespace Tessera
