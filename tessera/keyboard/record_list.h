#pragma once

// CRecordList: the steps of one macro — an icon for the kind of step (from a borrowed
// MImageList: icon 0 for a key-down step, icon 1 for every other kind), the step's text
// and its delay.

#include <memory>
#include <string>
#include <vector>

#include "tessera/keyboard/image_list.h"
#include "tessera/keyboard/line_list.h"

namespace Tessera {

struct RecordItem {
    std::wstring text;
    int kind = 0;  // 2 key down, 3 key up, 4 mouse down, 5 mouse up
    int value = 0;
    int delay = 0;
    CRect rect;  // the line inside the cache, set while drawing
};

inline constexpr int kRecordKindKeyDown = 2;

class CRecordList : public MItemLineList<RecordItem> {
public:
    static constexpr int kDefaultItemHeight = 60;
    static constexpr int kIconColumn = 60;

    CRecordList(MObject* parent, unsigned id, CRect rect, int visible, int enabled = 1);

    const wchar_t* GetClassNameW() const override { return L"CRecordList"; }

    // Returns the new index.
    int AddString(const std::wstring& text, int kind, int value, int delay);
    // pos -1 or an empty list appends; pos below -1 or beyond the last index returns -1.
    // Returns the index of the last item.
    int InsertString(int pos, const std::wstring& text, int kind, int value, int delay);
    // Delay of the last step; false for an empty list.
    bool UpdateDelayTime(int delay);
    // Out-of-range indexes leave the outputs alone; false then.
    bool GetRecordInfo(int index, std::wstring& text, int& kind, int& value, int& delay);
    void SetRecordInfo(int index, const std::wstring& text, int kind, int value, int delay);
    std::vector<RecordItem*> GetRecordItems();
    void SwapItem(int a, int b);
    void SetImageList(MImageList* images) { images_ = images; }

    int OnControlLButtonUp(unsigned flags, CPoint point) override;

protected:
    void DrawLine(Canvas& dc, int index, const CRect& line, bool lit) override;

private:
    MImageList* images_ = nullptr;
};

}  // namespace Tessera
