#pragma once

// MButton: the push button and the model of the button family. Its four looks (normal,
// hover, down, disabled) are drawn once side by side into the cache; a state change only
// shows another slice.

#include <memory>
#include <string>

#include "tessera/core/control_font.h"
#include "tessera/platform/image.h"

namespace Tessera {

class MButton : public MControlFont {
public:
    MButton(MObject* parent, unsigned id, CRect rect, const std::wstring& title, int visible,
            int enabled);

    void DrawControl(Canvas& dc, CRect clip) override;
    void SetControlEnabled(int enabled) override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;
    int OnControlKeyDown(unsigned vk, unsigned repeat, unsigned modifier) override;

    // The icon strip (stored; the plain button does not draw it). 1 when loaded.
    int SetIconImage(const std::wstring& file, int frames);
    // Client-relative rectangle for the title; empty = the whole control.
    void SetTextRect(CRect rect) { textRect_ = rect; }
    void SetFrameSize(int size) { frameSize_ = size; }
    int GetState() const { return state_; }

protected:
    void SetState(int state);
    // A release inside after a press inside: the click.
    virtual void OnClicked();
    // Draws look `look` into `slice` of the cache: the state image as a nine-grid with
    // corner 12, then the title.
    virtual void DrawLook(Canvas& cache, int look, const CRect& slice);

    int state_;
    std::unique_ptr<Image> icon_;
    int iconFrames_ = 4;
    CRect textRect_;
    int frameSize_ = 8;
};

}  // namespace Tessera
