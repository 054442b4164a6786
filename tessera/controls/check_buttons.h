#pragma once

// The buttons that keep a check: CCheckButton (eight looks: the four states unchecked,
// then checked), CRadioButton (a check button that checks itself and unchecks its group)
// and CSelectButton (four looks; checked shows the down look, never exclusive by itself).

#include <functional>
#include <string>

#include "tessera/core/control_font.h"

namespace Tessera {

class CCheckButton : public MControlFont {
public:
    CCheckButton(MObject* parent, unsigned id, CRect rect, const std::wstring& title, int visible,
                 int enabled);

    void DrawControl(Canvas& dc, CRect clip) override;
    int SetControlFocus(int focus) override;
    void SetControlEnabled(int enabled) override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;
    int OnControlKeyDown(unsigned vk, unsigned repeat, unsigned modifier) override;

    int GetCheck() const { return check_; }
    // Only while enabled; returns the check.
    virtual int SetCheck(int check);
    // The look shown now (0-7 for check and radio buttons, 0-3 for select buttons).
    int GetLook() const { return look_; }
    int HasKeyFocus() const { return keyFocus_; }

protected:
    virtual int RestLook(bool inside) const { return check_ ? (inside ? 5 : 4) : (inside ? 1 : 0); }
    virtual void DrawLook(Canvas& cache, int look, const CRect& slice);
    // A release inside after a press inside.
    virtual void OnClicked();
    // The hot key, or Space while the button has the keyboard focus.
    virtual void OnActivatedByKey();
    bool IsActivationKey(unsigned vk, unsigned modifier) const;
    void ShowLook(int look);

    int check_ = 0;
    bool pressedInside_ = false;
    int keyFocus_ = 0;
    int look_;
};

class CRadioButton : public CCheckButton {
public:
    CRadioButton(MObject* parent, unsigned id, CRect rect, const std::wstring& title, int visible,
                 int enabled);

    const wchar_t* GetClassNameW() const override { return L"RadioButton"; }
    // While enabled; checking resets the group.
    int SetCheck(int check) override;
    // Check and look, without the group and without the enabled test.
    virtual void SetControlCheck(int check);
    // Unchecks the siblings of the same class and group name; 0 without a parent.
    virtual int ResetGroupCheck();
    void SetGroupName(const std::wstring& name) { group_ = name; }
    const std::wstring& GetGroupName() const { return group_; }

protected:
    void OnClicked() override;
    void OnActivatedByKey() override;

    std::wstring group_;
};

class CSelectButton : public CRadioButton {
public:
    CSelectButton(MObject* parent, unsigned id, CRect rect, const std::wstring& title, int visible,
                  int enabled);

    const wchar_t* GetClassNameW() const override { return L"SelectButton"; }
    void DrawControl(Canvas& dc, CRect clip) override;
    void SetControlEnabled(int enabled) override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;
    int SetCheck(int check) override;
    void SetControlCheck(int check) override;
    // Select buttons are not exclusive: the owner keeps one of a pair checked.
    int ResetGroupCheck() override { return 1; }

protected:
    int RestLook(bool inside) const override { return check_ ? 2 : (inside ? 1 : 0); }
    void DrawLook(Canvas& cache, int look, const CRect& slice) override;
    void OnClicked() override;
    void OnActivatedByKey() override;
};

// Calls `uncheck` for every sibling of `self` (the parent control's control layer, or the
// dialog's control list when `dialogToo` and the parent is a dialog) that reports the same
// class name. 0 without a usable parent, else 1.
int ForEachGroupSibling(MControl& self, bool dialogToo,
                        const std::function<void(MControl&)>& visit);

}  // namespace Tessera
