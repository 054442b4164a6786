#include "tessera/platform/null/null_platform.h"

#include <algorithm>
#include <limits>

#include "tessera/platform/image.h"

namespace Tessera {

// ---------------------------------------------------------------------------------------
// Window

class NullWindow : public NativeWindow {
public:
    NullWindow(NullPlatform& platform, const WindowParams& params, WindowEventSink& sink)
        : platform_(&platform),
          sink_(sink),
          params_(params),
          rect_(params.rect),
          caption_(params.caption),
          layered_(params.layered) {}
    // Ending the object without Destroy() (its owner is being torn down) sends nothing.
    ~NullWindow() override {
        if (alive_ && platform_ != nullptr) {
            alive_ = false;
            platform_->Forget(this);
        }
    }
    // The platform is being destroyed before this window: the window ends silently.
    void Detach() {
        alive_ = false;
        platform_ = nullptr;
    }

    void Destroy() override {
        if (!alive_ || destroying_ || platform_ == nullptr) {
            return;
        }
        destroying_ = true;
        visible_ = false;
        if (platform_->capture_ == this) {
            platform_->capture_ = nullptr;
        }
        sink_.OnNativeMessage(WM_DESTROY, 0, 0);
        alive_ = false;
        timers_.clear();
        platform_->Forget(this);
        sink_.OnNativeMessage(WM_NCDESTROY, 0, 0);
    }
    bool IsAlive() const override { return alive_; }

    void Show(int command) override {
        if (!alive_ || platform_ == nullptr) {
            return;
        }
        switch (command) {
            case SW_HIDE:
                visible_ = false;
                if (platform_->active_ == this) {
                    platform_->SetActive(nullptr);
                }
                return;
            case SW_MINIMIZE:
            case SW_SHOWMINIMIZED:
                visible_ = true;
                if (!minimized_) {
                    minimized_ = true;
                    sink_.OnNativeMessage(WM_SIZE, SIZE_MINIMIZED, 0);
                }
                return;
            case SW_SHOWMAXIMIZED:
                maximized_ = true;
                [[fallthrough]];
            case SW_RESTORE:
                if (command == SW_RESTORE) {
                    maximized_ = false;
                }
                if (minimized_) {
                    minimized_ = false;
                    SendSize();
                }
                break;
            default:
                break;
        }
        const bool wasVisible = visible_;
        visible_ = true;
        if (!wasVisible) {
            Invalidate(GetClientRect());
        }
        if (command != SW_SHOWNA && command != SW_SHOWNOACTIVATE && !params_.noActivate) {
            Activate();
        }
    }
    bool IsVisible() const override { return alive_ && visible_; }
    bool IsMinimized() const override { return minimized_; }
    bool IsMaximized() const override { return maximized_; }
    void Activate() override {
        if (alive_ && platform_ != nullptr) {
            platform_->SetActive(this);
        }
    }
    bool IsActive() const override { return platform_ != nullptr && platform_->active_ == this; }
    void Enable(bool enable) override { enabled_ = enable; }
    bool IsEnabled() const override { return enabled_; }

    CRect GetWindowRect() const override { return rect_; }
    void Move(const CRect& screenRect) override {
        const bool resized = screenRect.Size() != rect_.Size();
        rect_ = screenRect;
        if (alive_ && resized) {
            SendSize();
            Invalidate(GetClientRect());
        }
    }

    void SetCaption(const std::wstring& caption) override { caption_ = caption; }
    std::wstring GetCaption() const override { return caption_; }
    void SetIcon(const Image& icon) override { iconSize_ = {icon.Width(), icon.Height()}; }
    void SetProperty(const std::wstring& name, std::intptr_t value) override {
        properties_[name] = value;
    }
    std::intptr_t GetProperty(const std::wstring& name) const override {
        auto it = properties_.find(name);
        return it == properties_.end() ? 0 : it->second;
    }
    void SetLayered(bool layered) override { layered_ = layered; }
    void SetOpacity(int alpha) override { opacity_ = std::clamp(alpha, 0, 255); }

    void SetCapture() override {
        if (alive_ && platform_ != nullptr) {
            platform_->capture_ = this;
        }
    }
    void ReleaseCapture() override {
        if (platform_ != nullptr && platform_->capture_ == this) {
            platform_->capture_ = nullptr;
        }
    }
    bool HasCapture() const override { return platform_ != nullptr && platform_->capture_ == this; }
    void SetCursor(CursorKind cursor) override { cursor_ = cursor; }
    void BeginMoveDrag(CPoint) override { ++moveDrags_; }

    void Invalidate(const CRect& clientRect) override {
        invalid_ = CRect::Union(invalid_, CRect::Intersect(clientRect, GetClientRect()));
    }
    CRect BeginPaint() override {
        CRect r = invalid_;
        invalid_.SetRectEmpty();
        return r;
    }
    void Present(const Surface& client, const CRect& rect) override {
        screen_.Resize(client.Width(), client.Height());
        screen_.CopyFrom(client, rect, rect.left, rect.top);
        ++paints_;
    }

    bool SetTimer(unsigned id, unsigned elapseMs) override {
        if (!alive_ || platform_ == nullptr || platform_->refuseTimers_) {
            return false;
        }
        // Windows raises shorter periods to 10 ms.
        const std::uint64_t period = std::max(elapseMs, 10u);
        timers_[id] = Timer{period, platform_->nowMs_ + period, ++platform_->timerSequence_};
        return true;
    }
    void KillTimer(unsigned id) override { timers_.erase(id); }

    bool PostMessage(unsigned msg, WPARAM wParam, LPARAM lParam) override {
        if (!alive_ || platform_ == nullptr) {
            return false;
        }
        std::lock_guard lock(platform_->queueMutex_);
        platform_->posted_.push_back({this, msg, wParam, lParam, {}});
        return true;
    }

    void SendSize() {
        sink_.OnNativeMessage(WM_SIZE, maximized_ ? SIZE_MAXIMIZED : SIZE_RESTORED,
                              MAKELPARAM(rect_.Width(), rect_.Height()));
    }

    struct Timer {
        std::uint64_t period;
        std::uint64_t due;
        std::uint64_t sequence;
    };

    NullPlatform* platform_;  // null once the platform is gone
    WindowEventSink& sink_;
    WindowParams params_;
    CRect rect_;
    std::wstring caption_;
    bool layered_;
    bool alive_ = true;
    bool destroying_ = false;
    bool visible_ = false;
    bool minimized_ = false;
    bool maximized_ = false;
    bool enabled_ = true;
    int opacity_ = 255;
    CursorKind cursor_ = CursorKind::kDefault;
    CSize iconSize_;
    std::map<std::wstring, std::intptr_t> properties_;
    CRect invalid_;
    Surface screen_;
    int paints_ = 0;
    int moveDrags_ = 0;
    std::map<unsigned, Timer> timers_;
};

// ---------------------------------------------------------------------------------------
// Edit field and tooltip

class NullEdit : public NativeEdit {
public:
    NullEdit(NullPlatform& platform, NullWindow& parent, NativeEditSink& sink)
        : platform_(&platform), parent_(&parent), sink_(sink) {
        platform_->edits_.push_back(this);
    }
    ~NullEdit() override {
        if (platform_ != nullptr) {
            platform_->ForgetEdit(this);
        }
    }
    void Detach() { platform_ = nullptr; }
    NullPlatform* Owner() const { return platform_; }

    void SetRect(const CRect& clientRect) override { rect_ = clientRect; }
    void SetText(const std::wstring& text) override {
        text_ = maxLength_ > 0 ? text.substr(0, static_cast<std::size_t>(maxLength_)) : text;
    }
    std::wstring GetText() const override { return text_; }
    void SetFont(const FontSpec& font) override { font_ = font; }
    void SetColors(ARGB text, ARGB background) override {
        textColor_ = text;
        background_ = background;
    }
    void SetMaxLength(int characters) override { maxLength_ = std::max(characters, 0); }
    void SetPassword(bool password) override { password_ = password; }
    void SetReadOnly(bool readOnly) override { readOnly_ = readOnly; }
    void Show(bool show) override {
        visible_ = show;
        if (!show && HasFocus() && platform_ != nullptr) {
            platform_->focusedEdit_ = nullptr;
        }
    }
    bool IsVisible() const override { return visible_; }
    void Focus() override {
        if (platform_ == nullptr || platform_->focusedEdit_ == this) {
            return;
        }
        if (NullEdit* previous = platform_->focusedEdit_) {
            platform_->focusedEdit_ = nullptr;
            previous->sink_.OnEditKillFocus();
        }
        platform_->focusedEdit_ = this;
    }
    bool HasFocus() const override {
        return platform_ != nullptr && platform_->focusedEdit_ == this;
    }
    void SelectAll() override { selectedAll_ = true; }
    void SetInputMethodEnabled(bool enabled) override { inputMethod_ = enabled; }
    bool IsInputMethodEnabled() const override { return inputMethod_; }

    void Type(const std::wstring& text) {
        for (wchar_t ch : text) {
            if (readOnly_) {
                return;
            }
            if (selectedAll_) {
                text_.clear();
                selectedAll_ = false;
            }
            if (ch == L'\b') {
                if (!text_.empty()) {
                    text_.pop_back();
                }
            } else if (maxLength_ > 0 && static_cast<int>(text_.size()) >= maxLength_) {
                continue;
            } else {
                text_.push_back(ch);
            }
            sink_.OnEditTextChanged();
        }
    }
    void KillFocus() {
        if (platform_ != nullptr && platform_->focusedEdit_ == this) {
            platform_->focusedEdit_ = nullptr;
            sink_.OnEditKillFocus();
        }
    }

    NullPlatform* platform_;
    NullWindow* parent_;
    NativeEditSink& sink_;
    CRect rect_;
    std::wstring text_;
    FontSpec font_;
    ARGB textColor_ = 0xFF000000;
    ARGB background_ = 0xFFFFFFFF;
    int maxLength_ = 0;
    bool password_ = false;
    bool readOnly_ = false;
    bool inputMethod_ = true;
    bool visible_ = false;
    bool selectedAll_ = false;
};

class NullTooltip : public NativeTooltip {
public:
    explicit NullTooltip(NullPlatform& platform) : platform_(&platform) {
        platform_->tooltips_.push_back(this);
    }
    ~NullTooltip() override {
        if (platform_ == nullptr) {
            return;
        }
        std::erase(platform_->tooltips_, this);
        if (platform_->lastTooltip_ == this) {
            platform_->lastTooltip_ = nullptr;
        }
    }
    void Detach() { platform_ = nullptr; }
    void SetText(const std::wstring& text) override {
        text_ = text;
        active_ = !text.empty();
    }
    std::wstring GetText() const override { return text_; }
    bool IsActive() const override { return active_; }
    void SetColors(COLORREF, COLORREF) override {}
    void SetMaxWidth(int) override {}
    void RelayMouse(unsigned, CPoint) override {}

private:
    NullPlatform* platform_;
    std::wstring text_;
    bool active_ = false;
};

// ---------------------------------------------------------------------------------------
// Platform

NullPlatform::NullPlatform() = default;

NullPlatform::~NullPlatform() {
    // Windows that outlive the platform (their owners are torn down later) end silently.
    for (NullWindow* w : windows_) {
        w->Detach();
    }
    for (NullEdit* edit : edits_) {
        edit->Detach();
    }
    for (NullTooltip* tip : tooltips_) {
        tip->Detach();
    }
}

std::unique_ptr<NativeWindow> NullPlatform::CreateNativeWindow(const WindowParams& params,
                                                               WindowEventSink& sink) {
    auto window = std::make_unique<NullWindow>(*this, params, sink);
    windows_.push_back(window.get());
    sink.OnNativeMessage(WM_NCCREATE, 0,
                         reinterpret_cast<LPARAM>(static_cast<NativeWindow*>(window.get())));
    if (sink.OnNativeMessage(WM_CREATE, 0, 0) == -1) {
        window->Destroy();
        return nullptr;
    }
    window->SendSize();
    return window;
}

std::unique_ptr<NativeEdit> NullPlatform::CreateEdit(NativeWindow& parent, NativeEditSink& sink) {
    auto edit = std::make_unique<NullEdit>(*this, static_cast<NullWindow&>(parent), sink);
    lastEdit_ = edit.get();
    return edit;
}

std::unique_ptr<NativeTooltip> NullPlatform::CreateTooltip(NativeWindow&) {
    auto tip = std::make_unique<NullTooltip>(*this);
    lastTooltip_ = tip.get();
    return tip;
}

void NullPlatform::Forget(NullWindow* window) {
    std::erase(windows_, window);
    if (capture_ == window) {
        capture_ = nullptr;
    }
    if (active_ == window) {
        active_ = nullptr;
    }
    if (focusedEdit_ != nullptr && focusedEdit_->parent_ == window) {
        focusedEdit_ = nullptr;
    }
    std::lock_guard lock(queueMutex_);
    std::erase_if(posted_, [window](const Posted& p) { return p.window == window; });
}

void NullPlatform::ForgetEdit(NullEdit* edit) {
    std::erase(edits_, edit);
    if (focusedEdit_ == edit) {
        focusedEdit_ = nullptr;
    }
    if (lastEdit_ == edit) {
        lastEdit_ = nullptr;
    }
}

void NullPlatform::SetActive(NullWindow* window) {
    if (active_ == window) {
        return;
    }
    NullWindow* previous = active_;
    active_ = window;
    if (previous != nullptr && previous->alive_) {
        previous->sink_.OnNativeMessage(WM_NCACTIVATE, 0, 0);
    }
    if (window != nullptr) {
        window->sink_.OnNativeMessage(WM_NCACTIVATE, 1, 0);
    }
}

bool NullPlatform::DispatchOne() {
    Posted item;
    {
        std::lock_guard lock(queueMutex_);
        if (posted_.empty()) {
            return false;
        }
        item = std::move(posted_.front());
        posted_.pop_front();
    }
    if (item.window == nullptr) {
        if (item.task) {
            item.task();
        }
        return true;
    }
    if (item.window->alive_ &&
        !item.window->sink_.PreTranslateMessage(item.msg, item.wParam, item.lParam)) {
        item.window->sink_.OnNativeMessage(item.msg, item.wParam, item.lParam);
    }
    return true;
}

void NullPlatform::PaintAll() {
    // Copy: painting may create or destroy windows.
    const std::vector<NullWindow*> windows = windows_;
    for (NullWindow* w : windows) {
        if (std::find(windows_.begin(), windows_.end(), w) == windows_.end()) {
            continue;
        }
        if (!w->alive_ || !w->visible_ || w->minimized_ || w->invalid_.IsRectEmpty()) {
            continue;
        }
        w->sink_.OnNativeMessage(WM_PAINT, 0, 0);
        // A window that does not validate is validated by the default procedure.
        if (w->alive_) {
            w->invalid_.SetRectEmpty();
        }
    }
}

void NullPlatform::ProcessPending() {
    while (DispatchOne()) {
    }
    PaintAll();
}

bool NullPlatform::RunLoop(const std::function<bool()>& keepRunning) {
    for (;;) {
        if (quitPending_) {
            return true;
        }
        if (!keepRunning()) {
            return false;
        }
        if (DispatchOne()) {
            continue;
        }
        bool painted = false;
        for (NullWindow* w : windows_) {
            painted = painted ||
                      (w->alive_ && w->visible_ && !w->minimized_ && !w->invalid_.IsRectEmpty());
        }
        if (painted) {
            PaintAll();
            continue;
        }
        if (!idle_ || !idle_()) {
            return false;
        }
    }
}

void NullPlatform::PostQuit(int exitCode) {
    quitPending_ = true;
    quitCode_ = exitCode;
}

void NullPlatform::PostToUi(std::function<void()> task) {
    std::lock_guard lock(queueMutex_);
    posted_.push_back({nullptr, 0, 0, 0, std::move(task)});
}

bool NullPlatform::IsKeyDown(unsigned vk) const {
    auto it = keys_.find(vk);
    return it != keys_.end() && it->second;
}

CRect NullPlatform::GetWorkArea(const CRect&) const {
    return workArea_;
}

bool NullPlatform::SetClipboardText(const std::wstring& text) {
    clipboard_ = text;
    return true;
}

void NullPlatform::AdvanceTime(std::uint64_t ms) {
    const std::uint64_t target = nowMs_ + ms;
    for (;;) {
        NullWindow* next = nullptr;
        unsigned nextId = 0;
        const NullWindow::Timer* best = nullptr;
        for (NullWindow* w : windows_) {
            for (const auto& [id, timer] : w->timers_) {
                if (timer.due > target) {
                    continue;
                }
                if (best == nullptr || timer.due < best->due ||
                    (timer.due == best->due && timer.sequence < best->sequence)) {
                    best = &timer;
                    next = w;
                    nextId = id;
                }
            }
        }
        if (best == nullptr) {
            break;
        }
        nowMs_ = std::max(nowMs_, best->due);
        auto& timer = next->timers_[nextId];
        timer.due += timer.period;
        next->sink_.OnNativeMessage(WM_TIMER, nextId, 0);
        while (DispatchOne()) {
        }
    }
    nowMs_ = target;
    ProcessPending();
}

NullWindow* NullPlatform::MouseTarget(NativeWindow& window) {
    return capture_ != nullptr ? capture_ : static_cast<NullWindow*>(&window);
}

WPARAM NullPlatform::MouseKeyState() const {
    WPARAM state = 0;
    if (IsKeyDown(VK_LBUTTON)) {
        state |= MK_LBUTTON;
    }
    if (IsKeyDown(VK_RBUTTON)) {
        state |= MK_RBUTTON;
    }
    if (IsKeyDown(VK_SHIFT)) {
        state |= MK_SHIFT;
    }
    if (IsKeyDown(VK_CONTROL)) {
        state |= MK_CONTROL;
    }
    return state;
}

void NullPlatform::SendInput(NullWindow& target, unsigned msg, WPARAM wParam, LPARAM lParam) {
    if (!target.alive_) {
        return;
    }
    if (!target.sink_.PreTranslateMessage(msg, wParam, lParam) && target.alive_) {
        target.sink_.OnNativeMessage(msg, wParam, lParam);
    }
}

namespace {
LPARAM PointParam(const NativeWindow& from, const NativeWindow& to, CPoint p) {
    if (&from != &to) {
        p = to.ScreenToClient(from.ClientToScreen(p));
    }
    return MAKELPARAM(p.x, p.y);
}
}  // namespace

bool NullPlatform::EditTakesPress(NullWindow& window, CPoint p) {
    // A press inside a shown edit field goes to the field; anywhere else it takes the
    // focus away from the field first, as a real click does.
    for (NullEdit* edit : edits_) {
        if (edit->parent_ == &window && edit->visible_ && edit->rect_.PtInRect(p)) {
            edit->Focus();
            return true;
        }
    }
    if (focusedEdit_ != nullptr) {
        focusedEdit_->KillFocus();
    }
    return false;
}

void NullPlatform::MouseMove(NativeWindow& window, CPoint p) {
    cursor_ = window.ClientToScreen(p);
    NullWindow* target = MouseTarget(window);
    SendInput(*target, WM_MOUSEMOVE, MouseKeyState(), PointParam(window, *target, p));
    ProcessPending();
}

void NullPlatform::MouseDown(NativeWindow& window, CPoint p, bool right) {
    cursor_ = window.ClientToScreen(p);
    NullWindow* target = MouseTarget(window);
    if (!target->enabled_ || !target->alive_) {
        return;
    }
    if (capture_ == nullptr && EditTakesPress(*target, p)) {
        ProcessPending();
        return;
    }
    if (!target->params_.noActivate && active_ != target) {
        SetActive(target);
    }
    keys_[right ? VK_RBUTTON : VK_LBUTTON] = true;
    SendInput(*target, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, MouseKeyState(),
              PointParam(window, *target, p));
    ProcessPending();
}

void NullPlatform::MouseUp(NativeWindow& window, CPoint p, bool right) {
    cursor_ = window.ClientToScreen(p);
    keys_[right ? VK_RBUTTON : VK_LBUTTON] = false;
    NullWindow* target = MouseTarget(window);
    if (!target->enabled_) {
        return;
    }
    SendInput(*target, right ? WM_RBUTTONUP : WM_LBUTTONUP, MouseKeyState(),
              PointParam(window, *target, p));
    ProcessPending();
}

void NullPlatform::Click(NativeWindow& window, CPoint p, bool right) {
    MouseDown(window, p, right);
    MouseUp(window, p, right);
}

void NullPlatform::DoubleClick(NativeWindow& window, CPoint p, bool right) {
    Click(window, p, right);
    NullWindow* target = MouseTarget(window);
    if (!target->enabled_) {
        return;
    }
    keys_[right ? VK_RBUTTON : VK_LBUTTON] = true;
    SendInput(*target, right ? WM_RBUTTONDBLCLK : WM_LBUTTONDBLCLK, MouseKeyState(),
              PointParam(window, *target, p));
    ProcessPending();
    MouseUp(window, p, right);
}

void NullPlatform::Wheel(NativeWindow& window, CPoint p, int delta) {
    NullWindow* target = MouseTarget(window);
    SendInput(*target, WM_MOUSEWHEEL, MAKEWPARAM(static_cast<int>(MouseKeyState()), delta),
              PointParam(window, *target, p));
    ProcessPending();
}

void NullPlatform::MouseLeave(NativeWindow& window) {
    SendInput(static_cast<NullWindow&>(window), WM_MOUSELEAVE, 0, 0);
    ProcessPending();
}

void NullPlatform::KeyDown(NativeWindow& window, unsigned vk) {
    const bool alt = IsKeyDown(VK_MENU) || vk == VK_MENU;
    keys_[vk] = true;
    SendInput(static_cast<NullWindow&>(window), alt ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, 1);
    ProcessPending();
}

void NullPlatform::KeyUp(NativeWindow& window, unsigned vk) {
    const bool alt = IsKeyDown(VK_MENU);
    keys_[vk] = false;
    SendInput(static_cast<NullWindow&>(window), alt ? WM_SYSKEYUP : WM_KEYUP, vk,
              static_cast<LPARAM>(0xC0000001u));
    ProcessPending();
}

void NullPlatform::Char(NativeWindow& window, wchar_t ch) {
    SendInput(static_cast<NullWindow&>(window), WM_CHAR, static_cast<WPARAM>(ch), 1);
    ProcessPending();
}

void NullPlatform::Deactivate(NativeWindow& window) {
    if (active_ == &window) {
        SetActive(nullptr);
    } else {
        static_cast<NullWindow&>(window).sink_.OnNativeMessage(WM_NCACTIVATE, 0, 0);
    }
    ProcessPending();
}

LRESULT NullPlatform::Send(NativeWindow& window, unsigned msg, WPARAM wParam, LPARAM lParam) {
    auto& w = static_cast<NullWindow&>(window);
    return w.alive_ ? w.sink_.OnNativeMessage(msg, wParam, lParam) : 0;
}

const Surface& NullPlatform::Screen(const NativeWindow& window) {
    return static_cast<const NullWindow&>(window).screen_;
}
int NullPlatform::PaintCount(const NativeWindow& window) {
    return static_cast<const NullWindow&>(window).paints_;
}
CRect NullPlatform::InvalidRect(const NativeWindow& window) {
    return static_cast<const NullWindow&>(window).invalid_;
}
bool NullPlatform::HasTimer(const NativeWindow& window, unsigned id) {
    return static_cast<const NullWindow&>(window).timers_.contains(id);
}
CursorKind NullPlatform::Cursor(const NativeWindow& window) {
    return static_cast<const NullWindow&>(window).cursor_;
}
bool NullPlatform::IsLayeredWindow(const NativeWindow& window) {
    return static_cast<const NullWindow&>(window).layered_;
}
int NullPlatform::MoveDragCount(const NativeWindow& window) {
    return static_cast<const NullWindow&>(window).moveDrags_;
}

std::vector<NativeWindow*> NullPlatform::Windows() const {
    return {windows_.begin(), windows_.end()};
}

void NullPlatform::TypeInto(NativeEdit& edit, const std::wstring& text) {
    auto& e = static_cast<NullEdit&>(edit);
    e.Type(text);
    if (e.Owner() != nullptr) {
        e.Owner()->ProcessPending();
    }
}

void NullPlatform::PressEditKey(NativeEdit& edit, unsigned vk) {
    auto& e = static_cast<NullEdit&>(edit);
    e.sink_.OnEditKey(vk);
    if (e.Owner() != nullptr) {
        e.Owner()->ProcessPending();
    }
}

}  // namespace Tessera
