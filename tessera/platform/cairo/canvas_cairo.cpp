// The canvas over BGRA surfaces with Cairo, text with Pango.

#include <cairo.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "tessera/platform/cairo/text_language.h"
#include "tessera/platform/canvas.h"
#include "tessera/platform/image.h"
#include "tessera/platform/window_messages.h"
#include "text/utf_convert.h"

namespace Tessera {

namespace {

void SetSourceArgb(cairo_t* cr, ARGB c) {
    cairo_set_source_rgba(cr, ((c >> 16) & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0,
                          (c & 0xFF) / 255.0, ((c >> 24) & 0xFF) / 255.0);
}

// A Cairo view of a surface's memory; the surface keeps its pixels.
cairo_surface_t* WrapSurface(const Surface& s) {
    return cairo_image_surface_create_for_data(
        reinterpret_cast<unsigned char*>(const_cast<std::uint32_t*>(s.Data())), CAIRO_FORMAT_ARGB32,
        s.Width(), s.Height(), s.Stride());
}

void Rectangle(cairo_t* cr, const CRect& r) {
    cairo_rectangle(cr, r.left, r.top, r.Width(), r.Height());
}

// Draws `src` of `source` scaled into `dst`. Stretched pieces sample with edge padding
// inside their own source rectangle, so neighbouring pieces never bleed in.
void PaintScaled(cairo_t* cr, cairo_surface_t* source, const CRect& src, const CRect& dst,
                 double alpha) {
    if (src.IsRectEmpty() || dst.IsRectEmpty()) {
        return;
    }
    cairo_surface_t* piece =
        cairo_surface_create_for_rectangle(source, src.left, src.top, src.Width(), src.Height());
    cairo_save(cr);
    Rectangle(cr, dst);
    cairo_clip(cr);
    cairo_translate(cr, dst.left, dst.top);
    const bool scaled = src.Width() != dst.Width() || src.Height() != dst.Height();
    if (scaled) {
        cairo_scale(cr, static_cast<double>(dst.Width()) / src.Width(),
                    static_cast<double>(dst.Height()) / src.Height());
    }
    cairo_set_source_surface(cr, piece, 0, 0);
    cairo_pattern_t* pattern = cairo_get_source(cr);
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
    cairo_pattern_set_filter(pattern, scaled ? CAIRO_FILTER_BILINEAR : CAIRO_FILTER_NEAREST);
    if (alpha >= 1.0) {
        cairo_paint(cr);
    } else {
        cairo_paint_with_alpha(cr, alpha);
    }
    cairo_restore(cr);
    cairo_surface_destroy(piece);
}

PangoFontDescription* MakeFontDescription(const FontSpec& font) {
    PangoFontDescription* desc = pango_font_description_new();
    const std::string families = keyloom::WideToUtf8(ResolveFontFamilies(font.face));
    pango_font_description_set_family(desc, families.c_str());
    pango_font_description_set_absolute_size(desc, std::max(font.pixelSize, 1) * PANGO_SCALE);
    pango_font_description_set_weight(
        desc, (font.style & kFontStyleBold) ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_font_description_set_style(
        desc, (font.style & kFontStyleItalic) ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    return desc;
}

// Lays out `text` for `width` (0 = unbounded) with the DT_* format.
void ConfigureLayout(PangoLayout* layout, const std::wstring& text, const FontSpec& font, int width,
                     unsigned format) {
    pango_context_set_language(pango_layout_get_context(layout),
                               pango_language_from_string(TextLanguageTag()));
    pango_layout_context_changed(layout);
    PangoFontDescription* desc = MakeFontDescription(font);
    pango_layout_set_font_description(layout, desc);
    pango_font_description_free(desc);
    const std::string utf8 = keyloom::WideToUtf8(text);
    pango_layout_set_text(layout, utf8.c_str(), static_cast<int>(utf8.size()));
    if (font.style & kFontStyleUnderline) {
        PangoAttrList* attrs = pango_attr_list_new();
        pango_attr_list_insert(attrs, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
        pango_layout_set_attributes(layout, attrs);
        pango_attr_list_unref(attrs);
    }
    const bool single = (format & DT_SINGLELINE) != 0;
    pango_layout_set_single_paragraph_mode(layout, single);
    if (width > 0) {
        pango_layout_set_width(layout, width * PANGO_SCALE);
        if ((format & DT_WORDBREAK) && !single) {
            pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
        }
        if (format & DT_END_ELLIPSIS) {
            pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_END);
        }
    }
    if (format & DT_CENTER) {
        pango_layout_set_alignment(layout, PANGO_ALIGN_CENTER);
    } else if (format & DT_RIGHT) {
        pango_layout_set_alignment(layout, PANGO_ALIGN_RIGHT);
    } else {
        pango_layout_set_alignment(layout, PANGO_ALIGN_LEFT);
    }
}

}  // namespace

struct Canvas::Impl {
    cairo_surface_t* surface = nullptr;
    cairo_t* cr = nullptr;
    int clipDepth = 0;
    CPoint origin;
    // The clip in surface coordinates, for the raw-memory fast path.
    std::vector<CRect> clips;
    CRect Clip() const { return clips.back(); }
};

Canvas::Canvas(Surface& target) : target_(target), impl_(std::make_unique<Impl>()) {
    impl_->clips.push_back(target.Bounds());
    if (target.IsEmpty()) {
        return;
    }
    impl_->surface = WrapSurface(target);
    impl_->cr = cairo_create(impl_->surface);
}

Canvas::~Canvas() {
    if (impl_->cr != nullptr) {
        cairo_destroy(impl_->cr);
        cairo_surface_flush(impl_->surface);
        cairo_surface_destroy(impl_->surface);
    }
}

void Canvas::PushClip(const CRect& rect) {
    CRect r = rect;
    r.OffsetRect(impl_->origin.x, impl_->origin.y);
    impl_->clips.push_back(CRect::Intersect(impl_->Clip(), r));
    if (impl_->cr == nullptr) {
        return;
    }
    cairo_save(impl_->cr);
    Rectangle(impl_->cr, rect);
    cairo_clip(impl_->cr);
}

void Canvas::PopClip() {
    if (impl_->clips.size() <= 1) {
        return;
    }
    impl_->clips.pop_back();
    if (impl_->cr != nullptr) {
        // Restoring also restores the origin of the matching push; keep the current one.
        cairo_restore(impl_->cr);
        cairo_identity_matrix(impl_->cr);
        cairo_translate(impl_->cr, impl_->origin.x, impl_->origin.y);
    }
}

void Canvas::Translate(int dx, int dy) {
    impl_->origin.x += dx;
    impl_->origin.y += dy;
    if (impl_->cr != nullptr) {
        cairo_translate(impl_->cr, dx, dy);
    }
}

CPoint Canvas::GetOrigin() const {
    return impl_->origin;
}

void Canvas::FillRect(const CRect& rect, ARGB color) {
    if (impl_->cr == nullptr || (color >> 24) == 0 || rect.IsRectEmpty()) {
        return;
    }
    SetSourceArgb(impl_->cr, color);
    Rectangle(impl_->cr, rect);
    cairo_fill(impl_->cr);
}

void Canvas::ClearRect(const CRect& rect, ARGB color) {
    CRect r = rect;
    r.OffsetRect(impl_->origin.x, impl_->origin.y);
    r = CRect::Intersect(r, impl_->Clip());
    if (impl_->cr == nullptr || r.IsRectEmpty()) {
        return;
    }
    cairo_surface_flush(impl_->surface);
    target_.Fill(r, PremultiplyArgb(color));
    cairo_surface_mark_dirty_rectangle(impl_->surface, r.left, r.top, r.Width(), r.Height());
}

void Canvas::FillGradient(const CRect& rect, ARGB from, ARGB to, bool vertical) {
    if (impl_->cr == nullptr || rect.IsRectEmpty() || ((from >> 24) == 0 && (to >> 24) == 0)) {
        return;
    }
    cairo_pattern_t* p = vertical ? cairo_pattern_create_linear(0, rect.top, 0, rect.bottom)
                                  : cairo_pattern_create_linear(rect.left, 0, rect.right, 0);
    auto stop = [p](double at, ARGB c) {
        cairo_pattern_add_color_stop_rgba(p, at, ((c >> 16) & 0xFF) / 255.0,
                                          ((c >> 8) & 0xFF) / 255.0, (c & 0xFF) / 255.0,
                                          ((c >> 24) & 0xFF) / 255.0);
    };
    stop(0, from);
    stop(1, to);
    cairo_set_source(impl_->cr, p);
    Rectangle(impl_->cr, rect);
    cairo_fill(impl_->cr);
    cairo_pattern_destroy(p);
}

void Canvas::DrawRect(const CRect& rect, ARGB color, int lineWidth) {
    if (impl_->cr == nullptr || (color >> 24) == 0 || lineWidth <= 0) {
        return;
    }
    const double half = lineWidth / 2.0;
    SetSourceArgb(impl_->cr, color);
    cairo_set_line_width(impl_->cr, lineWidth);
    cairo_rectangle(impl_->cr, rect.left + half, rect.top + half, rect.Width() - lineWidth,
                    rect.Height() - lineWidth);
    cairo_stroke(impl_->cr);
}

void Canvas::DrawLine(CPoint from, CPoint to, ARGB color, double width) {
    if (impl_->cr == nullptr || (color >> 24) == 0) {
        return;
    }
    SetSourceArgb(impl_->cr, color);
    cairo_set_line_width(impl_->cr, width);
    // Pixel centres, so 1-pixel lines on whole coordinates stay crisp.
    const double shift = std::fmod(width, 2.0) == 1.0 ? 0.5 : 0.0;
    cairo_move_to(impl_->cr, from.x + shift, from.y + shift);
    cairo_line_to(impl_->cr, to.x + shift, to.y + shift);
    cairo_stroke(impl_->cr);
}

void Canvas::DrawRoundRect(const CRect& rect, int radius, ARGB color, double width, bool fill,
                           ARGB fillColor) {
    if (impl_->cr == nullptr || rect.IsRectEmpty()) {
        return;
    }
    cairo_t* cr = impl_->cr;
    const double inset = width / 2.0;
    const double x = rect.left + inset, y = rect.top + inset;
    const double w = rect.Width() - width, h = rect.Height() - width;
    const double r = std::clamp(static_cast<double>(radius), 0.0, std::min(w, h) / 2.0);
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
    if (fill && (fillColor >> 24) != 0) {
        SetSourceArgb(cr, fillColor);
        cairo_fill_preserve(cr);
    }
    if ((color >> 24) != 0 && width > 0) {
        SetSourceArgb(cr, color);
        cairo_set_line_width(cr, width);
        cairo_stroke(cr);
    }
    cairo_new_path(cr);
}

void Canvas::FillEllipse(const CRect& rect, ARGB color) {
    if (impl_->cr == nullptr || rect.IsRectEmpty() || (color >> 24) == 0) {
        return;
    }
    cairo_save(impl_->cr);
    cairo_translate(impl_->cr, rect.left + rect.Width() / 2.0, rect.top + rect.Height() / 2.0);
    cairo_scale(impl_->cr, rect.Width() / 2.0, rect.Height() / 2.0);
    cairo_arc(impl_->cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(impl_->cr);
    SetSourceArgb(impl_->cr, color);
    cairo_fill(impl_->cr);
}

void Canvas::DrawImage(const Image& image, const CRect& dst, const CRect& src, int alpha,
                       int frame) {
    const Surface& s = image.Frame(frame);
    CRect clippedSrc = CRect::Intersect(src, s.Bounds());
    if (impl_->cr == nullptr || s.IsEmpty() || alpha <= 0 || clippedSrc.IsRectEmpty()) {
        return;
    }
    cairo_surface_t* source = WrapSurface(s);
    PaintScaled(impl_->cr, source, src, dst, std::min(alpha, 255) / 255.0);
    cairo_surface_destroy(source);
}

void Canvas::DrawImage(const Image& image, int x, int y) {
    DrawImage(image, CRect(x, y, x + image.Width(), y + image.Height()),
              CRect(0, 0, image.Width(), image.Height()));
}

void Canvas::DrawImageNineGrid(const Image& image, const CRect& dst, const CRect& src, int left,
                               int top, int right, int bottom, int alpha, int frame) {
    const Surface& s = image.Frame(frame);
    if (impl_->cr == nullptr || s.IsEmpty() || alpha <= 0 || dst.IsRectEmpty() ||
        src.IsRectEmpty()) {
        return;
    }
    // Margins never exceed half of either side, so the pieces never overlap.
    auto fit = [](int margin, int a, int b) { return std::clamp(margin, 0, std::min(a, b) / 2); };
    left = fit(left, src.Width(), dst.Width());
    right = fit(right, src.Width(), dst.Width());
    top = fit(top, src.Height(), dst.Height());
    bottom = fit(bottom, src.Height(), dst.Height());
    const int sx[4] = {src.left, src.left + left, src.right - right, src.right};
    const int sy[4] = {src.top, src.top + top, src.bottom - bottom, src.bottom};
    const int dx[4] = {dst.left, dst.left + left, dst.right - right, dst.right};
    const int dy[4] = {dst.top, dst.top + top, dst.bottom - bottom, dst.bottom};
    cairo_surface_t* source = WrapSurface(s);
    const double a = std::min(alpha, 255) / 255.0;
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            PaintScaled(impl_->cr, source, CRect(sx[col], sy[row], sx[col + 1], sy[row + 1]),
                        CRect(dx[col], dy[row], dx[col + 1], dy[row + 1]), a);
        }
    }
    cairo_surface_destroy(source);
}

void Canvas::DrawSurface(const Surface& src, const CRect& srcRect, int dx, int dy, int alpha,
                         bool replace) {
    if (impl_->cr == nullptr || src.IsEmpty() || alpha <= 0) {
        return;
    }
    if (replace && alpha >= 255) {
        // Straight memory copy inside the clip: the cached-control fast path.
        CRect s = CRect::Intersect(srcRect, src.Bounds());
        const int ox = dx + (s.left - srcRect.left) + impl_->origin.x;
        const int oy = dy + (s.top - srcRect.top) + impl_->origin.y;
        CRect d = CRect::Intersect(CRect(ox, oy, ox + s.Width(), oy + s.Height()), impl_->Clip());
        if (d.IsRectEmpty()) {
            return;
        }
        cairo_surface_flush(impl_->surface);
        target_.CopyFrom(src,
                         CRect(s.left + d.left - ox, s.top + d.top - oy, s.left + d.right - ox,
                               s.top + d.bottom - oy),
                         d.left, d.top);
        cairo_surface_mark_dirty_rectangle(impl_->surface, d.left, d.top, d.Width(), d.Height());
        return;
    }
    cairo_surface_t* source = WrapSurface(src);
    cairo_save(impl_->cr);
    if (replace) {
        cairo_set_operator(impl_->cr, CAIRO_OPERATOR_SOURCE);
    }
    PaintScaled(impl_->cr, source, srcRect,
                CRect(dx, dy, dx + srcRect.Width(), dy + srcRect.Height()),
                std::min(alpha, 255) / 255.0);
    cairo_restore(impl_->cr);
    cairo_surface_destroy(source);
}

void Canvas::DrawText(const std::wstring& text, const CRect& rect, const FontSpec& font, ARGB color,
                      unsigned format) {
    if (impl_->cr == nullptr || text.empty() || (color >> 24) == 0 || rect.IsRectEmpty()) {
        return;
    }
    cairo_t* cr = impl_->cr;
    EnsureFontConfiguration();
    PangoLayout* layout = pango_cairo_create_layout(cr);
    ConfigureLayout(layout, text, font, rect.Width(), format);
    int w = 0, h = 0;
    pango_layout_get_pixel_size(layout, &w, &h);
    int y = rect.top;
    if (format & DT_VCENTER) {
        y = rect.top + (rect.Height() - h) / 2;
    } else if (format & DT_BOTTOM) {
        y = rect.bottom - h;
    }
    cairo_save(cr);
    if (!(format & DT_NOCLIP)) {
        Rectangle(cr, rect);
        cairo_clip(cr);
    }
    SetSourceArgb(cr, color);
    cairo_move_to(cr, rect.left, y);
    pango_cairo_show_layout(cr, layout);
    cairo_restore(cr);
    g_object_unref(layout);
}

CSize Canvas::MeasureText(const std::wstring& text, const FontSpec& font, int maxWidth) {
    if (text.empty()) {
        return {};
    }
    EnsureFontConfiguration();
    PangoContext* context = pango_font_map_create_context(pango_cairo_font_map_get_default());
    PangoLayout* layout = pango_layout_new(context);
    ConfigureLayout(layout, text, font, maxWidth, maxWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE);
    int w = 0, h = 0;
    pango_layout_get_pixel_size(layout, &w, &h);
    g_object_unref(layout);
    g_object_unref(context);
    return {w, h};
}

void Canvas::Flush() {
    if (impl_->surface != nullptr) {
        cairo_surface_flush(impl_->surface);
    }
}

}  // namespace Tessera
