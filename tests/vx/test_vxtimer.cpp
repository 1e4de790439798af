#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/system/perfcounter.h"
#include "vx/vxtimer.h"

namespace {

// A counter that the test steps by hand. Every read of the counter can also
// move it on by `stepPerRead` ticks, as time passes during a busy wait.
struct FakeCounter {
    std::int64_t now = 1'000'000;
    std::int64_t frequency = 1'000'000;
    std::int64_t stepPerRead = 0;
    bool hasCounter = true;
    int counterReads = 0;
    std::vector<std::string> calls;

    void Install() {
        plat::SetPerformanceCounter({
            [this](std::int64_t* c) {
                calls.push_back("counter");
                if (!hasCounter) return false;
                ++counterReads;
                *c = now;
                now += stepPerRead;
                return true;
            },
            [this](std::int64_t* f) {
                calls.push_back("frequency");
                if (!hasCounter) return false;
                *f = frequency;
                return true;
            },
        });
    }
};

class TimerTest : public ::testing::Test {
protected:
    void SetUp() override { fake.Install(); }
    void TearDown() override { plat::ResetPerformanceCounter(); }
    FakeCounter fake;
    VXTimer timer;
};

TEST_F(TimerTest, ConstructionLeavesBothFieldsZero) {
    EXPECT_EQ(timer.TicksPerMs, 0);
    EXPECT_EQ(timer.StartCount, 0);
}

TEST_F(TimerTest, RestartReadsTheCounterBeforeTheFrequency) {
    EXPECT_EQ(timer.Restart(), 1);
    EXPECT_EQ((std::vector<std::string>{"counter", "frequency"}), fake.calls);
    EXPECT_EQ(timer.StartCount, 1'000'000);
    EXPECT_EQ(timer.TicksPerMs, 1000);
}

TEST_F(TimerTest, FrequencyIsQueriedAgainOnEveryRestart) {
    timer.Restart();
    fake.frequency = 3'579'545;
    timer.Restart();
    EXPECT_EQ(timer.TicksPerMs, 3579);
}

TEST_F(TimerTest, ElapsedCountsWholeMillisecondsOnly) {
    timer.Restart();
    EXPECT_EQ(timer.ElapsedMs(), 0);
    fake.now += 12'999;  // 12.999 ms
    EXPECT_EQ(timer.ElapsedMs(), 12);
    fake.now += 1;
    EXPECT_EQ(timer.ElapsedMs(), 13);
}

TEST_F(TimerTest, TruncatedTicksPerMsRunSlightlyFast) {
    fake.frequency = 1500;  // 1.5 ticks a millisecond truncate to 1
    timer.Restart();
    EXPECT_EQ(timer.TicksPerMs, 1);
    fake.now += 1500;  // one real second
    EXPECT_EQ(timer.ElapsedMs(), 1500);
}

TEST_F(TimerTest, WaitForZeroReturnsAfterOneReading) {
    timer.Restart();
    fake.counterReads = 0;
    fake.stepPerRead = 0;  // time stands still: only a single reading can end the wait
    timer.WaitUntilMs(0);
    EXPECT_EQ(fake.counterReads, 1);
}

TEST_F(TimerTest, WaitReturnsWhenTheMillisecondsHavePassedNeverEarlier) {
    timer.Restart();
    const std::int64_t start = fake.now;
    fake.stepPerRead = 70;  // 0.07 ms between readings
    timer.WaitUntilMs(13);
    // The last reading saw at least 13000 ticks, the one before it fewer.
    const std::int64_t lastRead = fake.now - fake.stepPerRead;
    EXPECT_GE(lastRead - start, 13'000);
    EXPECT_LT(lastRead - fake.stepPerRead - start, 13'000);
}

TEST_F(TimerTest, SlowFrameEndsTheWaitAfterASingleReading) {
    timer.Restart();
    fake.now += 20'000;
    fake.counterReads = 0;
    timer.WaitUntilMs(13);
    EXPECT_EQ(fake.counterReads, 1);
}

TEST_F(TimerTest, CounterSlowerThan1000HzStillMeasuresMilliseconds) {
    fake.frequency = 500;
    EXPECT_EQ(timer.Restart(), 1);
    EXPECT_EQ(timer.TicksPerMs, 0);
    fake.now += 7;  // 14 ms
    EXPECT_EQ(timer.ElapsedMs(), 14);
    fake.stepPerRead = 1;
    timer.WaitUntilMs(13);  // must come back instead of dividing by zero
    EXPECT_GE(timer.ElapsedMs(), 13);
}

TEST_F(TimerTest, MissingCounterIsReportedAndWaitsStillEnd) {
    fake.hasCounter = false;
    EXPECT_EQ(timer.Restart(), 0);
    EXPECT_EQ(timer.TicksPerMs, 0);
    timer.WaitUntilMs(2);  // timed by the fallback clock
    EXPECT_GE(timer.ElapsedMs(), 2);
}

TEST(TimerMachineCounter, AnEmptyReplacementIsAMachineWithoutACounter) {
    plat::SetPerformanceCounter({});
    VXTimer timer;
    EXPECT_EQ(timer.Restart(), 0);
    plat::ResetPerformanceCounter();
    EXPECT_EQ(timer.Restart(), 1);
}

TEST(TimerMachineCounter, MeasuresRealTime) {
    plat::ResetPerformanceCounter();
    VXTimer timer;
    ASSERT_EQ(timer.Restart(), 1);
    EXPECT_GT(timer.TicksPerMs, 0);
    timer.WaitUntilMs(3);
    EXPECT_GE(timer.ElapsedMs(), 3);
}

}  // namespace
