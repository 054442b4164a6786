#pragma once

// MEdit: a skinned box showing its text (or a grey hint) that opens the platform's native
// edit field over itself for typing. The owner hears NOTIFY_EDITBEGIN when the field opens,
// NOTIFY_TEXTCHANGE for every change the user makes, and NOTIFY_EDITEND when it closes with
// the text copied back. Setting the text from code never echoes NOTIFY_TEXTCHANGE.
//
// Options: character limit, numbers only, password, read-only, and "character input off"
// for capture fields, whose text only the program sets (typed characters are swallowed).

#include <memory>
#include <string>

#include "tessera/core/control_font.h"
#include "tessera/platform/native_edit.h"

namespace Tessera {

class MEdit : public MControlFont, private NativeEditSink {
public:
    MEdit(MObject* parent, unsigned id, CRect rect, const std::wstring& hint, int visible,
          int enabled);
    ~MEdit() override;
    MEdit(const MEdit&) = delete;
    MEdit& operator=(const MEdit&) = delete;

    void DrawControl(Canvas& dc, CRect clip) override;
    void SetControlRect(CRect rect) override;
    void SetControlVisible(int visible) override;
    void SetControlEnabled(int enabled) override;
    int SetControlFocus(int focus) override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;
    int OnControlKeyDown(unsigned vk, unsigned repeat, unsigned modifier) override;
    void SetControlTitle(const std::wstring& title) override;
    // The live text of the open field, else the stored text.
    std::wstring GetControlTitle() const override;

    // Closes the native field first (copying its text back), then returns the text.
    std::wstring GetTitle();
    // Stores the text without repainting.
    void SetEditText(const std::wstring& text);
    std::wstring GetEditText() const { return GetControlTitle(); }
    // The native field while it exists and is shown, else null.
    NativeEdit* GetEditHwnd() const;
    int IsEditFocused() const;
    int IsEditOpen() const { return open_; }

    void SetTextRect(CRect rect);
    CRect GetTextRect() const;
    // The inner button (a strip of `frames` looks); 1 when loaded.
    int SetIconImage(const std::wstring& file, int frames);
    CRect GetButtonRect() const;
    int GetButtonState() const { return buttonState_; }
    void SetTipInfo(const std::wstring& hint);
    const std::wstring& GetTitleEx() const { return hint_; }
    void SetPassWordChar(wchar_t ch) { passwordChar_ = ch; }
    wchar_t GetPassWordChar() const { return passwordChar_; }
    void EnablePassWord(int on);
    int IsPassWordMode() const { return password_; }
    void EnableMultLine(int on);
    int IsMultLineMode() const { return multiLine_; }
    void SetReadOnly(int on);
    int IsReadOnly() const { return readOnly_; }
    void SetNumberOnly(int on) { numberOnly_ = on; }
    int IsNumberOnly() const { return numberOnly_; }
    // 0: typed characters are swallowed (capture fields; the program sets the text).
    void EnableCharMessage(int on);
    int GetCharMessage() const { return charInput_; }
    void SetLimitText(int characters);
    int GetLimitText() const { return limit_; }
    // COLORREF; -1 leaves the native colours.
    void SetEditBKColor(COLORREF color);
    COLORREF GetEditBKColor() const { return editBack_; }
    void SetEditFont();
    void SetEditFont(const std::wstring& face, int size, int bold, int underline, int italic);
    FontSpec GetDefaultFont() const { return GetGDIFont(); }
    ARGB GetEditTextColor() const { return textColors_[0]; }
    int GetState() const { return state_; }

    // Opens the native field over the control (not when read-only or disabled).
    void OpenEdit();
    // Copies the field's text back, hides it and reports NOTIFY_EDITEND (only while open).
    void CloseEdit();

private:
    // NativeEditSink
    void OnEditTextChanged() override;
    void OnEditKillFocus() override;
    void OnEditKey(unsigned vk) override;

    void SetState(int state);
    CRect DefaultTextRect() const;
    CRect NativeRect() const;
    std::wstring Filtered(const std::wstring& typed) const;
    void ConfigureNative();

    std::wstring hint_;
    int state_;
    CRect textRect_;
    bool textRectSet_ = false;
    std::unique_ptr<Image> buttonImage_;
    int buttonFrames_ = 4;
    int buttonState_ = 0;
    std::unique_ptr<NativeEdit> edit_;
    bool open_ = false;
    bool settingNative_ = false;
    int password_ = 0;
    // A black circle: 0xA1F1 is that mark in a double-byte Chinese code page, but as a wide
    // character it is an unrelated syllable.
    wchar_t passwordChar_ = 0x25CF;
    int multiLine_ = 0;
    int readOnly_ = 0;
    int numberOnly_ = 0;
    int charInput_ = 1;
    int limit_ = 120;
    COLORREF editBack_ = 0x222527;
    // Lets a posted check know the control still exists.
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

}  // namespace Tessera
