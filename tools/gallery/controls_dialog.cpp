#include "tools/gallery/controls_dialog.h"

#include <cstdio>
#include <map>
#include <memory>

#include "tessera/controls/button.h"
#include "tessera/core/control_font.h"
#include "tessera/core/control_registry.h"
#include "tessera/core/panel.h"

namespace gallery {

using namespace Tessera;

namespace {

constexpr int kColumns = 6;
constexpr int kCellWidth = 168;
constexpr int kCellHeight = 84;
constexpr int kGridLeft = 24;
constexpr int kGridTop = 76;

// A caption drawn by the gallery itself, so the page needs no label class of the framework.
class CellCaption : public MControlFont {
public:
    CellCaption(MObject* parent, CRect rect, const std::wstring& text, ARGB color)
        : MControlFont(parent, 0, rect, text, 1, 1, 0) {
        SetTextColor(color);
        SetFont(kLatinFaceName, 13, kFontStyleRegular);
    }
    void DrawControl(Canvas& dc, CRect) override {
        dc.DrawText(GetControlTitle(), GetRect(), GetFontSpec(), GetTextColor(0),
                    DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    }
};

// The skin images a class is shown with: normal, hover, down, disabled, or one strip.
struct Look {
    const wchar_t* states[4];
    const wchar_t* strip;
    int frames;
};

const std::map<std::wstring, Look>& Looks() {
    static const std::map<std::wstring, Look> looks = {
        {L"MButton",
         {{L"btn_button.png", L"btn_button.png", L"btn_button.png", L"btn_button.png"},
          nullptr,
          0}},
        {L"CImageButton",
         {{L"btn_add_n.png", L"btn_add_h.png", L"btn_add_p.png", L"btn_add_d.png"}, nullptr, 0}},
        {L"CCheckButton",
         {{L"btn_checkbox.png", L"btn_checkbox.png", L"btn_checkbox_check.png",
           L"btn_checkbox.png"},
          nullptr,
          0}},
        {L"CRadioButton",
         {{L"img_direction_left_n.png", L"img_direction_left_h.png", L"img_direction_left_p.png",
           L"img_direction_left_d.png"},
          nullptr,
          0}},
        {L"CSelectButton",
         {{L"btn_tab_device.png", L"btn_tab_device.png", L"btn_tab_device_check.png",
           L"btn_tab_device.png"},
          nullptr,
          0}},
        {L"MEdit",
         {{L"img_edit_bkg_n.png", L"img_edit_bkg_h.png", L"img_edit_bkg_p.png",
           L"img_edit_bkg_d.png"},
          nullptr,
          0}},
        {L"MEditEx",
         {{L"img_edit_bkg_n.png", L"img_edit_bkg_h.png", L"img_edit_bkg_p.png",
           L"img_edit_bkg_d.png"},
          nullptr,
          0}},
        {L"MComboBox",
         {{L"btn_combox.png", L"btn_combox.png", L"btn_combox.png", L"btn_combox.png"},
          nullptr,
          0}},
        {L"MComboBox2",
         {{L"img_macro_combox.png", L"img_macro_combox.png", L"img_macro_combox.png",
           L"img_macro_combox.png"},
          nullptr,
          0}},
        {L"MSlider",
         {{L"img_thumb_n.png", L"img_thumb_h.png", L"img_thumb_p.png", L"img_thumb_d.png"},
          nullptr,
          0}},
        {L"MPicture", {{nullptr, nullptr, nullptr, nullptr}, L"logo.png", 1}},
        {L"CPhotoFrame", {{nullptr, nullptr, nullptr, nullptr}, L"logo.png", 1}},
        {L"CirclePalette", {{nullptr, nullptr, nullptr, nullptr}, L"img_circlepalette.png", 1}},
        {L"MacroListBox", {{nullptr, nullptr, nullptr, nullptr}, L"btn_macro_more.png", 4}},
        {L"CRecordList", {{nullptr, nullptr, nullptr, nullptr}, L"btn_macro_more.png", 4}},
    };
    return looks;
}

void Dress(MControl* control, const std::wstring& className) {
    auto* font = dynamic_cast<MControlFont*>(control);
    auto it = Looks().find(className);
    if (font == nullptr || it == Looks().end()) {
        return;
    }
    const Look& look = it->second;
    if (look.states[0] != nullptr) {
        font->SetNormalImage(look.states[0]);
        font->SetHoverImage(look.states[1]);
        font->SetDownImage(look.states[2]);
        font->SetDisableImage(look.states[3]);
    }
    if (look.strip != nullptr) {
        font->SetImage(look.strip, look.frames);
    }
}

}  // namespace

void ControlsDialog::InitUI(CRect client) {
    SetLayeredWindow(1);
    LoadBKImage(L"bkg.png");
    SetBackMode(BACKMODE_FRAME, 80);
    if (auto* close =
            static_cast<MButton*>(CreateControl(L"MButton", kCloseId, CloseRect(), L"Close"))) {
        close->SetNormalImage(L"btn_button.png");
        close->SetHoverImage(L"btn_button.png");
        close->SetDownImage(L"btn_button.png");
        close->SetDisableImage(L"btn_button.png");
    }
    if (auto* standard = static_cast<MButton*>(
            CreateControl(L"MButton", kStandardId, StandardRect(), L"Standard controls"))) {
        standard->SetNormalImage(L"btn_button.png");
        standard->SetHoverImage(L"btn_button.png");
        standard->SetDownImage(L"btn_button.png");
        standard->SetDisableImage(L"btn_button.png");
    }
    // The grid is a panel, so panel-only classes can be made in it like everything else.
    auto* grid = static_cast<MPanel*>(CreateControl(
        L"MTabLayout", kGridId, {0, kGridTop - 4, client.right, client.bottom - 8}, L""));

    int built = 0;
    int index = 0;
    for (const ControlClass& cls : ControlClasses()) {
        const int col = index % kColumns;
        const int row = index / kColumns;
        const CRect cell{kGridLeft + col * (kCellWidth + 8), kGridTop + row * (kCellHeight + 8),
                         kGridLeft + col * (kCellWidth + 8) + kCellWidth,
                         kGridTop + row * (kCellHeight + 8) + kCellHeight};
        CRect sample{cell.left, cell.top + 20, cell.right, cell.bottom};
        if (std::wstring(cls.name) == L"CirclePalette") {
            sample.right = sample.left + sample.Height();  // the wheel is round
        }
        const std::wstring name = cls.name;
        const unsigned id = kFirstCellId + static_cast<unsigned>(index);
        MControl* made = nullptr;
        if (cls.scope == ControlScope::kWindowOnly) {
            made = CreateControl(name, id, sample, name);
        } else if (grid != nullptr) {
            made = grid->CreateControl(name, id, sample, name);
        }
        Dress(made, name);
        if (made != nullptr) {
            ++built;
        }
        cells_.push_back({name, cls.factory != nullptr, made});
        const ARGB colour = made != nullptr ? 0xFF38E3ED : 0xFF6C7A7D;
        const std::wstring caption = made != nullptr ? name : name + L"  (not built yet)";
        GetPaintManager().AddControl(
            0, std::make_unique<CellCaption>(
                   this, CRect{cell.left, cell.top, cell.right, cell.top + 18}, caption, colour));
        ++index;
    }
    wchar_t heading[96];
    std::swprintf(heading, 96, L"Every control class: %d of %d built", built, index);
    GetPaintManager().AddControl(
        0, std::make_unique<CellCaption>(this, CRect{24, 24, 700, 52}, heading, 0xFFFFFFFF));
}

long ControlsDialog::OnMessage(unsigned id, unsigned code, unsigned, long) {
    if (id == kCloseId && code == NOTIFY_CLICK) {
        DoCancel();
    } else if (id == kStandardId && code == NOTIFY_CLICK) {
        RunStandardPage();
    }
    return 0;
}

void ControlsDialog::RunStandardPage() {
    StandardControlsDialog page;
    CRect owner;
    GetWindowRect(owner);
    const CSize size = StandardControlsDialog::Size();
    const CRect rect{owner.left + 60, owner.top + 60, owner.left + 60 + size.cx,
                     owner.top + 60 + size.cy};
    if (page.Create(GetSafeHwnd(), L"Tessera standard controls",
                    WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, rect) == nullptr) {
        return;
    }
    standardPage_ = &page;
    standardResult_ = static_cast<int>(page.ShowModal(SW_SHOW));
    standardPage_ = nullptr;
}

}  // namespace gallery
