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
//   if-exists PATH | if-iso PATH | if-dlc-exist | if-android ... else ... end
//
// TEXT knows the escapes \r \n \t \\ \xHH (raw bytes, so invalid UTF-8 and a
// character split across two writes can be made). Variables, replaced after
// the escapes: ${source} ${dest} ${setup} (the script's folder) ${dlc} (the
// first DLC folder) ${i}. Each write is one WriteFile on standard output.
#pragma once

#include <string>
#include <vector>

// The command-line switch of a helper started by "helper": it only sleeps.
inline constexpr wchar_t kHelperSwitch[] = L"--standin-helper";

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
