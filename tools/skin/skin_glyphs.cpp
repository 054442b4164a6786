#include "tools/skin/skin_glyphs.h"

#include <cmath>
#include <numbers>

namespace keyloom::skin {

namespace {

void Arrow(cairo_t* cr, double angle, double s) {
    // An arrow pointing right in unit space, rotated.
    cairo_save(cr);
    cairo_rotate(cr, angle);
    cairo_move_to(cr, -0.38 * s, 0);
    cairo_line_to(cr, 0.36 * s, 0);
    cairo_move_to(cr, 0.08 * s, -0.26 * s);
    cairo_line_to(cr, 0.36 * s, 0);
    cairo_line_to(cr, 0.08 * s, 0.26 * s);
    cairo_restore(cr);
}

void Gear(cairo_t* cr, double s) {
    const int teeth = 8;
    const double outer = 0.46 * s;
    const double inner = 0.34 * s;
    const double pi = std::numbers::pi;
    for (int i = 0; i < teeth * 2; ++i) {
        const double r = (i % 2 == 0) ? outer : inner;
        const double a0 = (i - 0.5) * pi / teeth;
        const double a1 = (i + 0.5) * pi / teeth;
        if (i == 0)
            cairo_move_to(cr, r * std::cos(a0), r * std::sin(a0));
        cairo_line_to(cr, r * std::cos(a0), r * std::sin(a0));
        cairo_line_to(cr, r * std::cos(a1), r * std::sin(a1));
    }
    cairo_close_path(cr);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 0.15 * s, 0, 2 * pi);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_fill(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
}

}  // namespace

void DrawGlyph(cairo_t* cr, Glyph glyph, double cx, double cy, double size, Rgba color) {
    const double s = size;
    const double pi = std::numbers::pi;
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    SetColor(cr, color);
    cairo_set_line_width(cr, std::max(1.4, s * 0.09));
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    switch (glyph) {
        case Glyph::kPlus:
            cairo_move_to(cr, -0.32 * s, 0);
            cairo_line_to(cr, 0.32 * s, 0);
            cairo_move_to(cr, 0, -0.32 * s);
            cairo_line_to(cr, 0, 0.32 * s);
            cairo_stroke(cr);
            break;
        case Glyph::kMinus:
            cairo_move_to(cr, -0.32 * s, 0);
            cairo_line_to(cr, 0.32 * s, 0);
            cairo_stroke(cr);
            break;
        case Glyph::kPencil:
            cairo_rotate(cr, -pi / 4);
            cairo_rectangle(cr, -0.3 * s, -0.1 * s, 0.52 * s, 0.2 * s);
            cairo_move_to(cr, 0.22 * s, -0.1 * s);
            cairo_line_to(cr, 0.4 * s, 0);
            cairo_line_to(cr, 0.22 * s, 0.1 * s);
            cairo_move_to(cr, -0.18 * s, -0.1 * s);
            cairo_line_to(cr, -0.18 * s, 0.1 * s);
            cairo_stroke(cr);
            break;
        case Glyph::kTrash:
            cairo_move_to(cr, -0.34 * s, -0.22 * s);
            cairo_line_to(cr, 0.34 * s, -0.22 * s);
            cairo_move_to(cr, -0.1 * s, -0.22 * s);
            cairo_line_to(cr, -0.08 * s, -0.34 * s);
            cairo_line_to(cr, 0.08 * s, -0.34 * s);
            cairo_line_to(cr, 0.1 * s, -0.22 * s);
            cairo_move_to(cr, -0.25 * s, -0.22 * s);
            cairo_line_to(cr, -0.2 * s, 0.36 * s);
            cairo_line_to(cr, 0.2 * s, 0.36 * s);
            cairo_line_to(cr, 0.25 * s, -0.22 * s);
            cairo_move_to(cr, -0.07 * s, -0.08 * s);
            cairo_line_to(cr, -0.07 * s, 0.22 * s);
            cairo_move_to(cr, 0.07 * s, -0.08 * s);
            cairo_line_to(cr, 0.07 * s, 0.22 * s);
            cairo_stroke(cr);
            break;
        case Glyph::kImport:
        case Glyph::kExport: {
            // A tray with an arrow going into it or out of it.
            cairo_move_to(cr, -0.36 * s, 0.08 * s);
            cairo_line_to(cr, -0.36 * s, 0.34 * s);
            cairo_line_to(cr, 0.36 * s, 0.34 * s);
            cairo_line_to(cr, 0.36 * s, 0.08 * s);
            cairo_stroke(cr);
            cairo_save(cr);
            cairo_translate(cr, 0, -0.08 * s);
            Arrow(cr, glyph == Glyph::kImport ? pi / 2 : -pi / 2, 0.8 * s);
            cairo_restore(cr);
            cairo_stroke(cr);
            break;
        }
        case Glyph::kKeyboard:
            RoundRectPath(cr, -0.42 * s, -0.26 * s, 0.84 * s, 0.52 * s, 0.06 * s);
            cairo_stroke(cr);
            for (int row = 0; row < 2; ++row) {
                for (int col = 0; col < 5; ++col) {
                    cairo_rectangle(cr, (-0.3 + col * 0.14) * s - 0.025 * s,
                                    (-0.13 + row * 0.13) * s, 0.06 * s, 0.05 * s);
                }
            }
            cairo_fill(cr);
            cairo_move_to(cr, -0.18 * s, 0.15 * s);
            cairo_line_to(cr, 0.18 * s, 0.15 * s);
            cairo_stroke(cr);
            break;
        case Glyph::kFolder:
            cairo_move_to(cr, -0.4 * s, -0.26 * s);
            cairo_line_to(cr, -0.12 * s, -0.26 * s);
            cairo_line_to(cr, -0.04 * s, -0.16 * s);
            cairo_line_to(cr, 0.4 * s, -0.16 * s);
            cairo_line_to(cr, 0.4 * s, 0.3 * s);
            cairo_line_to(cr, -0.4 * s, 0.3 * s);
            cairo_close_path(cr);
            cairo_move_to(cr, -0.4 * s, -0.04 * s);
            cairo_line_to(cr, 0.4 * s, -0.04 * s);
            cairo_stroke(cr);
            break;
        case Glyph::kSave:
            cairo_move_to(cr, -0.36 * s, -0.36 * s);
            cairo_line_to(cr, 0.2 * s, -0.36 * s);
            cairo_line_to(cr, 0.36 * s, -0.2 * s);
            cairo_line_to(cr, 0.36 * s, 0.36 * s);
            cairo_line_to(cr, -0.36 * s, 0.36 * s);
            cairo_close_path(cr);
            cairo_move_to(cr, -0.18 * s, -0.36 * s);
            cairo_line_to(cr, -0.18 * s, -0.14 * s);
            cairo_line_to(cr, 0.14 * s, -0.14 * s);
            cairo_line_to(cr, 0.14 * s, -0.36 * s);
            cairo_stroke(cr);
            cairo_rectangle(cr, -0.2 * s, 0.08 * s, 0.4 * s, 0.2 * s);
            cairo_fill(cr);
            break;
        case Glyph::kClear:
            // An eraser tilted over a base line.
            cairo_save(cr);
            cairo_rotate(cr, -pi / 4);
            RoundRectPath(cr, -0.32 * s, -0.14 * s, 0.64 * s, 0.28 * s, 0.05 * s);
            cairo_move_to(cr, -0.06 * s, -0.14 * s);
            cairo_line_to(cr, -0.06 * s, 0.14 * s);
            cairo_restore(cr);
            cairo_stroke(cr);
            cairo_move_to(cr, -0.38 * s, 0.38 * s);
            cairo_line_to(cr, 0.38 * s, 0.38 * s);
            cairo_stroke(cr);
            break;
        case Glyph::kClose:
            cairo_move_to(cr, -0.26 * s, -0.26 * s);
            cairo_line_to(cr, 0.26 * s, 0.26 * s);
            cairo_move_to(cr, 0.26 * s, -0.26 * s);
            cairo_line_to(cr, -0.26 * s, 0.26 * s);
            cairo_stroke(cr);
            break;
        case Glyph::kMinimize:
            cairo_move_to(cr, -0.28 * s, 0.12 * s);
            cairo_line_to(cr, 0.28 * s, 0.12 * s);
            cairo_stroke(cr);
            break;
        case Glyph::kGear:
            Gear(cr, s);
            break;
        case Glyph::kArrowLeft:
            Arrow(cr, pi, s);
            cairo_stroke(cr);
            break;
        case Glyph::kArrowRight:
            Arrow(cr, 0, s);
            cairo_stroke(cr);
            break;
        case Glyph::kArrowUp:
            Arrow(cr, -pi / 2, s);
            cairo_stroke(cr);
            break;
        case Glyph::kArrowDown:
            Arrow(cr, pi / 2, s);
            cairo_stroke(cr);
            break;
        case Glyph::kCheck:
            cairo_move_to(cr, -0.3 * s, 0.02 * s);
            cairo_line_to(cr, -0.08 * s, 0.24 * s);
            cairo_line_to(cr, 0.32 * s, -0.22 * s);
            cairo_stroke(cr);
            break;
    }
    cairo_restore(cr);
}

}  // namespace keyloom::skin
