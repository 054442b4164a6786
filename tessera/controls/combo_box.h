#pragma once

// MComboBox and MComboBox2: a skinned box showing the chosen entry, with a drop-down window
// (CComboBoxWnd holding a CComboBoxList) that opens on release under the control — or above
// it when there is no room below — and reports the entry chosen on release. The owner hears
// only of a choice: NOTIFY_CLICK with the entry's index.

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "tessera/core/control_font.h"
#include "tessera/core/menu_wnd.h"
#include "tessera/core/panel.h"

namespace Tessera {

struct ComboItem {
    std::wstring text;
    std::wstring icon;
    ARGB color = 0xFF000000;
    long data = 0;
    CRect rect;
};

// The message a drop-down sends its combo when a row is chosen (lParam) and when its window
// goes away (code).
inline constexpr long kComboChoiceTag = 19;
inline constexpr unsigned kComboDropDownGone = 22;
inline constexpr unsigned kComboListId = 88;
inline constexpr int kComboRowHeight = 25;
inline constexpr int kComboMaxRows = 5;

class CComboBoxList : public MPanel {
public:
    // `textLeft`: where row text starts (14 for the first kind of combo, 3 for the second).
    CComboBoxList(MObject* parent, unsigned id, CRect rect, int textLeft);
    // As created by class name: the first kind.
    CComboBoxList(MObject* parent, unsigned id, CRect rect, int visible, int enabled);

    void DrawControl(Canvas& dc, CRect clip) override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;
    int OnControlScroll(int bar, unsigned dir, CPoint point) override;
    void SetControlRect(CRect rect) override;

    void SetItems(std::vector<ComboItem> items);
    int GetItemCount() const;
    int GetHoverRow() const { return hover_; }
    // The row under a window point, -1 outside the list or past the last entry.
    int RowAt(CPoint point) const;

private:
    void UpdateVirtualHeight();

    mutable std::recursive_mutex itemsLock_;
    std::vector<ComboItem> items_;
    int textLeft_;
    int hover_ = -1;
    int pressed_ = -1;
};

// The list of the second kind of combo, as created by class name.
class CComboBoxList2 : public CComboBoxList {
public:
    CComboBoxList2(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
};

class CComboBoxWnd : public MPopupWnd {
public:
    explicit CComboBoxWnd(int textLeft) : textLeft_(textLeft) {}

    const wchar_t* GetWindowClassName() const override { return L"ComboWnd"; }
    void InitUI(CRect client) override;
    long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;
    LRESULT OnWindowMessage(unsigned msg, WPARAM wParam, LPARAM lParam) override;
    CComboBoxList* GetList() const { return list_; }

private:
    int textLeft_;
    CComboBoxList* list_ = nullptr;
};

class MComboBox : public MControlFont {
public:
    MComboBox(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
    ~MComboBox() override;

    void DrawControl(Canvas& dc, CRect clip) override;
    void SetControlEnabled(int enabled) override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;
    long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;

    int AddItem(const std::wstring& text, long data = 0, const std::wstring& icon = L"",
                ARGB color = 0xFF000000);
    int InsertItem(int index, const std::wstring& text, long data = 0,
                   const std::wstring& icon = L"", ARGB color = 0xFF000000);
    int GetItemCount() const;
    int SetItemData(int index, long data);
    long GetItemData(int index) const;
    int SetItemText(int index, const std::wstring& text);
    std::wstring GetItemText(int index) const;
    int SetCurSel(int index);
    int GetCurSel() const { return curSel_; }
    long GetCurData() const;
    int FindData(long data) const;
    int SelectData(long data);
    int DeleteItem(int index);
    int DelAllItems();

    void SetBackImage(const std::wstring& file);
    void SetBackImage(unsigned resId, const std::wstring& type);
    int SetNDrapdownImage(const std::wstring& file) { return SetDropImage(0, file); }
    int SetHDrapdownImage(const std::wstring& file) { return SetDropImage(1, file); }
    int SetPDrapdownImage(const std::wstring& file) { return SetDropImage(2, file); }
    int SetDDrapdownImage(const std::wstring& file) { return SetDropImage(3, file); }
    void SetScrollResID(unsigned v, unsigned h) {
        scrollV_ = v;
        scrollH_ = h;
    }
    void SetShowModeMID(int left, int top, int right, int bottom);
    void SetTextRect(CRect rect) {
        textRect_ = rect;
        UpdateControl(1, 0);
    }

    int GetState() const { return state_; }
    int IsDropDownOpen() const { return open_; }
    // The drop-down window of the last opening (null before the first); it stays until the
    // next opening or the combo goes.
    CComboBoxWnd* GetDropDown() const { return dropDown_.get(); }
    // The window rectangle (screen) the drop-down gets for the current items.
    CRect DropDownRect() const;
    void OpenDropDown();

    // What tells the two kinds apart.
    struct Geometry {
        int textLeft;      // default text rectangle, from the left edge
        int textRight;     // and before the right edge
        int dropLeft;      // drop-down inset from the anchor's x
        int dropRight;     // drop-down right edge before the control's right
        bool flips;        // opens above the control when there is no room below
        int listTextLeft;  // row text start inside the list
    };

protected:
    MComboBox(MObject* parent, unsigned id, CRect rect, int visible, int enabled,
              const Geometry& geometry, std::wstring backImage);

private:
    void SetState(int state);
    int SetDropImage(int state, const std::wstring& file);
    bool ValidIndex(int index) const { return index >= 0 && index < GetItemCount(); }
    void DropDownGone();

    Geometry geometry_;
    mutable std::recursive_mutex itemsLock_;
    std::vector<ComboItem> items_;
    int curSel_ = -1;
    int state_;
    int open_ = 0;
    ImgResInfo* dropImages_[4] = {nullptr, nullptr, nullptr, nullptr};
    std::wstring backImage_;
    unsigned backRes_ = 0;
    std::wstring backResType_ = L"PNG";
    unsigned scrollV_ = 0;
    unsigned scrollH_ = 0;
    int margins_[4] = {4, 4, 35, 4};
    CRect textRect_;
    std::unique_ptr<CComboBoxWnd> dropDown_;
};

class MComboBox2 : public MComboBox {
public:
    MComboBox2(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
};

}  // namespace Tessera
