// The flood benchmark: a source check whose tool prints 200,000 short lines
// as fast as it can, run once through the real launcher and once through the
// minimal relay (flood_relay.exe). Prints both durations and their ratio, the
// longest time a real key press (Tab) waited for the launcher's window during
// the flood, the longest WM_NULL round trip, how long the log took to show
// the last line after the run ended, and the launcher's largest working set
// during the flood against that of the idle setup window after a quiet check
// (so that both include what the file dialog leaves loaded).
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "base/names.h"
#include "dialogs.h"
#include "driver.h"
#include "release.h"
#include "setup_view.h"

namespace {

constexpr int kLines = 200000;
constexpr wchar_t kMarker[] = L"END OF FLOOD\r\n";

bool LogEndsWithMarker(const SetupWindow& setup)
{
    const std::wstring text = driver::Text(setup.Log());
    const std::wstring marker = kMarker;
    return text.size() >= marker.size() && text.substr(text.size() - marker.size()) == marker;
}

SIZE_T WorkingSet(HANDLE process)
{
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof(memory);
    GetProcessMemoryInfo(process, &memory, sizeof(memory));
    return memory.WorkingSetSize;
}

double Megabytes(SIZE_T bytes)
{
    return bytes / (1024.0 * 1024.0);
}

int Fail(const char* what)
{
    std::printf("flood benchmark failed: %s\n", what);
    return 1;
}

} // namespace

int wmain()
{
    Release release;
    const std::string flood =
        "[check-source]\nrepeat " + std::to_string(kLines) + " flood line ${i}\nprint END OF FLOOD\n";
    release.WriteScenario("[check-source]\nprint quiet\n");
    const std::wstring iso = release.Folder() + L"\\Disc.iso";
    WriteBytes(iso, "disc");

    // The launcher: from the press on Open until the run has ended.
    Launched launched = release.Start();
    SetupWindow setup;
    setup.window = driver::WaitForTopWindow(launched.processId, kSetupClassName);
    HWND window = setup.window;
    if (!window || !driver::AnswersWithin(window, 5000))
        return Fail("no setup window");
    Sleep(500); // not a check: lets the first paint settle before the figure is read
    const SIZE_T fresh = WorkingSet(launched.process);

    // A quiet check first, so that the idle figure includes what the file
    // dialog leaves loaded.
    driver::ClickId(window, IdDiscImage);
    HWND first = dialogs::WaitForFileDialog(launched.processId, L"Choose your disc image");
    if (!first || !dialogs::ChooseFile(first, iso))
        return Fail("the first file dialog did not work");
    if (!driver::WaitUntil([&] { return release.ToolStarts().size() == 1 && setup.ChoicesEnabled(); }))
        return Fail("the quiet check did not end");
    if (!driver::WaitUntil([&] { return driver::Text(setup.Log()) == L"quiet\r\n"; }))
        return Fail("the quiet check's line did not reach the log");
    Sleep(1000); // not a check: the idle figure is read after a second of idleness
    const SIZE_T idle = WorkingSet(launched.process);
    release.WriteScenario(flood);

    driver::ClickId(window, IdDiscImage);
    HWND dialog = dialogs::WaitForFileDialog(launched.processId, L"Choose your disc image");
    if (!dialog)
        return Fail("no file dialog");
    const ULONGLONG start = GetTickCount64();
    if (!dialogs::ChooseFile(dialog, iso))
        return Fail("the file dialog did not close");
    if (!driver::WaitUntil([&] { return release.ToolStarts().size() == 2; }))
        return Fail("the flood did not start");
    SetForegroundWindow(window);
    driver::WaitUntil([&] { return GetForegroundWindow() == window; }, 2000);
    DWORD longestKey = 0;
    DWORD longestSent = 0;
    SIZE_T largest = 0;
    int keys = 0;
    while (!setup.ChoicesEnabled()) {
        largest = std::max(largest, WorkingSet(launched.process));
        longestKey = std::max(longestKey, driver::TabAnswerTime(window, 5000));
        ++keys;
        DWORD elapsed = 0;
        if (!driver::AnswersWithin(window, 5000, &elapsed))
            return Fail("the window stopped answering");
        longestSent = std::max(longestSent, elapsed);
        if (GetTickCount64() - start > 300000)
            return Fail("the run did not end");
        Sleep(200);
    }
    const ULONGLONG launcherMs = GetTickCount64() - start;
    const ULONGLONG ended = GetTickCount64();
    const bool markerLast = driver::WaitUntil([&] { return LogEndsWithMarker(setup); }, 20000);
    const ULONGLONG catchUpMs = GetTickCount64() - ended;

    PostMessageW(window, WM_CLOSE, 0, 0);
    release.WaitForExit(launched);

    // The relay, on the same release and scenario.
    const std::wstring relay = BuildFolder() + L"\\flood_relay.exe";
    std::wstring commandLine = L"\"" + relay + L"\" \"" + release.Folder() + L"\" \"" + iso + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(relay.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process))
        return Fail("flood_relay.exe did not start");
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD relayMs = 0;
    GetExitCodeProcess(process.hProcess, &relayMs);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);

    const double peak = Megabytes(largest);
    const double idleSet = Megabytes(idle);
    std::printf("lines:                          %d\n", kLines);
    std::printf("launcher run:                   %llu ms\n", launcherMs);
    std::printf("minimal relay run:              %lu ms\n", relayMs);
    std::printf("ratio (target <= 1.5):          %.2f\n",
                relayMs ? static_cast<double>(launcherMs) / relayMs : 0.0);
    std::printf("longest key press wait:         %lu ms over %d presses (target < 100)\n",
                longestKey, keys);
    std::printf("longest WM_NULL round trip:     %lu ms\n", longestSent);
    std::printf("log showed the last line after: %llu ms\n", catchUpMs);
    std::printf("working set, new window:        %.1f MB\n", Megabytes(fresh));
    std::printf("working set idle / flood:       %.1f MB / %.1f MB = %.2f (target <= 1.25)\n",
                idleSet, peak, idleSet > 0 ? peak / idleSet : 0.0);
    std::printf("log ends with the marker:       %s\n", markerLast ? "yes" : "NO");
    return markerLast ? 0 : 1;
}
