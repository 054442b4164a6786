// Runs the real desktop backend against the X server of the test run: a window of the test's
// own takes the keyboard focus, and the pasted text must arrive in its entry.

#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <chrono>
#include <cstdlib>
#include <functional>

#include "keys/key_actions.h"
#include "platform/computer_actions.h"

namespace keyloom {
namespace {

// Spins the GTK main loop until `done` or the time-out.
bool SpinUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < end) {
        while (gtk_events_pending()) {
            gtk_main_iteration_do(FALSE);
        }
        if (done()) {
            return true;
        }
        g_usleep(5000);
    }
    return done();
}

class X11ActionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::getenv("DISPLAY") == nullptr || !gtk_init_check(nullptr, nullptr)) {
            GTEST_SKIP() << "no X display";
        }
        window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
        entry_ = gtk_entry_new();
        gtk_container_add(GTK_CONTAINER(window_), entry_);
        gtk_widget_show_all(window_);
        gtk_window_present(GTK_WINDOW(window_));
        gtk_widget_grab_focus(entry_);
        ASSERT_TRUE(SpinUntil([&] { return gtk_widget_get_mapped(window_) != FALSE; },
                              std::chrono::seconds(5)));
        // Without a window manager nobody hands out the focus: take it.
        gdk_window_focus(gtk_widget_get_window(window_), GDK_CURRENT_TIME);
        SpinUntil([&] { return gtk_window_is_active(GTK_WINDOW(window_)) != FALSE; },
                  std::chrono::seconds(2));
    }
    void TearDown() override {
        if (window_ != nullptr) {
            gtk_widget_destroy(window_);
        }
    }

    GtkWidget* window_ = nullptr;
    GtkWidget* entry_ = nullptr;
};

TEST_F(X11ActionsTest, SendTextTypesIntoTheFocusedWindowAndPutsTheClipboardBack) {
    auto actions = CreateComputerActions();
    ASSERT_TRUE(actions->SetClipboardText(L"earlier copy"));
    ASSERT_EQ(actions->GetClipboardText(), L"earlier copy");

    ASSERT_EQ(SendText(*actions, L"Grüße 世界"), KeyActionOutcome::kDone);
    EXPECT_TRUE(SpinUntil(
        [&] { return std::string(gtk_entry_get_text(GTK_ENTRY(entry_))) == "Grüße 世界"; },
        std::chrono::seconds(5)))
        << "entry holds: " << gtk_entry_get_text(GTK_ENTRY(entry_));
    EXPECT_TRUE(SpinUntil([&] { return actions->GetClipboardText() == L"earlier copy"; },
                          std::chrono::seconds(5)));
}

TEST_F(X11ActionsTest, ClearingLeavesNoText) {
    auto actions = CreateComputerActions();
    actions->SetClipboardText(L"x");
    actions->ClearClipboard();
    EXPECT_FALSE(actions->GetClipboardText().has_value());
}

}  // namespace
}  // namespace keyloom
