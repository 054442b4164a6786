// The tip window: a small override-redirect popup with a label that follows the mouse
// over its owner and hides on a press, as the common tooltip window does.

#include <gtk/gtk.h>

#include <algorithm>
#include <sstream>

#include "tessera/platform/cairo/text_language.h"
#include "tessera/platform/gtk/gtk_backend.h"
#include "tessera/platform/native_tooltip.h"
#include "text/utf_convert.h"

namespace Tessera::gtk_backend {

namespace {

class GtkNativeTooltip : public NativeTooltip {
public:
    explicit GtkNativeTooltip(NativeWindow& owner) : owner_(owner) {
        tip_ = gtk_window_new(GTK_WINDOW_POPUP);
        g_object_ref_sink(tip_);
        gtk_window_set_type_hint(GTK_WINDOW(tip_), GDK_WINDOW_TYPE_HINT_TOOLTIP);
        gtk_window_set_accept_focus(GTK_WINDOW(tip_), FALSE);
        label_ = gtk_label_new("");
        gtk_label_set_line_wrap(GTK_LABEL(label_), TRUE);
        gtk_label_set_max_width_chars(GTK_LABEL(label_), 40);
        pango_context_set_language(gtk_widget_get_pango_context(label_),
                                   pango_language_from_string(TextLanguageTag()));
        gtk_container_add(GTK_CONTAINER(tip_), label_);
        gtk_widget_show(label_);
        css_ = gtk_css_provider_new();
        for (GtkWidget* widget : {tip_, label_}) {
            gtk_style_context_add_provider(gtk_widget_get_style_context(widget),
                                           GTK_STYLE_PROVIDER(css_),
                                           GTK_STYLE_PROVIDER_PRIORITY_APPLICATION + 1);
        }
        ApplyStyle();
    }
    ~GtkNativeTooltip() override {
        gtk_widget_destroy(tip_);
        g_object_unref(tip_);
        g_object_unref(css_);
    }
    GtkNativeTooltip(const GtkNativeTooltip&) = delete;
    GtkNativeTooltip& operator=(const GtkNativeTooltip&) = delete;

    void SetText(const std::wstring& text) override {
        text_ = text;
        active_ = !text.empty();
        gtk_label_set_text(GTK_LABEL(label_), keyloom::WideToUtf8(text).c_str());
        // The label's width is pinned to its natural width so the window's minimum height
        // is that of the wrapped lines at that width, not of one word per line.
        gtk_widget_set_size_request(label_, -1, -1);
        int minimum = 0;
        int natural = 0;
        gtk_widget_get_preferred_width(label_, &minimum, &natural);
        gtk_widget_set_size_request(label_, std::max(1, natural), -1);
        gtk_window_resize(GTK_WINDOW(tip_), 1, 1);
        if (!active_) {
            gtk_widget_hide(tip_);
        } else {
            hiddenByPress_ = false;
            ShowAtPointer();
        }
    }
    std::wstring GetText() const override { return text_; }
    bool IsActive() const override { return active_; }
    void SetColors(COLORREF background, COLORREF text) override {
        background_ = background;
        color_ = text;
        ApplyStyle();
    }
    void SetMaxWidth(int pixels) override {
        gtk_widget_set_size_request(label_, -1, -1);
        gtk_label_set_max_width_chars(GTK_LABEL(label_), std::max(4, pixels / 7));
    }
    void RelayMouse(unsigned msg, CPoint clientPoint) override {
        switch (msg) {
            case WM_MOUSEMOVE:
                if (active_ && !hiddenByPress_) {
                    ShowAt(owner_.ClientToScreen(clientPoint));
                }
                break;
            case WM_LBUTTONDOWN:
            case WM_RBUTTONDOWN:
            case WM_MBUTTONDOWN:
                hiddenByPress_ = true;
                gtk_widget_hide(tip_);
                break;
            case WM_MOUSELEAVE:
                gtk_widget_hide(tip_);
                break;
            default:
                break;
        }
    }

private:
    void ShowAtPointer() { ShowAt(ThePlatform().GetCursorPos()); }
    void ShowAt(CPoint screen) {
        gtk_window_move(GTK_WINDOW(tip_), screen.x + 12, screen.y + 20);
        if (!gtk_widget_get_visible(tip_)) {
            gtk_widget_show(tip_);
        }
    }
    void ApplyStyle() {
        std::ostringstream css;
        css << "window { background-color: " << CssColor(ColorRefToArgb(background_))
            << "; border: 1px solid " << CssColor(0xCC38E3ED) << ";"
            << " padding: 0; margin: 0; min-width: 0; min-height: 0; box-shadow: none; }"
            << " label { color: " << CssColor(ColorRefToArgb(color_)) << "; padding: 3px 6px;"
            << " font-size: 12px; }";
        gtk_css_provider_load_from_data(css_, css.str().c_str(), -1, nullptr);
    }

    NativeWindow& owner_;
    GtkWidget* tip_ = nullptr;
    GtkWidget* label_ = nullptr;
    GtkCssProvider* css_ = nullptr;
    std::wstring text_;
    bool active_ = false;
    bool hiddenByPress_ = false;
    COLORREF background_ = RGB(6, 15, 16);
    COLORREF color_ = RGB(56, 227, 237);
};

}  // namespace

std::unique_ptr<NativeTooltip> GtkPlatform::CreateTooltip(NativeWindow& owner) {
    return std::make_unique<GtkNativeTooltip>(owner);
}

}  // namespace Tessera::gtk_backend
