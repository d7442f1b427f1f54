// The reader thread of one run of the setup tool: it starts the tool with its
// output in a pipe, does the per-line work itself (cutting, decoding,
// classifying; see output_batcher.h) and relays the output in batches, and the
// tool's end, to the target window as WM_SETUP_OUTPUT and WM_SETUP_EXIT.
//
// Flow control: at most kBatchesInFlight batches wait in the window's queue.
// Each carries, in wParam, a semaphore that the window releases once it has
// taken the batch and input and paint have had their turn; the reader waits
// on it before it posts another. So however fast the tool prints, the
// window's queue empties again and again and memory stays bounded, while the
// reader gathers the next batch as the window applies the last one.
#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>
#include <string>

inline constexpr long kBatchesInFlight = 2;

// Everything the reader needs, handed over as it starts: it reads no global
// state.
struct ToolRunStart {
    HWND target;               // receives the two messages
    std::wstring commandLine;  // the interpreter, its options, the script, the job
    std::wstring workingFolder;
};

// Starts the reader thread, which owns the record from then on. False when
// the thread could not be created; the record is then freed and no message
// will come.
bool StartToolReader(std::unique_ptr<ToolRunStart> start);
