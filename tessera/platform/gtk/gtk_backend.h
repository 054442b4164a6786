#pragma once

// Internals of the gtk backend shared by its files (GTK types allowed here only).

#include <gtk/gtk.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>

#include "tessera/platform/gtk/gtk_input_rules.h"
#include "tessera/platform/gtk/gtk_platform.h"
#include "tessera/platform/surface.h"

namespace Tessera::gtk_backend {

class GtkNativeWindow;

class GtkPlatform : public Platform {
public:
    GtkPlatform();
    ~GtkPlatform() override;

    const char* Name() const override { return "gtk"; }
    std::unique_ptr<NativeWindow> CreateNativeWindow(const WindowParams& params,
                                                     WindowEventSink& sink) override;
    std::unique_ptr<NativeEdit> CreateEdit(NativeWindow& parent, NativeEditSink& sink) override;
    std::unique_ptr<NativeTooltip> CreateTooltip(NativeWindow& owner) override;
    bool RunLoop(const std::function<bool()>& keepRunning) override;
    void PostQuit(int exitCode) override;
    bool IsQuitPending() const override { return quitPending_; }
    int QuitCode() const override { return quitCode_; }
    void PostToUi(std::function<void()> task) override;
    std::uint64_t NowMs() const override;
    bool IsKeyDown(unsigned vk) const override;
    CPoint GetCursorPos() const override;
    CRect GetWorkArea(const CRect& nearRect) const override;
    unsigned GetCaretBlinkTime() const override;
    bool SetClipboardText(const std::wstring& text) override;
    std::wstring GetClipboardText() const override;

    // ---- used by the windows ----
    void RegisterWindow(std::uint64_t id, GtkNativeWindow* window);
    void UnregisterWindow(std::uint64_t id);
    GtkNativeWindow* FindWindow(std::uint64_t id) const;
    void SetKeyState(unsigned vk, bool down);
    void SetButtonState(unsigned vk, bool down);
    ClickTracker& Clicks() { return clicks_; }
    bool IsComposited() const;

private:
    static gboolean RunPostedTasks(gpointer self);

    bool quitPending_ = false;
    int quitCode_ = 0;
    std::mutex queueMutex_;
    std::deque<std::function<void()>> tasks_;
    guint taskSource_ = 0;  // the idle source that drains tasks_, 0 when none is queued
    std::map<std::uint64_t, GtkNativeWindow*> windows_;
    std::set<unsigned> keysDown_;
    std::set<unsigned> buttonsDown_;
    ClickTracker clicks_;
};

GtkPlatform& ThePlatform();

// The GtkWindow behind a NativeWindow of this backend.
GtkWidget* WidgetOf(NativeWindow& window);
// The fixed container inside a window that native child widgets are placed on.
GtkWidget* ChildLayerOf(NativeWindow& window);

// Straight ARGB as a CSS colour.
std::string CssColor(std::uint32_t argb);

}  // namespace Tessera::gtk_backend
