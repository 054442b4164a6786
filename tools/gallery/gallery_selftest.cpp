#include "tools/gallery/gallery_selftest.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <vector>

#include "keys/key_layout.h"
#include "tessera/controls/combo_box.h"
#include "tessera/controls/edit.h"
#include "tessera/controls/slider.h"
#include "tessera/core/object.h"
#include "tessera/platform/gtk/synthetic_input.h"

namespace gallery {

namespace {

constexpr unsigned kScriptTimer = 77;
constexpr unsigned kScriptPeriodMs = 50;
constexpr std::uint64_t kStepTimeoutMs = 6000;

struct Step {
    const char* name;
    std::function<void()> act;   // runs once when the step starts
    std::function<bool()> done;  // polled until true or the time-out
};

class Script {
public:
    Script(GalleryWindow& window, std::string screenshot)
        : window_(window), screenshot_(std::move(screenshot)) {}

    int Run() {
        BuildSteps();
        window_.SetTimerHook([this](unsigned id) {
            if (id == kScriptTimer)
                Tick();
        });
        window_.Window()->SetTimer(kScriptTimer, kScriptPeriodMs);
        CurrentPlatform().RunLoop([this] { return !finished_ && window_.IsOpen(); });
        if (!finished_) {
            std::printf("FAIL  the window closed before the script ended\n");
            ++failures_;
        }
        return failures_;
    }

private:
    CPoint Screen(GalleryWindow::Part part) const {
        return window_.Window()->ClientToScreen(window_.PartCentre(part));
    }
    static void MoveTo(CPoint p) { SyntheticMouseMove(p.x, p.y); }
    static void Click(CPoint p) {
        SyntheticMouseMove(p.x, p.y);
        SyntheticButton(1, true);
        SyntheticButton(1, false);
    }

    void BuildSteps() {
        using P = GalleryWindow;
        steps_.push_back(
            {"the window is shown and painted", [] {},
             [this] { return window_.Window()->IsVisible() && window_.PaintCount() > 0; }});
        steps_.push_back({"every skin image the gallery shows was found", [] {},
                          [this] { return window_.MissingImages() == 0; }});
        steps_.push_back({"closures posted by a worker thread arrive in order",
                          [this] { window_.StartWorker(5); },
                          [this] {
                              return window_.WorkerPosts() == std::vector<int>{1, 2, 3, 4, 5};
                          }});
        steps_.push_back({"hovering a tool button shows its tooltip",
                          [this] { MoveTo(Screen(P::kAdd)); },
                          [this] { return window_.IsTooltipShown(); }});
        steps_.push_back({"a click on the name field opens the native edit field",
                          [this] { Click(Screen(P::kNameField)); },
                          [this] { return window_.IsEditOpen() && window_.Edit()->HasFocus(); }});
        steps_.push_back(
            {"typed text reaches the edit field", [] { SyntheticTypeText(L"Keyloom 42"); },
             [this] {
                 return window_.Edit() != nullptr && window_.Edit()->GetText() == L"Keyloom 42";
             }});
        steps_.push_back(
            {"Return closes the field and keeps the text", [] { SyntheticTapKey("Return"); },
             [this] { return !window_.IsEditOpen() && window_.NameText() == L"Keyloom 42"; }});
        steps_.push_back({"keys reach the window as WM_KEYDOWN and WM_CHAR with Windows codes",
                          [] {
                              SyntheticTapKey("F5");
                              SyntheticTypeText(L"Q!");
                          },
                          [this] {
                              const auto& keys = window_.KeyLog();
                              return std::find(keys.begin(), keys.end(), 0x74u) != keys.end() &&
                                     std::find(keys.begin(), keys.end(), 0x51u) != keys.end() &&
                                     std::find(keys.begin(), keys.end(), 0x31u) != keys.end() &&
                                     window_.CharLog().find(L"Q!") != std::wstring::npos;
                          }});
        steps_.push_back(
            {"text put on the clipboard comes back",
             [this] {
                 clipboardOk_ =
                     CurrentPlatform().SetClipboardText(L"Keyloom \u2713 \u952E\u76D8") &&
                     CurrentPlatform().GetClipboardText() == L"Keyloom \u2713 \u952E\u76D8";
             },
             [this] { return clipboardOk_; }});
        steps_.push_back({"a double click is one press and one double-click message",
                          [this] {
                              window_.ClearMouseLog();
                              Click(Screen(P::kKeyboard));
                              Click(Screen(P::kKeyboard));
                          },
                          [this] {
                              return window_.MouseLog() ==
                                     std::vector<unsigned>{WM_LBUTTONDOWN, WM_LBUTTONUP,
                                                           WM_LBUTTONDBLCLK, WM_LBUTTONUP};
                          }});
        steps_.push_back(
            {"dragging the slider past its end keeps the mouse and gives 100",
             [this] {
                 const CRect r = window_.PartRect(P::kSlider);
                 CPoint start = window_.Window()->ClientToScreen({r.left + 20, r.top + 14});
                 SyntheticMouseMove(start.x, start.y);
                 SyntheticButton(1, true);
                 SyntheticMouseMove(start.x + 200, start.y + 5);
                 SyntheticMouseMove(start.x + 500, start.y + 60);
                 SyntheticButton(1, false);
             },
             [this] { return window_.SliderValue() == 100; }});
        steps_.push_back({"a press on the wheel's red side picks red from the composed pixels",
                          [this] {
                              const CPoint c = window_.PartCentre(P::kWheel);
                              Click(window_.Window()->ClientToScreen({c.x + 60, c.y}));
                          },
                          [this] {
                              const ARGB colour = window_.PickedColour();
                              return ((colour >> 16) & 0xFF) > 200 && ((colour >> 8) & 0xFF) < 90 &&
                                     (colour & 0xFF) < 90;
                          }});
        steps_.push_back({"the push button opens a modal box in a nested loop",
                          [this] { Click(Screen(P::kPush)); },
                          [this] { return window_.IsModalOpen(); }});
        steps_.push_back({"OK in the modal box ends the nested loop with result 1",
                          [this] {
                              const CRect owner = window_.Window()->GetWindowRect();
                              const CPoint centre = owner.CenterPoint();
                              // The box is centred on its owner; its OK button spans
                              // (82, 120)-(249, 156) of a 330 x 180 client.
                              Click({centre.x - 165 + 165, centre.y - 90 + 138});
                          },
                          [this] { return !window_.IsModalOpen() && window_.ModalResult() == 1; }});
        steps_.push_back({"a right click on the keyboard picture opens the popup menu",
                          [this] {
                              const CPoint p = Screen(P::kKeyboard);
                              SyntheticMouseMove(p.x, p.y);
                              SyntheticButton(3, true);
                              SyntheticButton(3, false);
                          },
                          [this] {
                              MenuWnd* menu = window_.OpenMenu();
                              return menu != nullptr && menu->GetSafeHwnd() != nullptr &&
                                     menu->GetSafeHwnd()->IsVisible() &&
                                     MenuItemPoint(0) != CPoint{};
                          }});
        steps_.push_back({"a screenshot of the open menu is saved",
                          [this] {
                              MoveTo(MenuItemPoint(1));
                              shotAt_ = CurrentPlatform().NowMs() + 400;
                          },
                          [this] { return TakeScreenshot(Sibling("menu")); }});
        steps_.push_back(
            {"choosing a menu entry posts its command to the owner and closes the menu",
             [this] { Click(MenuItemPoint(1)); },
             [this] {
                 return window_.OpenMenu() == nullptr &&
                        window_.MenuCommands() == std::vector<unsigned>{606};
             }});
        steps_.push_back({"the framework dialog opens modally",
                          [this] { Click(Screen(P::kCoreDialog)); },
                          [this] { return window_.OpenCoreDialog() != nullptr; }});
        steps_.push_back(
            {"a press on key A of the keyboard picture notifies its index",
             [this] { Click(DialogScreen(KeyCentre(L"A"))); },
             [this] { return Notified(CoreDialog::kKeyboardId, NOTIFY_DOWN, KeyIndex(L"A")); }});
        steps_.push_back({"a press on a macro line selects it and notifies its index",
                          [this] {
                              const CRect r = CoreDialog::MacroListRect();
                              Click(DialogScreen({r.left + 60, r.top + 70 + 20}));
                          },
                          [this] { return Notified(CoreDialog::kMacroListId, NOTIFY_DOWN, 1); }});
        steps_.push_back({"a release on a step line notifies NOTIFY_CLICK with its index",
                          [this] {
                              const CRect r = CoreDialog::RecordListRect();
                              Click(DialogScreen({r.left + 120, r.top + 120 + 30}));
                          },
                          [this] { return Notified(CoreDialog::kRecordListId, NOTIFY_CLICK, 2); }});
        steps_.push_back({"a press on the wheel's ring reports the colour under the pointer",
                          [this] {
                              const CPoint c = CoreDialog::WheelRect().CenterPoint();
                              Click(DialogScreen({c.x + 55, c.y}));
                          },
                          [this] { return WheelReportedRed(); }});
        steps_.push_back(
            {"a click on a push button notifies NOTIFY_CLICK",
             [this] {
                 Click(DialogScreen(CoreDialog::ButtonRect(CoreDialog::kMessageId).CenterPoint()));
             },
             [this] { return Notified(CoreDialog::kMessageId, NOTIFY_CLICK, 0); }});
        steps_.push_back(
            {"the progress button moves the progress band",
             [this] {
                 Click(DialogScreen(CoreDialog::ButtonRect(CoreDialog::kProgressId).CenterPoint()));
             },
             [this] {
                 CoreDialog* dialog = window_.OpenCoreDialog();
                 return dialog != nullptr && dialog->Progress() == 30;
             }});
        steps_.push_back(
            {"a screenshot of the framework dialog is saved",
             [this] {
                 MoveTo(DialogScreen(CoreDialog::ButtonRect(CoreDialog::kOkId).CenterPoint()));
                 shotAt_ = CurrentPlatform().NowMs() + 500;
             },
             [this] { return TakeScreenshot(Sibling("framework")); }});
        steps_.push_back(
            {"OK ends the framework dialog with 1",
             [this] {
                 Click(DialogScreen(CoreDialog::ButtonRect(CoreDialog::kOkId).CenterPoint()));
             },
             [this] { return window_.OpenCoreDialog() == nullptr && window_.CoreResult() == 1; }});
        steps_.push_back({"the controls page opens with every class name tried",
                          [this] { Click(Screen(P::kControlsDialog)); },
                          [this] {
                              ControlsDialog* page = window_.OpenControlsDialog();
                              return page != nullptr && !page->Cells().empty();
                          }});
        steps_.push_back({"each class with a builder made a control, each without gave null", [] {},
                          [this] {
                              ControlsDialog* page = window_.OpenControlsDialog();
                              if (page == nullptr)
                                  return false;
                              for (const auto& cell : page->Cells()) {
                                  if ((cell.made != nullptr) != cell.hasFactory) {
                                      std::printf("      %ls: %s\n", cell.className.c_str(),
                                                  cell.made != nullptr ? "made without a builder"
                                                                       : "not made");
                                      return false;
                                  }
                              }
                              return true;
                          }});
        steps_.push_back({"a screenshot of the controls page is saved",
                          [this] { shotAt_ = CurrentPlatform().NowMs() + 400; },
                          [this] { return TakeScreenshot(Sibling("controls")); }});
        AddStandardPageSteps();
        steps_.push_back(
            {"Close on the controls page ends it with DoCancel's 2",
             [this] { Click(ControlsScreen(ControlsDialog::CloseRect().CenterPoint())); },
             [this] {
                 return window_.OpenControlsDialog() == nullptr && window_.ControlsResult() == 2;
             }});
        steps_.push_back({"a screenshot of the screen is saved",
                          [this] {
                              MoveTo(Screen(P::kApply));
                              shotAt_ = CurrentPlatform().NowMs() + 400;
                          },
                          [this] { return TakeScreenshot(screenshot_); }});
    }

    // The standard-controls page, opened from the controls page: a real click opens a combo
    // box and chooses an entry, typed text reaches an edit field, the wheel turns a slider.
    void AddStandardPageSteps() {
        using S = StandardControlsDialog;
        steps_.push_back(
            {"the standard-controls page opens from the controls page",
             [this] { Click(ControlsScreen(ControlsDialog::StandardRect().CenterPoint())); },
             [this] { return StandardPage() != nullptr; }});
        steps_.push_back({"a click on the combo box opens its drop-down below it",
                          [this] { Click(StandardScreen(S::ComboRect().CenterPoint())); },
                          [this] {
                              CComboBoxWnd* drop = OpenDropDown();
                              if (drop == nullptr)
                                  return false;
                              const CRect r = drop->GetSafeHwnd()->GetWindowRect();
                              const CPoint combo = StandardScreen(S::ComboRect().TopLeft());
                              return r.Height() == 5 * 25 + 12 && r.top > combo.y;
                          }});
        steps_.push_back({"a screenshot of the open drop-down is saved",
                          [this] {
                              MoveTo(ComboRowScreen(3));
                              shotAt_ = CurrentPlatform().NowMs() + 400;
                          },
                          [this] { return TakeScreenshot(Sibling("combo")); }});
        steps_.push_back(
            {"a click on the fourth entry chooses it, tells the owner and closes the drop-down",
             [this] { Click(ComboRowScreen(3)); },
             [this] {
                 StandardControlsDialog* page = StandardPage();
                 return page != nullptr && OpenDropDown() == nullptr &&
                        page->Combo()->GetCurSel() == 3 && page->Combo()->GetTitle() == L"Ripple" &&
                        CountNotes(S::kComboId, NOTIFY_CLICK, 3) == 1;
             }});
        steps_.push_back({"a click on the edit field opens the native field over it",
                          [this] { Click(StandardScreen(S::EditRect().CenterPoint())); },
                          [this] {
                              StandardControlsDialog* page = StandardPage();
                              return page != nullptr && page->Edit()->GetEditHwnd() != nullptr &&
                                     page->Edit()->IsEditFocused() &&
                                     CountNotes(S::kEditId, NOTIFY_EDITBEGIN) == 1;
                          }});
        steps_.push_back({"typed text reaches the edit field, one change notice a character",
                          [] { SyntheticTypeText(L"Tessera 7"); },
                          [this] {
                              StandardControlsDialog* page = StandardPage();
                              return page != nullptr &&
                                     page->Edit()->GetEditText() == L"Tessera 7" &&
                                     CountNotes(S::kEditId, NOTIFY_TEXTCHANGE) == 9;
                          }});
        steps_.push_back({"Return closes the field and the control keeps the text",
                          [] { SyntheticTapKey("Return"); },
                          [this] {
                              StandardControlsDialog* page = StandardPage();
                              return page != nullptr && page->Edit()->GetEditHwnd() == nullptr &&
                                     CountNotes(S::kEditId, NOTIFY_EDITEND) == 1 &&
                                     page->Edit()->GetTitle() == L"Tessera 7";
                          }});
        steps_.push_back({"opened again, the caret stands after the text and nothing is selected",
                          [this] {
                              Click(StandardScreen(S::EditRect().CenterPoint()));
                              SyntheticTypeText(L"!");
                          },
                          [this] {
                              StandardControlsDialog* page = StandardPage();
                              return page != nullptr && page->Edit()->IsEditFocused() &&
                                     CountNotes(S::kEditId, NOTIFY_EDITBEGIN) == 2 &&
                                     page->Edit()->GetEditText() == L"Tessera 7!";
                          }});
        steps_.push_back({"Return closes it again", [] { SyntheticTapKey("Return"); },
                          [this] {
                              StandardControlsDialog* page = StandardPage();
                              return page != nullptr && page->Edit()->GetEditHwnd() == nullptr &&
                                     page->Edit()->GetTitle() == L"Tessera 7!";
                          }});
        steps_.push_back({"the wheel on the slider moves it by one and reports it like a click",
                          [this] {
                              MoveTo(StandardScreen(S::SliderRect().CenterPoint()));
                              SyntheticButton(4, true);
                              SyntheticButton(4, false);
                          },
                          [this] {
                              StandardControlsDialog* page = StandardPage();
                              return page != nullptr && page->Slider()->GetProgress() == 41 &&
                                     CountNotes(S::kSliderId, NOTIFY_SCROLL, 41) == 1 &&
                                     CountNotes(S::kSliderId, NOTIFY_CLICK) == 1;
                          }});
        steps_.push_back({"a screenshot of the standard-controls page is saved",
                          [this] {
                              MoveTo(StandardScreen(S::CloseRect().CenterPoint()));
                              shotAt_ = CurrentPlatform().NowMs() + 400;
                          },
                          [this] { return TakeScreenshot(Sibling("standard")); }});
        steps_.push_back({"Close ends the standard-controls page with DoCancel's 2",
                          [this] { Click(StandardScreen(S::CloseRect().CenterPoint())); },
                          [this] {
                              ControlsDialog* controls = window_.OpenControlsDialog();
                              return controls != nullptr && StandardPage() == nullptr &&
                                     controls->StandardResult() == 2;
                          }});
    }
    StandardControlsDialog* StandardPage() {
        ControlsDialog* controls = window_.OpenControlsDialog();
        return controls != nullptr ? controls->OpenStandardPage() : nullptr;
    }
    CPoint StandardScreen(CPoint client) {
        StandardControlsDialog* page = StandardPage();
        if (page == nullptr || page->GetSafeHwnd() == nullptr)
            return {};
        return page->GetSafeHwnd()->ClientToScreen(client);
    }
    // The combo's drop-down while its window is shown, else null.
    CComboBoxWnd* OpenDropDown() {
        StandardControlsDialog* page = StandardPage();
        if (page == nullptr || !page->Combo()->IsDropDownOpen())
            return nullptr;
        CComboBoxWnd* drop = page->Combo()->GetDropDown();
        return drop != nullptr && drop->GetSafeHwnd() != nullptr && drop->GetSafeHwnd()->IsVisible()
                   ? drop
                   : nullptr;
    }
    // Screen centre of row `row` of the open drop-down list.
    CPoint ComboRowScreen(int row) {
        CComboBoxWnd* drop = OpenDropDown();
        if (drop == nullptr || drop->GetList() == nullptr)
            return {};
        const CRect list = drop->GetList()->GetRect();
        return drop->GetSafeHwnd()->ClientToScreen({list.left + 40, list.top + row * 25 + 12});
    }
    int CountNotes(unsigned id, unsigned code, int wParam = -1) {
        StandardControlsDialog* page = StandardPage();
        if (page == nullptr)
            return 0;
        int count = 0;
        for (const auto& n : page->Notifications()) {
            if (n.id == id && n.code == code &&
                (wParam < 0 || static_cast<int>(n.wParam) == wParam))
                ++count;
        }
        return count;
    }

    CPoint ControlsScreen(CPoint client) {
        ControlsDialog* page = window_.OpenControlsDialog();
        if (page == nullptr || page->GetSafeHwnd() == nullptr)
            return {};
        return page->GetSafeHwnd()->ClientToScreen(client);
    }
    // Screen point of a client point of the open framework dialog.
    CPoint DialogScreen(CPoint client) {
        CoreDialog* dialog = window_.OpenCoreDialog();
        if (dialog == nullptr || dialog->GetSafeHwnd() == nullptr) {
            return {};
        }
        return dialog->GetSafeHwnd()->ClientToScreen(client);
    }
    // Screen centre of entry `index` of the open menu (empty point when none is open).
    CPoint MenuItemPoint(std::size_t index) {
        MenuWnd* menu = window_.OpenMenu();
        if (menu == nullptr || menu->GetSafeHwnd() == nullptr)
            return {};
        const auto items = menu->GetItems();
        if (index >= items.size())
            return {};
        const CRect r = items[index]->GetRect();
        return menu->GetSafeHwnd()->ClientToScreen(r.CenterPoint());
    }
    static int KeyIndex(const wchar_t* label) {
        for (std::size_t i = 0; i < keyloom::KeyLayoutTable.size(); ++i) {
            if (keyloom::KeyLayoutTable[i].label == label)
                return static_cast<int>(i);
        }
        return -1;
    }
    static CPoint KeyCentre(const wchar_t* label) {
        const auto& row = keyloom::KeyLayoutTable[static_cast<std::size_t>(KeyIndex(label))];
        const CRect picture = CoreDialog::KeyboardRect();
        return {picture.left + 15 + row.left + row.width / 2,
                picture.top + 16 + row.top + row.height / 2};
    }
    bool Notified(unsigned id, unsigned code, int wParam) {
        CoreDialog* dialog = window_.OpenCoreDialog();
        if (dialog == nullptr)
            return false;
        for (const auto& n : dialog->Notifications()) {
            if (n.id == id && n.code == code && static_cast<int>(n.wParam) == wParam)
                return true;
        }
        return false;
    }
    bool WheelReportedRed() {
        CoreDialog* dialog = window_.OpenCoreDialog();
        if (dialog == nullptr)
            return false;
        for (const auto& n : dialog->Notifications()) {
            if (n.id != CoreDialog::kWheelId || n.code != NOTIFY_COLOR)
                continue;
            const auto colour = static_cast<COLORREF>(n.lParam);  // red in the low byte
            if (GetRValue(colour) > 200 && GetGValue(colour) < 90 && GetBValue(colour) < 90) {
                return true;
            }
        }
        return false;
    }
    std::string Sibling(const char* stem) const {
        std::filesystem::path path(screenshot_);
        return (path.parent_path() / (path.stem().string() + "-" + stem + ".png")).string();
    }

    bool TakeScreenshot(const std::string& file) {
        if (CurrentPlatform().NowMs() < shotAt_) {
            return false;
        }
        std::error_code ec;
        std::filesystem::create_directories(std::filesystem::path(file).parent_path(), ec);
        const std::string command = "import -window root '" + file + "'";
        if (std::system(command.c_str()) != 0) {
            const std::string fallback = "xwd -root -silent | convert xwd:- '" + file + "'";
            if (std::system(fallback.c_str()) != 0) {
                return false;
            }
        }
        if (file == screenshot_) {
            // The gallery's own client image as composed, beside the screen capture.
            const std::string composed =
                std::filesystem::path(file).replace_extension(".composed.png").string();
            SaveSurfaceToPng(window_.Composed(), std::filesystem::path(composed).wstring());
        }
        return std::filesystem::exists(file) && std::filesystem::file_size(file) > 0;
    }

    void Tick() {
        if (finished_ || busy_) {
            return;
        }
        busy_ = true;  // a step may run a nested loop (the modal box); ticks wait for it
        if (current_ < steps_.size()) {
            Step& step = steps_[current_];
            const std::uint64_t now = CurrentPlatform().NowMs();
            if (!started_) {
                started_ = true;
                startedAt_ = now;
                busy_ = false;  // the modal step's act opens a nested loop we must poll from
                step.act();
                SyntheticFlush();
                return;
            }
            if (step.done()) {
                std::printf("PASS  %s\n", step.name);
                Next();
            } else if (now - startedAt_ > kStepTimeoutMs) {
                std::printf("FAIL  %s\n", step.name);
                ++failures_;
                Next();
            }
        }
        if (current_ >= steps_.size()) {
            finished_ = true;
        }
        busy_ = false;
    }
    void Next() {
        ++current_;
        started_ = false;
        std::fflush(stdout);
    }

    GalleryWindow& window_;
    std::string screenshot_;
    std::vector<Step> steps_;
    std::size_t current_ = 0;
    bool started_ = false;
    bool busy_ = false;
    bool finished_ = false;
    std::uint64_t startedAt_ = 0;
    std::uint64_t shotAt_ = 0;
    int failures_ = 0;
    bool clipboardOk_ = false;
};

}  // namespace

int RunSelfTest(GalleryWindow& window, const std::string& screenshotPath) {
    if (!SyntheticInputAvailable()) {
        std::printf("FAIL  the X server offers no XTest extension\n");
        return 1;
    }
    Script script(window, screenshotPath);
    return script.Run();
}

}  // namespace gallery
