// The keyboard pulled in the middle of every job: the job ends without hanging, reports
// its failures, and the next rescan finds the replugged keyboard ready for the next job.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "tests/protocol/jobs_fixture.h"

namespace keyloom::protocol_test {
namespace {

struct NamedJob {
    std::string name;
    std::function<JobResult(KeyboardJobs&, const JobContext&)> run;
};

std::vector<NamedJob> AllJobs() {
    ColourMap frame{};
    frame.fill(0x40);
    return {
        {"ReadKeyboard", [](KeyboardJobs& j, const JobContext& c) { return j.ReadKeyboard(c); }},
        {"WriteKeyMap", [](KeyboardJobs& j, const JobContext& c) { return j.WriteKeyMap(c); }},
        {"WriteMacros", [](KeyboardJobs& j, const JobContext& c) { return j.WriteMacros(c); }},
        {"WriteSettings", [](KeyboardJobs& j, const JobContext& c) { return j.WriteSettings(c); }},
        {"WriteKeyColours",
         [](KeyboardJobs& j, const JobContext& c) { return j.WriteKeyColours(c); }},
        {"FactoryReset", [](KeyboardJobs& j, const JobContext& c) { return j.FactoryReset(c); }},
        {"StreamColourFrame",
         [frame](KeyboardJobs& j, const JobContext& c) { return j.StreamColourFrame(c, frame); }},
    };
}

class UnplugTest : public JobsTest {
protected:
    // Back to a connected keyboard and a manager that has it open.
    void Reconnect() {
        clock.SetHook({});
        if (!keyboard->IsPlugged()) {
            keyboard->Replug();
        }
        devices.Rescan();
        ASSERT_EQ(devices.EntryCount(), 1);
    }
};

TEST_F(UnplugTest, EveryJobEndsAndTheNextRescanIsClean) {
    const int id = database.AddMacro(L"Macro 0");
    MacroEvent step;
    step.macro_id = id;
    step.type = 2;
    step.value = 0x41;
    database.AddMacroEvents({step});

    for (const NamedJob& job : AllJobs()) {
        // How long the job takes when nothing goes wrong, in pauses and virtual time.
        Reconnect();
        int pauses = 0;
        clock.SetHook([&pauses](int n) { pauses = n; });
        const auto start = clock.Elapsed();
        ASSERT_TRUE(job.run(jobs, context).Succeeded()) << job.name;
        const double normal_ms = Millis(clock.Elapsed() - start);

        for (int at = 1; at <= pauses; at += std::max(1, pauses / 12)) {
            Reconnect();
            bool pulled = false;
            clock.SetHook([this, at, &pulled](int n) {
                if (n == at) {
                    keyboard->Unplug();
                    pulled = true;
                }
            });
            const auto begin = clock.Elapsed();
            const JobResult result = job.run(jobs, context);
            const double took_ms = Millis(clock.Elapsed() - begin);

            ASSERT_TRUE(pulled) << job.name << " at pause " << at;
            EXPECT_GT(result.failed + (result.abandoned ? 1 : 0), 0)
                << job.name << " at pause " << at;
            // At most the exchange in progress runs its ladder out (3 x 5 ms and 4 reads).
            EXPECT_LE(took_ms, normal_ms + 420.0) << job.name << " at pause " << at;

            clock.SetHook({});
            devices.Rescan();
            EXPECT_EQ(devices.EntryCount(), 0) << job.name;
            keyboard->Replug();
            devices.Rescan();
            ASSERT_EQ(devices.EntryCount(), 1) << job.name;
            EXPECT_TRUE(job.run(jobs, context).Succeeded()) << job.name << " after " << at;
        }
    }
}

}  // namespace
}  // namespace keyloom::protocol_test
