// The action listener's reader thread against the virtual keyboard's vendor input interface.

#include "device/action_listener.h"

#include <gtest/gtest.h>

#include "sim/sim_hid_library.h"
#include "tests/device/post_sink.h"

namespace keyloom::testing {
namespace {

constexpr int kShortReadMs = 20;

class ActionListenerTest : public ::testing::Test {
protected:
    ActionListenerTest()
        : keyboard(std::make_shared<sim::VirtualKeyboard>()),
          library(keyboard),
          listener(library, sink.Callback(), kActionMessage, SystemClock::Instance(),
                   kShortReadMs) {}

    std::shared_ptr<sim::VirtualKeyboard> keyboard;
    sim::SimHidLibrary library;
    PostSink sink;
    ActionListener listener;
};

TEST_F(ActionListenerTest, PostsOnlyApplicationAndWebsiteReports) {
    listener.Start();
    ASSERT_TRUE(listener.HasDevice());
    // Reports that must post nothing come first; the last one proves they were all read.
    keyboard->QueueActionReport({0x01, 0x50, 0x07});
    keyboard->QueueActionReport({0x02, 0x10, 0x07});
    keyboard->QueueActionReport({0x02});
    keyboard->PressActionKey(0x50, 0x07);
    keyboard->PressActionKey(0x60, 0x07);
    keyboard->PressActionKey(0x60, 0xFF);
    ASSERT_TRUE(sink.WaitFor(3));
    listener.Stop();
    EXPECT_EQ(sink.Posts(),
              (std::vector<PostedMessage>{{0x0444, 0, 7}, {0x0444, 0, 7}, {0x0444, 0, 255}}));
    EXPECT_EQ(keyboard->Traffic().action_reports, 6U);
}

TEST_F(ActionListenerTest, StopEndsTheReaderAndClosesTheInterface) {
    listener.Start();
    ASSERT_TRUE(listener.IsReading());
    listener.Stop();
    EXPECT_FALSE(listener.IsReading());
    EXPECT_FALSE(listener.HasDevice());
    keyboard->PressActionKey(0x50, 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(3 * kShortReadMs));
    EXPECT_TRUE(sink.Posts().empty());
}

TEST_F(ActionListenerTest, StaysIdleWithoutAVendorInputInterface) {
    listener.SetFilter(0x1111, 0);  // another vendor's
    listener.Start();
    EXPECT_FALSE(listener.HasDevice());
    listener.SetFilter(0x3412, 0x7A21);
    keyboard->Unplug();
    listener.Start();
    EXPECT_FALSE(listener.HasDevice());
    EXPECT_FALSE(listener.IsReading());
    listener.Stop();
    keyboard->Replug();
    listener.Start();
    EXPECT_TRUE(listener.HasDevice());
}

TEST_F(ActionListenerTest, RestartAfterReplugReadsTheNewInterface) {
    listener.Start();
    keyboard->Unplug();
    listener.Restart();
    EXPECT_FALSE(listener.HasDevice());
    keyboard->Replug();
    listener.Restart();
    ASSERT_TRUE(listener.HasDevice());
    keyboard->PressActionKey(0x50, 9);
    ASSERT_TRUE(sink.WaitFor(1));
    EXPECT_EQ(sink.Posts().front().lparam, 9);
}

TEST_F(ActionListenerTest, UnplugWhileReadingDoesNotStopTheListenerFromStopping) {
    listener.Start();
    keyboard->Unplug();  // reads now fail at once; the loop keeps its 10 ms pace
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_TRUE(listener.IsReading());
    listener.Stop();
    EXPECT_FALSE(listener.IsReading());
}

}  // namespace
}  // namespace keyloom::testing
