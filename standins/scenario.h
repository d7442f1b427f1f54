// The scenario language of the interpreter stand-in. The "script" the
// launcher passes to the interpreter is a text file of commands, one a line:
//
//   # comment
//   [check-source] [check-dlc] [install] [rebuild] [all]
//                        the commands below run only for that job ([all]: any;
//                        several names in one header, as in [install rebuild])
//   print TEXT           writes TEXT and LF
//   write TEXT           writes TEXT alone (no LF)
//   repeat N TEXT        writes TEXT and LF N times, ${i} counting from 1, fast
//   fill N TEXT          writes N bytes of TEXT repeated, no LF, fast
//   sleep MS
//   wait-for PATH        waits until PATH exists (at most 60 s), so a test can hold
//                        the tool at a point and look at the window meanwhile
//   mkdir PATH | touch PATH | copy FROM|TO
//   exit CODE
//   helper MS            starts a helper process that inherits standard output
//                        and error and lives MS ms without writing, so the
//                        output stays open after the tool has ended (a build
//                        daemon or device bridge server started by the tool)
//   chatty-helper MS     starts a helper that, like "helper", outlives the tool,
//                        and prints "helper line N" lines without a pause for
//                        MS ms (a server that logs to the inherited console)
//   if-exists PATH | if-iso PATH | if-dlc-exist | if-android ... else ... end
//
// TEXT knows the escapes \r \n \t \\ \xHH (raw bytes, so invalid UTF-8 and a
// character split across two writes can be made). Variables, replaced after
// the escapes: ${source} ${dest} ${setup} (the script's folder) ${dlc} (the
// first DLC folder) ${i}. Each write is one WriteFile on standard output.
// A write that fails (no one reads the output any more) ends the program with
// code 120 at once, as it ends a Python interpreter.
#pragma once

#include <string>
#include <vector>

#include <windows.h>

// The command-line switch of a helper started by "helper": it only sleeps.
inline constexpr wchar_t kHelperSwitch[] = L"--standin-helper";
// The switch of one started by "chatty-helper".
inline constexpr wchar_t kChattyHelperSwitch[] = L"--standin-chatty-helper";

// Python's exit code when flushing its output fails at exit.
inline constexpr UINT kWriteFailedExitCode = 120;

struct ToolJob {
    std::wstring name; // check-source, check-dlc, install or rebuild
    std::wstring source;
    std::wstring dest;
    std::vector<std::wstring> dlcFolders;
    bool android = false;
    std::wstring setupFolder;
};

// Runs the scenario text for the job; returns the exit code.
int RunScenario(const std::string& scenario, const ToolJob& job);

// What a helper started by "chatty-helper" does; returns its exit code.
int RunChattyHelper(DWORD lifetimeMs);
