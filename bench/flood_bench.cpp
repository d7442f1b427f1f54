// The flood benchmark: a source check whose tool prints 200,000 short lines
// as fast as it can, run once through the real launcher and once through the
// minimal relay (flood_relay.exe). Prints both durations, their ratio, the
// longest WM_NULL round trip of the launcher's window during the run and the
// launcher's peak working set.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "base/names.h"
#include "dialogs.h"
#include "driver.h"
#include "release.h"

namespace {

constexpr int kLines = 200000;
constexpr wchar_t kMarker[] = L"END OF FLOOD";

bool ChoicesEnabled(HWND window)
{
    for (int id : {IdDiscImage, IdFolder, IdAddDlc, IdClearList, IdBrowse})
        if (!driver::Enabled(driver::Child(window, id)))
            return false;
    return true;
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
    release.WriteScenario("[check-source]\nrepeat " + std::to_string(kLines)
                          + " flood line ${i}\nprint END OF FLOOD\n");
    const std::wstring iso = release.Folder() + L"\\Disc.iso";
    WriteBytes(iso, "disc");

    // The launcher: from the press on Open until the run has ended.
    Launched launched = release.Start();
    HWND window = driver::WaitForTopWindow(launched.processId, kSetupClassName);
    if (!window)
        return Fail("no setup window");
    driver::ClickId(window, IdDiscImage);
    HWND dialog = dialogs::WaitForFileDialog(launched.processId, L"Choose your disc image");
    if (!dialog)
        return Fail("no file dialog");
    const ULONGLONG start = GetTickCount64();
    if (!dialogs::ChooseFile(dialog, iso))
        return Fail("the file dialog did not close");
    if (!driver::WaitUntil([&] { return !release.ToolStarts().empty(); }))
        return Fail("the check did not start");
    DWORD longest = 0;
    while (!ChoicesEnabled(window)) {
        DWORD elapsed = 0;
        if (!driver::AnswersWithin(window, 5000, &elapsed))
            return Fail("the window stopped answering");
        longest = std::max(longest, elapsed);
        if (GetTickCount64() - start > 300000)
            return Fail("the run did not end");
        Sleep(20);
    }
    const ULONGLONG launcherMs = GetTickCount64() - start;

    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof(memory);
    GetProcessMemoryInfo(launched.process, &memory, sizeof(memory));
    HWND log = driver::Children(window).at(16);
    const std::wstring text = driver::Text(log);
    const bool markerLast = text.size() >= 14 && text.substr(text.size() - 14) == std::wstring(kMarker) + L"\r\n";
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

    std::printf("lines:                      %d\n", kLines);
    std::printf("launcher run:               %llu ms\n", launcherMs);
    std::printf("minimal relay run:          %lu ms\n", relayMs);
    std::printf("ratio (target <= 1.5):      %.2f\n",
                relayMs ? static_cast<double>(launcherMs) / relayMs : 0.0);
    std::printf("longest WM_NULL round trip: %lu ms (target < 300)\n", longest);
    std::printf("launcher peak working set:  %.1f MB (target < 64)\n",
                memory.PeakWorkingSetSize / (1024.0 * 1024.0));
    std::printf("log ends with the marker:   %s\n", markerLast ? "yes" : "NO");
    return markerLast ? 0 : 1;
}
