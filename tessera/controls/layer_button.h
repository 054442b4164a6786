#pragma once

// LayerButton: a button with a small icon per state left of its title (bold); checked shows
// the down look.

#include <memory>
#include <string>

#include "tessera/controls/button.h"

namespace Tessera {

class LayerButton : public MButton {
public:
    LayerButton(MObject* parent, unsigned id, CRect rect, const std::wstring& title, int visible,
                int enabled);

    void DrawControl(Canvas& dc, CRect clip) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;
    int OnControlKeyDown(unsigned, unsigned, unsigned) override { return 0; }

    // A file that cannot be loaded leaves that icon empty; always 1.
    int SetNormalIcon(const std::wstring& file) { return LoadIcon(0, file); }
    int SetHoverIcon(const std::wstring& file) { return LoadIcon(1, file); }
    int SetDownIcon(const std::wstring& file) { return LoadIcon(2, file); }
    int SetDisableIcon(const std::wstring& file) { return LoadIcon(3, file); }
    int GetCheck() const { return check_; }
    int SetCheck(int check);
    int GetLook() const { return check_ ? BUTTON_STATE_DOWN : state_; }

protected:
    void DrawLook(Canvas& cache, int look, const CRect& slice) override;

private:
    int LoadIcon(int state, const std::wstring& file);

    std::unique_ptr<Image> icons_[4];
    int check_ = 0;
};

}  // namespace Tessera
