#pragma once

// The root of the framework's object model and the owner interface: a control reports
// what happened to its parent with OnBaseMessage and asks for repainting with
// OnControlUpdate.

#include "tessera/platform/geometry.h"

namespace Tessera {

class MControl;

// Notification codes a control sends to its parent (the `code` of OnBaseMessage).
inline constexpr unsigned NOTIFY_DOWN = 1;
inline constexpr unsigned NOTIFY_CLICK = 2;
inline constexpr unsigned NOTIFY_DBLCLK = 3;
inline constexpr unsigned NOTIFY_RCLICK = 5;
inline constexpr unsigned NOTIFY_CHECK = 7;
inline constexpr unsigned NOTIFY_SCROLL = 8;
inline constexpr unsigned NOTIFY_SUBDOWN = 9;
inline constexpr unsigned NOTIFY_FRAMEDONE = 24;
inline constexpr unsigned NOTIFY_TEXTCHANGE = 26;
inline constexpr unsigned NOTIFY_COLOR = 27;
inline constexpr unsigned NOTIFY_VALUE = 28;
inline constexpr unsigned NOTIFY_EDITEND = 29;
inline constexpr unsigned NOTIFY_EDITBEGIN = 30;
inline constexpr unsigned NOTIFY_SUBCLICK = 31;

// Looks of button-like controls (the index of the image and text colour in use).
inline constexpr int BUTTON_STATE_NORMAL = 0;
inline constexpr int BUTTON_STATE_HOVER = 1;
inline constexpr int BUTTON_STATE_DOWN = 2;
inline constexpr int BUTTON_STATE_DISABLED = 3;

class MObject {
public:
    MObject() = default;
    MObject(const MObject&) = delete;
    MObject& operator=(const MObject&) = delete;
    virtual ~MObject() = default;

    // 1 when GetClassNameW() equals `name` exactly (case-sensitive), else 0.
    virtual int IsClass(const wchar_t* name);
    virtual const wchar_t* GetClassNameW() const { return nullptr; }
    virtual const wchar_t* GetObjectClass() { return nullptr; }
    virtual const wchar_t* BaseObjectClassName() { return nullptr; }
    virtual long OnBaseMessage(unsigned id, unsigned code, unsigned wParam, long lParam);
    virtual long OnControlUpdate(CRect rect, int invalidate, MControl* control);
};

}  // namespace Tessera
