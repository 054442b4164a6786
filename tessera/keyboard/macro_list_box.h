#pragma once

// MacroListBox: the macro page's list of macros. Each line shows the macro's name, its
// link count followed by the link word ("3 link"), and a small "more" button (one frame
// of the control's strip image, normally "btn_macro_more.png" with 4 frames) that opens
// the macro's menu.

#include <memory>
#include <string>
#include <vector>

#include "tessera/keyboard/line_list.h"

namespace Tessera {

struct MacroListItem {
    std::wstring text;
    int linkCount = 0;
    long data = 0;  // the program keeps the macro id here
    CRect rect;     // the line inside the cache, set while drawing
};

class MacroListBox : public MItemLineList<MacroListItem> {
public:
    static constexpr int kDefaultItemHeight = 70;

    MacroListBox(MObject* parent, unsigned id, CRect rect, int visible, int enabled = 1);

    const wchar_t* GetClassNameW() const override { return L"MacroListBox"; }

    int AddString(const std::wstring& text, int linkCount, long data);
    // pos -1 (or an empty list) appends; pos below -1 or beyond the last index returns -1.
    // Returns the index of the last item.
    int InsertString(int pos, const std::wstring& text, int linkCount, long data);
    void SetLinkDesc(const std::wstring& text) { linkDesc_ = text; }
    void ResetLinkCount();
    void SetLinkCount(long data, int count);
    void SetItemData(int index, long data);
    long GetItemData(int index);
    void ModifyItemString(int index, const std::wstring& text);
    std::wstring GetItemText(int index);
    int GetLinkCount(int index);
    int FindString(const std::wstring& text);
    int FindItemData(long data);
    void SetCurData(long data);

    // The line whose "more" button is under the mouse / held down (-1 none).
    int GetMoreHover() const { return moreHover_; }
    int GetMorePressed() const { return morePressed_; }
    // The "more" button of a line, relative to the line's top-left.
    CRect MoreButtonRect() const;

    int OnControlLButtonUp(unsigned flags, CPoint point) override;

protected:
    void DrawLine(Canvas& dc, int index, const CRect& line, bool lit) override;
    bool TrackLineDetail(int index, CPoint inLine) override;
    void OnLinePressed(int index, CPoint inLine) override;
    void ForgetPointedLines() override;

private:
    std::wstring linkDesc_ = L"link";
    int moreHover_ = -1;
    int morePressed_ = -1;
};

}  // namespace Tessera
