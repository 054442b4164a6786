#pragma once

// CTabCtrlEx: the page bar of the main window. Every tab takes one fifth of the bar,
// whatever the number of tabs; a release on a tab selects it and reports its index.

#include <mutex>
#include <string>
#include <vector>

#include "tessera/core/control_font.h"

namespace Tessera {

class CTabCtrlEx : public MControlFont {
public:
    CTabCtrlEx(MObject* parent, unsigned id, CRect rect, int visible, int enabled);

    void DrawControl(Canvas& dc, CRect clip) override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;

    int AddItem(const std::wstring& text, int id);
    void SetItemText(int index, const std::wstring& text);
    void ClearList();
    void SetSelectItem(int index);
    int GetSelectItem() const { return selected_; }
    int GetHoverItem() const { return hover_; }
    int GetItemID(int index) const;
    int GetItemCount() const;
    // The tab under a window point, -1 for none.
    int ItemAt(CPoint point) const;

private:
    struct Item {
        std::wstring text;
        int id = 0;
    };
    CRect ItemRect(int index) const;

    mutable std::recursive_mutex itemsLock_;
    std::vector<Item> items_;
    int hover_ = -1;
    int selected_ = -1;
};

}  // namespace Tessera
