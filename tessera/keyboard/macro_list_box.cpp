#include "tessera/keyboard/macro_list_box.h"

#include <algorithm>

#include "tessera/core/manager.h"

namespace Tessera {

namespace {
constexpr unsigned kLineText = DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;
constexpr int kLinkFontSize = 20;
}  // namespace

MacroListBox::MacroListBox(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MItemLineList(parent, id, rect, visible, enabled, kDefaultItemHeight) {}

int MacroListBox::AddString(const std::wstring& text, int linkCount, long data) {
    return InsertString(-1, text, linkCount, data);
}

int MacroListBox::InsertString(int pos, const std::wstring& text, int linkCount, long data) {
    auto item = std::make_unique<MacroListItem>();
    item->text = text;
    item->linkCount = linkCount;
    item->data = data;
    return InsertItem(pos, std::move(item));
}

void MacroListBox::ResetLinkCount() {
    std::lock_guard lock(LinesLock());
    for (auto& item : items_) {
        item->linkCount = 0;
    }
}

void MacroListBox::SetLinkCount(long data, int count) {
    std::lock_guard lock(LinesLock());
    for (auto& item : items_) {
        if (item->data == data) {
            item->linkCount = count;
            return;
        }
    }
}

void MacroListBox::SetItemData(int index, long data) {
    std::lock_guard lock(LinesLock());
    if (MacroListItem* item = ItemLocked(index)) {
        item->data = data;
    }
}

long MacroListBox::GetItemData(int index) {
    std::lock_guard lock(LinesLock());
    const MacroListItem* item = ItemLocked(index);
    return item != nullptr ? item->data : 0;
}

void MacroListBox::ModifyItemString(int index, const std::wstring& text) {
    {
        std::lock_guard lock(LinesLock());
        MacroListItem* item = ItemLocked(index);
        if (item == nullptr) {
            return;
        }
        item->text = text;
    }
    UpdateControl(1, 0);
}

std::wstring MacroListBox::GetItemText(int index) {
    std::lock_guard lock(LinesLock());
    const MacroListItem* item = ItemLocked(index);
    return item != nullptr ? item->text : std::wstring();
}

int MacroListBox::GetLinkCount(int index) {
    std::lock_guard lock(LinesLock());
    const MacroListItem* item = ItemLocked(index);
    return item != nullptr ? item->linkCount : 0;
}

int MacroListBox::FindString(const std::wstring& text) {
    std::lock_guard lock(LinesLock());
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (items_[i]->text == text) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int MacroListBox::FindItemData(long data) {
    std::lock_guard lock(LinesLock());
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (items_[i]->data == data) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void MacroListBox::SetCurData(long data) {
    const int index = FindItemData(data);
    if (index >= 0) {
        SetCurSel(index);
    }
}

void MacroListBox::ForgetPointedLines() {
    ClearHoverAndSelection();
    moreHover_ = morePressed_ = -1;
}

CRect MacroListBox::MoreButtonRect() const {
    if (strip_ == nullptr || frameWidth_ <= 0) {
        return {};
    }
    const int x = ContentWidth() - frameWidth_ - 15;
    return {x, 38, x + frameWidth_, 38 + frameHeight_};
}

bool MacroListBox::TrackLineDetail(int index, CPoint inLine) {
    const int onMore = index >= 0 && MoreButtonRect().PtInRect(inLine) ? index : -1;
    const bool changed = onMore != moreHover_;
    moreHover_ = onMore;
    return changed;
}

void MacroListBox::OnLinePressed(int index, CPoint inLine) {
    if (index >= 0 && MoreButtonRect().PtInRect(inLine)) {
        // The menu the owner opens acts on the selected macro: select the line whose
        // button was pressed before telling the owner.
        morePressed_ = index;
        moreHover_ = index;
        sel_ = index;
        UpdateControl(1, 0);
        SendMessageW(NOTIFY_SUBDOWN, static_cast<unsigned>(index), index);
        return;
    }
    MLineList::OnLinePressed(index, inLine);
}

int MacroListBox::OnControlLButtonUp(unsigned, CPoint) {
    if (morePressed_ != -1) {
        morePressed_ = -1;
        UpdateControl(1, 0);
    }
    return 0;
}

void MacroListBox::DrawLine(Canvas& dc, int index, const CRect& line, bool lit) {
    MacroListItem& item = *items_[static_cast<std::size_t>(index)];
    item.rect = line;
    if (lit) {
        dc.FillRect(line, kLitFill);
    }
    const ARGB text = lit ? kLitText : kNormalText;
    const int w = line.Width();
    dc.DrawText(item.text, CRect(10, line.top + 15, w - 10, line.top + 35), GetGDIFont(), text,
                kLineText);
    const std::wstring links = std::to_wstring(item.linkCount) + L" " + linkDesc_;
    dc.DrawText(links, CRect(10, line.top + 37, w - 10, line.top + 57),
                FontSpec{Manager::GetFontName(), kLinkFontSize, kFontStyleRegular}, text,
                kLineText);
    if (strip_ != nullptr && strip_->get() != nullptr && frameWidth_ > 0) {
        // Lit lines show the hover look; a held button its pressed look.
        int frame = 0;
        if (!lit && morePressed_ == index) {
            frame = 2;
        } else if (lit || moreHover_ == index) {
            frame = 1;
        }
        frame = std::min(frame, frameCount_ - 1);
        CRect button = MoreButtonRect();
        button.OffsetRect(0, line.top);
        dc.DrawImage(*strip_->get(), button,
                     CRect(frame * frameWidth_, 0, (frame + 1) * frameWidth_, frameHeight_));
    }
}

}  // namespace Tessera
