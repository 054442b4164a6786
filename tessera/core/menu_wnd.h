#pragma once

// MenuWnd: a skinned popup menu. Build it with Create, AddMenu and AddSeparator, lay it
// out with SetMenuPoint and run it with ShowModal; a click on an item posts the notify
// message to the owner window (wParam = the item's check state, lParam = the item id)
// and closes the menu. Losing activation (a click elsewhere) closes it without a word.
//
// MPopupWnd: the base of drop-down windows (combo lists): a popup with its own controls
// that reports to the control that opened it.

#include <string>
#include <vector>

#include "tessera/controls/menu_item.h"
#include "tessera/core/dialog.h"

namespace Tessera {

class MenuWnd : public MDialog {
public:
    explicit MenuWnd(MObject* owner);

    const wchar_t* GetClassNameW() const override { return nullptr; }
    const wchar_t* GetWindowClassName() const override { return L"Menu Window"; }
    LRESULT OnWindowMessage(unsigned msg, WPARAM wParam, LPARAM lParam) override;
    long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;
    void InitUI(CRect client) override;

    int Create(NativeWindow* parent, CPoint screenPoint, unsigned notifyMessage,
               const std::wstring& backImage = L"", int corner = 0, int width = 113,
               enumBackMode mode = BACKMODE_NORMAL);
    int AddMenu(const std::wstring& text, unsigned id, const std::wstring& icon = L"",
                int checkable = 0, int check = 0);
    int AddSeparator(unsigned id, const std::wstring& image = L"");
    void SetItemTitle(const std::wstring& title, const std::wstring& newTitle);
    void SetItemVisible(const std::wstring& title, int visible);
    void SetItemEnable(const std::wstring& title, int enable);
    void SetItemCheck(const std::wstring& title, int check);
    // Stacks the visible items and sizes the window to them.
    void SetMenuPoint();
    void CloseWindow() { PostMessageW(WM_CLOSE, 0, 0); }
    long SendMessageToParent(unsigned id, unsigned code, unsigned wParam, long lParam);

    void SetItemHeight(int height) { itemHeight_ = height; }
    void SetMenuFont(const std::wstring& face, int size) {
        fontFace_ = face;
        fontSize_ = size;
    }
    int GetMenuWidth() const { return width_; }
    std::vector<MenuItem*> GetItems() const { return items_; }

private:
    struct ItemState {
        std::wstring title;
        int visible = 1;
        int enabled = 1;
        int check = 0;
    };
    MenuItem* FindItem(const std::wstring& title) const;
    ItemState& StateFor(const std::wstring& title);

    MObject* ownerObject_;
    NativeWindow* ownerWindow_ = nullptr;
    unsigned notifyMessage_ = 0;
    CPoint point_;
    std::wstring fontFace_ = L"HarmonyOS Sans SC";
    int fontSize_ = 16;
    int textMargin_ = 30;
    int itemHeight_ = 36;
    int width_ = 113;
    int topPadding_ = 2;
    int bottomPadding_ = 2;
    ARGB hoverColor_ = 0xFF13646B;
    std::vector<MenuItem*> items_;
    std::vector<ItemState> states_;
};

class MPopupWnd : public MDialog {
public:
    MPopupWnd();
    const wchar_t* GetClassNameW() const override { return nullptr; }
    void SetParent(MObject* parent) { parentObject_ = parent; }
    MObject* GetParent() const { return parentObject_; }
    // The opening control's OnMessage(0, code, wParam, lParam).
    long SendMessageToParent(unsigned code, unsigned wParam, long lParam);
    void CloseWindow() { PostMessageW(WM_CLOSE, 0, 0); }

private:
    MObject* parentObject_ = nullptr;
};

}  // namespace Tessera
