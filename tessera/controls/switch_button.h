#pragma once

// CSwitchButton: an on/off switch drawn from two strips of its own (one for each check),
// toggled by a click; CHelpButton: a question mark that shows its title as a balloon while
// the pointer is over it.

#include <memory>
#include <string>

#include "tessera/core/control_font.h"

namespace Tessera {

class CSwitchButton : public MControlFont {
public:
    CSwitchButton(MObject* parent, unsigned id, CRect rect, int visible, int enabled);

    using MControlFont::SetImage;
    // Each strip holds `frames` looks side by side; always 1 (a missing strip draws nothing).
    int SetImage(const std::wstring& onStrip, const std::wstring& offStrip, int frames);

    void DrawControl(Canvas& dc, CRect clip) override;
    void SetControlEnabled(int enabled) override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;
    int OnControlKeyDown(unsigned, unsigned, unsigned) override { return 0; }

    int GetCheck() const { return check_; }
    // No enabled test; back to the normal look.
    int SetCheck(int check);
    int GetState() const { return state_; }

private:
    void SetState(int state);

    std::unique_ptr<Image> on_;
    std::unique_ptr<Image> off_;
    int frames_ = 4;
    int check_ = 0;
    int state_;
    bool pressed_ = false;
};

class CHelpButton : public MControlFont {
public:
    CHelpButton(MObject* parent, unsigned id, CRect rect, const std::wstring& title, int visible,
                int enabled);

    void DrawControl(Canvas& dc, CRect clip) override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;
};

}  // namespace Tessera
