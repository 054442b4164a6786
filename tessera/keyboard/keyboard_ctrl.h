#pragma once

// KeyboardCtrl: a picture of the keyboard with one clickable rectangle per key. The
// program gives it the key list (label, key code, rectangle); the control draws outlines
// in the style of its keyboard type, tracks hover, the current key and checks, can select
// keys with a rubber band, and reports presses and releases with the key's position and
// code.
//
// Threads: the key list (checks, colours, tips) may be changed from a worker thread while
// the UI thread draws; every access takes the key lock. A repaint asked for from another
// thread is posted to the UI thread (the worker never touches the window).

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tessera/core/panel.h"
#include "tessera/keyboard/keyboard_tips.h"
#include "tessera/platform/image.h"

namespace Tessera {

struct KEY_INFO {
    int index = 0;
    std::uint32_t value = 0;  // the key code; keys are found by it
    std::wstring name;
    std::wstring desc;
    std::wstring tip;
    std::wstring tip2;  // non-empty: drawn highlighted in key style
    CRect rect;         // relative to the control's top-left corner
    int check = 0;
    COLORREF color = 0;      // drawn now; 0 = none
    COLORREF baseColor = 0;  // last given by SetKeyColor
};

// Drawing styles.
inline constexpr unsigned KEYBOARD_TYPE_KEY = 1;
inline constexpr unsigned KEYBOARD_TYPE_LIGHT = 2;
inline constexpr unsigned KEYBOARD_TYPE_MUSIC = 3;
inline constexpr unsigned KEYBOARD_TYPE_PICTURE = 100;

class KeyboardCtrl : public MPanel {
public:
    static constexpr ARGB kHighlightColor = 0xFFFF3300;
    static constexpr ARGB kFrameColor = 0xFE4CFF29;
    static constexpr int kOutlineRadius = 12;
    static constexpr int kOutlineWidth = 2;
    // A move this close to the frame's corner (both ways) does not update the frame.
    static constexpr int kFrameStep = 20;
    // A frame narrower or lower than this selects nothing.
    static constexpr int kFrameMinimum = 6;

    KeyboardCtrl(MObject* parent, unsigned id, CRect rect, int visible, int enabled = 1);
    ~KeyboardCtrl() override;

    const wchar_t* GetClassNameW() const override { return L"KeyboardCtrl"; }

    // ---- keys ----
    int AddKeyItem(const std::wstring& name, const std::wstring& desc, unsigned long value,
                   CRect rect);
    void ClearItem();
    std::vector<KEY_INFO*> GetKeyItems();
    void SetKeyPosition(int x, int y) {
        keyOffsetX_ = x;
        keyOffsetY_ = y;
    }

    // ---- settings ----
    // Loads the picture from the skin folder (not the image cache) and clears all checks;
    // a file that cannot be loaded leaves no picture.
    void SetKeyboardImage(const std::wstring& file);
    bool HasKeyboardImage() const { return image_ != nullptr; }
    void SetKeyboardType(unsigned type) { type_ = type; }
    unsigned GetKeyboardType() const { return type_; }
    void SetRGBMode(int rgb) { rgbMode_ = rgb != 0; }
    bool GetRGBMode() const { return rgbMode_; }
    void SetKeyboardBkgColor(COLORREF color, CRect rect) {
        bkgColor_ = color;
        bkgRect_ = rect;
    }
    void EnableFrameSelect(int enable) { frameSelect_ = enable; }
    void EnableKBTips(bool enable) { tipsEnabled_ = enable; }

    // ---- per key (first key with the code; unknown codes do nothing; no repaint) ----
    void SetKeyCheck(unsigned long value, int check);
    void SetKeyColor(unsigned long value, COLORREF color);
    // An empty text restores the key's name.
    void SetKeyDesc(unsigned long value, const std::wstring& text);
    void SetTipKey(unsigned long value, const std::wstring& text, const std::wstring& second);

    // ---- all keys (repaint) ----
    void SetAllSelectColor(COLORREF color);
    void ResetAllItemCheck(int check);
    void ResetAllItemColor();
    void ResetTipKey();
    int GetCheckItemCount();
    // Preset colours: the single-colour rows unless RGB mode is on; in RGB mode `color`
    // for every key, or the rainbow map when `rainbow` is non-zero.
    void SetLightModeColor(int rainbow, COLORREF color);

    int GetCurrentKeyValue() const { return currentValue_; }
    int GetHoverKey() const { return hover_; }
    int GetCurrentKey() const { return current_; }
    bool IsFrameSelecting() const { return frameSelecting_ != 0; }
    // Ends any frame selection.
    void SetDownPoint(CPoint point);
    // Asks for a repaint from any thread; off the UI thread it is posted to the UI thread.
    void RequestRepaint();
    CKeyboardTips* GetTipWindow() const { return tips_.get(); }

    // ---- overrides ----
    void DrawControl(Canvas& dc, CRect clip) override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;
    int OnControlRButtonDown(unsigned flags, CPoint point) override;
    int OnControlRButtonUp(unsigned flags, CPoint point) override;

private:
    // Key lookups; callers hold keysLock_.
    KEY_INFO* FindKeyLocked(unsigned long value);
    int KeyAtLocked(CPoint point) const;
    KEY_INFO* KeyAtIndexLocked(int index);
    // The key under a press or release becomes hovered and current; its position (-1
    // none) and code (0 none).
    int PointKey(CPoint point, std::uint32_t& code);
    void SetKeyColorLocked(unsigned long value, COLORREF color);
    void UpdateFrameSelection();
    void ClearFrame();
    bool EndFrame();
    void ShowTip(int index);
    void HideTip();
    void DrawOutlines(Canvas& dc);

    std::vector<std::unique_ptr<KEY_INFO>> keys_;
    mutable std::recursive_mutex keysLock_;
    bool tipsEnabled_ = false;
    int nextId_ = 0;
    std::atomic<int> hover_{-1};
    std::atomic<int> current_{-1};
    std::unique_ptr<Image> image_;
    int keyOffsetX_ = 0;
    int keyOffsetY_ = 0;
    std::atomic<int> currentValue_{0};
    unsigned type_ = KEYBOARD_TYPE_KEY;
    CRect bkgRect_;
    COLORREF bkgColor_ = 0x565656;
    std::atomic<bool> rgbMode_{false};
    int frameSelect_ = 0;
    int frameSelecting_ = 0;
    // A frame needs an origin from a press inside the control.
    bool frameArmed_ = false;
    CPoint frameOrigin_;
    CPoint frameCorner_;
    std::unique_ptr<CKeyboardTips> tips_;
    int tipShown_ = -1;

    std::thread::id uiThread_;
    std::atomic<bool> repaintPosted_{false};
    // Posted repaints hold this weakly, so one that runs after the control is gone does
    // nothing.
    std::shared_ptr<KeyboardCtrl*> alive_;
};

}  // namespace Tessera
