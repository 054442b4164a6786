#pragma once

#include <cairo.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

// Drawing vocabulary of the skin: one palette, the four button states and the shapes
// every image is built from, so all images share one look.
namespace keyloom::skin {

struct Rgba {
    double r;
    double g;
    double b;
    double a;
};

// 0xRRGGBB with an alpha in 0..1.
Rgba Hex(std::uint32_t rgb, double alpha = 1.0);
Rgba Mix(Rgba a, Rgba b, double t);
Rgba WithAlpha(Rgba c, double alpha);

// The look of the skin. Cyan is the framework's text colour 0xFF38E3ED, the field teal is the
// edit background 0x2E3017 (red in the low byte), the key plate is the picture's 0x565656.
namespace palette {
inline const Rgba kCyan = Hex(0x38E3ED);
inline const Rgba kCyanBright = Hex(0x9AF6FA);
inline const Rgba kTealDeep = Hex(0x13646B);
inline const Rgba kFieldTeal = Hex(0x17302E);
inline const Rgba kOrange = Hex(0xFF3300);
inline const Rgba kWindowTop = Hex(0x0F1A1D);
inline const Rgba kWindowBottom = Hex(0x060B0C);
inline const Rgba kPanel = Hex(0x111B1E);
inline const Rgba kPanelEdge = Hex(0x27383C);
inline const Rgba kKeyPlate = Hex(0x565656);
inline const Rgba kDisabled = Hex(0x4A5254);
inline const Rgba kWhite = Hex(0xFFFFFF);
}  // namespace palette

enum class ButtonState { kNormal, kHover, kPressed, kDisabled };
inline constexpr ButtonState kAllStates[] = {ButtonState::kNormal, ButtonState::kHover,
                                             ButtonState::kPressed, ButtonState::kDisabled};
// File suffix of a state image: _n, _h, _p, _d.
const char* StateSuffix(ButtonState state);

// Colours of a state: body gradient, border and glyph.
struct StateLook {
    Rgba faceTop;
    Rgba faceBottom;
    Rgba border;
    Rgba glyph;
    double glow;  // strength of the outer glow, 0 = none
};
StateLook LookOf(ButtonState state);

void RoundRectPath(cairo_t* cr, double x, double y, double w, double h, double radius);
void FillVertical(cairo_t* cr, double y0, double y1, Rgba top, Rgba bottom);  // fills the path
void SetColor(cairo_t* cr, Rgba c);

// A rounded body with gradient face, 1px border, soft top highlight and optional glow.
void DrawBody(cairo_t* cr, double x, double y, double w, double h, double radius,
              const StateLook& look);
// A sunken field (edit or combo) in the given fill colour with a state border.
void DrawField(cairo_t* cr, double w, double h, double radius, Rgba fill, ButtonState state);
// A chevron pointing down (dir 0), up (1), left (2) or right (3).
void DrawChevron(cairo_t* cr, double cx, double cy, double size, int dir, Rgba c, double width);
void DrawText(cairo_t* cr, const std::string& text, double cx, double cy, double size, Rgba c,
              bool bold);

// One image: a transparent ARGB surface handed to the painter, then written as PNG.
using Painter = std::function<void(cairo_t*, int w, int h)>;
bool WritePng(const std::filesystem::path& file, int w, int h, const Painter& paint);

}  // namespace keyloom::skin
