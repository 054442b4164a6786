#include "tools/gallery/core_dialog.h"

#include <algorithm>

#include "keys/key_layout.h"
#include "tessera/controls/area.h"
#include "tessera/controls/button.h"
#include "tessera/core/manager.h"
#include "tessera/keyboard/circle_palette.h"
#include "tessera/keyboard/keyboard_ctrl.h"
#include "tessera/keyboard/macro_list_box.h"
#include "tessera/keyboard/record_list.h"

namespace gallery {

using namespace Tessera;

namespace {

constexpr int kButtonTop = 150;

}  // namespace

CRect CoreDialog::ButtonRect(unsigned id) {
    const int i = static_cast<int>(id - kMessageId);
    return {24 + i * 180, kButtonTop, 24 + i * 180 + 167, kButtonTop + 44};
}

CRect CoreDialog::KeyboardRect() {
    // Inside the tab page, which starts at (24, 214).
    return {24, 214, 24 + 1041, 214 + 316};
}

void CoreDialog::InitUI(CRect client) {
    SetLayeredWindow(1);
    LoadBKImage(L"bkg.png");
    SetBackMode(BACKMODE_FRAME, 80);

    if (auto* title = CreateArea(L"CArea", kAreaId, {24, 64, client.right - 24, 130}, L"")) {
        // A soft vertical fade of the framework's cyan, drawn by the area itself.
        static_cast<CArea*>(title)->SetTransparent(55, 95, RGB(56, 227, 237));
    }
    struct ButtonSpec {
        unsigned id;
        const wchar_t* title;
        const wchar_t* tooltip;
    };
    const ButtonSpec buttons[] = {
        {kMessageId, L"Message", L"Shows the overlay message"},
        {kProgressId, L"Progress", L"Moves the progress band by 30"},
        {kOkId, L"OK", L"Ends the dialog with 1"},
        {kCancelId, L"Cancel", L"Ends the dialog with 2"},
        {kDisabledId, L"Disabled", L""},
    };
    for (const ButtonSpec& entry : buttons) {
        auto* button = static_cast<MButton*>(
            CreateControl(L"MButton", entry.id, ButtonRect(entry.id), entry.title));
        if (button == nullptr) {
            continue;
        }
        const bool apply = entry.id == kOkId;
        button->SetNormalImage(apply ? L"btn_appy_n.png" : L"btn_button.png");
        button->SetHoverImage(apply ? L"btn_appy_h.png" : L"btn_button.png");
        button->SetDownImage(apply ? L"btn_appy_p.png" : L"btn_button.png");
        button->SetDisableImage(apply ? L"btn_appy_d.png" : L"btn_button.png");
        button->SetTooltip(entry.tooltip);
        if (entry.id == kDisabledId) {
            button->SetEnabled(0);
        }
    }
    // Keyboard pictures live in panels only; a tab page is the application's panel.
    auto* page = static_cast<MPanel*>(CreateControl(
        L"MTabLayout", kPageId, {24, 214, client.right - 24, client.bottom - 20}, L""));
    if (page != nullptr) {
        auto* keyboard = static_cast<KeyboardCtrl*>(
            page->CreateControl(L"KeyboardCtrl", kKeyboardId, KeyboardRect(), L""));
        if (keyboard != nullptr) {
            keyboard->SetKeyboardImage(L"device_kb.png");
            keyboard->SetKeyboardBkgColor(0x565656, {0, 0, 1041, 316});
            keyboard->SetKeyPosition(15, 16);  // the key area inside the picture
            for (const keyloom::KeyLayoutRow& row : keyloom::KeyLayoutTable) {
                const std::wstring label(row.label);
                keyboard->AddKeyItem(
                    label, label, row.usage,
                    {row.left, row.top, row.left + row.width, row.top + row.height});
            }
        }
        if (auto* macros = static_cast<MacroListBox*>(
                page->CreateControl(L"MacroListBox", kMacroListId, MacroListRect(), L""))) {
            macros->SetImage(L"btn_macro_more.png", 4);
            macros->SetTextColor(0xFFFF3300);
            const wchar_t* const names[] = {L"Burst fire", L"Build order", L"Greeting",
                                            L"Screenshot"};
            for (int i = 0; i < 4; ++i) {
                macros->AddString(names[i], i == 1 ? 2 : i % 2, 100 + i);
            }
        }
        const std::wstring icons = Manager::GetSkinFolder() + L"icon/";
        stepIcons_.AddImage(icons + L"icon_record_key_down.png", 0, 1);
        stepIcons_.AddImage(icons + L"icon_record_key_up.png", 1, 1);
        if (auto* steps = static_cast<CRecordList*>(
                page->CreateControl(L"CRecordList", kRecordListId, RecordListRect(), L""))) {
            steps->SetImage(L"btn_macro_more.png", 4);
            steps->SetImageList(&stepIcons_);
            steps->AddString(L"Left Ctrl", 2, 0xE0, 10);
            steps->AddString(L"C", 2, 0x06, 35);
            steps->AddString(L"C", 3, 0x06, 20);
            steps->AddString(L"Left Ctrl", 3, 0xE0, 10);
        }
        if (auto* wheel = page->CreateControl(L"CirclePalette", kWheelId, WheelRect(), L"")) {
            static_cast<CirclePalette*>(wheel)->SetImage(L"img_circlepalette.png", 1);
        }
    }
}

long CoreDialog::OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) {
    notifications_.push_back({id, code, wParam, lParam});
    if (code != NOTIFY_CLICK) {
        return 0;
    }
    switch (id) {
        case kMessageId:
            SetMessage(L"Profile saved to the keyboard", {}, MSG_INFO);
            break;
        case kProgressId:
            progress_ = progress_ >= 100 ? 0 : progress_ + 30;
            SetProgress(std::min(progress_, 100), L"Writing the key map", {});
            break;
        case kOkId:
            DoOK();
            break;
        case kCancelId:
            DoCancel();
            break;
        default:
            break;
    }
    return 0;
}

}  // namespace gallery
