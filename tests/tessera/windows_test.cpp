// Windows and dialogs: creation, the modal loop and its results, sizing, creation of
// controls by class name, popup menus.

#include <gtest/gtest.h>

#include <filesystem>

#include "tessera/core/control_registry.h"
#include "tessera/core/loading_wnd.h"
#include "tessera/core/manager.h"
#include "tessera/core/menu_wnd.h"
#include "tessera/core/panel.h"
#include "tests/tessera/null_ui.h"

namespace tessera_test {
namespace {

class WindowsTest : public NullUiTest {};

TEST_F(WindowsTest, ModalResultFollowsHowTheDialogWasClosed) {
    struct Case {
        const char* name;
        std::function<void(RecordingDialog&)> close;
        unsigned result;
    };
    const Case cases[] = {
        {"DoOK", [](RecordingDialog& d) { d.DoOK(); }, 1},
        {"DoCancel", [](RecordingDialog& d) { d.DoCancel(); }, 2},
        {"DoClose", [](RecordingDialog& d) { d.DoClose(); }, 2},
        {"DoYes", [](RecordingDialog& d) { d.DoYes(); }, 6},
        {"DoNo", [](RecordingDialog& d) { d.DoNo(); }, 7},
        {"bare WM_CLOSE", [](RecordingDialog& d) { d.PostMessageW(WM_CLOSE); }, 0},
    };
    for (const Case& c : cases) {
        RecordingDialog d;
        ASSERT_NE(d.Create(nullptr, L"dlg", WS_POPUP, 0, CRect(0, 0, 50, 50)), nullptr);
        bool closed = false;
        Platform().SetIdleScript([&] {
            if (closed) {
                return false;
            }
            closed = true;
            c.close(d);
            return true;
        });
        EXPECT_EQ(d.ShowModal(1), c.result) << c.name;
        EXPECT_EQ(d.GetSafeHwnd(), nullptr) << c.name;
    }
}

TEST_F(WindowsTest, ModalDialogDisablesItsOwnerUntilItCloses) {
    RecordingDialog owner;
    NativeWindow* ownerWindow = owner.Open(100, 100);
    RecordingDialog child;
    child.Create(ownerWindow, L"child", WS_POPUP, 0, CRect(0, 0, 40, 40));
    bool ownerEnabledDuringLoop = true;
    Platform().SetIdleScript([&] {
        ownerEnabledDuringLoop = ownerWindow->IsEnabled();
        if (child.GetSafeHwnd() != nullptr) {
            child.DoOK();
            return true;
        }
        return false;
    });
    EXPECT_EQ(child.ShowModal(1), 1u);
    EXPECT_FALSE(ownerEnabledDuringLoop);
    EXPECT_TRUE(ownerWindow->IsEnabled());
    EXPECT_TRUE(ownerWindow->IsActive());
}

TEST_F(WindowsTest, QuitEndsTheModalLoopAndStaysPending) {
    RecordingDialog d;
    d.Create(nullptr, L"dlg", WS_POPUP, 0, CRect(0, 0, 40, 40));
    Platform().SetIdleScript([&] {
        Platform().PostQuit(3);
        return true;
    });
    EXPECT_EQ(d.ShowModal(1), 0u);
    EXPECT_TRUE(Platform().IsQuitPending());
    EXPECT_EQ(Manager::MessageLoop(), 3);
}

TEST_F(WindowsTest, ShowModalWithoutAWindowReturnsAllOnes) {
    RecordingDialog d;
    EXPECT_EQ(d.ShowModal(1), 0xFFFFFFFFu);
}

TEST_F(WindowsTest, CreatingTwiceReturnsTheSameWindowAndBuildsOnce) {
    RecordingDialog d;
    NativeWindow* first = d.Create(nullptr, L"a", WS_POPUP, 0, CRect(0, 0, 50, 50));
    NativeWindow* second = d.Create(nullptr, L"b", WS_POPUP, 0, CRect(0, 0, 90, 90));
    EXPECT_EQ(first, second);
    EXPECT_EQ(d.initCount, 1);
}

TEST_F(WindowsTest, OnePixelClientDoesNotLayOut) {
    RecordingDialog d;
    d.Open(50, 50);
    const int laidOut = d.sizeCount;
    EXPECT_GE(laidOut, 1);
    d.MoveWindow(0, 0, 1, 1);
    EXPECT_EQ(d.sizeCount, laidOut);
    d.MoveWindow(0, 0, 120, 80);
    EXPECT_EQ(d.sizeCount, laidOut + 1);
    EXPECT_EQ(d.GetClientRectCached(), CRect(0, 0, 120, 80));
}

TEST_F(WindowsTest, CenterWindowStaysInsideTheWorkArea) {
    Platform().SetWorkArea(CRect(0, 0, 800, 600));
    RecordingDialog owner;
    owner.Create(nullptr, L"o", WS_POPUP, 0, CRect(600, 400, 800, 600));
    owner.ShowWindow(SW_SHOW);
    RecordingDialog d;
    d.Create(owner.GetSafeHwnd(), L"d", WS_POPUP, 0, CRect(0, 0, 300, 100));
    d.CenterWindow();
    CRect r;
    d.GetWindowRect(r);
    // Centred on the owner would be (550, 450); clamped to the work area's edge.
    EXPECT_EQ(r, CRect(500, 450, 800, 550));
    owner.ShowWindow(SW_HIDE);
    d.CenterWindow();
    d.GetWindowRect(r);
    EXPECT_EQ(r, CRect(250, 250, 550, 350));
}

TEST_F(WindowsTest, AltF4DropsMessages) {
    RecordingDialog d;
    NativeWindow* w = d.Open(40, 40);
    Platform().KeyDown(*w, VK_MENU);
    Platform().KeyDown(*w, VK_F4);
    EXPECT_EQ(Manager::PreTranslateMessage(WM_KEYDOWN, 'A', 0), 1);
    EXPECT_TRUE(d.PreTranslateMessage(WM_LBUTTONDOWN, 0, 0));
    Platform().KeyUp(*w, VK_F4);
    EXPECT_EQ(Manager::PreTranslateMessage(WM_KEYDOWN, 'A', 0), 0);
}

TEST_F(WindowsTest, ClassNamesCreateKnownControlsOnly) {
    RecordingDialog d;
    d.Open(100, 100);
    struct Case {
        const wchar_t* name;
        bool created;
    };
    const Case cases[] = {{L"MButton", true},     {L"CArea", true},        {L"MenuItem", true},
                          {L"mbutton", false},    {L"MButton ", false},    {L"", false},
                          {L"NoSuchCtrl", false}, {L"KeyboardCtrl", false}};
    unsigned id = 100;
    for (const Case& c : cases) {
        MControl* control = d.CreateControl(c.name, ++id, CRect(0, 0, 10, 10), L"t");
        EXPECT_EQ(control != nullptr, c.created) << static_cast<int>(id);
        if (control != nullptr) {
            EXPECT_EQ(d.GetControl(id), control);
            EXPECT_EQ(control->GetManager(), &d.GetPaintManager());
            EXPECT_EQ(control->GetParantObject(), static_cast<MObject*>(&d));
        }
    }
    EXPECT_EQ(d.GetPaintManager().CreateControl(2, &d, L"MButton", 1, CRect(), L"", 1, 1), nullptr);
}

TEST_F(WindowsTest, LoadingWindowPlaysGifFramesWithTheirDelays) {
    Manager::SetSkinFolder(std::filesystem::path(KEYLOOM_TEST_DATA_DIR "/tessera").wstring());
    LoadingWnd loading;
    NativeWindow* w = loading.CreateDlg(nullptr, CRect(0, 0, 20, 20));
    ASSERT_NE(w, nullptr);
    loading.ShowWindow(SW_SHOWNA);
    ASSERT_EQ(loading.LoadGifImage(L"two_frames.gif"), 1);
    Platform().ProcessPending();
    EXPECT_EQ(NullPlatform::Screen(*w).PixelAt(10, 10), 0xFFFF0000u);
    Platform().AdvanceTime(199);
    EXPECT_EQ(loading.GetCurrentFrame(), 0);
    Platform().AdvanceTime(1);
    EXPECT_EQ(loading.GetCurrentFrame(), 1);
    EXPECT_EQ(NullPlatform::Screen(*w).PixelAt(10, 10), 0xFF0000FFu);
    Platform().AdvanceTime(400);  // the second frame stays 400 ms, then the loop restarts
    EXPECT_EQ(loading.GetCurrentFrame(), 0);
    EXPECT_EQ(loading.LoadGifImage(L"missing.gif"), 0);
    Manager::SetSkinFolder(L"");
}

TEST(PlatformLifetime, DialogOutlivingItsPlatformEndsQuietly) {
    UsePlatform(std::make_unique<NullPlatform>());
    auto dialog = std::make_unique<RecordingDialog>();
    NativeWindow* window = dialog->Open(40, 40);
    ASSERT_NE(window, nullptr);
    UsePlatform(nullptr);
    EXPECT_FALSE(window->IsAlive());
    dialog->SetMessage(L"late", CRect(), MSG_INFO);
    dialog.reset();
}

TEST(ControlRegistry, ScopesFollowTheTable) {
    EXPECT_EQ(FindControlClass(L"KeyboardCtrl", ControlHost::kWindow), nullptr);
    EXPECT_NE(FindControlClass(L"KeyboardCtrl", ControlHost::kPanel), nullptr);
    EXPECT_NE(FindControlClass(L"CComboBoxList", ControlHost::kWindow), nullptr);
    EXPECT_EQ(FindControlClass(L"CComboBoxList", ControlHost::kPanel), nullptr);
    EXPECT_NE(FindControlClass(L"MButton", ControlHost::kPanel), nullptr);
    EXPECT_EQ(ControlClasses().size(), 41u);
}

TEST_F(WindowsTest, PanelCreatesItsChildrenInsideItself) {
    RecordingDialog d;
    MPanel* panel = nullptr;
    d.build = [&](RecordingDialog& dd, CRect) {
        panel = static_cast<MPanel*>(dd.CreateControl(L"MTabLayout", 5, CRect(0, 0, 80, 80), L""));
    };
    d.Open(100, 100);
    ASSERT_NE(panel, nullptr);
    MControl* child = panel->CreateControl(L"MButton", 6, CRect(5, 5, 30, 20), L"x");
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->GetParantObject(), static_cast<MObject*>(panel));
    EXPECT_EQ(child->GetManager(), &d.GetPaintManager());
    EXPECT_EQ(d.GetControl(6), child);
}

class MenuOwner : public RecordingDialog {
public:
    std::vector<std::pair<WPARAM, LPARAM>> commands;
    LRESULT OnWindowMessage(unsigned msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == 1692) {
            commands.emplace_back(wParam, lParam);
        }
        return RecordingDialog::OnWindowMessage(msg, wParam, lParam);
    }
};

TEST_F(WindowsTest, MenuClickNotifiesTheOwnerAndCloses) {
    MenuOwner owner;
    NativeWindow* ownerWindow = owner.Open(300, 300);
    MenuWnd menu(&owner);
    ASSERT_EQ(menu.Create(ownerWindow, CPoint(150, 150), 1692), 1);
    menu.AddMenu(L"Rename", 31);
    menu.AddSeparator(32);
    menu.AddMenu(L"A much longer command name", 33);
    menu.SetItemVisible(L"Rename", 1);
    menu.SetMenuPoint();
    CRect r;
    menu.GetWindowRect(r);
    EXPECT_EQ(r.Height(), 2 + 36 + 4 + 36 + 2);
    EXPECT_GT(menu.GetMenuWidth(), 113);  // widened to the long text
    NativeWindow* menuWindow = menu.GetSafeHwnd();
    Platform().SetIdleScript([&, clicked = false]() mutable {
        if (clicked) {
            return false;
        }
        clicked = true;
        Platform().MouseMove(*menuWindow, {30, 2 + 36 + 4 + 10});
        Platform().Click(*menuWindow, {30, 2 + 36 + 4 + 10});
        return true;
    });
    menu.ShowModal(1);
    EXPECT_EQ(menu.GetSafeHwnd(), nullptr);
    Platform().ProcessPending();
    EXPECT_EQ(owner.commands, (std::vector<std::pair<WPARAM, LPARAM>>{{0, 33}}));
}

TEST_F(WindowsTest, MenuClosesSilentlyWhenActivationIsLost) {
    MenuOwner owner;
    NativeWindow* ownerWindow = owner.Open(300, 300);
    MenuWnd menu(&owner);
    menu.Create(ownerWindow, CPoint(10, 10), 1692);
    menu.AddMenu(L"Delete", 40);
    menu.SetMenuPoint();
    NativeWindow* menuWindow = menu.GetSafeHwnd();
    Platform().SetIdleScript([&, done = false]() mutable {
        if (done) {
            return false;
        }
        done = true;
        Platform().Deactivate(*menuWindow);
        return true;
    });
    menu.ShowModal(1);
    EXPECT_EQ(menu.GetSafeHwnd(), nullptr);
    Platform().ProcessPending();
    EXPECT_TRUE(owner.commands.empty());
}

}  // namespace
}  // namespace tessera_test
