#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "setup/reader_schedule.h"

namespace {

constexpr std::optional<std::uint64_t> kNever;

ReaderNext Read() { return {ReaderStep::Read}; }
ReaderNext Post() { return {ReaderStep::Post}; }
ReaderNext End() { return {ReaderStep::End}; }
ReaderNext Wait(std::uint32_t ms) { return {ReaderStep::Wait, ms}; }

const char* StepName(ReaderStep step)
{
    switch (step) {
    case ReaderStep::Read: return "Read";
    case ReaderStep::Wait: return "Wait";
    case ReaderStep::Post: return "Post";
    case ReaderStep::End: return "End";
    }
    return "?";
}

std::string Describe(const ReaderNext& next)
{
    return std::string(StepName(next.step)) + " " + std::to_string(next.waitMs);
}

TEST(NextReaderStep, AnswersEachSituationUpToItsBoundaries)
{
    // The tool starts at 1000; times are absolute.
    struct Case {
        const char* name;
        ReaderTimes times;
        ReaderNext next;
    } cases[] = {
        // While the tool runs.
        {"data is read at once", {.now = 1000, .dataAvailable = true}, Read()},
        {"a silent tool with nothing open: no deadline", {.now = 1000}, Wait(kNoDeadline)},
        {"silent for long, nothing open: still no deadline",
         {.now = 9'000'000, .lastOutput = 1000}, Wait(kNoDeadline)},
        {"a batch just opened lingers 20 ms", {.now = 1000, .lastOutput = 1000, .batchOpenSince = 1000},
         Wait(20)},
        {"it lingers for the rest of the 20 ms", {.now = 1019, .lastOutput = 1019, .batchOpenSince = 1000},
         Wait(1)},
        {"at 20 ms it is posted", {.now = 1020, .lastOutput = 1019, .batchOpenSince = 1000}, Post()},
        {"long open, it is posted", {.now = 5000, .lastOutput = 1000, .batchOpenSince = 1000}, Post()},
        {"data comes before the post of an old batch",
         {.now = 5000, .batchOpenSince = 1000, .dataAvailable = true}, Read()},
        // Once the tool has ended.
        {"an open batch no longer lingers",
         {.now = 2000, .toolEnded = 2000, .lastOutput = 2000, .batchOpenSince = 2000}, Post()},
        {"data is still read", {.now = 2000, .toolEnded = 2000, .dataAvailable = true}, Read()},
        {"quiet from the end: wait out the grace", {.now = 2000, .toolEnded = 2000, .lastOutput = 1500},
         Wait(1000)},
        {"no output ever: the grace counts from the end", {.now = 2999, .toolEnded = 2000}, Wait(1)},
        {"quiet for 1000 ms after the end: over", {.now = 3000, .toolEnded = 2000, .lastOutput = 1500}, End()},
        {"output after the end restarts the grace", {.now = 3499, .toolEnded = 2000, .lastOutput = 2500},
         Wait(1)},
        {"and ends it 1000 ms after that output", {.now = 3500, .toolEnded = 2000, .lastOutput = 2500},
         End()},
        {"the grace is cut short by the limit", {.now = 6900, .toolEnded = 2000, .lastOutput = 6800},
         Wait(100)},
        {"data just before the limit is read",
         {.now = 6999, .toolEnded = 2000, .lastOutput = 6998, .dataAvailable = true}, Read()},
        {"at the limit the output is over while data flows",
         {.now = 7000, .toolEnded = 2000, .lastOutput = 6999, .dataAvailable = true}, End()},
        {"at the limit an open batch is not posted apart",
         {.now = 7000, .toolEnded = 2000, .lastOutput = 6999, .batchOpenSince = 6990}, End()},
        {"at the limit, quiet", {.now = 7000, .toolEnded = 2000, .lastOutput = 6999}, End()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NextReaderStep(c.times), c.next)
            << c.name << ": got " << Describe(NextReaderStep(c.times));
}

// A wait with a deadline ends exactly when the answer changes: one
// millisecond before, the reader would still wait (1 ms more); at the
// deadline it posts or ends. So the reader never wakes for nothing, never
// waits 0 ms in a loop, and is never late.
TEST(NextReaderStep, AWaitLastsUntilTheAnswerChanges)
{
    std::vector<ReaderTimes> situations;
    for (std::uint64_t now : {1000, 1005, 1999, 2000, 2600, 6500, 6999})
        for (std::optional<std::uint64_t> ended : {kNever, std::optional<std::uint64_t>(1000)})
            for (std::optional<std::uint64_t> output : {kNever, std::optional<std::uint64_t>(1000),
                                                        std::optional<std::uint64_t>(now)})
                for (std::optional<std::uint64_t> open : {kNever, std::optional<std::uint64_t>(now - 5)}) {
                    if (output && *output > now)
                        continue;
                    situations.push_back({.now = now, .toolEnded = ended, .lastOutput = output,
                                          .batchOpenSince = open});
                }
    int finiteWaits = 0;
    for (const ReaderTimes& times : situations) {
        const ReaderNext next = NextReaderStep(times);
        if (next.step != ReaderStep::Wait || next.waitMs == kNoDeadline)
            continue;
        ++finiteWaits;
        SCOPED_TRACE("now " + std::to_string(times.now) + ", wait " + std::to_string(next.waitMs));
        ASSERT_GT(next.waitMs, 0u);
        ReaderTimes before = times;
        before.now += next.waitMs - 1;
        EXPECT_EQ(NextReaderStep(before), Wait(1));
        ReaderTimes at = times;
        at.now += next.waitMs;
        EXPECT_NE(NextReaderStep(at).step, ReaderStep::Wait);
    }
    EXPECT_GT(finiteWaits, 0); // the sweep reached the waits it is about
}

} // namespace
