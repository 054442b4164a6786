#pragma once

// The keyboard picture under test: three keys on a host window, and the same with a
// small keyboard picture for pixel checks.

#include <gtest/gtest.h>

#include "tessera/keyboard/keyboard_ctrl.h"
#include "tests/tessera_keyboard/host_window.h"

namespace tkbd_test {

constexpr unsigned kCtrlId = 50;
constexpr unsigned kNone = static_cast<unsigned>(-1);
// Control at (20,20); keys offset by (15,16): A at window (35,36)-(75,76), B at
// (85,36)-(125,76), C at (35,86)-(75,126).
constexpr CRect kCtrlRect(20, 20, 380, 220);
constexpr unsigned kEsc = 41, kF1 = 58, kGrave = 53;
constexpr CPoint kOnA(50, 50), kOnB(100, 50), kOnC(50, 100), kOnNoKey(300, 180);

class KeyboardCtrlTest : public ::testing::Test {
protected:
    void SetUp() override {
        kb = host.Create<KeyboardCtrl>(L"KeyboardCtrl", kCtrlId, kCtrlRect);
        ASSERT_NE(kb, nullptr);
        kb->SetKeyPosition(15, 16);
        kb->AddKeyItem(L"Esc", L"Escape", kEsc, CRect(0, 0, 40, 40));
        kb->AddKeyItem(L"F1", L"", kF1, CRect(50, 0, 90, 40));
        kb->AddKeyItem(L"`", L"", kGrave, CRect(0, 50, 40, 90));
    }
    KEY_INFO& Key(int i) { return *kb->GetKeyItems().at(static_cast<std::size_t>(i)); }

    HostWindow host;
    KeyboardCtrl* kb = nullptr;
};

class KeyboardDrawTest : public KeyboardCtrlTest {
protected:
    static constexpr ARGB kPicture = 0xFF202020;
    // The host dialog's own background colour.
    static constexpr std::uint32_t kWindowBack = 0x060F10;
    void SetUp() override {
        KeyboardCtrlTest::SetUp();
        skin.WriteSolid(L"kb.png", 20, 10, kPicture);
        kb->SetKeyboardImage(L"kb.png");
        ASSERT_TRUE(kb->HasKeyboardImage());
    }
    // A point on the top edge of a key's outline (window coordinates).
    static CPoint TopEdge(CPoint insideKey) { return {insideKey.x + 5, 36}; }
    std::uint32_t At(CPoint p) { return RgbAt(host.Paint(), p.x, p.y); }

    ScratchSkin skin;
};

}  // namespace tkbd_test
