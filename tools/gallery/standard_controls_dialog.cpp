#include "tools/gallery/standard_controls_dialog.h"

#include <cstdio>

#include "tessera/controls/area.h"
#include "tessera/controls/button.h"
#include "tessera/controls/check_buttons.h"
#include "tessera/controls/color_button.h"
#include "tessera/controls/combo_box.h"
#include "tessera/controls/edit.h"
#include "tessera/controls/layer_button.h"
#include "tessera/controls/picture.h"
#include "tessera/controls/push_buttons.h"
#include "tessera/controls/slider.h"
#include "tessera/controls/tab_ctrl.h"
#include "tessera/controls/text.h"
#include "tessera/core/panel.h"

namespace gallery {

using namespace Tessera;

namespace {

// The program's edit colours suit light field images; this skin's fields are dark.
void LightText(MEdit* edit) {
    if (edit != nullptr) {
        edit->SetTextColors(0xFFE6F4F5, 0xFFE6F4F5, 0xFFE6F4F5, 0xFF808080);
        edit->SetEditBKColor(RGB(23, 48, 46));
    }
}

void Dress(MControlFont* control, const wchar_t* normal, const wchar_t* hover, const wchar_t* down,
           const wchar_t* disabled) {
    if (control == nullptr) {
        return;
    }
    control->SetNormalImage(normal);
    control->SetHoverImage(hover);
    control->SetDownImage(down);
    control->SetDisableImage(disabled);
}

template <class T>
T* Make(MDialog& dialog, const wchar_t* className, unsigned id, CRect rect,
        const std::wstring& title = L"") {
    return dynamic_cast<T*>(dialog.CreateControl(className, id, rect, title));
}

template <class T>
T* Make(MPanel& panel, const wchar_t* className, unsigned id, CRect rect,
        const std::wstring& title = L"") {
    return dynamic_cast<T*>(panel.CreateControl(className, id, rect, title));
}

const wchar_t* CodeName(unsigned code) {
    switch (code) {
        case NOTIFY_DOWN:
            return L"DOWN";
        case NOTIFY_CLICK:
            return L"CLICK";
        case NOTIFY_CHECK:
            return L"CHECK";
        case NOTIFY_SCROLL:
            return L"SCROLL";
        case NOTIFY_SUBDOWN:
            return L"SUBDOWN";
        case NOTIFY_SUBCLICK:
            return L"SUBCLICK";
        case NOTIFY_TEXTCHANGE:
            return L"TEXTCHANGE";
        case NOTIFY_EDITBEGIN:
            return L"EDITBEGIN";
        case NOTIFY_EDITEND:
            return L"EDITEND";
        default:
            return L"?";
    }
}

}  // namespace

void StandardControlsDialog::InitUI(CRect client) {
    SetLayeredWindow(1);
    LoadBKImage(L"bkg.png");
    SetBackMode(BACKMODE_FRAME, 80);

    Dress(Make<MButton>(*this, L"MButton", kCloseId, CloseRect(), L"Close"), L"btn_button.png",
          L"btn_button.png", L"btn_button.png", L"btn_button.png");
    if (auto* title =
            Make<MText>(*this, L"MText", kLabelId, {24, 20, 500, 56}, L"Standard controls")) {
        title->SetFont(L"", 20, kFontStyleBold);
    }

    // Buttons.
    Dress(Make<MButton>(*this, L"MButton", kPushId, {24, 76, 191, 112}, L"Push"), L"btn_button.png",
          L"btn_button.png", L"btn_button.png", L"btn_button.png");
    if (auto* image = Make<CImageButton>(*this, L"CImageButton", kImageId, {210, 76, 250, 112},
                                         L"Add a profile")) {
        Dress(image, L"btn_add_n.png", L"btn_add_h.png", L"btn_add_p.png", L"btn_add_d.png");
        image->SetAlrBladderMode(AIRBLADDER_MODE_RIGHT);
    }
    Make<CTextButton>(*this, L"CTextButton", kTextButtonId, {270, 76, 400, 112}, L"Text button");
    Dress(Make<CCheckButton>(*this, L"CCheckButton", kCheckId, {420, 76, 600, 112}, L"Check me"),
          L"btn_checkbox.png", L"btn_checkbox.png", L"btn_checkbox_check.png", L"btn_checkbox.png");
    const wchar_t* radios[] = {L"Left", L"Middle", L"Right"};
    for (unsigned i = 0; i < 3; ++i) {
        const int left = 24 + static_cast<int>(i) * 150;
        auto* radio = Make<CRadioButton>(*this, L"CRadioButton", kFirstRadioId + i,
                                         {left, 130, left + 140, 166}, radios[i]);
        Dress(radio, L"btn_checkbox.png", L"btn_checkbox.png", L"btn_checkbox_check.png",
              L"btn_checkbox.png");
        if (radio != nullptr) {
            radio->SetGroupName(L"side");
            radio->SetControlCheck(i == 0 ? 1 : 0);
        }
    }
    const wchar_t* selects[] = {L"Standard", L"Fn layer"};
    for (unsigned i = 0; i < 2; ++i) {
        const int top = 184 + static_cast<int>(i) * 48;
        auto* select = Make<CSelectButton>(*this, L"CSelectButton", kFirstSelectId + i,
                                           {530, top, 640, top + 40}, selects[i]);
        Dress(select, L"btn_tab_device.png", L"btn_tab_device.png", L"btn_tab_device_check.png",
              L"btn_tab_device.png");
        if (select != nullptr) {
            select->SetControlCheck(i == 0 ? 1 : 0);
        }
    }
    // Colour swatches and the layer button live in a panel: their group is the panel's.
    if (auto* swatches = Make<MPanel>(*this, L"MTabLayout", kSwatchPanelId, {24, 184, 520, 280})) {
        const COLORREF colours[] = {RGB(255, 51, 0), RGB(56, 227, 237), RGB(80, 200, 60),
                                    RGB(250, 220, 40)};
        for (unsigned i = 0; i < 4; ++i) {
            const int left = 24 + static_cast<int>(i) * 44;
            if (auto* swatch = Make<CColorButton>(*swatches, L"CColorButton", kFirstSwatchId + i,
                                                  {left, 190, left + 36, 226})) {
                swatch->SetColor(colours[i]);
                swatch->SetGroupName(L"swatch");
                swatch->SetControlCheck(i == 0 ? 1 : 0);
            }
        }
        if (auto* layer = Make<LayerButton>(*swatches, L"LayerButton", kLayerId,
                                            {220, 190, 380, 226}, L"Layer 1")) {
            Dress(layer, L"btn_button.png", L"btn_button.png", L"btn_button.png",
                  L"btn_button.png");
            layer->SetNormalIcon(L"btn_openkb_n.png");
            layer->SetHoverIcon(L"btn_openkb_h.png");
            layer->SetDownIcon(L"btn_openkb_p.png");
            layer->SetDisableIcon(L"btn_openkb_d.png");
        }
        if (auto* tabs = Make<CTabCtrlEx>(*swatches, L"CTabCtrlEx", kTabsId, {24, 236, 520, 276})) {
            const wchar_t* pages[] = {L"Lighting", L"Keys", L"Macros", L"Music"};
            for (int i = 0; i < 4; ++i) {
                tabs->AddItem(pages[i], 600 + i);
            }
            tabs->SetSelectItem(0);
            tabs->SetImage(L"img_tabline.png", 1);
        }
    }

    // Choices.
    combo_ = Make<MComboBox>(*this, L"MComboBox", kComboId, ComboRect());
    Dress(combo_, L"btn_combox.png", L"btn_combox.png", L"btn_combox.png", L"btn_combox.png");
    if (combo_ != nullptr) {
        const wchar_t* modes[] = {L"Static",   L"Breathing", L"Wave",  L"Ripple",
                                  L"Reactive", L"Spectrum",  L"Custom"};
        for (int i = 0; i < 7; ++i) {
            combo_->AddItem(modes[i], 100 + i);
        }
        combo_->SetCurSel(0);
    }
    if (auto* combo2 = Make<MComboBox2>(*this, L"MComboBox2", kCombo2Id, {24, 350, 224, 380})) {
        Dress(combo2, L"img_macro_combox.png", L"img_macro_combox.png", L"img_macro_combox.png",
              L"img_macro_combox.png");
        combo2->AddItem(L"Key down", 2);
        combo2->AddItem(L"Key up", 3);
        combo2->AddItem(L"Mouse down", 4);
        combo2->SelectData(2);
    }

    // Values and text.
    slider_ = Make<MSlider>(*this, L"MSlider", kSliderId, SliderRect());
    Dress(slider_, L"img_thumb_n.png", L"img_thumb_h.png", L"img_thumb_p.png", L"img_thumb_d.png");
    if (slider_ != nullptr) {
        slider_->SetBackGroundImage(L"img_slider_back.png");
        slider_->SetForeGroundImage(L"img_slider_fore.png");
        slider_->SetMaxProgress(100);
        slider_->SetProgress(40);
    }
    edit_ = Make<MEdit>(*this, L"MEdit", kEditId, EditRect(), L"Profile name");
    Dress(edit_, L"img_edit_bkg_n.png", L"img_edit_bkg_h.png", L"img_edit_bkg_p.png",
          L"img_edit_bkg_d.png");
    LightText(edit_);
    if (auto* numbers =
            Make<MEdit>(*this, L"MEdit", kNumberEditId, {360, 350, 480, 386}, L"Delay ms")) {
        Dress(numbers, L"img_edit_bkg_n.png", L"img_edit_bkg_h.png", L"img_edit_bkg_p.png",
              L"img_edit_bkg_d.png");
        LightText(numbers);
        numbers->SetNumberOnly(1);
        numbers->SetLimitText(5);
    }
    if (auto* capture =
            Make<MEdit>(*this, L"MEdit", kCaptureEditId, {500, 350, 620, 386}, L"Press a key")) {
        Dress(capture, L"img_edit_bkg_n.png", L"img_edit_bkg_h.png", L"img_edit_bkg_p.png",
              L"img_edit_bkg_d.png");
        LightText(capture);
        capture->EnableCharMessage(0);
        capture->SetTitle(L"Ctrl+Shift+K");
    }
    if (auto* picture = Make<MPicture>(*this, L"MPicture", kPictureId, {660, 76, 876, 280})) {
        picture->SetImage(L"img_circlepalette.png", 1);
        picture->SetShowMode(SHOWMODE_PLACE, 0);
        picture->SetAlignment(1, 4);
    }
    if (auto* area = Make<CArea>(*this, L"CArea", kAreaId, {660, 300, 876, 386})) {
        area->SetTransparent(20, 90, RGB(56, 227, 237));
    }
    status_ = Make<MText>(*this, L"MText", kStatusId, {24, 480, 876, 520}, L"");
    if (status_ != nullptr) {
        status_->EnableTextBack(1, 0x80000000);
        status_->SetTextColor(0xFF38E3ED);
    }
    (void)client;
}

bool StandardControlsDialog::Notified(unsigned id, unsigned code) const {
    for (const Notification& n : notifications_) {
        if (n.id == id && n.code == code) {
            return true;
        }
    }
    return false;
}

long StandardControlsDialog::OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) {
    notifications_.push_back({id, code, wParam, lParam});
    if (id == kCloseId && code == NOTIFY_CLICK) {
        DoCancel();
        return 0;
    }
    if (status_ != nullptr) {
        wchar_t line[160];
        std::swprintf(line, 160, L"control %u: %ls (%u, %ld)", id, CodeName(code), wParam, lParam);
        status_->SetTitle(line);
    }
    return 0;
}

}  // namespace gallery
