#include "tessera/keyboard/record_list.h"

#include <utility>

namespace Tessera {

namespace {
constexpr unsigned kLineText = DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;
}

CRecordList::CRecordList(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MItemLineList(parent, id, rect, visible, enabled, kDefaultItemHeight) {}

int CRecordList::AddString(const std::wstring& text, int kind, int value, int delay) {
    return InsertString(-1, text, kind, value, delay);
}

int CRecordList::InsertString(int pos, const std::wstring& text, int kind, int value, int delay) {
    auto item = std::make_unique<RecordItem>();
    item->text = text;
    item->kind = kind;
    item->value = value;
    item->delay = delay;
    return InsertItem(pos, std::move(item));
}

bool CRecordList::UpdateDelayTime(int delay) {
    {
        std::lock_guard lock(LinesLock());
        if (items_.empty()) {
            return false;
        }
        items_.back()->delay = delay;
    }
    UpdateControl(1, 0);
    return true;
}

bool CRecordList::GetRecordInfo(int index, std::wstring& text, int& kind, int& value, int& delay) {
    std::lock_guard lock(LinesLock());
    const RecordItem* item = ItemLocked(index);
    if (item == nullptr) {
        return false;
    }
    text = item->text;
    kind = item->kind;
    value = item->value;
    delay = item->delay;
    return true;
}

void CRecordList::SetRecordInfo(int index, const std::wstring& text, int kind, int value,
                                int delay) {
    {
        std::lock_guard lock(LinesLock());
        RecordItem* item = ItemLocked(index);
        if (item == nullptr) {
            return;
        }
        item->text = text;
        item->kind = kind;
        item->value = value;
        item->delay = delay;
    }
    UpdateControl(1, 0);
}

std::vector<RecordItem*> CRecordList::GetRecordItems() {
    return ItemPointers();
}

void CRecordList::SwapItem(int a, int b) {
    std::lock_guard lock(LinesLock());
    if (a == b || ItemLocked(a) == nullptr || ItemLocked(b) == nullptr) {
        return;
    }
    std::swap(items_[static_cast<std::size_t>(a)], items_[static_cast<std::size_t>(b)]);
}

int CRecordList::OnControlLButtonUp(unsigned, CPoint point) {
    int line = -1;
    if (!PointedLine(point, line)) {
        return 0;
    }
    SendMessageW(NOTIFY_CLICK, static_cast<unsigned>(line), 0);
    return 1;
}

void CRecordList::DrawLine(Canvas& dc, int index, const CRect& line, bool lit) {
    RecordItem& item = *items_[static_cast<std::size_t>(index)];
    item.rect = line;
    if (lit) {
        dc.FillRect(line, kLitFill);
    }
    if (images_ != nullptr) {
        const CRect iconCell(line.left, line.top, line.left + kIconColumn, line.bottom);
        images_->DrawItemIcon(dc, iconCell, item.kind == kRecordKindKeyDown ? 0 : 1, lit ? 1 : 0);
    }
    const ARGB text = lit ? kLitText : kNormalText;
    dc.DrawText(item.text, CRect(60, line.top + 20, 160, line.top + 40), GetGDIFont(), text,
                kLineText);
    dc.DrawText(std::to_wstring(item.delay), CRect(160, line.top + 20, 235, line.top + 40),
                GetGDIFont(), text, kLineText);
}

}  // namespace Tessera
