#include "tessera/platform/gtk/gtk_input_rules.h"

#include <gtest/gtest.h>

#include <vector>

namespace Tessera::gtk_backend {
namespace {

struct Press {
    unsigned button;
    std::uint32_t timeMs;
    int x;
    int y;
    bool expectDouble;
};

struct ClickCase {
    const char* name;
    std::vector<Press> presses;
};

class ClickTrackerTest : public ::testing::TestWithParam<ClickCase> {};

TEST_P(ClickTrackerTest, DecidesWhichPressIsADoubleClick) {
    ClickTracker tracker(500, 5);
    const auto& presses = GetParam().presses;
    for (std::size_t i = 0; i < presses.size(); ++i) {
        const Press& p = presses[i];
        EXPECT_EQ(tracker.Press(p.button, p.timeMs, p.x, p.y), p.expectDouble) << "press " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, ClickTrackerTest,
    ::testing::Values(
        ClickCase{"QuickSecondPress", {{1, 1000, 10, 10, false}, {1, 1300, 11, 9, true}}},
        ClickCase{"AtTheTimeLimit", {{1, 1000, 10, 10, false}, {1, 1500, 10, 10, true}}},
        ClickCase{"TooSlow", {{1, 1000, 10, 10, false}, {1, 1501, 10, 10, false}}},
        ClickCase{"TooFar", {{1, 1000, 10, 10, false}, {1, 1100, 16, 10, false}}},
        ClickCase{"OtherButton", {{1, 1000, 10, 10, false}, {3, 1100, 10, 10, false}}},
        // Windows: the third quick press is a new first press, the fourth a double again.
        ClickCase{"TripleAndQuadruple",
                  {{1, 1000, 5, 5, false},
                   {1, 1100, 5, 5, true},
                   {1, 1200, 5, 5, false},
                   {1, 1300, 5, 5, true}}},
        // A slow press re-arms: it is the first press of the next pair.
        ClickCase{"SlowThenQuick",
                  {{1, 1000, 5, 5, false}, {1, 3000, 5, 5, false}, {1, 3200, 5, 5, true}}},
        // The server clock wraps after 49 days; the unsigned difference still works.
        ClickCase{"ClockWrap", {{1, 0xFFFFFF00u, 5, 5, false}, {1, 0x00000050u, 5, 5, true}}}),
    [](const ::testing::TestParamInfo<ClickCase>& info) { return info.param.name; });

TEST(VirtualKeyFromKeyvalTest, MapsKeysToWindowsCodes) {
    struct Case {
        unsigned keyval;
        unsigned vk;
    };
    const Case cases[] = {
        {'a', 'A'},     {'Z', 'Z'},     {'7', '7'},     {0xffbe, 0x70},  // F1
        {0xffc9, 0x7B}, {0xff0d, 0x0D}, {0xff8d, 0x0D}, {0xff1b, 0x1B},  // F12 .. Esc
        {0xfe20, 0x09}, {0xffe1, 0x10}, {0xffe4, 0x11}, {0xffea, 0x12},  // Shift-Tab ..
        {0xff51, 0x25}, {0xff54, 0x28}, {0xffb0, 0x60}, {0xffb9, 0x69},  // arrows, KP_0-9
        {0xff9c, 0x23}, {0xffab, 0x6B}, {';', 0xBA},    {'`', 0xC0},     // KP_End ..
        {'\\', 0xDC},   {'\'', 0xDE},   {0xffeb, 0x5B}, {0xff61, 0x2C},
        {0x0e1, 0},     {0xfe52, 0},  // an accented letter and a dead key: no code
    };
    for (const Case& c : cases) {
        EXPECT_EQ(VirtualKeyFromKeyval(c.keyval), c.vk) << std::hex << "keyval 0x" << c.keyval;
    }
}

}  // namespace
}  // namespace Tessera::gtk_backend
