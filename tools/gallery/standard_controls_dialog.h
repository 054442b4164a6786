#pragma once

// The gallery's standard-controls page: the buttons, combo boxes, tab bar, slider, edit
// fields, label, picture and area as the program uses them — with content, skin images and
// groups — recording every notification so the self-test can check what a real click, a
// wheel turn or typed text caused.

#include <string>
#include <vector>

#include "tessera/core/dialog.h"

namespace Tessera {
class MComboBox;
class MEdit;
class MSlider;
class MText;
}  // namespace Tessera

namespace gallery {

class StandardControlsDialog : public Tessera::MDialog {
public:
    enum : unsigned {
        kCloseId = 10,
        kPushId = 11,
        kImageId = 12,
        kTextButtonId = 13,
        kCheckId = 14,
        kFirstRadioId = 15,   // three
        kFirstSelectId = 18,  // two
        kSwatchPanelId = 20,
        kFirstSwatchId = 21,  // four
        kLayerId = 25,
        kComboId = 30,
        kCombo2Id = 31,
        kTabsId = 32,
        kSliderId = 40,
        kEditId = 41,
        kNumberEditId = 42,
        kCaptureEditId = 43,
        kLabelId = 50,
        kPictureId = 51,
        kAreaId = 52,
        kStatusId = 53,
    };
    struct Notification {
        unsigned id;
        unsigned code;
        unsigned wParam;
        long lParam;
    };

    static Tessera::CSize Size() { return {900, 560}; }
    static Tessera::CRect CloseRect() { return {900 - 24 - 167, 20, 900 - 24, 56}; }
    static Tessera::CRect ComboRect() { return {24, 300, 274, 336}; }
    static Tessera::CRect SliderRect() { return {24, 420, 324, 450}; }
    static Tessera::CRect EditRect() { return {360, 300, 620, 336}; }

    void InitUI(Tessera::CRect client) override;
    long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;

    const std::vector<Notification>& Notifications() const { return notifications_; }
    bool Notified(unsigned id, unsigned code) const;
    Tessera::MComboBox* Combo() const { return combo_; }
    Tessera::MEdit* Edit() const { return edit_; }
    Tessera::MSlider* Slider() const { return slider_; }

private:
    std::vector<Notification> notifications_;
    Tessera::MComboBox* combo_ = nullptr;
    Tessera::MEdit* edit_ = nullptr;
    Tessera::MSlider* slider_ = nullptr;
    Tessera::MText* status_ = nullptr;
};

}  // namespace gallery
