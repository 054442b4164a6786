#pragma once

// The gallery's framework page: an MDialog with its paint manager, controls created by
// class name (an area, push buttons in their looks, a tab page holding the keyboard
// picture with the real key table, the macro and step lists, the colour wheel),
// notifications arriving in OnMessage, tooltips, the message overlay and progress band,
// and the modal results of DoOK and DoCancel.

#include <memory>
#include <vector>

#include "tessera/core/dialog.h"
#include "tessera/keyboard/image_list.h"

namespace gallery {

class CoreDialog : public Tessera::MDialog {
public:
    // Control ids (the window's own choice, as an application makes them).
    enum : unsigned {
        kAreaId = 10,
        kMessageId = 20,
        kProgressId = 21,
        kOkId = 22,
        kCancelId = 23,
        kDisabledId = 24,
        kPageId = 30,
        kKeyboardId = 31,
        kMacroListId = 32,
        kRecordListId = 33,
        kWheelId = 34,
    };
    struct Notification {
        unsigned id;
        unsigned code;
        unsigned wParam;
        long lParam;
    };

    static Tessera::CRect ButtonRect(unsigned id);
    static Tessera::CRect KeyboardRect();
    static Tessera::CRect MacroListRect() { return {24, 556, 316, 876}; }
    static Tessera::CRect RecordListRect() { return {340, 556, 645, 876}; }
    static Tessera::CRect WheelRect() { return {700, 600, 846, 746}; }
    // Client size of the page.
    static Tessera::CSize Size() { return {1089, 900}; }

    void InitUI(Tessera::CRect client) override;
    long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;

    const std::vector<Notification>& Notifications() const { return notifications_; }
    int Progress() const { return progress_; }

private:
    std::vector<Notification> notifications_;
    Tessera::MImageList stepIcons_;
    int progress_ = 0;
};

}  // namespace gallery
