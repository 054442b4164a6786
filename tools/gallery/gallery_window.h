#pragma once

// The gallery's main window: the skin's pieces as live controls in one real window,
// drawn through the framework's canvas and driven by the platform seam's messages
// (hover and press looks, an edit field, a slider with mouse capture, the colour wheel's
// pixel pick, tooltips, cursors, timers, a modal box in a nested loop, window moving,
// posts from a worker thread, text in every interface script).

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "tessera/core/menu_wnd.h"
#include "tessera/platform/canvas.h"
#include "tessera/platform/image.h"
#include "tessera/platform/platform.h"
#include "tools/gallery/controls_dialog.h"
#include "tools/gallery/core_dialog.h"

namespace gallery {

using namespace Tessera;

class GalleryWindow : public WindowEventSink, public NativeEditSink {
public:
    // The parts of the window a test or a user can aim at (client rectangles).
    enum Part {
        kNone,
        kClose,
        kMinimize,
        kPush,
        kApply,
        kAdd,
        kEdit,
        kDelete,
        kImport,
        kExport,
        kKeyboardButton,
        kCheck,
        kLeft,
        kRight,
        kUp,
        kDown,
        kNameField,
        kCombo,
        kSlider,
        kWheel,
        kKeyboard,
        kCoreDialog,
        kControlsDialog,
    };

    explicit GalleryWindow(std::wstring imageFolder);
    ~GalleryWindow() override;

    bool Create(CPoint screenTopLeft);
    NativeWindow* Window() { return window_.get(); }
    bool IsOpen() const { return window_ != nullptr && window_->IsAlive(); }
    CRect PartRect(Part part) const;
    CPoint PartCentre(Part part) const;
    // The composed client image of the last paint.
    const Surface& Composed() const { return surface_; }
    int PaintCount() const { return paints_; }
    int MissingImages() const { return missingImages_; }

    // What happened, for the self-test and the status panel.
    const std::wstring& NameText() const { return nameText_; }
    bool IsEditOpen() const { return edit_ != nullptr && edit_->IsVisible(); }
    NativeEdit* Edit() { return edit_.get(); }
    const std::vector<unsigned>& MouseLog() const { return mouseLog_; }
    void ClearMouseLog() { mouseLog_.clear(); }
    // Virtual keys of WM_KEYDOWN and characters of WM_CHAR, in arrival order.
    const std::vector<unsigned>& KeyLog() const { return keyLog_; }
    const std::wstring& CharLog() const { return charLog_; }
    int ModalResult() const { return modalResult_; }
    bool IsModalOpen() const { return modalOpen_; }
    ARGB PickedColour() const { return picked_; }
    int SliderValue() const { return slider_; }
    bool IsTooltipShown() const { return tooltip_ != nullptr && tooltip_->IsActive(); }
    const std::vector<int>& WorkerPosts() const { return workerPosts_; }
    int TimerTicks() const { return ticks_; }
    // The framework page while it runs modally, else null; its last modal result.
    CoreDialog* OpenCoreDialog() { return coreDialog_; }
    int CoreResult() const { return coreResult_; }
    ControlsDialog* OpenControlsDialog() { return controlsDialog_; }
    int ControlsResult() const { return controlsResult_; }
    // The popup menu while it runs, else null; the commands its owner window received.
    MenuWnd* OpenMenu() { return menu_; }
    const std::vector<unsigned>& MenuCommands() const { return menuCommands_; }
    static constexpr unsigned kMenuMessage = 1692;
    // Called on every WM_TIMER the window does not use itself (the self-test's clock).
    void SetTimerHook(std::function<void(unsigned)> hook) { timerHook_ = std::move(hook); }
    // Starts a thread that posts `count` numbered closures to the UI thread.
    void StartWorker(int count);

    // WindowEventSink
    bool PreTranslateMessage(unsigned msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnNativeMessage(unsigned msg, WPARAM wParam, LPARAM lParam) override;
    // NativeEditSink
    void OnEditTextChanged() override;
    void OnEditKillFocus() override;
    void OnEditKey(unsigned vk) override;

private:
    const Image* Img(const std::wstring& name);
    void Paint();
    void Compose(Canvas& canvas);
    void DrawStateImage(Canvas& canvas, const std::wstring& stem, Part part);
    void DrawStatus(Canvas& canvas);
    Part HitTest(CPoint p) const;
    int StateOf(Part part) const;
    void OnMouseMove(CPoint p);
    void OnPress(CPoint p);
    void OnRelease(CPoint p);
    void Clicked(Part part);
    void OpenEdit();
    void CloseEdit(bool keep);
    void RunModal();
    void RunCoreDialog();
    void RunControlsDialog();
    void RunMenu(CPoint clientPoint);
    void MoveSlider(int x);
    void Note(const std::wstring& line);

    std::wstring imageFolder_;
    std::map<std::wstring, std::unique_ptr<Image>> images_;
    int missingImages_ = 0;
    std::unique_ptr<NativeWindow> window_;
    std::unique_ptr<NativeEdit> edit_;
    std::unique_ptr<NativeTooltip> tooltip_;
    Surface surface_;
    int paints_ = 0;

    Part hover_ = kNone;
    Part pressed_ = kNone;
    bool checked_ = false;
    Part direction_ = kLeft;
    int comboIndex_ = 0;
    int slider_ = 60;
    bool draggingSlider_ = false;
    ARGB picked_ = 0xFF38E3ED;
    std::wstring nameText_;
    int pushCount_ = 0;
    int doubleClicks_ = 0;
    int ticks_ = 0;
    int modalResult_ = -1;
    bool modalOpen_ = false;
    CoreDialog* coreDialog_ = nullptr;
    int coreResult_ = -1;
    ControlsDialog* controlsDialog_ = nullptr;
    int controlsResult_ = -1;
    MenuWnd* menu_ = nullptr;
    std::vector<unsigned> menuCommands_;
    std::vector<int> workerPosts_;
    std::vector<unsigned> mouseLog_;
    std::vector<unsigned> keyLog_;
    std::wstring charLog_;
    std::vector<std::wstring> notes_;
    std::function<void(unsigned)> timerHook_;
    std::thread worker_;
};

}  // namespace gallery
