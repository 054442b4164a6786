#pragma once

// The gallery's framework page: an MDialog with its paint manager, controls created by
// class name (an area, push buttons in their looks, a tab page holding the keyboard
// picture with the real key table), notifications arriving in OnMessage, tooltips, the
// message overlay and progress band, and the modal results of DoOK and DoCancel.

#include <vector>

#include "tessera/core/dialog.h"

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
    };
    struct Notification {
        unsigned id;
        unsigned code;
        unsigned wParam;
        long lParam;
    };

    static Tessera::CRect ButtonRect(unsigned id);
    static Tessera::CRect KeyboardRect();

    void InitUI(Tessera::CRect client) override;
    long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;

    const std::vector<Notification>& Notifications() const { return notifications_; }
    int Progress() const { return progress_; }

private:
    std::vector<Notification> notifications_;
    int progress_ = 0;
};

}  // namespace gallery
