// Draws every skin image of the program into the folder given on the command line
// (the build puts it at bin/images/ beside the program).

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <numbers>
#include <string>
#include <vector>

#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include "tools/skin/picture_keys.h"
#include "tools/skin/skin_canvas.h"
#include "tools/skin/skin_glyphs.h"

namespace keyloom::skin {
namespace {

namespace fs = std::filesystem;
using namespace palette;

class SkinWriter {
public:
    explicit SkinWriter(fs::path folder) : folder_(std::move(folder)) {}

    void Png(const std::string& name, int w, int h, const Painter& paint) {
        ++written_;
        if (!WritePng(folder_ / name, w, h, paint)) {
            std::fprintf(stderr, "skin: cannot write %s\n", (folder_ / name).string().c_str());
            ++failed_;
        }
    }
    void Bytes(const std::string& name, const std::string& bytes) {
        ++written_;
        std::FILE* file = std::fopen((folder_ / name).string().c_str(), "wb");
        const bool ok = file != nullptr && !bytes.empty() &&
                        std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
        if (file != nullptr && std::fclose(file) != 0) {
            ++failed_;
            return;
        }
        if (!ok) {
            std::fprintf(stderr, "skin: cannot write %s\n", name.c_str());
            ++failed_;
        }
    }
    int written() const { return written_; }
    int failed() const { return failed_; }

private:
    fs::path folder_;
    int written_ = 0;
    int failed_ = 0;
};

// ---- buttons -------------------------------------------------------------------------------

// A square icon button: rounded body and a line glyph, in the four states.
void IconButton(SkinWriter& out, const std::string& stem, int w, int h, Glyph glyph, double radius,
                double glyphScale) {
    for (ButtonState state : kAllStates) {
        out.Png(stem + StateSuffix(state) + ".png", w, h, [&](cairo_t* cr, int, int) {
            const StateLook look = LookOf(state);
            DrawBody(cr, 0, 0, w, h, radius, look);
            const double side = std::min(w, h) * glyphScale;
            if (state == ButtonState::kHover) {
                DrawGlyph(cr, glyph, w / 2.0, h / 2.0 + 0.5, side, WithAlpha(kCyan, 0.35));
            }
            DrawGlyph(cr, glyph, w / 2.0, h / 2.0, side, look.glyph);
        });
    }
}

// Caption buttons of the window frame: a bare glyph that lights up on a soft disc.
void CaptionButton(SkinWriter& out, const std::string& stem, int size, Glyph glyph,
                   Rgba hoverDisc) {
    for (ButtonState state : kAllStates) {
        out.Png(stem + StateSuffix(state) + ".png", size, size, [&](cairo_t* cr, int, int) {
            const double c = size / 2.0;
            Rgba color = Hex(0xB8C7CA);
            if (state == ButtonState::kHover || state == ButtonState::kPressed) {
                cairo_arc(cr, c, c, c - 0.5, 0, 2 * std::numbers::pi);
                SetColor(cr, WithAlpha(hoverDisc, state == ButtonState::kHover ? 0.85 : 1.0));
                cairo_fill(cr);
                color = kWhite;
            }
            if (state == ButtonState::kDisabled)
                color = kDisabled;
            DrawGlyph(cr, glyph, c, c, size * 0.78, color);
        });
    }
}

// A push button drawn as a nine-grid (corner 12), one image or four states.
void PushButton(cairo_t* cr, int w, int h, ButtonState state) {
    StateLook look = LookOf(state);
    if (state == ButtonState::kNormal) {
        look.faceTop = Hex(0x1F4248);
        look.faceBottom = Hex(0x12292D);
        look.border = Mix(kCyan, kTealDeep, 0.45);
    }
    DrawBody(cr, 0, 0, w, h, 7, look);
}

// ---- fields --------------------------------------------------------------------------------

void ComboField(cairo_t* cr, int w, int h, Rgba fill, double arrowColumn) {
    DrawField(cr, w, h, 6, fill, ButtonState::kNormal);
    const double x = w - arrowColumn + 0.5;
    cairo_move_to(cr, x, 7);
    cairo_line_to(cr, x, h - 7);
    SetColor(cr, Hex(0x2E4A4E));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    DrawChevron(cr, w - arrowColumn / 2.0, h / 2.0, std::min(12.0, h * 0.34), 0, kCyan, 2);
}

// ---- panels --------------------------------------------------------------------------------

void Card(cairo_t* cr, double x, double y, double w, double h, double header) {
    // Drop shadow, body, edge, and an optional header band with a cyan hairline.
    for (int i = 4; i >= 1; --i) {
        RoundRectPath(cr, x - i + 1, y - i + 3, w + 2 * i - 2, h + 2 * i - 2, 10 + i);
        SetColor(cr, Hex(0x000000, 0.07));
        cairo_fill(cr);
    }
    RoundRectPath(cr, x, y, w, h, 10);
    FillVertical(cr, y, y + h, Hex(0x142126, 0.96), Hex(0x0C1416, 0.96));
    if (header > 0) {
        cairo_save(cr);
        RoundRectPath(cr, x, y, w, h, 10);
        cairo_clip(cr);
        cairo_rectangle(cr, x, y, w, header);
        FillVertical(cr, y, y + header, Hex(0x1D3136), Hex(0x15252A));
        cairo_restore(cr);
        cairo_pattern_t* line = cairo_pattern_create_linear(x, 0, x + w, 0);
        cairo_pattern_add_color_stop_rgba(line, 0, kCyan.r, kCyan.g, kCyan.b, 0.0);
        cairo_pattern_add_color_stop_rgba(line, 0.5, kCyan.r, kCyan.g, kCyan.b, 0.8);
        cairo_pattern_add_color_stop_rgba(line, 1, kCyan.r, kCyan.g, kCyan.b, 0.0);
        cairo_rectangle(cr, x + 8, y + header - 1, w - 16, 1);
        cairo_set_source(cr, line);
        cairo_fill(cr);
        cairo_pattern_destroy(line);
    }
    RoundRectPath(cr, x + 0.5, y + 0.5, w - 1, h - 1, 10);
    SetColor(cr, kPanelEdge);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void WindowBackground(cairo_t* cr, int w, int h, int headerHeight) {
    RoundRectPath(cr, 0, 0, w, h, 10);
    FillVertical(cr, 0, h, kWindowTop, kWindowBottom);
    cairo_save(cr);
    RoundRectPath(cr, 0, 0, w, h, 10);
    cairo_clip(cr);
    // A wide teal glow behind the content and a darker header band.
    cairo_pattern_t* glow =
        cairo_pattern_create_radial(w / 2.0, h * 0.48, 10, w / 2.0, h * 0.48, w * 0.55);
    cairo_pattern_add_color_stop_rgba(glow, 0, 0.10, 0.36, 0.38, 0.30);
    cairo_pattern_add_color_stop_rgba(glow, 1, 0.10, 0.36, 0.38, 0.0);
    cairo_set_source(cr, glow);
    cairo_paint(cr);
    cairo_pattern_destroy(glow);
    if (headerHeight > 0) {
        cairo_rectangle(cr, 0, 0, w, headerHeight);
        FillVertical(cr, 0, headerHeight, Hex(0x0A1113), Hex(0x0D1719));
        cairo_rectangle(cr, 0, headerHeight - 1, w, 1);
        SetColor(cr, WithAlpha(kCyan, 0.35));
        cairo_fill(cr);
    }
    // Fine diagonal texture, barely visible, gives the surface some material.
    cairo_set_line_width(cr, 1);
    SetColor(cr, Hex(0xFFFFFF, 0.012));
    for (int x = -h; x < w; x += 6) {
        cairo_move_to(cr, x, h);
        cairo_line_to(cr, x + h, 0);
    }
    cairo_stroke(cr);
    cairo_restore(cr);
    RoundRectPath(cr, 0.5, 0.5, w - 1, h - 1, 10);
    SetColor(cr, Hex(0x2A4146));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    RoundRectPath(cr, 1.5, 1.5, w - 3, h - 3, 9);
    SetColor(cr, Hex(0xFFFFFF, 0.04));
    cairo_stroke(cr);
}

// ---- the keyboard picture ------------------------------------------------------------------

bool IsArrowLabel(const std::string& label, Glyph& glyph) {
    if (label == "\u2190")
        glyph = Glyph::kArrowLeft;
    else if (label == "\u2192")
        glyph = Glyph::kArrowRight;
    else if (label == "\u2191")
        glyph = Glyph::kArrowUp;
    else if (label == "\u2193")
        glyph = Glyph::kArrowDown;
    else
        return false;
    return true;
}

void KeyCap(cairo_t* cr, const PictureKey& key, double ox, double oy) {
    const double x = ox + key.left;
    const double y = oy + key.top;
    const double w = key.width;
    const double h = key.height;
    if (w < 8)
        return;  // the hidden ISO key has no cap of its own
    // Skirt of the cap, then the dished top face, lit from above.
    RoundRectPath(cr, x + 1, y + 1, w - 2, h - 2, 6);
    FillVertical(cr, y, y + h, Hex(0x2C2C2E), Hex(0x1B1B1C));
    RoundRectPath(cr, x + 1.5, y + 1.5, w - 3, h - 3, 5.5);
    SetColor(cr, Hex(0x000000, 0.6));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    RoundRectPath(cr, x + 5, y + 3, w - 10, h - 10, 4);
    FillVertical(cr, y + 3, y + h - 7, Hex(0x3E3F42), Hex(0x313235));
    RoundRectPath(cr, x + 5.5, y + 3.5, w - 11, h - 11, 3.5);
    SetColor(cr, Hex(0xFFFFFF, 0.08));
    cairo_stroke(cr);

    const std::string label = key.label;
    const Rgba ink = Hex(0xE4EEF0);
    const double cx = x + w / 2;
    const double cy = y + 3 + (h - 10) / 2.0;
    Glyph glyph{};
    if (IsArrowLabel(label, glyph)) {
        DrawGlyph(cr, glyph, cx, cy, 16, ink);
        return;
    }
    // Two-symbol keys show the shifted symbol above the plain one.
    const bool stacked = label.size() == 2 && !std::isalnum(static_cast<unsigned char>(label[1])) &&
                         !(label[0] == 'F' && std::isdigit(static_cast<unsigned char>(label[1])));
    if (stacked) {
        DrawText(cr, std::string(1, label[1]), cx, cy - 7, 11, Hex(0xA8B6B9), false);
        DrawText(cr, std::string(1, label[0]), cx, cy + 7, 12, ink, true);
        return;
    }
    const double size = label.size() <= 2   ? 14
                        : label.size() <= 3 ? 13
                        : label.size() <= 4 ? 11
                                            : 10;
    DrawText(cr, label, cx, cy, size, ink, label.size() <= 3);
}

void KeyboardPicture(cairo_t* cr, int w, int h) {
    // Case: brushed plate in the picture's key-plate grey inside a darker aluminium frame.
    for (int i = 6; i >= 1; --i) {
        RoundRectPath(cr, 6 - i, 8 - i, w - 12 + 2 * i, h - 12 + 2 * i, 14 + i);
        SetColor(cr, Hex(0x000000, 0.06));
        cairo_fill(cr);
    }
    RoundRectPath(cr, 2, 2, w - 4, h - 6, 14);
    FillVertical(cr, 2, h - 4, Hex(0x3A3A3C), Hex(0x202021));
    RoundRectPath(cr, 8, 9, w - 16, h - 18, 9);
    FillVertical(cr, 9, h - 9, Mix(kKeyPlate, kWhite, 0.04), Mix(kKeyPlate, Hex(0x000000), 0.25));
    cairo_save(cr);
    RoundRectPath(cr, 8, 9, w - 16, h - 18, 9);
    cairo_clip(cr);
    SetColor(cr, Hex(0xFFFFFF, 0.025));
    cairo_set_line_width(cr, 1);
    for (int y = 10; y < h - 9; y += 2) {
        cairo_move_to(cr, 8, y + 0.5);
        cairo_line_to(cr, w - 8, y + 0.5);
    }
    cairo_stroke(cr);
    cairo_restore(cr);
    RoundRectPath(cr, 2.5, 2.5, w - 5, h - 7, 13.5);
    SetColor(cr, Hex(0x6A6A6D));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    RoundRectPath(cr, 8.5, 9.5, w - 17, h - 19, 8.5);
    SetColor(cr, Hex(0x000000, 0.55));
    cairo_stroke(cr);
    // Light bar along the front edge.
    cairo_pattern_t* bar = cairo_pattern_create_linear(40, 0, w - 40, 0);
    cairo_pattern_add_color_stop_rgba(bar, 0, kCyan.r, kCyan.g, kCyan.b, 0);
    cairo_pattern_add_color_stop_rgba(bar, 0.5, kCyan.r, kCyan.g, kCyan.b, 0.9);
    cairo_pattern_add_color_stop_rgba(bar, 1, kCyan.r, kCyan.g, kCyan.b, 0);
    cairo_rectangle(cr, 40, h - 5, w - 80, 1.5);
    cairo_set_source(cr, bar);
    cairo_fill(cr);
    cairo_pattern_destroy(bar);
    for (const PictureKey& key : kPictureKeys)
        KeyCap(cr, key, 15, 16);
}

// ---- the colour wheel ----------------------------------------------------------------------

void HsvToRgb(double h, double s, double v, double& r, double& g, double& b) {
    const double c = v * s;
    const double hp = std::fmod(h, 360.0) / 60.0;
    const double x = c * (1 - std::fabs(std::fmod(hp, 2.0) - 1));
    double r1 = 0, g1 = 0, b1 = 0;
    if (hp < 1)
        r1 = c, g1 = x;
    else if (hp < 2)
        r1 = x, g1 = c;
    else if (hp < 3)
        g1 = c, b1 = x;
    else if (hp < 4)
        g1 = x, b1 = c;
    else if (hp < 5)
        r1 = x, b1 = c;
    else
        r1 = c, b1 = x;
    r = r1 + v - c;
    g = g1 + v - c;
    b = b1 + v - c;
}

// The ring the wheel control samples: hue around, pale near the inner edge (radius 35),
// fully saturated towards the outer edge (radius 73).
void ColourWheel(cairo_t* cr, int w, int h) {
    cairo_surface_t* target = cairo_get_target(cr);
    cairo_surface_flush(target);
    unsigned char* data = cairo_image_surface_get_data(target);
    const int stride = cairo_image_surface_get_stride(target);
    const double cx = w / 2.0;
    const double cy = h / 2.0;
    for (int y = 0; y < h; ++y) {
        auto* row =
            reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        for (int x = 0; x < w; ++x) {
            double coverage = 0;
            double r = 0, g = 0, b = 0;
            // 4x4 supersampling for smooth edges.
            for (int sy = 0; sy < 4; ++sy) {
                for (int sx = 0; sx < 4; ++sx) {
                    const double px = x + (sx + 0.5) / 4 - cx;
                    const double py = y + (sy + 0.5) / 4 - cy;
                    const double d = std::hypot(px, py);
                    if (d < 34.5 || d > 72.8)
                        continue;
                    const double hue = std::atan2(-py, px) * 180 / std::numbers::pi + 360;
                    const double t = (d - 34.5) / (72.8 - 34.5);
                    double pr, pg, pb;
                    HsvToRgb(hue, std::min(1.0, 0.08 + t * 1.5), 1.0, pr, pg, pb);
                    r += pr;
                    g += pg;
                    b += pb;
                    coverage += 1;
                }
            }
            if (coverage == 0)
                continue;
            const double a = coverage / 16;
            const auto channel = [&](double v) {
                return static_cast<std::uint32_t>(std::lround(v / coverage * a * 255));
            };
            row[x] = (static_cast<std::uint32_t>(std::lround(a * 255)) << 24) | (channel(r) << 16) |
                     (channel(g) << 8) | channel(b);
        }
    }
    cairo_surface_mark_dirty(target);
}

// ---- the program icon ----------------------------------------------------------------------

void ProgramIcon(cairo_t* cr, int size, int) {
    const double s = size;
    cairo_scale(cr, s / 256.0, s / 256.0);
    RoundRectPath(cr, 16, 16, 224, 224, 48);
    FillVertical(cr, 16, 240, Hex(0x1F3A40), Hex(0x081012));
    RoundRectPath(cr, 19, 19, 218, 218, 45);
    SetColor(cr, WithAlpha(kCyan, 0.85));
    cairo_set_line_width(cr, 6);
    cairo_stroke(cr);
    // A keycap woven from three bands: the loom of keys.
    RoundRectPath(cr, 62, 58, 132, 124, 22);
    FillVertical(cr, 58, 182, Hex(0x4A4B4F), Hex(0x2A2B2E));
    RoundRectPath(cr, 78, 66, 100, 90, 16);
    FillVertical(cr, 66, 156, Hex(0x5E6065), Hex(0x45474B));
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 14);
    const Rgba bands[] = {kCyan, kOrange, Mix(kCyan, kWhite, 0.4)};
    for (int i = 0; i < 3; ++i) {
        cairo_move_to(cr, 92, 88 + i * 24);
        cairo_line_to(cr, 164, 88 + i * 24);
        SetColor(cr, bands[i]);
        cairo_stroke(cr);
    }
    cairo_rectangle(cr, 40, 198, 176, 10);
    FillVertical(cr, 198, 208, WithAlpha(kCyan, 0.9), WithAlpha(kCyan, 0.2));
}

// One icon image as an ICO bitmap entry: BITMAPINFOHEADER, bottom-up straight BGRA, and an
// empty AND mask (the alpha channel carries the shape). Every icon loader reads these.
std::string IconBitmap(int size) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
    cairo_t* cr = cairo_create(surface);
    ProgramIcon(cr, size, size);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    std::string out;
    const auto u16 = [&](unsigned v) {
        out.push_back(static_cast<char>(v & 0xFF));
        out.push_back(static_cast<char>((v >> 8) & 0xFF));
    };
    const auto u32 = [&](std::uint32_t v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    };
    const std::uint32_t maskStride = ((static_cast<std::uint32_t>(size) + 31) / 32) * 4;
    const std::uint32_t side = static_cast<std::uint32_t>(size);
    u32(40);
    u32(side);
    u32(side * 2);  // colour rows and mask rows
    u16(1);
    u16(32);
    u32(0);
    u32(side * side * 4 + maskStride * side);
    u32(0);
    u32(0);
    u32(0);
    u32(0);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = size - 1; y >= 0; --y) {
        const auto* row =
            reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        for (int x = 0; x < size; ++x) {
            const std::uint32_t p = row[x];
            const std::uint32_t a = p >> 24;
            const auto straight = [&](std::uint32_t c) {
                return a == 0 ? 0u : (c * 255 + a / 2) / a;
            };
            out.push_back(static_cast<char>(straight(p & 0xFF)));
            out.push_back(static_cast<char>(straight((p >> 8) & 0xFF)));
            out.push_back(static_cast<char>(straight((p >> 16) & 0xFF)));
            out.push_back(static_cast<char>(a));
        }
    }
    out.append(static_cast<std::size_t>(maskStride) * side, '\0');
    cairo_surface_destroy(surface);
    return out;
}

std::string IconFile(const std::vector<int>& sizes) {
    std::vector<std::string> images;
    images.reserve(sizes.size());
    for (int size : sizes)
        images.push_back(IconBitmap(size));
    std::string out;
    const auto u16 = [&](unsigned v) {
        out.push_back(static_cast<char>(v & 0xFF));
        out.push_back(static_cast<char>((v >> 8) & 0xFF));
    };
    const auto u32 = [&](std::size_t v) {
        u16(static_cast<unsigned>(v & 0xFFFF));
        u16(static_cast<unsigned>((v >> 16) & 0xFFFF));
    };
    u16(0);
    u16(1);
    u16(static_cast<unsigned>(sizes.size()));
    std::size_t offset = 6 + 16 * sizes.size();
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        const unsigned side = sizes[i] >= 256 ? 0 : static_cast<unsigned>(sizes[i]);
        out.push_back(static_cast<char>(side));
        out.push_back(static_cast<char>(side));
        out.push_back(0);  // palette size
        out.push_back(0);  // reserved
        u16(1);            // planes
        u16(32);           // bits per pixel
        u32(images[i].size());
        u32(offset);
        offset += images[i].size();
    }
    for (const std::string& image : images)
        out += image;
    return out;
}

// ---- the catalogue -------------------------------------------------------------------------

void PaintAll(SkinWriter& out) {
    // Window backgrounds and logo.
    out.Png("bkg.png", 1200, 800, [](cairo_t* cr, int w, int h) {
        WindowBackground(cr, w, h, 60);
        cairo_rectangle(cr, 1, h - 35, w - 2, 1);
        SetColor(cr, Hex(0xFFFFFF, 0.05));
        cairo_fill(cr);
    });
    out.Png("dlg_edit_bkg.png", 330, 180,
            [](cairo_t* cr, int w, int h) { WindowBackground(cr, w, h, 48); });
    out.Png("logo.png", 190, 30, [](cairo_t* cr, int, int h) {
        // Emblem: a small keycap with a cyan band, then the word mark.
        RoundRectPath(cr, 1, 3, 24, 24, 6);
        FillVertical(cr, 3, 27, Hex(0x2E5359), Hex(0x122427));
        RoundRectPath(cr, 1.5, 3.5, 23, 23, 5.5);
        SetColor(cr, kCyan);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        cairo_rectangle(cr, 7, 12, 12, 3);
        SetColor(cr, kCyan);
        cairo_fill(cr);
        cairo_rectangle(cr, 7, 17, 8, 3);
        SetColor(cr, kOrange);
        cairo_fill(cr);
        cairo_select_font_face(cr, "Open Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
        cairo_set_font_size(cr, 21);
        cairo_move_to(cr, 33, h - 7);
        cairo_text_path(cr, "KEYLOOM");
        FillVertical(cr, 4, h - 4, kCyanBright, kCyan);
    });

    // Caption buttons.
    CaptionButton(out, "sysbtn_close", 19, Glyph::kClose, Hex(0xD9342B));
    CaptionButton(out, "sysbtn_min", 19, Glyph::kMinimize, Mix(kTealDeep, kCyan, 0.3));
    CaptionButton(out, "sysbtn_setting", 18, Glyph::kGear, Mix(kTealDeep, kCyan, 0.3));

    // Profile tools, record tools and small action buttons.
    IconButton(out, "btn_add", 39, 39, Glyph::kPlus, 8, 0.5);
    IconButton(out, "btn_edit", 39, 39, Glyph::kPencil, 8, 0.58);
    IconButton(out, "btn_del", 39, 39, Glyph::kTrash, 8, 0.58);
    IconButton(out, "btn_import", 39, 39, Glyph::kImport, 8, 0.58);
    IconButton(out, "btn_export", 39, 39, Glyph::kExport, 8, 0.58);
    IconButton(out, "btn_openkb", 39, 39, Glyph::kKeyboard, 8, 0.66);
    IconButton(out, "btn_openfile", 37, 35, Glyph::kFolder, 7, 0.6);
    IconButton(out, "btn_save", 22, 22, Glyph::kSave, 5, 0.66);
    IconButton(out, "btn_record_insert", 22, 21, Glyph::kPlus, 5, 0.62);
    IconButton(out, "btn_record_del", 22, 22, Glyph::kMinus, 5, 0.62);
    IconButton(out, "btn_record_clear", 20, 21, Glyph::kClear, 5, 0.66);

    // Push buttons: one look for every state, and the four-state "apply" button.
    out.Png("btn_button.png", 167, 36,
            [](cairo_t* cr, int w, int h) { PushButton(cr, w, h, ButtonState::kNormal); });
    for (ButtonState state : kAllStates) {
        out.Png(std::string("btn_appy") + StateSuffix(state) + ".png", 167, 54,
                [state](cairo_t* cr, int w, int h) { PushButton(cr, w, h, state); });
    }

    // Page switch of the device page: dark segment, lit when chosen.
    out.Png("btn_tab_device.png", 160, 40, [](cairo_t* cr, int w, int h) {
        DrawBody(cr, 0, 0, w, h, 6, LookOf(ButtonState::kNormal));
    });
    out.Png("btn_tab_device_check.png", 160, 40, [](cairo_t* cr, int w, int h) {
        StateLook lit{kCyanBright, kCyan, Mix(kCyan, kWhite, 0.5), kWhite, 0.4};
        DrawBody(cr, 0, 0, w, h, 6, lit);
    });
    // Separator between the tab bar's items.
    out.Png("img_tabline.png", 2, 50, [](cairo_t* cr, int, int h) {
        cairo_rectangle(cr, 0, 0, 1, h);
        cairo_pattern_t* fade = cairo_pattern_create_linear(0, 0, 0, h);
        cairo_pattern_add_color_stop_rgba(fade, 0, 1, 1, 1, 0);
        cairo_pattern_add_color_stop_rgba(fade, 0.5, 1, 1, 1, 0.55);
        cairo_pattern_add_color_stop_rgba(fade, 1, 1, 1, 1, 0);
        cairo_set_source(cr, fade);
        cairo_fill(cr);
        cairo_pattern_destroy(fade);
        cairo_rectangle(cr, 1, 0, 1, h);
        FillVertical(cr, 0, h, Hex(0x000000, 0), Hex(0x000000, 0.2));
    });
    // Layer switch icons: stacked plates, lit in the chosen layer's orange.
    const auto layers = [](cairo_t* cr, Rgba color, bool filled) {
        for (int i = 2; i >= 0; --i) {
            const double y = 2.5 + i * 4;
            cairo_move_to(cr, 13, y);
            cairo_line_to(cr, 22, y + 3);
            cairo_line_to(cr, 13, y + 6);
            cairo_line_to(cr, 4, y + 3);
            cairo_close_path(cr);
            SetColor(cr, WithAlpha(color, filled ? 1.0 - i * 0.25 : 0.0));
            cairo_fill_preserve(cr);
            SetColor(cr, filled ? Mix(color, kWhite, 0.3) : color);
            cairo_set_line_width(cr, 1);
            cairo_stroke(cr);
        }
    };
    out.Png("icon/icon_layerbutton_n.png", 26, 15,
            [&](cairo_t* cr, int, int) { layers(cr, Hex(0xC9D5D8), false); });
    out.Png("icon/icon_layerbutton_p.png", 26, 15,
            [&](cairo_t* cr, int, int) { layers(cr, kOrange, true); });

    // Check box: an empty box and the checked one.
    out.Png("btn_checkbox.png", 20, 20, [](cairo_t* cr, int w, int h) {
        DrawField(cr, w, h, 4, kFieldTeal, ButtonState::kNormal);
    });
    out.Png("btn_checkbox_check.png", 20, 20, [](cairo_t* cr, int w, int h) {
        StateLook lit{kCyanBright, kCyan, Mix(kCyan, kWhite, 0.4), Hex(0x0A2226), 0.3};
        DrawBody(cr, 0, 0, w, h, 4, lit);
        DrawGlyph(cr, Glyph::kCheck, w / 2.0, h / 2.0, 15, Hex(0x0A2226));
    });
    // Direction choices: radio looks with an arrow; the down image is the chosen one.
    const struct {
        const char* name;
        Glyph glyph;
    } directions[] = {{"left", Glyph::kArrowLeft},
                      {"right", Glyph::kArrowRight},
                      {"top", Glyph::kArrowUp},
                      {"bottom", Glyph::kArrowDown}};
    for (const auto& direction : directions) {
        for (ButtonState state : kAllStates) {
            out.Png(std::string("img_direction_") + direction.name + StateSuffix(state) + ".png",
                    32, 32, [&](cairo_t* cr, int w, int h) {
                        StateLook look = LookOf(state);
                        if (state == ButtonState::kPressed) {
                            look = {Mix(kCyan, kWhite, 0.25), kCyan, Mix(kCyan, kWhite, 0.5),
                                    Hex(0x06181B), 0.45};
                        }
                        DrawBody(cr, 0, 0, w, h, 7, look);
                        DrawGlyph(cr, direction.glyph, w / 2.0, h / 2.0, 18, look.glyph);
                    });
        }
    }

    // Edit and combo fields.
    out.Png("img_edit.png", 60, 30, [](cairo_t* cr, int w, int h) {
        DrawField(cr, w, h, 5, Hex(0x232323), ButtonState::kNormal);
    });
    out.Png("img_macro_edit.png", 210, 30, [](cairo_t* cr, int w, int h) {
        DrawField(cr, w, h, 5, Hex(0x222222), ButtonState::kNormal);
    });
    for (ButtonState state : kAllStates) {
        out.Png(std::string("img_edit_bkg") + StateSuffix(state) + ".png", 182, 47,
                [state](cairo_t* cr, int w, int h) { DrawField(cr, w, h, 6, kFieldTeal, state); });
    }
    out.Png("btn_combox.png", 285, 44,
            [](cairo_t* cr, int w, int h) { ComboField(cr, w, h, Hex(0x1A2528), 35); });
    out.Png("img_macro_combox.png", 210, 30,
            [](cairo_t* cr, int w, int h) { ComboField(cr, w, h, Hex(0x1A2528), 30); });
    // The drop-down's rows are written in near-black, so its panel is the one light surface
    // of the skin: a pale sheet with the cyan rim.
    out.Png("img_combobox_bkg.png", 24, 24, [](cairo_t* cr, int w, int h) {
        RoundRectPath(cr, 0.5, 0.5, w - 1, h - 1, 5);
        FillVertical(cr, 0, h, Hex(0xE6EFF1), Hex(0xC8D7DA));
        RoundRectPath(cr, 0.5, 0.5, w - 1, h - 1, 5);
        SetColor(cr, Mix(kCyan, kTealDeep, 0.5));
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    });
    out.Png("img_menubkg.png", 90, 90, [](cairo_t* cr, int w, int h) {
        RoundRectPath(cr, 0.5, 0.5, w - 1, h - 1, 8);
        FillVertical(cr, 0, h, Hex(0x15262A, 0.98), Hex(0x0C1517, 0.98));
        RoundRectPath(cr, 0.5, 0.5, w - 1, h - 1, 8);
        SetColor(cr, Mix(kCyan, kTealDeep, 0.4));
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    });

    // Sliders: groove, lit fill, round thumb; the palette's bar marker; spin arrows.
    out.Png("img_slider_back.png", 40, 6, [](cairo_t* cr, int w, int h) {
        RoundRectPath(cr, 0, 0, w, h, 3);
        FillVertical(cr, 0, h, Hex(0x050809), Hex(0x1D2A2D));
    });
    out.Png("img_slider_fore.png", 40, 6, [](cairo_t* cr, int w, int h) {
        RoundRectPath(cr, 0, 0, w, h, 3);
        FillVertical(cr, 0, h, kCyanBright, Mix(kCyan, kTealDeep, 0.4));
    });
    for (ButtonState state : kAllStates) {
        out.Png(std::string("img_thumb") + StateSuffix(state) + ".png", 29, 29,
                [state](cairo_t* cr, int w, int) {
                    const double c = w / 2.0;
                    const double pi2 = 2 * std::numbers::pi;
                    const StateLook look = LookOf(state);
                    if (look.glow > 0) {
                        cairo_pattern_t* halo = cairo_pattern_create_radial(c, c, 6, c, c, c);
                        cairo_pattern_add_color_stop_rgba(halo, 0, kCyan.r, kCyan.g, kCyan.b, 0.5);
                        cairo_pattern_add_color_stop_rgba(halo, 1, kCyan.r, kCyan.g, kCyan.b, 0);
                        cairo_arc(cr, c, c, c, 0, pi2);
                        cairo_set_source(cr, halo);
                        cairo_fill(cr);
                        cairo_pattern_destroy(halo);
                    }
                    cairo_arc(cr, c, c + 1, 9.5, 0, pi2);
                    SetColor(cr, Hex(0x000000, 0.45));
                    cairo_fill(cr);
                    cairo_arc(cr, c, c, 9, 0, pi2);
                    FillVertical(cr, c - 9, c + 9, Hex(0xF2F6F7), Hex(0xAEB9BC));
                    cairo_arc(cr, c, c, 8.5, 0, pi2);
                    SetColor(cr, state == ButtonState::kDisabled ? Hex(0x5A6163) : look.border);
                    cairo_set_line_width(cr, 1);
                    cairo_stroke(cr);
                    cairo_arc(cr, c, c, 4, 0, pi2);
                    SetColor(cr, state == ButtonState::kDisabled  ? kDisabled
                                 : state == ButtonState::kPressed ? kOrange
                                                                  : kCyan);
                    cairo_fill(cr);
                });
    }
    out.Png("img_palette_thumb.png", 10, 12, [](cairo_t* cr, int w, int h) {
        cairo_move_to(cr, 0.5, 0.5);
        cairo_line_to(cr, w - 0.5, h / 2.0);
        cairo_line_to(cr, 0.5, h - 0.5);
        cairo_close_path(cr);
        SetColor(cr, kWhite);
        cairo_fill_preserve(cr);
        SetColor(cr, Hex(0x000000, 0.6));
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    });
    out.Png("img_spin_up.png", 14, 9,
            [](cairo_t* cr, int w, int h) { DrawChevron(cr, w / 2.0, h / 2.0, 10, 1, kCyan, 2); });
    out.Png("img_spin_down.png", 14, 9,
            [](cairo_t* cr, int w, int h) { DrawChevron(cr, w / 2.0, h / 2.0, 10, 0, kCyan, 2); });

    // Scroll bars: three frames side by side (track, hovered thumb, thumb).
    const auto scrollFrame = [](cairo_t* cr, double x, double y, double w, double h, int frame) {
        RoundRectPath(cr, x, y, w, h, std::min(w, h) / 2);
        SetColor(cr, frame == 0   ? Hex(0xFFFFFF, 0.06)
                     : frame == 1 ? kCyan
                                  : Mix(kCyan, kTealDeep, 0.5));
        cairo_fill(cr);
    };
    out.Png("img_scroll_v.png", 15, 40, [&](cairo_t* cr, int, int h) {
        for (int i = 0; i < 3; ++i)
            scrollFrame(cr, i * 5, 0, 5, h, i);
    });
    out.Png("img_scroll_h.png", 120, 5, [&](cairo_t* cr, int, int h) {
        for (int i = 0; i < 3; ++i)
            scrollFrame(cr, i * 40, 0, 40, h, i);
    });

    // Tips and balloons.
    out.Png("img_tip_bk.png", 40, 40, [](cairo_t* cr, int w, int h) {
        RoundRectPath(cr, 0.5, 0.5, w - 1, h - 1, 6);
        FillVertical(cr, 0, h, Hex(0x16282C, 0.97), Hex(0x0B1315, 0.97));
        RoundRectPath(cr, 0.5, 0.5, w - 1, h - 1, 6);
        SetColor(cr, WithAlpha(kCyan, 0.8));
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    });
    const auto tipArrow = [](cairo_t* cr, double x0, double y0, double x1, double y1, double x2,
                             double y2) {
        cairo_move_to(cr, x0, y0);
        cairo_line_to(cr, x1, y1);
        cairo_line_to(cr, x2, y2);
        SetColor(cr, Hex(0x112023, 0.97));
        cairo_fill_preserve(cr);
        SetColor(cr, WithAlpha(kCyan, 0.8));
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    };
    out.Png("img_tip_arrow_left.png", 8, 14,
            [&](cairo_t* cr, int, int) { tipArrow(cr, 8, 0.5, 0.5, 7, 8, 13.5); });
    out.Png("img_tip_arrow_right.png", 8, 14,
            [&](cairo_t* cr, int, int) { tipArrow(cr, 0, 0.5, 7.5, 7, 0, 13.5); });
    out.Png("img_tip_arrow_top.png", 14, 8,
            [&](cairo_t* cr, int, int) { tipArrow(cr, 0.5, 8, 7, 0.5, 13.5, 8); });

    // Macro page: one panel with three columns, and the same pieces on their own.
    out.Png("img_macro_bkg.png", 1094, 531, [](cairo_t* cr, int, int h) {
        Card(cr, 6, 2, 310, h - 6, 46);
        Card(cr, 388, 2, 328, h - 6, 46);
        Card(cr, 800, 2, 288, h - 6, 46);
    });
    out.Png("img_pic_macro_bkg.png", 310, 525,
            [](cairo_t* cr, int w, int h) { Card(cr, 0, 0, w, h - 4, 46); });
    out.Png("img_pic_record_top.png", 328, 46,
            [](cairo_t* cr, int w, int h) { Card(cr, 0, 0, w, h, h); });
    out.Png("img_pic_record_bkg.png", 328, 479,
            [](cairo_t* cr, int w, int h) { Card(cr, 0, 0, w, h - 4, 0); });
    out.Png("img_pic_config_top.png", 288, 46,
            [](cairo_t* cr, int w, int h) { Card(cr, 0, 0, w, h, h); });
    out.Png("img_pic_config_bkg.png", 288, 479,
            [](cairo_t* cr, int w, int h) { Card(cr, 0, 0, w, h - 4, 0); });
    out.Png("img_config_area.png", 1041, 200,
            [](cairo_t* cr, int w, int h) { Card(cr, 0, 0, w, h - 4, 0); });
    // "More" button of a macro line: plain, on a highlighted line, pressed, hovered.
    out.Png("btn_macro_more.png", 96, 18, [](cairo_t* cr, int, int h) {
        const Rgba dots[] = {kOrange, Hex(0x050505), kWhite, kCyan};
        for (int frame = 0; frame < 4; ++frame) {
            const double x = frame * 24;
            RoundRectPath(cr, x + 1, 1, 22, h - 2, (h - 2) / 2.0);
            SetColor(cr, frame == 1   ? Hex(0xFFFFFF, 0.35)
                         : frame == 2 ? WithAlpha(kOrange, 0.9)
                                      : Hex(0xFFFFFF, frame == 3 ? 0.12 : 0.05));
            cairo_fill(cr);
            for (int i = -1; i <= 1; ++i) {
                cairo_arc(cr, x + 12 + i * 5.5, h / 2.0, 1.8, 0, 2 * std::numbers::pi);
            }
            SetColor(cr, dots[frame]);
            cairo_fill(cr);
        }
    });
    // Step kinds of the record list: key down/up, mouse down/up.
    const auto stepIcon = [](cairo_t* cr, bool mouse, bool down) {
        RoundRectPath(cr, 1, 1, 28, 28, 7);
        FillVertical(cr, 1, 29, Hex(0x1F3A40), Hex(0x0D1A1D));
        RoundRectPath(cr, 1.5, 1.5, 27, 27, 6.5);
        SetColor(cr, WithAlpha(kCyan, 0.7));
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        if (mouse) {
            RoundRectPath(cr, 8.5, 5.5, 11, 17, 5.5);
            cairo_move_to(cr, 14, 5.5);
            cairo_line_to(cr, 14, 12);
            SetColor(cr, kWhite);
            cairo_stroke(cr);
        } else {
            RoundRectPath(cr, 6.5, 7.5, 15, 13, 2.5);
            SetColor(cr, kWhite);
            cairo_stroke(cr);
            DrawText(cr, "K", 14, 14, 9, kWhite, true);
        }
        DrawGlyph(cr, down ? Glyph::kArrowDown : Glyph::kArrowUp, 23, 22, 9,
                  down ? kOrange : kCyan);
    };
    out.Png("icon/icon_record_key_down.png", 30, 30,
            [&](cairo_t* cr, int, int) { stepIcon(cr, false, true); });
    out.Png("icon/icon_record_key_up.png", 30, 30,
            [&](cairo_t* cr, int, int) { stepIcon(cr, false, false); });
    out.Png("icon/icon_record_mouse_down.png", 30, 30,
            [&](cairo_t* cr, int, int) { stepIcon(cr, true, true); });
    out.Png("icon/icon_record_mouse_up.png", 30, 30,
            [&](cairo_t* cr, int, int) { stepIcon(cr, true, false); });

    // Colour wheel and the keyboard picture.
    out.Png("img_circlepalette.png", 146, 146, ColourWheel);
    out.Png("device_kb.png", 1041, 316, KeyboardPicture);

    out.Bytes("Keyloom.ico", IconFile({16, 24, 32, 48, 64, 128}));
}

}  // namespace
}  // namespace keyloom::skin

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <images folder>\n", argv[0]);
        return 2;
    }
    std::error_code ec;
    std::filesystem::create_directories(argv[1], ec);
    if (ec) {
        std::fprintf(stderr, "skin: cannot create %s: %s\n", argv[1], ec.message().c_str());
        return 1;
    }
    keyloom::skin::SkinWriter writer(argv[1]);
    keyloom::skin::PaintAll(writer);
    // Hand back the font caches the text drawing filled, so leak checkers see a clean exit.
    cairo_debug_reset_static_data();
    FcFini();
    std::printf("skin: %d images written to %s, %d failed\n", writer.written(), argv[1],
                writer.failed());
    return writer.failed() == 0 ? 0 : 1;
}
