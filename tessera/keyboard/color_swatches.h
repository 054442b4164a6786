#pragma once

// A set of colour swatches drawn and hit-tested by their container: the preset colours of
// the colour choosers, each at its own rectangle (window coordinates), one of them chosen.

#include <vector>

#include "tessera/platform/canvas.h"
#include "tessera/platform/geometry.h"

namespace Tessera {

class ColorSwatches {
public:
    static constexpr ARGB kChosenOutline = 0xFFFFFFFF;

    void Add(COLORREF color, CRect rect) { swatches_.push_back({color, rect}); }
    int Count() const { return static_cast<int>(swatches_.size()); }
    COLORREF ColorAt(int index) const;
    // The swatch under the point, -1 none.
    int HitTest(CPoint point) const;
    // The first swatch of that colour, -1 none.
    int Find(COLORREF color) const;
    int Chosen() const { return chosen_; }
    // -1 .. count-1; other values choose none.
    void Choose(int index) { chosen_ = index >= 0 && index < Count() ? index : -1; }
    // Draws every swatch; `origin` is the window point at the canvas's (0,0).
    void Draw(Canvas& dc, CPoint origin) const;

private:
    struct Swatch {
        COLORREF color;
        CRect rect;
    };
    std::vector<Swatch> swatches_;
    int chosen_ = -1;
};

}  // namespace Tessera
