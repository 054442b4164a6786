#include "tools/gallery/gallery_window.h"

#include <algorithm>
#include <cstdio>

#include "tessera/platform/fonts.h"

namespace gallery {

namespace {

constexpr int kWidth = 1100;
constexpr int kHeight = 790;
constexpr unsigned kTickTimer = 1;
constexpr int kSliderLeft = 30;
constexpr int kSliderWidth = 330;

constexpr ARGB kCyan = 0xFF38E3ED;
constexpr ARGB kDim = 0xFF8FA3A8;
constexpr ARGB kWhite = 0xFFFFFFFF;

const wchar_t* const kComboItems[] = {L"Static", L"Breathing", L"Wave", L"Ripple", L"Custom"};

const wchar_t* MessageName(unsigned msg) {
    switch (msg) {
        case WM_LBUTTONDOWN:
            return L"WM_LBUTTONDOWN";
        case WM_LBUTTONUP:
            return L"WM_LBUTTONUP";
        case WM_LBUTTONDBLCLK:
            return L"WM_LBUTTONDBLCLK";
        case WM_RBUTTONDOWN:
            return L"WM_RBUTTONDOWN";
        case WM_RBUTTONUP:
            return L"WM_RBUTTONUP";
        case WM_RBUTTONDBLCLK:
            return L"WM_RBUTTONDBLCLK";
        case WM_MOUSEWHEEL:
            return L"WM_MOUSEWHEEL";
        case WM_KEYDOWN:
            return L"WM_KEYDOWN";
        case WM_SYSKEYDOWN:
            return L"WM_SYSKEYDOWN";
        case WM_CHAR:
            return L"WM_CHAR";
        default:
            return nullptr;
    }
}

// A small modal box: its own window, run in a nested loop while its owner is disabled.
class ModalBox : public WindowEventSink {
public:
    ModalBox(GalleryWindow& owner, const Image* background, const Image* button)
        : owner_(owner), background_(background), button_(button) {}

    int Run() {
        NativeWindow* ownerWindow = owner_.Window();
        const CRect ownerRect = ownerWindow->GetWindowRect();
        WindowParams params;
        params.kind = WindowKind::kTopLevel;
        params.owner = ownerWindow;
        params.caption = L"Gallery modal box";
        params.layered = true;
        const CPoint centre = ownerRect.CenterPoint();
        params.rect = {centre.x - 165, centre.y - 90, centre.x + 165, centre.y + 90};
        window_ = CurrentPlatform().CreateNativeWindow(params, *this);
        if (!window_) {
            return -1;
        }
        ownerWindow->Enable(false);
        window_->Show(SW_SHOW);
        CurrentPlatform().RunLoop([this] { return window_->IsAlive(); });
        ownerWindow->Enable(true);
        ownerWindow->Activate();
        return result_;
    }
    static CRect OkRect() { return {82, 120, 249, 156}; }

    LRESULT OnNativeMessage(unsigned msg, WPARAM wParam, LPARAM lParam) override {
        switch (msg) {
            case WM_PAINT:
                Paint();
                return 0;
            case WM_MOUSEMOVE: {
                const bool over = OkRect().PtInRect({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
                if (over != hover_) {
                    hover_ = over;
                    window_->SetCursor(over ? CursorKind::kHand : CursorKind::kArrow);
                    window_->Invalidate(window_->GetClientRect());
                }
                return 0;
            }
            case WM_LBUTTONUP:
                if (OkRect().PtInRect({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)})) {
                    result_ = 1;
                    window_->PostMessage(WM_CLOSE, 1, 0);
                }
                return 0;
            case WM_KEYDOWN:
                // Enter confirms, Escape cancels, as a message box does.
                if (wParam == VK_RETURN || wParam == VK_ESCAPE) {
                    result_ = wParam == VK_RETURN ? 1 : 2;
                    window_->PostMessage(WM_CLOSE, static_cast<WPARAM>(result_), 0);
                }
                return 0;
            case WM_CLOSE:
                window_->Destroy();
                return 0;
            default:
                return 0;
        }
    }

private:
    void Paint() {
        window_->BeginPaint();  // the box is always composed whole
        const CRect client = window_->GetClientRect();
        surface_.Resize(client.Width(), client.Height());
        surface_.Fill(client, 0);
        {
            Canvas canvas(surface_);
            if (background_ != nullptr) {
                canvas.DrawImageNineGrid(*background_, client,
                                         {0, 0, background_->Width(), background_->Height()}, 20,
                                         60, 20, 20);
            }
            canvas.DrawText(L"A modal box in a nested loop", {20, 12, client.right - 20, 44},
                            {kFrameworkFaceName, 16, kFontStyleBold}, kCyan,
                            DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            canvas.DrawText(L"The gallery behind it takes no input until OK.",
                            {20, 60, client.right - 20, 110}, {kFrameworkFaceName, 14, 0}, kDim,
                            DT_CENTER | DT_VCENTER | DT_WORDBREAK);
            if (button_ != nullptr) {
                canvas.DrawImageNineGrid(*button_, OkRect(),
                                         {0, 0, button_->Width(), button_->Height()}, 12, 12, 12,
                                         12, hover_ ? 255 : 220);
            }
            canvas.DrawText(L"OK", OkRect(), {kFrameworkFaceName, 16, kFontStyleBold},
                            hover_ ? kWhite : kCyan, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            canvas.Flush();
        }
        window_->Present(surface_, client);
    }

    GalleryWindow& owner_;
    const Image* background_;
    const Image* button_;
    std::unique_ptr<NativeWindow> window_;
    Surface surface_;
    bool hover_ = false;
    int result_ = 0;
};

}  // namespace

GalleryWindow::GalleryWindow(std::wstring imageFolder) : imageFolder_(std::move(imageFolder)) {}

GalleryWindow::~GalleryWindow() {
    if (worker_.joinable()) {
        worker_.join();
    }
    edit_.reset();
    tooltip_.reset();
    if (window_) {
        window_->Destroy();
    }
}

const Image* GalleryWindow::Img(const std::wstring& name) {
    auto it = images_.find(name);
    if (it == images_.end()) {
        auto image = LoadImageFromFile(imageFolder_ + name);
        if (!image) {
            ++missingImages_;
            std::fprintf(stderr, "gallery: missing skin image %ls\n", name.c_str());
        }
        it = images_.emplace(name, std::move(image)).first;
    }
    return it->second.get();
}

bool GalleryWindow::Create(CPoint screenTopLeft) {
    WindowParams params;
    params.caption = L"Tessera gallery";
    params.rect = {screenTopLeft.x, screenTopLeft.y, screenTopLeft.x + kWidth,
                   screenTopLeft.y + kHeight};
    params.layered = true;  // rounded corners: shape cut from the alpha without a compositor
    window_ = CurrentPlatform().CreateNativeWindow(params, *this);
    if (!window_) {
        return false;
    }
    if (const Image* icon = Img(L"Keyloom.ico")) {
        window_->SetIcon(*icon);
    }
    tooltip_ = CurrentPlatform().CreateTooltip(*window_);
    if (tooltip_) {
        tooltip_->SetColors(RGB(6, 15, 16), RGB(56, 227, 237));
        tooltip_->SetMaxWidth(256);
    }
    window_->SetTimer(kTickTimer, 500);
    window_->Show(SW_SHOW);
    return true;
}

CRect GalleryWindow::PartRect(Part part) const {
    switch (part) {
        case kClose:
            return {kWidth - 45, 20, kWidth - 26, 39};
        case kMinimize:
            return {kWidth - 84, 20, kWidth - 65, 39};
        case kPush:
            return {30, 100, 197, 136};
        case kApply:
            return {210, 96, 377, 140};
        case kAdd:
        case kEdit:
        case kDelete:
        case kImport:
        case kExport:
        case kKeyboardButton: {
            const int i = part - kAdd;
            return {30 + i * 47, 160, 69 + i * 47, 199};
        }
        case kCheck:
            return {30, 215, 230, 245};
        case kLeft:
        case kRight:
        case kUp:
        case kDown: {
            const int i = part - kLeft;
            return {30 + i * 42, 260, 62 + i * 42, 292};
        }
        case kNameField:
            return {30, 320, 212, 367};
        case kCombo:
            return {230, 322, 515, 366};
        case kSlider:
            return {kSliderLeft, 390, kSliderLeft + kSliderWidth, 419};
        case kWheel:
            return {400, 90, 546, 236};
        case kKeyboard:
            return {30, 445, 1071, 761};
        case kCoreDialog:
            return {390, 250, 557, 286};
        case kControlsDialog:
            return {390, 376, 557, 412};
        case kNone:
            break;
    }
    return {};
}

CPoint GalleryWindow::PartCentre(Part part) const {
    return PartRect(part).CenterPoint();
}

GalleryWindow::Part GalleryWindow::HitTest(CPoint p) const {
    for (int part = kClose; part <= kControlsDialog; ++part) {
        if (PartRect(static_cast<Part>(part)).PtInRect(p)) {
            return static_cast<Part>(part);
        }
    }
    return kNone;
}

int GalleryWindow::StateOf(Part part) const {
    if (pressed_ == part && hover_ == part)
        return 2;
    if (hover_ == part && pressed_ == kNone)
        return 1;
    return 0;
}

void GalleryWindow::Note(const std::wstring& line) {
    notes_.push_back(line);
    if (notes_.size() > 7) {
        notes_.erase(notes_.begin());
    }
    if (window_) {
        window_->Invalidate(window_->GetClientRect());
    }
}

bool GalleryWindow::PreTranslateMessage(unsigned msg, WPARAM, LPARAM lParam) {
    // Every mouse message also reaches the tip, so it follows the pointer.
    if (tooltip_ && (msg == WM_MOUSEMOVE || msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN)) {
        tooltip_->RelayMouse(msg, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    }
    return false;
}

LRESULT GalleryWindow::OnNativeMessage(unsigned msg, WPARAM wParam, LPARAM lParam) {
    const CPoint point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (const wchar_t* name = MessageName(msg)) {
        if (msg >= WM_LBUTTONDOWN && msg <= WM_RBUTTONDBLCLK) {
            mouseLog_.push_back(msg);
        } else if (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN) {
            keyLog_.push_back(static_cast<unsigned>(wParam));
        } else if (msg == WM_CHAR) {
            charLog_.push_back(static_cast<wchar_t>(wParam));
        }
        wchar_t line[96];
        if (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN || msg == WM_CHAR) {
            std::swprintf(line, 96, L"%ls 0x%02X", name, static_cast<unsigned>(wParam));
        } else {
            std::swprintf(line, 96, L"%ls at (%d, %d)", name, point.x, point.y);
        }
        Note(line);
    }
    switch (msg) {
        case WM_PAINT:
            Paint();
            return 0;
        case WM_SIZE:
            if (window_)
                window_->Invalidate(window_->GetClientRect());
            return 0;
        case WM_MOUSEMOVE:
            OnMouseMove(point);
            return 0;
        case WM_LBUTTONDOWN:
            OnPress(point);
            return 0;
        case WM_LBUTTONUP:
            OnRelease(point);
            return 0;
        case WM_RBUTTONUP:
            if (HitTest(point) == kKeyboard) {
                RunMenu(point);
            }
            return 0;
        case kMenuMessage: {
            menuCommands_.push_back(static_cast<unsigned>(lParam));
            wchar_t line[64];
            std::swprintf(line, 64, L"menu command %u", static_cast<unsigned>(lParam));
            Note(line);
            return 0;
        }
        case WM_LBUTTONDBLCLK:
            ++doubleClicks_;
            // As on Windows, the double click also acts as a press.
            OnPress(point);
            return 0;
        case WM_MOUSEWHEEL:
            slider_ = std::clamp(slider_ + (GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? 5 : -5), 0, 100);
            window_->Invalidate(window_->GetClientRect());
            return 0;
        case WM_MOUSELEAVE:
            if (pressed_ == kNone && hover_ != kNone) {
                hover_ = kNone;
                window_->Invalidate(window_->GetClientRect());
            }
            if (tooltip_)
                tooltip_->RelayMouse(WM_MOUSELEAVE, point);
            return 0;
        case WM_TIMER:
            if (wParam == kTickTimer) {
                ++ticks_;
                window_->Invalidate(PartRect(kWheel));
                window_->Invalidate({580, 230, 1070, 420});
            } else if (timerHook_) {
                timerHook_(static_cast<unsigned>(wParam));
            }
            return 0;
        case WM_CLOSE:
            window_->Destroy();
            return 0;
        case WM_KEYDOWN:
            if (wParam == VK_ESCAPE) {
                window_->PostMessage(WM_CLOSE, 0, 0);
            }
            return 0;
        default:
            return 0;
    }
}

void GalleryWindow::OnMouseMove(CPoint p) {
    if (draggingSlider_) {
        MoveSlider(p.x);
        return;
    }
    const Part part = HitTest(p);
    if (part == hover_) {
        return;
    }
    hover_ = part;
    const bool clickable = part != kNone && part != kKeyboard;
    window_->SetCursor(clickable ? CursorKind::kHand : CursorKind::kArrow);
    if (tooltip_) {
        static const std::map<Part, const wchar_t*> tips = {
            {kAdd, L"Add"},       {kEdit, L"Edit"},
            {kDelete, L"Del"},    {kImport, L"Import"},
            {kExport, L"Export"}, {kKeyboardButton, L"On-screen keyboard"},
            {kClose, L"Close"},   {kMinimize, L"Minimize window"}};
        auto it = tips.find(part);
        tooltip_->SetText(it != tips.end() ? it->second : L"");
    }
    window_->Invalidate(window_->GetClientRect());
}

void GalleryWindow::OnPress(CPoint p) {
    const Part part = HitTest(p);
    if (part == kNone) {
        // A free spot moves the window, as a caption would.
        window_->BeginMoveDrag(window_->ClientToScreen(p));
        return;
    }
    pressed_ = part;
    hover_ = part;
    window_->SetCapture();
    if (part == kSlider) {
        draggingSlider_ = true;
        MoveSlider(p.x);
    } else if (part == kWheel) {
        // The colour under the pointer, read straight from the composed pixels.
        const CPoint centre = PartCentre(kWheel);
        const int dx = p.x - centre.x;
        const int dy = p.y - centre.y;
        const int d2 = dx * dx + dy * dy;
        if (d2 > 35 * 35 && d2 <= 73 * 73) {
            picked_ = UnpremultiplyPixel(surface_.PixelAt(p.x, p.y)) | 0xFF000000u;
            wchar_t line[64];
            std::swprintf(line, 64, L"colour picked: #%06X", picked_ & 0xFFFFFFu);
            Note(line);
        }
    }
    window_->Invalidate(window_->GetClientRect());
}

void GalleryWindow::OnRelease(CPoint p) {
    window_->ReleaseCapture();
    const Part was = pressed_;
    pressed_ = kNone;
    draggingSlider_ = false;
    hover_ = HitTest(p);
    window_->Invalidate(window_->GetClientRect());
    if (was != kNone && was == hover_) {
        Clicked(was);
    }
}

void GalleryWindow::Clicked(Part part) {
    switch (part) {
        case kClose:
            window_->PostMessage(WM_CLOSE, 0, 0);
            break;
        case kMinimize:
            window_->Show(SW_MINIMIZE);
            break;
        case kPush:
            ++pushCount_;
            RunModal();
            break;
        case kCoreDialog:
            RunCoreDialog();
            break;
        case kControlsDialog:
            RunControlsDialog();
            break;
        case kCheck:
            checked_ = !checked_;
            break;
        case kLeft:
        case kRight:
        case kUp:
        case kDown:
            direction_ = part;
            break;
        case kNameField:
            OpenEdit();
            break;
        case kCombo:
            comboIndex_ = (comboIndex_ + 1) % static_cast<int>(std::size(kComboItems));
            break;
        default:
            break;
    }
}

void GalleryWindow::MoveSlider(int x) {
    const int value = std::clamp((x - kSliderLeft - 8) * 100 / (kSliderWidth - 16), 0, 100);
    if (value != slider_) {
        slider_ = value;
        window_->Invalidate(PartRect(kSlider));
        window_->Invalidate({580, 230, 1070, 420});
    }
}

void GalleryWindow::OpenEdit() {
    if (!edit_) {
        edit_ = CurrentPlatform().CreateEdit(*window_, *this);
        if (!edit_) {
            Note(L"no native edit field");
            return;
        }
    }
    CRect inner = PartRect(kNameField);
    inner.DeflateRect(10, 12);
    edit_->SetRect(inner);
    edit_->SetFont({kFrameworkFaceName, 15, kFontStyleRegular});
    edit_->SetColors(0xFF38E3ED, 0xFF17302E);  // the name field's colours
    edit_->SetMaxLength(30);
    edit_->SetText(nameText_);
    edit_->Show(true);
    edit_->Focus();
    edit_->SelectAll();
    Note(L"edit field opened");
}

void GalleryWindow::CloseEdit(bool keep) {
    if (!edit_ || !edit_->IsVisible()) {
        return;
    }
    if (keep) {
        nameText_ = edit_->GetText();
    }
    edit_->Show(false);
    Note(keep ? L"edit field closed: " + nameText_ : L"edit field cancelled");
}

void GalleryWindow::OnEditTextChanged() {
    window_->Invalidate({580, 230, 1070, 420});
}

void GalleryWindow::OnEditKillFocus() {
    CloseEdit(true);
}

void GalleryWindow::OnEditKey(unsigned vk) {
    CloseEdit(vk == VK_RETURN);
}

void GalleryWindow::RunModal() {
    modalOpen_ = true;
    Note(L"modal box opened");
    ModalBox box(*this, Img(L"dlg_edit_bkg.png"), Img(L"btn_button.png"));
    modalResult_ = box.Run();
    modalOpen_ = false;
    wchar_t line[48];
    std::swprintf(line, 48, L"modal box returned %d", modalResult_);
    Note(line);
}

void GalleryWindow::RunCoreDialog() {
    CoreDialog dialog;
    const CRect owner = window_->GetWindowRect();
    const CSize size = CoreDialog::Size();
    // Above the gallery's top edge a little, so the whole page fits a 1000-pixel screen.
    const CRect rect{owner.left + 5, std::max(0, owner.top - 40), owner.left + 5 + size.cx,
                     std::max(0, owner.top - 40) + size.cy};
    if (dialog.Create(window_.get(), L"Tessera core", WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                      0, rect) == nullptr) {
        Note(L"framework dialog: cannot create");
        return;
    }
    Note(L"framework dialog opened");
    coreDialog_ = &dialog;
    coreResult_ = static_cast<int>(dialog.ShowModal(SW_SHOW));
    coreDialog_ = nullptr;
    wchar_t line[64];
    std::swprintf(line, 64, L"framework dialog returned %d", coreResult_);
    Note(line);
}

void GalleryWindow::RunControlsDialog() {
    ControlsDialog dialog;
    const CRect owner = window_->GetWindowRect();
    const CSize size = ControlsDialog::Size();
    const int top = std::max(0, owner.top - 40);
    if (dialog.Create(window_.get(), L"Tessera controls",
                      WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0,
                      {owner.left, top, owner.left + size.cx, top + size.cy}) == nullptr) {
        Note(L"controls page: cannot create");
        return;
    }
    controlsDialog_ = &dialog;
    controlsResult_ = static_cast<int>(dialog.ShowModal(SW_SHOW));
    controlsDialog_ = nullptr;
    wchar_t line[64];
    std::swprintf(line, 64, L"controls page returned %d", controlsResult_);
    Note(line);
}

void GalleryWindow::RunMenu(CPoint clientPoint) {
    MenuWnd menu(nullptr);
    if (menu.Create(window_.get(), window_->ClientToScreen(clientPoint), kMenuMessage,
                    L"img_menubkg.png", 30, 150, BACKMODE_FRAME) == 0) {
        Note(L"menu: cannot create");
        return;
    }
    menu.AddMenu(L"Rename", 605);
    menu.AddMenu(L"Import Macro", 606);
    menu.AddMenu(L"Export Macro", 607);
    menu.AddSeparator(609);
    menu.AddMenu(L"Del", 608);
    menu.SetMenuPoint();
    menu_ = &menu;
    menu.ShowModal(SW_SHOWNORMAL);
    menu_ = nullptr;
}

void GalleryWindow::StartWorker(int count) {
    if (worker_.joinable()) {
        worker_.join();
    }
    worker_ = std::thread([this, count] {
        for (int i = 1; i <= count; ++i) {
            CurrentPlatform().PostToUi([this, i] {
                workerPosts_.push_back(i);
                wchar_t line[48];
                std::swprintf(line, 48, L"worker post %d arrived", i);
                Note(line);
            });
        }
    });
}

// ---- drawing --------------------------------------------------------------------------------

void GalleryWindow::Paint() {
    window_->BeginPaint();
    const CRect client = window_->GetClientRect();
    if (surface_.Width() != client.Width() || surface_.Height() != client.Height()) {
        surface_.Resize(client.Width(), client.Height());
    }
    // A layered window is composed whole, as the framework's paint manager does.
    surface_.Fill(client, 0);
    {
        Canvas canvas(surface_);
        Compose(canvas);
        canvas.Flush();
    }
    ++paints_;
    window_->Present(surface_, client);
}

void GalleryWindow::DrawStateImage(Canvas& canvas, const std::wstring& stem, Part part) {
    static const wchar_t* const kSuffix[] = {L"_n.png", L"_h.png", L"_p.png", L"_d.png"};
    if (const Image* image = Img(stem + kSuffix[StateOf(part)])) {
        const CRect r = PartRect(part);
        canvas.DrawImage(*image, r.left + (r.Width() - image->Width()) / 2,
                         r.top + (r.Height() - image->Height()) / 2);
    }
}

void GalleryWindow::Compose(Canvas& canvas) {
    const CRect client{0, 0, kWidth, kHeight};
    const FontSpec label{kFrameworkFaceName, 15, kFontStyleBold};
    const FontSpec body{kFrameworkFaceName, 14, kFontStyleRegular};
    if (const Image* bkg = Img(L"bkg.png")) {
        canvas.DrawImageNineGrid(*bkg, client, {0, 0, bkg->Width(), bkg->Height()}, 80, 80, 80, 80);
    }
    if (const Image* logo = Img(L"logo.png")) {
        canvas.DrawImage(*logo, 20, 18);
    }
    canvas.DrawText(L"Tessera gallery", {230, 16, 700, 44}, {kLatinFaceName, 18, kFontStyleBold},
                    kWhite, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    DrawStateImage(canvas, L"sysbtn_min", kMinimize);
    DrawStateImage(canvas, L"sysbtn_close", kClose);

    canvas.DrawText(L"Buttons", {30, 70, 300, 94}, label, kCyan,
                    DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    if (const Image* button = Img(L"btn_button.png")) {
        const int state = StateOf(kPush);
        canvas.DrawImageNineGrid(*button, PartRect(kPush),
                                 {0, 0, button->Width(), button->Height()}, 12, 12, 12, 12,
                                 state == 0 ? 230 : 255);
        canvas.DrawText(L"Open modal", PartRect(kPush), {kFrameworkFaceName, 15, kFontStyleBold},
                        state == 2   ? 0xFF969696
                        : state == 1 ? 0xFFC8C8C8
                                     : kWhite,
                        DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    }
    DrawStateImage(canvas, L"btn_appy", kApply);
    DrawStateImage(canvas, L"btn_appy", kCoreDialog);
    DrawStateImage(canvas, L"btn_appy", kControlsDialog);
    canvas.DrawText(L"Every control", PartRect(kControlsDialog),
                    {kFrameworkFaceName, 15, kFontStyleBold}, kWhite,
                    DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    canvas.DrawText(L"Framework dialog", PartRect(kCoreDialog),
                    {kFrameworkFaceName, 15, kFontStyleBold}, kWhite,
                    DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    canvas.DrawText(L"Apply", PartRect(kApply), {kFrameworkFaceName, 15, kFontStyleBold}, kWhite,
                    DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    const wchar_t* const iconStems[] = {L"btn_add",    L"btn_edit",   L"btn_del",
                                        L"btn_import", L"btn_export", L"btn_openkb"};
    for (int i = 0; i < 6; ++i) {
        DrawStateImage(canvas, iconStems[i], static_cast<Part>(kAdd + i));
    }
    if (const Image* box = Img(checked_ ? L"btn_checkbox_check.png" : L"btn_checkbox.png")) {
        const CRect r = PartRect(kCheck);
        canvas.DrawImage(*box, r.left + (35 - box->Width()) / 2,
                         r.top + (r.Height() - box->Height()) / 2);
        canvas.DrawText(L"Check button", {r.left + 43, r.top, r.right, r.bottom}, body, kWhite,
                        DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    }
    const wchar_t* const directions[] = {L"img_direction_left", L"img_direction_right",
                                         L"img_direction_top", L"img_direction_bottom"};
    for (int i = 0; i < 4; ++i) {
        const Part part = static_cast<Part>(kLeft + i);
        if (direction_ == part) {
            if (const Image* image = Img(std::wstring(directions[i]) + L"_p.png")) {
                canvas.DrawImage(*image, PartRect(part).left, PartRect(part).top);
            }
        } else {
            DrawStateImage(canvas, directions[i], part);
        }
    }

    canvas.DrawText(L"Fields", {30, 296, 300, 318}, label, kCyan,
                    DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    DrawStateImage(canvas, L"img_edit_bkg", kNameField);
    if (!IsEditOpen()) {
        CRect inner = PartRect(kNameField);
        inner.DeflateRect(10, 0);
        canvas.DrawText(nameText_.empty() ? L"Click to type a name" : nameText_, inner,
                        {kFrameworkFaceName, 15, 0}, nameText_.empty() ? 0xFF808080 : kCyan,
                        DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    }
    if (const Image* combo = Img(L"btn_combox.png")) {
        canvas.DrawImageNineGrid(*combo, PartRect(kCombo), {0, 0, combo->Width(), combo->Height()},
                                 12, 12, 12, 12);
        CRect text = PartRect(kCombo);
        text.left += 25;
        text.right -= 36;
        canvas.DrawText(kComboItems[comboIndex_], text, {kFrameworkFaceName, 16, 0}, kWhite,
                        DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    }

    // Slider: groove, lit part up to the thumb, thumb in its state.
    const CRect slider = PartRect(kSlider);
    const int thumbX = slider.left + 8 + (kSliderWidth - 16 - 29) * slider_ / 100;
    if (const Image* back = Img(L"img_slider_back.png")) {
        const int y = slider.top + (slider.Height() - back->Height()) / 2;
        canvas.DrawImage(*back, {slider.left + 8, y, slider.right - 8, y + back->Height()},
                         {0, 0, back->Width(), back->Height()});
    }
    if (const Image* fore = Img(L"img_slider_fore.png")) {
        const int y = slider.top + (slider.Height() - fore->Height()) / 2;
        canvas.DrawImage(*fore, {slider.left + 8, y, thumbX + 10, y + fore->Height()},
                         {0, 0, fore->Width(), fore->Height()});
    }
    static const wchar_t* const kThumb[] = {L"img_thumb_n.png", L"img_thumb_h.png",
                                            L"img_thumb_p.png", L"img_thumb_d.png"};
    if (const Image* thumb = Img(kThumb[draggingSlider_ ? 2 : StateOf(kSlider)])) {
        canvas.DrawImage(*thumb, thumbX, slider.top);
    }

    // Colour wheel with the picked colour in its centre.
    if (const Image* wheel = Img(L"img_circlepalette.png")) {
        canvas.DrawImage(*wheel, PartRect(kWheel), {0, 0, wheel->Width(), wheel->Height()});
    }
    const CPoint centre = PartCentre(kWheel);
    canvas.FillEllipse({centre.x - 25, centre.y - 25, centre.x + 25, centre.y + 25},
                       (picked_ & 0x00FFFFFFu) | 0xFE000000u);

    // Text in every interface script, with the framework's faces and their fallbacks.
    const int tx = 580;
    canvas.DrawText(L"Open Sans Semibold \u2014 Lighting, Macro, Music", {tx, 84, 1070, 110},
                    {kLatinFaceName, 18, 0}, kWhite, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    canvas.DrawText(
        L"\u706F\u5149\u6548\u679C \u00B7 \u5B8F\u5F55\u5236 \u00B7 \u97F3\u4E50\u5F8B\u52A8",
        {tx, 112, 1070, 140}, {kFrameworkFaceName, 20, 0}, kCyan,
        DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    canvas.DrawText(
        L"\u0E20\u0E32\u0E29\u0E32\u0E44\u0E17\u0E22 \u00B7 "
        L"\u0E44\u0E1F\u0E2A\u0E48\u0E2D\u0E07\u0E2A\u0E27\u0E48\u0E32\u0E07",
        {tx, 142, 1070, 172}, {kFrameworkFaceName, 20, 0}, kWhite,
        DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    canvas.DrawText(L"\u041F\u043E\u0434\u0441\u0432\u0435\u0442\u043A\u0430 \u00B7 Fran\u00E7ais",
                    {tx, 174, 1070, 200}, {kFrameworkFaceName, 18, 0}, kDim,
                    DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    DrawStatus(canvas);

    if (const Image* keyboard = Img(L"device_kb.png")) {
        canvas.DrawImage(*keyboard, PartRect(kKeyboard).left, PartRect(kKeyboard).top);
    }
    canvas.DrawText(L"Keyboard picture (double-click it: one press, then one double click)",
                    {30, 424, 1070, 444}, body, kDim, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
}

void GalleryWindow::DrawStatus(Canvas& canvas) {
    const CRect panel{580, 230, 1070, 420};
    canvas.DrawRoundRect(panel, 10, 0xFF27383C, 1.0, true, 0xE60C1416);
    const FontSpec mono{kLatinFaceName, 13, 0};
    wchar_t line[160];
    std::swprintf(line, 160,
                  L"timer ticks %d  \u00B7  double clicks %d  \u00B7  modal %d  \u00B7  slider %d  "
                  L"\u00B7  worker posts %zu",
                  ticks_, doubleClicks_, modalResult_, slider_, workerPosts_.size());
    canvas.DrawText(line, {panel.left + 12, panel.top + 8, panel.right - 12, panel.top + 30}, mono,
                    kCyan, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    std::wstring editLine = L"edit: ";
    editLine += IsEditOpen() ? edit_->GetText() + L"\u2502" : nameText_;
    canvas.DrawText(editLine, {panel.left + 12, panel.top + 30, panel.right - 12, panel.top + 52},
                    mono, kWhite, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    int y = panel.top + 56;
    for (const std::wstring& note : notes_) {
        canvas.DrawText(note, {panel.left + 12, y, panel.right - 12, y + 18}, mono, kDim,
                        DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
        y += 18;
    }
}

}  // namespace gallery
