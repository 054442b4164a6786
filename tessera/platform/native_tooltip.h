#pragma once

// The small tip window that follows the mouse over a window's client.

#include <string>

#include "tessera/platform/fonts.h"
#include "tessera/platform/geometry.h"

namespace Tessera {

class NativeTooltip {
public:
    virtual ~NativeTooltip() = default;
    // Sets the text and shows the tip; an empty text hides it and clears the text.
    virtual void SetText(const std::wstring& text) = 0;
    virtual std::wstring GetText() const = 0;
    virtual bool IsActive() const = 0;
    virtual void SetColors(COLORREF background, COLORREF text) = 0;
    virtual void SetMaxWidth(int pixels) = 0;
    // Mouse messages of the owner window, so the tip follows the pointer and hides on a
    // press; `clientPoint` is the message's point.
    virtual void RelayMouse(unsigned msg, CPoint clientPoint) = 0;
};

}  // namespace Tessera
