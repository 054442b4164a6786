// The three exchanges against the virtual keyboard on virtual time: pauses, the retry
// ladder, the drain, the checksum, and what the caller's buffer holds afterwards.

#include <gtest/gtest.h>

#include <functional>
#include <numeric>

#include "tests/device/sim_fixture.h"

namespace keyloom::testing {
namespace {

TEST(ReportChecksumTest, SumsLengthOffsetAndDataBytes) {
    Frame frame{};
    frame[1 + 4] = 0x38;
    frame[1 + 5] = 0x38;
    for (std::size_t i = 8; i < 64; ++i) {
        frame[1 + i] = 0x01;
    }
    EXPECT_EQ(FrameChecksum(frame), 0xA8);
    // Bytes before 4 and, for the 64-byte writes, byte 63 do not count.
    frame[1 + 0] = 0x55;
    frame[1 + 3] = 0x77;
    EXPECT_EQ(FrameChecksum(frame), 0xA8);
    EXPECT_EQ(FrameChecksum(frame, 62), 0xA7);
}

TEST_F(SimDeviceTest, SendCommandPutsTheChecksumInByteThreeBeforeSending) {
    Frame frame = RequestFrame(0x09, 0x38, 0x38);
    for (std::size_t i = 8; i < 64; ++i) {
        frame[1 + i] = 0x01;
    }
    frame[1 + 3] = 0x99;  // whatever the caller left there
    ASSERT_TRUE(manager.SendCommand(frame, 0));
    const auto requests = keyboard->ConfigRequests();
    ASSERT_EQ(requests.size(), 1U);
    EXPECT_EQ(requests[0][3], 0xA8);
    EXPECT_EQ(keyboard->FirmwareCounts().refused, 0U);
}

struct LadderCase {
    const char* name;
    std::function<void(sim::VirtualKeyboard&)> fault;
    bool acknowledged;
    std::uint64_t writes;  // write calls, failed ones included
    std::uint64_t reads;
    std::vector<double> sleeps_ms;  // pauses and read waits, in order
};

class SendCommandLadderTest : public SimDeviceTest,
                              public ::testing::WithParamInterface<LadderCase> {};

TEST_P(SendCommandLadderTest, WritesReadsAndPausesAsCounted) {
    const LadderCase& c = GetParam();
    c.fault(*keyboard);
    Frame frame = RequestFrame(0x01);
    const Frame request = [&] {
        Frame f = frame;
        f[1 + 3] = FrameChecksum(f);
        return f;
    }();

    EXPECT_EQ(manager.SendCommand(frame, 0), c.acknowledged);
    const sim::TrafficCounters traffic = keyboard->Traffic();
    EXPECT_EQ(traffic.config_writes, c.writes);
    EXPECT_EQ(traffic.config_reads, c.reads);
    EXPECT_EQ(SleepsMs(), c.sleeps_ms);
    if (c.acknowledged) {
        EXPECT_EQ(frame[0], 0xAA);
        EXPECT_EQ(frame[1], 0x01);  // response byte k at position k
    } else {
        EXPECT_EQ(frame, request);  // nothing was read: the request stays
    }
}

INSTANTIATE_TEST_SUITE_P(
    Ladder, SendCommandLadderTest,
    ::testing::Values(
        LadderCase{"AckAtFirstRead", [](sim::VirtualKeyboard&) {}, true, 1, 1, {10, 2}},
        LadderCase{"NeverAnswers",
                   [](sim::VirtualKeyboard& k) { k.DropAcknowledgements(100); },
                   false,
                   3,
                   4,
                   {10, 2, 100, 2, 100, 5, 5, 100, 5, 5, 100}},
        LadderCase{"FirstWriteFails",
                   [](sim::VirtualKeyboard& k) { k.FailWrites(1); },
                   true,
                   2,
                   1,
                   {10, 10, 2}},
        LadderCase{"BothWritesFail",
                   [](sim::VirtualKeyboard& k) { k.FailWrites(2); },
                   false,
                   2,
                   0,
                   {10, 10}},
        LadderCase{"FirstAckLostSecondWriteAnswered",
                   [](sim::VirtualKeyboard& k) { k.DropAcknowledgements(1); },
                   true,
                   2,
                   3,
                   {10, 2, 100, 2, 100, 5, 5}},
        LadderCase{
            "AnswerLateButWithinTheFirstRead",
            [](sim::VirtualKeyboard& k) { k.SetAnswerLatency(std::chrono::milliseconds(30)); },
            true,
            1,
            1,
            {10, 2, 28}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SimDeviceTest, RefusedRequestIsNotAcknowledgedButItsAnswerIsReturned) {
    Frame frame = RequestFrame(0x0D, 56, 3584);  // past the macro area
    EXPECT_FALSE(manager.SendCommand(frame, 0));
    EXPECT_EQ(frame[0], sim::kRefusedMarker);
    EXPECT_EQ(frame[1], 0x0D);
    EXPECT_EQ(keyboard->Traffic().config_writes, 3U);
}

TEST_F(SimDeviceTest, ReadCommandDrainsStaleReportsAndAnswersItsOwnRequest) {
    keyboard->QueueStaleReports(3);
    Frame frame = RequestFrame(0x07, 56, 56);
    frame[64] = 0x5A;  // report byte 63 is not sent by the 64-byte write
    ASSERT_TRUE(manager.ReadCommand(frame, 0));

    const sim::FirmwareTables tables = keyboard->Tables();
    EXPECT_TRUE(std::equal(frame.begin() + 8, frame.begin() + 64, tables.key_map.begin() + 56));
    EXPECT_EQ(frame[64], 0x5A);
    // Three stale reports, each followed by 10 ms, then one empty 50 ms drain read.
    EXPECT_EQ(SleepsMs(), (std::vector<double>{10, 10, 10, 10, 50, 2}));
    const auto record = keyboard->Record();
    ASSERT_EQ(record.size(), 1U);
    EXPECT_EQ(record[0].bytes.size(), 64U);
    EXPECT_EQ(keyboard->FirmwareCounts().refused, 0U);  // checksum over bytes 4..62
}

TEST_F(SimDeviceTest, SendCommandTakesTheFirstReportThatArrivesEvenWhenStale) {
    keyboard->QueueStaleReports(1);
    Frame frame = RequestFrame(0x07, 56, 0);
    ASSERT_TRUE(manager.SendCommand(frame, 0));
    EXPECT_EQ(frame[8], 0xEE);  // the stale piece, not the key map
}

TEST_F(SimDeviceTest, ReadCommandLadderMatchesSendCommandAfterTheDrain) {
    keyboard->DropAcknowledgements(100);
    Frame frame = RequestFrame(0x05, 0x20);
    EXPECT_FALSE(manager.ReadCommand(frame, 0));
    EXPECT_EQ(keyboard->Traffic().config_writes, 3U);
    EXPECT_EQ(keyboard->Traffic().config_reads, 5U);  // one drain read and four ladder reads
    EXPECT_EQ(SleepsMs(), (std::vector<double>{10, 50, 2, 100, 2, 100, 5, 5, 100, 5, 5, 100}));
}

TEST_F(SimDeviceTest, SendStreamWaitsAtMostOneShortRead) {
    Frame frame = RequestFrame(0xDD, 56, 0);
    EXPECT_TRUE(manager.SendStream(frame, 0));
    EXPECT_EQ(SleepsMs(), (std::vector<double>{2, 2}));

    clock.ClearSleeps();
    keyboard->DropAcknowledgements(1);
    frame = RequestFrame(0xDD, 56, 56);
    EXPECT_FALSE(manager.SendStream(frame, 0));
    EXPECT_EQ(SleepsMs(), (std::vector<double>{2, 2, 10}));

    clock.ClearSleeps();
    keyboard->FailWrites(2);
    frame = RequestFrame(0xDD, 56, 112);
    EXPECT_FALSE(manager.SendStream(frame, 0));
    EXPECT_EQ(SleepsMs(), (std::vector<double>{2, 2}));
}

TEST_F(SimDeviceTest, ExchangesRefuseAtOnceWithoutAnOpenEntry) {
    using Exchange = bool (CDeviceManager::*)(Frame&, int);
    const Exchange exchanges[] = {&CDeviceManager::SendCommand, &CDeviceManager::SendStream,
                                  &CDeviceManager::ReadCommand};
    for (Exchange exchange : exchanges) {
        for (int index : {-1, 1, 7}) {
            Frame frame = RequestFrame(0x01);
            EXPECT_FALSE((manager.*exchange)(frame, index)) << index;
        }
        manager.SetEnabled(false);
        Frame frame = RequestFrame(0x01);
        EXPECT_FALSE((manager.*exchange)(frame, 0));
        manager.SetEnabled(true);
    }
    EXPECT_TRUE(clock.Sleeps().empty());
    EXPECT_EQ(keyboard->Traffic().config_writes, 0U);
}

// A device that delivers scripted reads, to show how short reads land in the buffer.
class ScriptedDevice final : public HidDevice {
public:
    explicit ScriptedDevice(std::vector<std::vector<std::uint8_t>> reads)
        : reads_(std::move(reads)) {}
    int Write(const std::uint8_t*, std::size_t length) override { return static_cast<int>(length); }
    int ReadTimeout(std::uint8_t* data, std::size_t length, int) override {
        if (next_ >= reads_.size()) {
            return 0;
        }
        const auto& read = reads_[next_++];
        const std::size_t count = std::min(read.size(), length);
        std::copy_n(read.begin(), count, data);
        return static_cast<int>(count);
    }
    bool GetManufacturerString(std::wstring&) override { return false; }
    bool GetProductString(std::wstring&) override { return false; }

private:
    std::vector<std::vector<std::uint8_t>> reads_;
    std::size_t next_ = 0;
};

class ScriptedLibrary final : public HidLibrary {
public:
    explicit ScriptedLibrary(std::vector<std::vector<std::uint8_t>> reads)
        : reads_(std::move(reads)) {}
    std::vector<HidDeviceInfo> Enumerate(std::uint16_t, std::uint16_t) override {
        HidDeviceInfo info;
        info.path = "scripted";
        info.vendor_id = 0x3412;
        info.product_id = 0x7A21;
        info.interface_identity = L"vid_3412&pid_7a21&mi_02";
        return {info};
    }
    std::unique_ptr<HidDevice> OpenPath(const std::string&) override {
        return std::make_unique<ScriptedDevice>(reads_);
    }

private:
    std::vector<std::vector<std::uint8_t>> reads_;
};

TEST(ShortReadTest, PositionsNoReadReachedKeepEarlierBytes) {
    // A refusal of three bytes, then an acknowledgement of two.
    ScriptedLibrary library({{0x00, 0x11, 0x22}, {0xAA, 0x05}});
    ManualClock clock;
    CDeviceManager manager(library, clock);
    manager.AddFilter(0x3412, 0x7A21, L"", L"vid_3412&pid_7a21&mi_02");
    manager.Rescan();
    ASSERT_EQ(manager.EntryCount(), 1);
    EXPECT_EQ(manager.GetEntryInfo(0)->manufacturer, L"");  // unreadable strings stay empty

    Frame frame = RequestFrame(0x05, 0x20);
    frame[64] = 0x77;
    Frame request = frame;
    request[1 + kChecksumByte] = FrameChecksum(request);
    ASSERT_TRUE(manager.SendCommand(frame, 0));
    EXPECT_EQ(frame[0], 0xAA);
    EXPECT_EQ(frame[1], 0x05);
    EXPECT_EQ(frame[2], 0x22);  // from the first read
    EXPECT_TRUE(std::equal(frame.begin() + 3, frame.end(), request.begin() + 3));
}

// Unplugs the keyboard at one chosen pause, so the exchange in progress loses its device.
class UnplugAtSleepClock final : public Clock {
public:
    UnplugAtSleepClock(std::size_t at, std::function<void()> unplug)
        : at_(at), unplug_(std::move(unplug)) {}
    TimePoint Now() const override { return TimePoint(now_); }
    void SleepFor(Duration duration) override {
        now_ += duration;
        if (++count_ == at_) {
            unplug_();
        }
    }
    Duration Elapsed() const { return now_; }

private:
    std::size_t at_;
    std::function<void()> unplug_;
    std::size_t count_ = 0;
    Duration now_{0};
};

TEST(UnplugDuringExchangesTest, EverySequenceEndsQuicklyAndTheNextRescanIsClean) {
    // A read-out-sized sequence (begin, 28 reads, end) with the keyboard pulled at each of
    // the first pauses in turn.
    for (std::size_t at = 1; at <= 40; ++at) {
        std::shared_ptr<sim::VirtualKeyboard> keyboard;
        UnplugAtSleepClock clock(at, [&] { keyboard->Unplug(); });
        keyboard = std::make_shared<sim::VirtualKeyboard>(sim::KeyboardOptions{}, clock);
        sim::SimHidLibrary library(keyboard);
        CDeviceManager manager(library, clock);
        manager.AddFilter(0x3412, 0x7A21, L"", L"vid_3412&pid_7a21&mi_02");
        manager.Rescan();

        int acknowledged = 0;
        Frame begin = RequestFrame(0x01);
        acknowledged += manager.SendCommand(begin, 0) ? 1 : 0;
        for (int piece = 0; piece < 28; ++piece) {
            Frame frame = RequestFrame(piece < 14 ? 0x07 : 0x08, piece % 14 == 13 ? 40 : 56,
                                       static_cast<std::uint16_t>(56 * (piece % 14)));
            acknowledged += manager.ReadCommand(frame, 0) ? 1 : 0;
        }
        Frame end = RequestFrame(0x02);
        acknowledged += manager.SendCommand(end, 0) ? 1 : 0;

        EXPECT_LT(acknowledged, 30) << at;
        // A dead handle fails every read at once: no 100 ms time-out after the unplug beyond
        // the one in progress. 30 exchanges of pauses alone stay far below 30 ladders.
        EXPECT_LT(Millis(clock.Elapsed()), 30 * 62 + 30 * 34 + 200) << at;

        manager.Rescan();
        EXPECT_EQ(manager.EntryCount(), 0) << at;
        keyboard->Replug();
        manager.Rescan();
        ASSERT_EQ(manager.EntryCount(), 1) << at;
        Frame again = RequestFrame(0x01);
        EXPECT_TRUE(manager.SendCommand(again, 0)) << at;
    }
}

}  // namespace
}  // namespace keyloom::testing
