#pragma once

// The push-button variants: CImageButton draws its state images at their own size (with an
// optional balloon naming the button), CTextButton draws only its title in four colours,
// MButton2 is a tile: an image above a caption.

#include "tessera/controls/button.h"
#include "tessera/core/paint_manager.h"

namespace Tessera {

class CImageButton : public MButton {
public:
    CImageButton(MObject* parent, unsigned id, CRect rect, const std::wstring& title, int visible,
                 int enabled)
        : MButton(parent, id, rect, title, visible, enabled) {}

    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;

    void SetAlrBladderMode(AIRBLADDER_MODE mode) { balloonMode_ = mode; }
    AIRBLADDER_MODE GetAlrBladderMode() const { return balloonMode_; }

protected:
    void DrawLook(Canvas& cache, int look, const CRect& slice) override;

private:
    void UpdateBalloon();

    AIRBLADDER_MODE balloonMode_ = AIRBLADDER_MODE_NONE;
};

class CTextButton : public MButton {
public:
    CTextButton(MObject* parent, unsigned id, CRect rect, const std::wstring& title, int visible,
                int enabled);

    int OnControlKeyDown(unsigned, unsigned, unsigned) override { return 0; }
    void SetTextButtonColor(ARGB normal, ARGB hover, ARGB down, ARGB disabled);

protected:
    void DrawLook(Canvas& cache, int look, const CRect& slice) override;
};

class MButton2 : public MButton {
public:
    MButton2(MObject* parent, unsigned id, CRect rect, const std::wstring& title, int visible,
             int enabled)
        : MButton(parent, id, rect, title, visible, enabled) {}

    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlKeyDown(unsigned, unsigned, unsigned) override { return 0; }

protected:
    void DrawLook(Canvas& cache, int look, const CRect& slice) override;
};

}  // namespace Tessera
