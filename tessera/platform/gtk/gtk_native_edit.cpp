// The native edit field: a GtkEntry placed on the window's child layer over the control
// that opened it, styled to blend into the skin.

#include <gtk/gtk.h>

#include <sstream>

#include "tessera/platform/cairo/text_language.h"
#include "tessera/platform/gtk/gtk_backend.h"
#include "tessera/platform/native_edit.h"
#include "text/utf_convert.h"

namespace Tessera::gtk_backend {

namespace {

class GtkNativeEdit : public NativeEdit {
public:
    GtkNativeEdit(GtkWidget* layer, NativeEditSink& sink) : layer_(layer), sink_(sink) {
        entry_ = gtk_entry_new();
        g_object_ref_sink(entry_);
        gtk_entry_set_has_frame(GTK_ENTRY(entry_), FALSE);
        gtk_widget_set_no_show_all(entry_, TRUE);
        css_ = gtk_css_provider_new();
        gtk_style_context_add_provider(gtk_widget_get_style_context(entry_),
                                       GTK_STYLE_PROVIDER(css_),
                                       GTK_STYLE_PROVIDER_PRIORITY_APPLICATION + 1);
        // Shaping follows the interface language (simplified Chinese glyphs for 2052).
        pango_context_set_language(gtk_widget_get_pango_context(entry_),
                                   pango_language_from_string(TextLanguageTag()));
        gtk_fixed_put(GTK_FIXED(layer_), entry_, 0, 0);
        g_signal_connect(entry_, "changed", G_CALLBACK(OnChanged), this);
        g_signal_connect(entry_, "focus-out-event", G_CALLBACK(OnFocusOut), this);
        g_signal_connect(entry_, "key-press-event", G_CALLBACK(OnKeyPress), this);
        g_signal_connect(layer_, "destroy", G_CALLBACK(OnLayerDestroyed), this);
        ApplyStyle();
    }

    ~GtkNativeEdit() override {
        if (layer_ != nullptr) {
            g_signal_handlers_disconnect_by_data(layer_, this);
            g_signal_handlers_disconnect_by_data(entry_, this);
            gtk_container_remove(GTK_CONTAINER(layer_), entry_);
        } else {
            g_signal_handlers_disconnect_by_data(entry_, this);
        }
        g_object_unref(entry_);
        g_object_unref(css_);
    }
    GtkNativeEdit(const GtkNativeEdit&) = delete;
    GtkNativeEdit& operator=(const GtkNativeEdit&) = delete;

    void SetRect(const CRect& clientRect) override {
        if (layer_ == nullptr) {
            return;
        }
        gtk_fixed_move(GTK_FIXED(layer_), entry_, clientRect.left, clientRect.top);
        gtk_widget_set_size_request(entry_, std::max(1, clientRect.Width()),
                                    std::max(1, clientRect.Height()));
    }
    void SetText(const std::wstring& text) override {
        settingText_ = true;
        gtk_entry_set_text(GTK_ENTRY(entry_), keyloom::WideToUtf8(text).c_str());
        settingText_ = false;
    }
    std::wstring GetText() const override {
        return keyloom::Utf8ToWide(gtk_entry_get_text(GTK_ENTRY(entry_)));
    }
    void SetFont(const FontSpec& font) override {
        font_ = font;
        ApplyStyle();
    }
    void SetColors(ARGB text, ARGB background) override {
        text_ = text;
        background_ = background;
        ApplyStyle();
    }
    void SetMaxLength(int characters) override {
        gtk_entry_set_max_length(GTK_ENTRY(entry_), std::max(0, characters));
    }
    void SetPassword(bool password) override {
        gtk_entry_set_visibility(GTK_ENTRY(entry_), password ? FALSE : TRUE);
    }
    void SetReadOnly(bool readOnly) override {
        gtk_editable_set_editable(GTK_EDITABLE(entry_), readOnly ? FALSE : TRUE);
    }
    void Show(bool show) override {
        if (show) {
            // The interface language may have changed since the field was made.
            pango_context_set_language(gtk_widget_get_pango_context(entry_),
                                       pango_language_from_string(TextLanguageTag()));
            gtk_widget_show(entry_);
        } else {
            gtk_widget_hide(entry_);
        }
    }
    bool IsVisible() const override { return gtk_widget_get_visible(entry_); }
    void Focus() override {
        if (GtkWidget* top = gtk_widget_get_toplevel(entry_); GTK_IS_WINDOW(top)) {
            gtk_window_present(GTK_WINDOW(top));
        }
        // GTK selects an entry's whole text when it takes the focus; typing must go on after
        // the text instead.
        gtk_entry_grab_focus_without_selecting(GTK_ENTRY(entry_));
        gtk_editable_set_position(GTK_EDITABLE(entry_), -1);
    }
    bool HasFocus() const override { return gtk_widget_has_focus(entry_); }
    void SelectAll() override { gtk_editable_select_region(GTK_EDITABLE(entry_), 0, -1); }
    // The desktop's input method (IBus, fcitx ...) is bypassed by pinning the entry to GTK's
    // built-in context, which passes plain keys through.
    void SetInputMethodEnabled(bool enabled) override {
        inputMethod_ = enabled;
        g_object_set(entry_, "im-module", enabled ? nullptr : "gtk-im-context-simple", nullptr);
    }
    bool IsInputMethodEnabled() const override { return inputMethod_; }

private:
    void ApplyStyle() {
        std::ostringstream css;
        css << "entry { border: none; border-radius: 0; box-shadow: none; outline: none;"
            << " padding: 0 2px; min-height: 0; background-image: none;"
            << " background-color: " << CssColor(background_) << ";"
            << " color: " << CssColor(text_) << ";"
            << " caret-color: " << CssColor(text_) << ";";
        css << " font-family: ";
        // Every family of the resolved list, quoted, so the fallbacks keep working.
        std::string families = keyloom::WideToUtf8(ResolveFontFamilies(font_.face));
        std::istringstream list(families);
        std::string family;
        bool first = true;
        while (std::getline(list, family, ',')) {
            const auto begin = family.find_first_not_of(' ');
            if (begin == std::string::npos) {
                continue;
            }
            css << (first ? "" : ", ") << '"' << family.substr(begin) << '"';
            first = false;
        }
        css << "; font-size: " << std::max(1, font_.pixelSize) << "px;"
            << " font-weight: " << ((font_.style & kFontStyleBold) != 0 ? "bold" : "normal") << ";"
            << " font-style: " << ((font_.style & kFontStyleItalic) != 0 ? "italic" : "normal")
            << "; }"
            << " entry selection { background-color: rgba(56,227,237,0.45); color: #ffffff; }";
        gtk_css_provider_load_from_data(css_, css.str().c_str(), -1, nullptr);
    }

    static void OnChanged(GtkEditable*, gpointer data) {
        auto* self = static_cast<GtkNativeEdit*>(data);
        if (!self->settingText_) {
            self->sink_.OnEditTextChanged();
        }
    }
    static gboolean OnFocusOut(GtkWidget*, GdkEvent*, gpointer data) {
        static_cast<GtkNativeEdit*>(data)->sink_.OnEditKillFocus();
        return FALSE;
    }
    static gboolean OnKeyPress(GtkWidget*, GdkEventKey* event, gpointer data) {
        auto* self = static_cast<GtkNativeEdit*>(data);
        if (event->keyval == GDK_KEY_Return || event->keyval == GDK_KEY_KP_Enter) {
            self->sink_.OnEditKey(VK_RETURN);
            return TRUE;
        }
        if (event->keyval == GDK_KEY_Escape) {
            self->sink_.OnEditKey(VK_ESCAPE);
            return TRUE;
        }
        return FALSE;
    }
    static void OnLayerDestroyed(GtkWidget*, gpointer data) {
        // The window went first; the entry object lives on until the control drops it.
        static_cast<GtkNativeEdit*>(data)->layer_ = nullptr;
    }

    GtkWidget* layer_;
    NativeEditSink& sink_;
    GtkWidget* entry_ = nullptr;
    bool inputMethod_ = true;
    GtkCssProvider* css_ = nullptr;
    FontSpec font_{kFrameworkFaceName, 15, kFontStyleRegular};
    ARGB text_ = 0xFF38E3ED;
    ARGB background_ = 0xFF17302E;
    bool settingText_ = false;
};

}  // namespace

std::unique_ptr<NativeEdit> GtkPlatform::CreateEdit(NativeWindow& parent, NativeEditSink& sink) {
    GtkWidget* layer = ChildLayerOf(parent);
    if (layer == nullptr) {
        return nullptr;
    }
    return std::make_unique<GtkNativeEdit>(layer, sink);
}

}  // namespace Tessera::gtk_backend
