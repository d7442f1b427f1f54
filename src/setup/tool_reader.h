// The reader thread of one run of the setup tool: it starts the tool with its
// output in a pipe and relays the output, line by line, and the tool's end to
// the target window as WM_SETUP_OUTPUT and WM_SETUP_EXIT.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

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
