#include "tessera/core/control_registry.h"

#include <array>

#include "tessera/controls/area.h"
#include "tessera/controls/button.h"
#include "tessera/controls/check_buttons.h"
#include "tessera/controls/color_button.h"
#include "tessera/controls/combo_box.h"
#include "tessera/controls/edit.h"
#include "tessera/controls/layer_button.h"
#include "tessera/controls/menu_item.h"
#include "tessera/controls/picture.h"
#include "tessera/controls/push_buttons.h"
#include "tessera/controls/slider.h"
#include "tessera/controls/switch_button.h"
#include "tessera/controls/tab_ctrl.h"
#include "tessera/controls/text.h"
#include "tessera/core/panel.h"
#include "tessera/keyboard/circle_palette.h"
#include "tessera/keyboard/color_palette.h"
#include "tessera/keyboard/color_select.h"
#include "tessera/keyboard/hsl_palette.h"
#include "tessera/keyboard/keyboard_ctrl.h"
#include "tessera/keyboard/macro_list_box.h"
#include "tessera/keyboard/record_list.h"

namespace Tessera {

namespace {

template <class T>
std::unique_ptr<MControl> WithTitle(MObject* parent, unsigned id, CRect rect,
                                    const std::wstring& title, int visible, int enabled) {
    return std::make_unique<T>(parent, id, rect, title, visible, enabled);
}

template <class T>
std::unique_ptr<MControl> WithoutTitle(MObject* parent, unsigned id, CRect rect,
                                       const std::wstring&, int visible, int enabled) {
    return std::make_unique<T>(parent, id, rect, visible, enabled);
}

using enum ControlScope;

// Searched in order; the first matching name wins.
constexpr std::array kClasses = {
    ControlClass{L"CArea", kWindowAndPanel, &WithoutTitle<CArea>},
    ControlClass{L"MText", kWindowAndPanel, &WithTitle<MText>},
    ControlClass{L"MPicture", kWindowAndPanel, &WithoutTitle<MPicture>},
    ControlClass{L"CPhotoFrame", kWindowAndPanel, nullptr},
    ControlClass{L"CSliderPicture", kWindowAndPanel, nullptr},
    ControlClass{L"CGifPicture", kWindowAndPanel, nullptr},
    ControlClass{L"MProgress", kWindowAndPanel, nullptr},
    ControlClass{L"MSlider", kWindowAndPanel, &WithoutTitle<MSlider>},
    ControlClass{L"MLevelCtrl", kWindowAndPanel, nullptr},
    ControlClass{L"MButton", kWindowAndPanel, &WithTitle<MButton>},
    ControlClass{L"CImageButton", kWindowAndPanel, &WithTitle<CImageButton>},
    ControlClass{L"CTextButton", kWindowAndPanel, &WithTitle<CTextButton>},
    ControlClass{L"CCheckButton", kWindowAndPanel, &WithTitle<CCheckButton>},
    ControlClass{L"CRadioButton", kWindowAndPanel, &WithTitle<CRadioButton>},
    ControlClass{L"CSelectButton", kWindowAndPanel, &WithTitle<CSelectButton>},
    ControlClass{L"CColorButton", kWindowAndPanel, &WithoutTitle<CColorButton>},
    ControlClass{L"MSpinButton", kWindowAndPanel, nullptr},
    ControlClass{L"CSpinButton", kWindowAndPanel, nullptr},
    ControlClass{L"CSwitchButton", kWindowAndPanel, &WithoutTitle<CSwitchButton>},
    ControlClass{L"CHelpButton", kWindowAndPanel, &WithTitle<CHelpButton>},
    ControlClass{L"MEdit", kWindowAndPanel, &WithTitle<MEdit>},
    ControlClass{L"MRichEdit", kWindowAndPanel, nullptr},
    ControlClass{L"MEditEx", kWindowAndPanel, nullptr},
    ControlClass{L"MComboBox", kWindowAndPanel, &WithoutTitle<MComboBox>},
    ControlClass{L"MTabCtrl", kWindowAndPanel, nullptr},
    ControlClass{L"MTabLayout", kWindowAndPanel, &WithTitle<MTabLayout>},
    ControlClass{L"MListBox", kWindowAndPanel, nullptr},
    ControlClass{L"MPalette", kWindowAndPanel, &WithoutTitle<MPalette>},
    ControlClass{L"CColorPalette", kWindowAndPanel, &WithoutTitle<CColorPalette>},
    ControlClass{L"CColorSelect", kWindowAndPanel, &WithoutTitle<CColorSelect>},
    ControlClass{L"CirclePalette", kWindowAndPanel, &WithoutTitle<CirclePalette>},
    ControlClass{L"MenuItem", kWindowAndPanel, &WithTitle<MenuItem>},
    ControlClass{L"MComboBox2", kWindowAndPanel, &WithoutTitle<MComboBox2>},
    ControlClass{L"CComboBoxList2", kWindowAndPanel, &WithoutTitle<CComboBoxList2>},
    ControlClass{L"CTabCtrlEx", kWindowAndPanel, &WithoutTitle<CTabCtrlEx>},
    ControlClass{L"CComboBoxList", kWindowOnly, &WithoutTitle<CComboBoxList>},
    ControlClass{L"KeyboardCtrl", kPanelOnly, &WithoutTitle<KeyboardCtrl>},
    ControlClass{L"MButton2", kPanelOnly, &WithTitle<MButton2>},
    ControlClass{L"LayerButton", kPanelOnly, &WithTitle<LayerButton>},
    ControlClass{L"MacroListBox", kPanelOnly, &WithoutTitle<MacroListBox>},
    ControlClass{L"CRecordList", kPanelOnly, &WithoutTitle<CRecordList>},
};

}  // namespace

std::span<const ControlClass> ControlClasses() {
    return kClasses;
}

const ControlClass* FindControlClass(const std::wstring& name, ControlHost host) {
    if (name.empty()) {
        return nullptr;
    }
    for (const ControlClass& entry : kClasses) {
        if (name != entry.name) {
            continue;
        }
        const bool known = entry.scope == kWindowAndPanel ||
                           (entry.scope == kWindowOnly && host == ControlHost::kWindow) ||
                           (entry.scope == kPanelOnly && host == ControlHost::kPanel);
        return known ? &entry : nullptr;
    }
    return nullptr;
}

std::unique_ptr<MControl> CreateControlByClassName(const std::wstring& name, ControlHost host,
                                                   MObject* parent, unsigned id, CRect rect,
                                                   const std::wstring& title, int visible,
                                                   int enabled) {
    const ControlClass* entry = FindControlClass(name, host);
    if (entry == nullptr || entry->factory == nullptr) {
        return nullptr;
    }
    return entry->factory(parent, id, rect, title, visible, enabled);
}

}  // namespace Tessera
