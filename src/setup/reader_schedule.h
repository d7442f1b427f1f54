// When the reader thread reads, waits, posts the open batch or ends: a pure
// function of the times involved, so that the Win32 loop only carries out
// its answers and waits on events for exactly as long as the answer allows.
// Times are milliseconds of one monotonic clock. No system call is needed.
#pragma once

#include <cstdint>
#include <optional>

// An open batch lingers this long on an empty pipe while the tool runs, so
// that a flood travels in large batches and each still reaches the window
// promptly.
inline constexpr std::uint64_t kBatchLingerMs = 20;
// Once the tool has ended, the output ends when nothing came for this long
// (a process the tool started may hold the pipe open without writing)...
inline constexpr std::uint64_t kDrainGraceMs = 1000;
// ...and at the latest this long after the tool's end, even while data still
// flows (a process the tool started may go on printing).
inline constexpr std::uint64_t kDrainLimitMs = 5000;
// The wait of an answer that has no deadline: only more output or the
// tool's end can change it.
inline constexpr std::uint32_t kNoDeadline = 0xFFFFFFFF;

struct ReaderTimes {
    std::uint64_t now = 0;
    std::optional<std::uint64_t> toolEnded = std::nullopt;      // when the tool's process was seen to end
    std::optional<std::uint64_t> lastOutput = std::nullopt;     // when bytes last came from the pipe
    std::optional<std::uint64_t> batchOpenSince = std::nullopt; // when the open batch took its first line; none when it is empty
    bool dataAvailable = false;                  // bytes were read and wait to be taken
};

enum class ReaderStep {
    Read, // take the bytes that were read, then ask again
    Wait, // wait for output or the tool's end, at most waitMs, then ask again
    Post, // post the open batch now, then ask again
    End,  // the output is over: post what is gathered and stop reading
};

struct ReaderNext {
    ReaderStep step;
    std::uint32_t waitMs = 0; // for Wait: at most this long (kNoDeadline: no limit)

    bool operator==(const ReaderNext&) const = default;
};

ReaderNext NextReaderStep(const ReaderTimes& times);
