#pragma once

// The native single-line edit field that edit controls open over themselves (text input
// with the platform's input methods). Owned by the control that opened it.

#include <string>

#include "tessera/platform/fonts.h"
#include "tessera/platform/geometry.h"

namespace Tessera {

class NativeEditSink {
public:
    virtual ~NativeEditSink() = default;
    virtual void OnEditTextChanged() = 0;
    // The field lost the keyboard focus (the edit session ends).
    virtual void OnEditKillFocus() = 0;
    // Enter or Escape (VK_RETURN / VK_ESCAPE); other keys stay inside the field.
    virtual void OnEditKey(unsigned vk) = 0;
};

class NativeEdit {
public:
    virtual ~NativeEdit() = default;
    virtual void SetRect(const CRect& clientRect) = 0;
    virtual void SetText(const std::wstring& text) = 0;
    virtual std::wstring GetText() const = 0;
    virtual void SetFont(const FontSpec& font) = 0;
    virtual void SetColors(ARGB text, ARGB background) = 0;
    // 0 = no limit.
    virtual void SetMaxLength(int characters) = 0;
    virtual void SetPassword(bool password) = 0;
    virtual void SetReadOnly(bool readOnly) = 0;
    virtual void Show(bool show) = 0;
    virtual bool IsVisible() const = 0;
    // Takes the keyboard focus with the caret after the last character, nothing selected.
    virtual void Focus() = 0;
    virtual bool HasFocus() const = 0;
    virtual void SelectAll() = 0;
    // Off for fields that capture single keys: an input method would turn the keys into
    // composed text (or swallow them) before the field sees them.
    virtual void SetInputMethodEnabled(bool enabled) = 0;
    virtual bool IsInputMethodEnabled() const = 0;
};

}  // namespace Tessera
