#include "tools/skin/skin_canvas.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace keyloom::skin {

Rgba Hex(std::uint32_t rgb, double alpha) {
    return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0, alpha};
}

Rgba Mix(Rgba a, Rgba b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t,
            a.a + (b.a - a.a) * t};
}

Rgba WithAlpha(Rgba c, double alpha) {
    return {c.r, c.g, c.b, alpha};
}

const char* StateSuffix(ButtonState state) {
    switch (state) {
        case ButtonState::kNormal:
            return "_n";
        case ButtonState::kHover:
            return "_h";
        case ButtonState::kPressed:
            return "_p";
        case ButtonState::kDisabled:
            return "_d";
    }
    return "_n";
}

StateLook LookOf(ButtonState state) {
    using namespace palette;
    switch (state) {
        case ButtonState::kNormal:
            return {Hex(0x1E2D31), Hex(0x111A1D), Hex(0x2F4D52), Mix(kCyan, kWhite, 0.1), 0.0};
        case ButtonState::kHover:
            return {Hex(0x24444A), Hex(0x152B2F), kCyan, kCyanBright, 0.35};
        case ButtonState::kPressed:
            return {Hex(0x0B1315), Hex(0x183438), Mix(kCyan, kTealDeep, 0.35), kCyan, 0.15};
        case ButtonState::kDisabled:
            return {Hex(0x1A1E1F), Hex(0x131617), Hex(0x2C3234), kDisabled, 0.0};
    }
    return LookOf(ButtonState::kNormal);
}

void SetColor(cairo_t* cr, Rgba c) {
    cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a);
}

void RoundRectPath(cairo_t* cr, double x, double y, double w, double h, double radius) {
    const double r = std::min({radius, w / 2, h / 2});
    const double pi = std::numbers::pi;
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -pi / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, pi / 2);
    cairo_arc(cr, x + r, y + h - r, r, pi / 2, pi);
    cairo_arc(cr, x + r, y + r, r, pi, 3 * pi / 2);
    cairo_close_path(cr);
}

void FillVertical(cairo_t* cr, double y0, double y1, Rgba top, Rgba bottom) {
    cairo_pattern_t* gradient = cairo_pattern_create_linear(0, y0, 0, y1);
    cairo_pattern_add_color_stop_rgba(gradient, 0, top.r, top.g, top.b, top.a);
    cairo_pattern_add_color_stop_rgba(gradient, 1, bottom.r, bottom.g, bottom.b, bottom.a);
    cairo_set_source(cr, gradient);
    cairo_fill(cr);
    cairo_pattern_destroy(gradient);
}

void DrawBody(cairo_t* cr, double x, double y, double w, double h, double radius,
              const StateLook& look) {
    if (look.glow > 0) {
        // A soft halo made of widening, fading outlines.
        for (int i = 3; i >= 1; --i) {
            RoundRectPath(cr, x + 0.5 - i * 0.5, y + 0.5 - i * 0.5, w - 1 + i, h - 1 + i,
                          radius + i * 0.5);
            SetColor(cr, WithAlpha(look.border, look.glow / (i + 1)));
            cairo_set_line_width(cr, 1);
            cairo_stroke(cr);
        }
    }
    RoundRectPath(cr, x + 1, y + 1, w - 2, h - 2, radius);
    FillVertical(cr, y, y + h, look.faceTop, look.faceBottom);
    // Glossy highlight on the upper half.
    cairo_save(cr);
    RoundRectPath(cr, x + 1, y + 1, w - 2, h - 2, radius);
    cairo_clip(cr);
    cairo_rectangle(cr, x, y, w, h * 0.5);
    FillVertical(cr, y, y + h * 0.5, Hex(0xFFFFFF, 0.10), Hex(0xFFFFFF, 0.0));
    cairo_restore(cr);
    RoundRectPath(cr, x + 1.5, y + 1.5, w - 3, h - 3, radius - 0.5);
    SetColor(cr, look.border);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // Inner top light line gives the crisp bevel.
    cairo_move_to(cr, x + radius, y + 2.5);
    cairo_line_to(cr, x + w - radius, y + 2.5);
    SetColor(cr, Hex(0xFFFFFF, 0.12));
    cairo_stroke(cr);
}

void DrawField(cairo_t* cr, double w, double h, double radius, Rgba fill, ButtonState state) {
    using namespace palette;
    Rgba border = Hex(0x2E4A4E);
    Rgba top = Mix(fill, Hex(0x000000), 0.35);
    Rgba bottom = fill;
    switch (state) {
        case ButtonState::kNormal:
            break;
        case ButtonState::kHover:
            border = Mix(kCyan, kTealDeep, 0.3);
            break;
        case ButtonState::kPressed:
            border = kCyan;
            bottom = Mix(fill, kCyan, 0.08);
            break;
        case ButtonState::kDisabled:
            border = Hex(0x2A2F31);
            top = Hex(0x141718);
            bottom = Hex(0x1A1D1E);
            break;
    }
    if (state == ButtonState::kPressed) {
        RoundRectPath(cr, 0.5, 0.5, w - 1, h - 1, radius + 0.5);
        SetColor(cr, WithAlpha(kCyan, 0.25));
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }
    RoundRectPath(cr, 1, 1, w - 2, h - 2, radius);
    FillVertical(cr, 1, h - 1, top, bottom);
    // Sunken: a dark inner line at the top, a light one at the bottom.
    cairo_save(cr);
    RoundRectPath(cr, 1, 1, w - 2, h - 2, radius);
    cairo_clip(cr);
    cairo_move_to(cr, 0, 2.5);
    cairo_line_to(cr, w, 2.5);
    SetColor(cr, Hex(0x000000, 0.45));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_restore(cr);
    RoundRectPath(cr, 1.5, 1.5, w - 3, h - 3, radius - 0.5);
    SetColor(cr, border);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_move_to(cr, radius, h - 0.5);
    cairo_line_to(cr, w - radius, h - 0.5);
    SetColor(cr, Hex(0xFFFFFF, 0.06));
    cairo_stroke(cr);
}

void DrawChevron(cairo_t* cr, double cx, double cy, double size, int dir, Rgba c, double width) {
    const double s = size / 2;
    const double q = size / 4;
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, dir == 0   ? 0
                     : dir == 1 ? std::numbers::pi
                     : dir == 2 ? std::numbers::pi / 2
                                : -std::numbers::pi / 2);
    cairo_move_to(cr, -s, -q);
    cairo_line_to(cr, 0, q);
    cairo_line_to(cr, s, -q);
    cairo_restore(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, width);
    SetColor(cr, c);
    cairo_stroke(cr);
}

void DrawText(cairo_t* cr, const std::string& text, double cx, double cy, double size, Rgba c,
              bool bold) {
    cairo_select_font_face(cr, "Open Sans", CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
    cairo_text_extents_t ext{};
    cairo_text_extents(cr, text.c_str(), &ext);
    cairo_move_to(cr, std::round(cx - ext.width / 2 - ext.x_bearing),
                  std::round(cy - ext.height / 2 - ext.y_bearing));
    SetColor(cr, c);
    cairo_show_text(cr, text.c_str());
}

namespace {

cairo_surface_t* Paint(int w, int h, const Painter& paint) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* cr = cairo_create(surface);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_BEST);
    paint(cr, w, h);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    return surface;
}

}  // namespace

bool WritePng(const std::filesystem::path& file, int w, int h, const Painter& paint) {
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
    cairo_surface_t* surface = Paint(w, h, paint);
    const bool ok =
        cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS &&
        cairo_surface_write_to_png(surface, file.string().c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    return ok;
}

}  // namespace keyloom::skin
