#pragma once

// CKeyboardTips: the small dark popup the keyboard picture shows above the key under the
// mouse — the key's name and one further line. A plain window painted directly (no
// controls). It never takes activation: showing it must not deactivate the window the
// user is working in, and it never takes the mouse.

#include <memory>
#include <string>

#include "tessera/core/paint_manager.h"
#include "tessera/core/window.h"
#include "tessera/platform/image.h"
#include "tessera/platform/surface.h"

namespace Tessera {

// Posted to close the tip window with the message's parameters.
inline constexpr unsigned kTipCloseMessage = 1090;
// The timer a caller may start to hide the tip after a while.
inline constexpr unsigned kTipHideTimerId = 10;

class CKeyboardTips : public MWindow {
public:
    static constexpr int kWidth = 150;
    static constexpr int kHeight = 80;
    static constexpr ARGB kBackColor = 0xFF232323;  // RGB(35,35,35)
    static constexpr ARGB kTextColor = 0xFFFF3300;  // RGB(255,51,0)

    CKeyboardTips();
    ~CKeyboardTips() override;

    const wchar_t* GetWindowClassName() const override { return L"CKeyboardTips"; }
    // Shows without activating, whatever the command asks for.
    int ShowWindow(int command) override;
    LRESULT OnWindowMessage(unsigned msg, WPARAM wParam, LPARAM lParam) override;
    int OnInitDialog() override { return 1; }

    // Creates the popup over `owner` the way the keyboard picture does: hidden, a tool
    // window that never activates.
    NativeWindow* CreateTipWindow(NativeWindow* owner);

    // Stores the texts and the anchor; with a non-empty title moves the window centred
    // above the anchor (150 x 80) and paints it. Identical arguments change nothing.
    // Always 1.
    int SetAirBladderMsg(const std::wstring& title, const std::wstring& text,
                         const std::wstring& second, CPoint anchor);
    // 1 when the image loaded (skin folder).
    int LoadBKImage(const std::wstring& file);
    int LoadBKImage(unsigned resId, const std::wstring& type);
    void SetBackMode(enumBackMode mode, int corner) {
        backMode_ = mode;
        corner_ = corner;
    }
    void CloseWindow() { PostMessageW(WM_CLOSE, 0, 0); }
    long OnUserCloseWindow(WPARAM wParam, LPARAM lParam) {
        return PostMessageW(WM_CLOSE, wParam, lParam);
    }

    const std::wstring& GetTitle() const { return title_; }
    const std::wstring& GetText() const { return text_; }
    const std::wstring& GetSecond() const { return second_; }
    CPoint GetAnchor() const { return anchor_; }
    int GetType() const { return type_; }
    int GetMode() const { return mode_; }
    // How often the window was painted (a repeated message must not repaint).
    int GetPaintCount() const { return paintCount_; }
    // The client as last painted.
    const Surface& GetBuffer() const { return buffer_; }

private:
    void Paint();

    std::wstring title_;
    std::wstring text_;
    std::wstring second_;
    CPoint anchor_;
    int type_ = 1;
    int mode_ = 3;
    std::unique_ptr<Image> background_;
    enumBackMode backMode_ = BACKMODE_FRAME;
    int corner_ = 18;
    int paintCount_ = 0;
    Surface buffer_;
};

}  // namespace Tessera
