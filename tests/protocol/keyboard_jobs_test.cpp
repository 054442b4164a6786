// Each job against the virtual keyboard: the requests it sends byte for byte, what the
// keyboard holds afterwards, and what happens when the keyboard does not answer.

#include <gtest/gtest.h>

#include <algorithm>

#include "keys/key_layout.h"
#include "protocol/command_frame.h"
#include "tests/protocol/jobs_fixture.h"

namespace keyloom::protocol_test {
namespace {

constexpr int kF1 = 0x3A;  // matrix index 12
constexpr int kKeyA = 0x04;
constexpr int kEscape = 0x29;

std::size_t MatrixIndex(int usage) {
    return static_cast<std::size_t>(UsageToMatrixIndex(static_cast<unsigned>(usage)));
}

std::size_t Slot(int usage) {
    return 6 * MatrixIndex(usage);
}

std::vector<std::uint8_t> Bytes(const sim::KeyMapTable& map, std::size_t at, std::size_t n) {
    return {map.begin() + static_cast<long>(at), map.begin() + static_cast<long>(at + n)};
}

// Drops the keyboard's next `count` answers once it has received `requests` requests.
void DropAnswersAfter(HookedClock& clock, sim::VirtualKeyboard& keyboard, std::size_t requests,
                      int count) {
    clock.SetHook([&keyboard, requests, count, done = false](int) mutable {
        if (!done && keyboard.ConfigRequests().size() >= requests) {
            keyboard.DropAcknowledgements(count);
            done = true;
        }
    });
}

// A request never answered: three writes of it, each answer lost.
constexpr int kWholeLadder = 3;

using ReadOutTest = JobsTest;

TEST_F(ReadOutTest, ReadsBothMapsInPiecesBetweenBeginAndEnd) {
    const ReadOutResult result = jobs.ReadKeyboard(context);

    EXPECT_TRUE(result.Succeeded());
    EXPECT_EQ(result.exchanges, 30);
    EXPECT_EQ(Commands(), Join({{0x01}, Repeat(0x07, 14), Repeat(0x08, 14), {0x02}}));
    const auto requests = keyboard->ConfigRequests();
    // Piece 1: length 56 at offset 56; its checksum covers 38 38 and the empty data area.
    EXPECT_EQ(requests[2][4], 56);
    EXPECT_EQ(requests[2][5], 0x38);
    EXPECT_EQ(requests[2][6], 0x00);
    EXPECT_EQ(requests[2][3], 0x70);
    // Piece 13 of both maps: length 40 at offset 728.
    for (std::size_t at : {14u, 28u}) {
        EXPECT_EQ(requests[at][4], 40);
        EXPECT_EQ(requests[at][5], 0xD8);
        EXPECT_EQ(requests[at][6], 0x02);
    }
    const auto sleeps = clock.Sleeps();
    EXPECT_EQ(std::count(sleeps.begin(), sleeps.end(), std::chrono::milliseconds(8)), 14);

    ASSERT_TRUE(jobs.HoldsKeyMap());
    const auto tables = keyboard->Tables();
    EXPECT_TRUE(
        std::equal(tables.key_map.begin(), tables.key_map.end(), jobs.KeyMapCopyBytes().begin()));
}

TEST_F(ReadOutTest, DeletesOnlyAssignmentsWhoseEntriesMatchTheSecondMapInAllThreeBytes) {
    // On the keyboard: F1 remapped to another plain key (same kind byte as its factory entry)
    // and A's Fn layer to Play/Pause.
    Assign(0, kF1, 2, 0x05);
    Assign(1, kKeyA, 6, 1);
    ASSERT_TRUE(jobs.WriteKeyMap(context).Succeeded());
    // Stored after the write: the keyboard never got it.
    Assign(0, kEscape, 1, 1);

    const ReadOutResult result = jobs.ReadKeyboard(context);

    EXPECT_TRUE(result.reconciled);
    EXPECT_EQ(result.assignments_deleted, 1);
    EXPECT_TRUE(Stored(0, kF1));
    EXPECT_TRUE(Stored(1, kKeyA));
    EXPECT_FALSE(Stored(0, kEscape));
}

TEST_F(ReadOutTest, AnUnansweredPieceLeavesTheStoreAloneAndTheNextWriteReadsTheMapAgain) {
    Assign(0, kEscape, 1, 1);
    // Request 6 is piece 4 of the first map.
    DropAnswersAfter(clock, *keyboard, 5, kWholeLadder);

    const ReadOutResult result = jobs.ReadKeyboard(context);

    EXPECT_EQ(result.failed, 1);
    EXPECT_FALSE(result.reconciled);
    EXPECT_TRUE(Stored(0, kEscape));
    EXPECT_FALSE(jobs.HoldsKeyMap());

    clock.SetHook({});
    keyboard->ClearRecord();
    EXPECT_TRUE(jobs.WriteKeyMap(context).Succeeded());
    EXPECT_EQ(Commands(), Join({{0x01}, Repeat(0x07, 14), Repeat(0x09, 14), {0x02}}));
    EXPECT_EQ(Bytes(keyboard->Tables().key_map, Slot(kEscape), 3),
              (std::vector<std::uint8_t>{0x10, 0x00, 0x00}));
}

TEST_F(ReadOutTest, WithNoKeyboardEveryExchangeFailsAndNothingIsDeleted) {
    Assign(0, kEscape, 1, 1);
    Assign(1, kF1, 5, 3);
    keyboard->Unplug();
    devices.Rescan();
    ASSERT_EQ(devices.EntryCount(), 0);

    const ReadOutResult result = jobs.ReadKeyboard(JobContext{-1, 1, 6});

    EXPECT_EQ(result.exchanges, 30);
    EXPECT_EQ(result.failed, 30);
    EXPECT_FALSE(result.reconciled);
    EXPECT_TRUE(Stored(0, kEscape));
    EXPECT_TRUE(Stored(1, kF1));
    EXPECT_TRUE(std::all_of(jobs.KeyMapCopyBytes().begin(), jobs.KeyMapCopyBytes().end(),
                            [](std::uint8_t b) { return b == 0; }));
}

using KeyMapWriteTest = JobsTest;

TEST_F(KeyMapWriteTest, WritesAssignmentsOverTheMapAsReadAndSkipsTheReadOnceHeld) {
    Assign(0, kF1, 5, 3);   // right mouse button
    Assign(1, kF1, 7, 5);   // switch windows on the Fn layer
    Assign(0, 0xE7, 1, 1);  // no key in the layout: changes nothing
    const auto factory = keyboard->Tables().factory_key_map;

    const JobResult first = jobs.WriteKeyMap(context);
    EXPECT_TRUE(first.Succeeded());
    EXPECT_EQ(Commands(), Join({{0x01}, Repeat(0x07, 14), Repeat(0x09, 14), {0x02}}));

    sim::KeyMapTable expected = factory;
    const std::uint8_t f1[] = {0x20, 0x02, 0x00, 0xF0, 0xA6, 0x00};
    std::copy(std::begin(f1), std::end(f1), expected.begin() + static_cast<long>(Slot(kF1)));
    EXPECT_EQ(keyboard->Tables().key_map, expected);

    keyboard->ClearRecord();
    EXPECT_TRUE(jobs.WriteKeyMap(context).Succeeded());
    EXPECT_EQ(Commands(), Join({{0x01}, Repeat(0x09, 14), {0x02}}));
    const auto requests = keyboard->ConfigRequests();
    EXPECT_EQ(requests[14][4], 40);
    EXPECT_EQ(requests[14][5], 0xD8);
    EXPECT_EQ(requests[14][6], 0x02);
}

TEST_F(KeyMapWriteTest, AMapThatCannotBeReadIsNotOverwritten) {
    Assign(0, kF1, 1, 1);
    DropAnswersAfter(clock, *keyboard, 3, kWholeLadder);

    const JobResult result = jobs.WriteKeyMap(context);

    EXPECT_TRUE(result.abandoned);
    const auto commands = Commands();
    EXPECT_EQ(std::count(commands.begin(), commands.end(), 0x09), 0);
    EXPECT_EQ(commands.back(), 0x02);
    EXPECT_EQ(keyboard->Tables().key_map, keyboard->Tables().factory_key_map);
    EXPECT_TRUE(Stored(0, kF1));
}

// The checksum example: a piece at offset 56 of 56 bytes, all 0x01.
class ChecksumExampleTest : public JobsTest {
protected:
    ChecksumExampleTest() : JobsTest(WithFactoryMapOfOnes()) {}
    static sim::KeyboardOptions WithFactoryMapOfOnes() {
        sim::KeyboardOptions options;
        sim::KeyMapTable ones{};
        ones.fill(0x01);
        options.factory_key_map = ones;
        return options;
    }
};

TEST_F(ChecksumExampleTest, IsTheLowByteOfTheSumFromTheLengthOn) {
    ASSERT_TRUE(jobs.WriteKeyMap(context).Succeeded());
    const auto requests = keyboard->ConfigRequests();
    const auto piece = std::find_if(requests.begin(), requests.end(),
                                    [](const Report& r) { return r[1] == 0x09 && r[5] == 0x38; });
    ASSERT_NE(piece, requests.end());
    EXPECT_EQ((*piece)[4], 0x38);
    EXPECT_EQ((*piece)[6], 0x00);
    EXPECT_EQ((*piece)[7], 0x00);
    EXPECT_TRUE(
        std::all_of(piece->begin() + 8, piece->end(), [](std::uint8_t b) { return b == 1; }));
    EXPECT_EQ((*piece)[3], 0xA8);
}

using MacroWriteTest = JobsTest;

MacroEvent KeyStep(int macro_id, int index, int type, int delay) {
    MacroEvent e;
    e.macro_id = macro_id;
    e.record_index = index;
    e.type = type;
    e.value = 0x41;  // VK_A
    e.delay_time = delay;
    return e;
}

TEST_F(MacroWriteTest, SendsTheUsedPartOfTheAreaInPiecesAndNeverPastIt) {
    struct Case {
        int steps;
        std::vector<std::pair<int, int>> pieces;  // offset, length
    };
    const Case cases[] = {
        {0, {{0, 56}, {56, 8}}},
        {2, {{0, 56}, {56, 16}}},
        {12, {{0, 56}, {56, 56}, {112, 56}}},
        {880, {}},  // checked below: 64 pieces, the last a full one at 3528
    };
    const int id = database.AddMacro(L"Macro 0");
    ASSERT_GT(id, 0);
    for (const Case& c : cases) {
        database.DeleteMacroEvents(id);
        std::vector<MacroEvent> events;
        for (int i = 0; i < c.steps; ++i) {
            events.push_back(KeyStep(id, i, i % 2 == 0 ? 2 : 3, i == 0 ? 120 : 0));
        }
        database.AddMacroEvents(events);
        keyboard->ClearRecord();

        EXPECT_TRUE(jobs.WriteMacros(context).Succeeded()) << c.steps;

        std::vector<std::pair<int, int>> sent;
        for (const Report& r : keyboard->ConfigRequests()) {
            if (r[1] == 0x0D) {
                sent.emplace_back(r[5] | (r[6] << 8), r[4]);
            }
        }
        if (c.steps == 880) {
            ASSERT_EQ(sent.size(), 64u);
            EXPECT_EQ(sent.back(), (std::pair<int, int>{3528, 56}));
        } else {
            EXPECT_EQ(sent, c.pieces) << c.steps;
        }
        EXPECT_EQ(Commands().front(), 0x01);
        EXPECT_EQ(Commands().back(), 0x02);
    }
    EXPECT_EQ(keyboard->FirmwareCounts().refused, 0u);
    const auto area = keyboard->Tables().macro_area;
    EXPECT_EQ(area[0], 0x40);
    EXPECT_EQ(area[1], 0x00);
    const std::vector<std::uint8_t> first_steps(area.begin() + 64, area.begin() + 72);
    EXPECT_EQ(first_steps,
              (std::vector<std::uint8_t>{0x78, 0x00, 0x42, 0x04, 0x01, 0x00, 0x02, 0x04}));
    EXPECT_EQ(area[3580 + 2], 0x82);  // the full area's last step: a key up that ends it
}

using SettingsWriteTest = JobsTest;

TEST_F(SettingsWriteTest, SetsLightAndGameBytesAndKeepsTheKeyboardsOwn) {
    LightSetting wave;
    wave.profile = 1;
    wave.mode = 6;
    wave.brightness = 80;
    wave.speed = 3;
    wave.direction = 1;
    wave.colorful = 0;
    wave.colorindex = 2;
    wave.color_value = 0x00112233;
    ASSERT_GT(database.AddLightSetting(wave), 0);
    database.SetConfigValue(L"disable_win", L"1");
    database.SetConfigValue(L"disable_alttab", L"0");
    database.SetConfigValue(L"disable_altf4", L"0");
    const auto factory = keyboard->Tables().factory_settings;

    EXPECT_TRUE(jobs.WriteSettings(context).Succeeded());

    EXPECT_EQ(Commands(), (std::vector<std::uint8_t>{0x01, 0x05, 0x06, 0x02}));
    const Report read = keyboard->ConfigRequests()[1];
    EXPECT_EQ(read[4], 0x20);
    EXPECT_EQ(read[5], 0x00);
    const auto settings = keyboard->Tables().settings;
    const std::vector<std::uint8_t> ours(settings.begin() + 10, settings.begin() + 19);
    EXPECT_EQ(ours, (std::vector<std::uint8_t>{6, 80, 1, 1, 0, 2, 0x33, 0x22, 0x11}));
    EXPECT_EQ(settings[25], 0x01);
    for (std::size_t k = 4; k < 64; ++k) {
        if ((k < 10 || k > 18) && k != 25) {
            EXPECT_EQ(settings[k], factory[k]) << "byte " << k;
        }
    }

    database.SetConfigValue(L"disable_alttab", L"1");
    database.SetConfigValue(L"disable_altf4", L"1");
    EXPECT_TRUE(jobs.WriteSettings(JobContext{0, 1, 13}).Succeeded());  // mode 13 has no row
    const auto after = keyboard->Tables().settings;
    EXPECT_EQ(after[25], 0x07);
    EXPECT_EQ(after[10], 0);
    EXPECT_EQ(after[11], 0);
    EXPECT_EQ(after[12], 4);
}

TEST_F(SettingsWriteTest, AnUnansweredReadWritesNothingBack) {
    DropAnswersAfter(clock, *keyboard, 1, kWholeLadder);
    const auto before = keyboard->Tables().settings;

    const JobResult result = jobs.WriteSettings(context);

    EXPECT_TRUE(result.abandoned);
    const auto commands = Commands();
    EXPECT_EQ(std::count(commands.begin(), commands.end(), 0x06), 0);
    EXPECT_EQ(commands.back(), 0x02);
    EXPECT_EQ(keyboard->Tables().settings, before);
}

using ColourWriteTest = JobsTest;

TEST_F(ColourWriteTest, SendsTheWholeMapInSevenPieces) {
    std::vector<KeyColour> colours(3);
    colours[0].profile = 1;
    colours[0].key_code = kF1;
    colours[0].key_rgb = 0x00EDE338;
    colours[1].profile = 1;
    colours[1].key_code = kKeyA;
    colours[1].key_rgb = 0x000000FF;
    colours[2].profile = 1;
    colours[2].key_code = 0xE7;  // stored, never sent
    colours[2].key_rgb = 0x00FFFFFF;
    database.AddKeyColours(colours);

    EXPECT_TRUE(jobs.WriteKeyColours(context).Succeeded());

    EXPECT_EQ(Commands(), Join({{0x01}, Repeat(0x0B, 7), {0x02}}));
    const Report last = keyboard->ConfigRequests()[7];
    EXPECT_EQ(last[4], 48);
    EXPECT_EQ(last[5], 0x50);
    EXPECT_EQ(last[6], 0x01);
    sim::ColourMapTable expected{};
    expected[3 * 12] = 0x38;
    expected[3 * 12 + 1] = 0xE3;
    expected[3 * 12 + 2] = 0xED;
    expected[3 * MatrixIndex(kKeyA)] = 0xFF;
    EXPECT_EQ(keyboard->Tables().colour_map, expected);
}

using FactoryResetTest = JobsTest;

TEST_F(FactoryResetTest, SendsTheResetAloneWaitsAndReadsTheRestoredMaps) {
    Assign(0, kF1, 1, 1);
    ASSERT_TRUE(jobs.WriteKeyMap(context).Succeeded());
    keyboard->ClearRecord();
    clock.ClearSleeps();

    const JobResult result = jobs.FactoryReset(context);

    EXPECT_TRUE(result.Succeeded());
    EXPECT_EQ(Commands(), Join({{0xEE, 0x01}, Repeat(0x07, 14), Repeat(0x08, 14), {0x02}}));
    const auto sleeps = clock.Sleeps();
    EXPECT_EQ(std::count(sleeps.begin(), sleeps.end(), std::chrono::milliseconds(2500)), 1);
    EXPECT_EQ(keyboard->FirmwareCounts().factory_resets, 1u);
    const auto tables = keyboard->Tables();
    EXPECT_TRUE(std::equal(tables.factory_key_map.begin(), tables.factory_key_map.end(),
                           jobs.KeyMapCopyBytes().begin()));

    int reloads = 0;
    keyboard->ClearRecord();
    jobs.FactoryReset(context, [&reloads] { ++reloads; });
    EXPECT_EQ(reloads, 1);
    EXPECT_EQ(Commands(), std::vector<std::uint8_t>{0xEE});
    EXPECT_FALSE(jobs.HoldsKeyMap());
}

using ColourFrameTest = JobsTest;

ColourMap LitFrame() {
    ColourMap frame{};
    for (std::size_t i = 0; i < frame.size(); ++i) {
        frame[i] = static_cast<std::uint8_t>(i % 251);
    }
    return frame;
}

TEST_F(ColourFrameTest, StreamsNineExchangesAndTheKeyboardShowsTheFrame) {
    const ColourMap frame = LitFrame();
    const JobResult result = jobs.StreamColourFrame(context, frame);

    EXPECT_TRUE(result.Succeeded());
    EXPECT_EQ(result.exchanges, 9);
    EXPECT_EQ(Commands(), Join({{0x01}, Repeat(0xDD, 7), {0x02}}));
    EXPECT_EQ(keyboard->ConfigRequests()[7][4], 48);
    EXPECT_EQ(keyboard->Tables().shown_colours, frame);
    // Only the 2 ms stream pauses: no 10 ms command pause, no ladder.
    for (const auto sleep : clock.Sleeps()) {
        EXPECT_LE(sleep, std::chrono::milliseconds(2));
    }
}

TEST_F(ColourFrameTest, ADarkFrameIsNotSent) {
    ColourMap frame{};
    frame[0] = 1;  // a colour value of exactly 1 is not lit
    frame[30] = 1;
    const JobResult result = jobs.StreamColourFrame(context, frame);
    EXPECT_EQ(result.exchanges, 0);
    EXPECT_TRUE(Commands().empty());

    frame[31] = 1;  // green 1: the colour value is 256
    EXPECT_EQ(jobs.StreamColourFrame(context, frame).exchanges, 9);
}

TEST_F(ColourFrameTest, AnUnacknowledgedPieceAbandonsTheFrame) {
    // Request 4 (the third piece) goes unanswered.
    DropAnswersAfter(clock, *keyboard, 3, 1);
    const JobResult result = jobs.StreamColourFrame(context, LitFrame());

    EXPECT_TRUE(result.abandoned);
    EXPECT_EQ(Commands(), Join({{0x01}, Repeat(0xDD, 3)}));
    EXPECT_EQ(keyboard->Tables().shown_colours, sim::ColourMapTable{});
}

}  // namespace
}  // namespace keyloom::protocol_test
