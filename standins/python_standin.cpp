// Stands in for the setup tool's Python interpreter. Started as
//   python.exe -X utf8 -u <script> <job arguments>
// it plays the script file as a scenario (see scenario.h).
#include <windows.h>
#include <shellapi.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "record.h"
#include "scenario.h"

namespace {

ToolJob ParseJob(int count, wchar_t** args)
{
    ToolJob job;
    for (int i = 0; i < count; ++i) {
        std::wstring arg = args[i];
        const bool hasValue = i + 1 < count;
        if (arg == L"--check-source" && hasValue) {
            job.name = L"check-source";
            job.source = args[++i];
        } else if (arg == L"--check-dlc" && hasValue) {
            job.name = L"check-dlc";
            job.dlcFolders.push_back(args[++i]);
        } else if (arg == L"--source" && hasValue) {
            job.name = L"install";
            job.source = args[++i];
        } else if (arg == L"--dest" && hasValue) {
            job.dest = args[++i];
        } else if (arg == L"--dlc" && hasValue) {
            job.dlcFolders.push_back(args[++i]);
        } else if (arg == L"--rebuild") {
            job.name = L"rebuild";
        } else if (arg == L"--android") {
            job.android = true;
        }
    }
    return job;
}

void Fail(const char* message)
{
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), message, static_cast<DWORD>(lstrlenA(message)),
              &written, nullptr);
}

} // namespace

int wmain()
{
    int count = 0;
    wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
    // A helper the scenario started: it holds the output open while it lives.
    if (args && count == 3 && std::wstring(args[1]) == kHelperSwitch) {
        Sleep(static_cast<DWORD>(std::stoul(args[2])));
        return 0;
    }
    if (args && count == 3 && std::wstring(args[1]) == kChattyHelperSwitch)
        return RunChattyHelper(static_cast<DWORD>(std::stoul(args[2])));
    RecordStart(L"VANTAROO_TOOL_LOG");
    if (!args || count < 5 || std::wstring(args[1]) != L"-X" || std::wstring(args[2]) != L"utf8"
        || std::wstring(args[3]) != L"-u") {
        Fail("python stand-in: expected -X utf8 -u <script> <arguments>\n");
        return 9;
    }
    std::wstring script = args[4];
    std::ifstream file(std::filesystem::path(script), std::ios::binary);
    if (!file) {
        Fail("python stand-in: cannot open the script\n");
        return 2;
    }
    std::stringstream text;
    text << file.rdbuf();

    ToolJob job = ParseJob(count - 5, args + 5);
    std::wstring::size_type slash = script.rfind(L'\\');
    job.setupFolder = slash == std::wstring::npos ? L"." : script.substr(0, slash);
    return RunScenario(text.str(), job);
}
