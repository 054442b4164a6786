#pragma once

// MControlFont: the base of every control that shows text or skin images — the title,
// the font, four state text colours, a strip image and four state images, and the cache
// of side-by-side looks that button-like controls draw from.

#include <functional>
#include <string>

#include "tessera/core/control.h"
#include "tessera/core/image_cache.h"
#include "tessera/platform/fonts.h"

namespace Tessera {

class MControlFont : public MControl {
public:
    MControlFont(MObject* parent, unsigned id, CRect rect, const std::wstring& title, int visible,
                 int enabled, int response);

    // ---- virtual operations ----
    virtual void SetTextFont(const std::wstring& face) { face_ = face; }
    virtual void SetTextColor(ARGB color) { textColors_[0] = color; }
    virtual int SetImage(unsigned resId, const std::wstring& resType, int count);
    virtual int SetImage(const std::wstring& file, int count);
    virtual void SetControlTitle(const std::wstring& title) { title_ = title; }
    virtual std::wstring GetControlTitle() const { return title_; }

    // ---- title ----
    void SetTitle(const std::wstring& title);
    std::wstring GetTitle() const { return GetControlTitle(); }

    // ---- alignment (horizontal 0 left / 1 centre / 2 right, vertical 0 / 4 / 8) ----
    void SetAlignment(unsigned h);
    void SetVAlignment(unsigned v);
    void SetAlignment(unsigned h, unsigned v);
    void GetAlignment(unsigned& h, unsigned& v) const {
        h = hAlign_;
        v = vAlign_;
    }

    // ---- font ----
    void SetFont(const std::wstring& face, int size, int style) {
        face_ = face;
        fontSize_ = size;
        fontStyle_ = style;
    }
    const std::wstring& GetTextFont() const { return face_; }
    void SetFontStyle(int style) { fontStyle_ = style; }
    int GetFontStyle() const { return fontStyle_; }
    void SetFontWidth(int size) { fontSize_ = size; }
    int GetFontWidth() const { return fontSize_; }
    void SetTextRenderingHint(int hint) { renderingHint_ = hint; }
    // The family list the window holds under `face` (its private fonts); empty when it
    // holds none or the control has no manager.
    std::wstring GetFontFamily(const std::wstring& face) const;
    // The control's text font: always the framework face (Manager::GetFontName) at the
    // control's size and style, as the win32 backend's GDI text does.
    FontSpec GetGDIFont() const;
    void ClearGDIFont() {}
    // The font as set on the control (face, size, style).
    FontSpec GetFontSpec() const { return {face_, fontSize_, fontStyle_}; }

    // ---- colours ----
    void SetTextColors(ARGB normal, ARGB hover, ARGB down, ARGB disabled) {
        textColors_[0] = normal;
        textColors_[1] = hover;
        textColors_[2] = down;
        textColors_[3] = disabled;
    }
    ARGB GetTextColor(int state) const { return textColors_[state & 3]; }

    // ---- images ----
    int SetNormalImage(const std::wstring& file) { return SetStateImage(0, file); }
    int SetHoverImage(const std::wstring& file) { return SetStateImage(1, file); }
    int SetDownImage(const std::wstring& file) { return SetStateImage(2, file); }
    int SetDisableImage(const std::wstring& file) { return SetStateImage(3, file); }
    ImgResInfo* GetStateImage(int state) const { return stateImages_[state & 3]; }
    ImgResInfo* GetStripImage() const { return strip_; }
    void SetImageCount(int count) { frameCount_ = count > 0 ? count : 1; }
    int GetImageCount() const { return frameCount_; }
    CSize GetImageSize() const;
    const std::wstring& GetImagePath() const { return imagePath_; }

protected:
    int SetStateImage(int state, const std::wstring& file);
    // Takes a cached strip image (null: nothing changes, 0).
    int UseStrip(ImgResInfo* info);
    // Button-like drawing: keeps `looks` looks of the control side by side in the cache
    // (each as wide as the control). When the cache is stale, each slice gets a snapshot
    // of the window pixels under the control and then `drawLook(cache, look, slice)`;
    // afterwards showing the control is one copy of slice `current`.
    void DrawCachedLooks(Canvas& dc, int looks, int current,
                         const std::function<void(Canvas&, int, const CRect&)>& drawLook);
    // The title in `rect` with the control's font, the colour of look `state`, and the
    // control's alignment (or `format` when non-zero).
    void DrawTitle(Canvas& dc, const CRect& rect, int state, unsigned format = 0) const;
    unsigned AlignmentFormat() const;

    std::wstring title_;
    std::wstring face_;
    std::wstring imagePath_;
    int fontSize_;
    ARGB textColors_[4] = {0xFFFFFFFF, 0xFFC8C8C8, 0xFF969696, 0xFF808080};
    int fontStyle_ = kFontStyleRegular;
    unsigned hAlign_ = 0;
    unsigned vAlign_ = 4;
    int renderingHint_ = 5;
    ImgResInfo* strip_ = nullptr;
    int frameWidth_ = 0;
    int frameHeight_ = 0;
    int frameCount_ = 4;
    ImgResInfo* stateImages_[4] = {nullptr, nullptr, nullptr, nullptr};
};

}  // namespace Tessera
