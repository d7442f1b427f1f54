// The flood benchmark, in one launcher session: source checks whose tool
// prints 200,000, 2,000,000 and 8,000,000 short lines as fast as it can. The
// first two are set against the fastest of three runs of a reader that only
// discards the same output (flood_relay.exe discard), the first also against
// the per-line relay (flood_relay.exe). Prints the durations and their
// ratios, the run-over (how long the run went on after the tool's process
// had ended, until the choice buttons were back and the log showed the last
// line), the longest time a real key press (Tab) waited for the launcher's
// window during each flood, the longest WM_NULL round trip, and the
// launcher's largest working set during each flood against that of the idle
// setup window after a quiet check (so that both include what the file
// dialog leaves loaded).
#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>

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
constexpr int kManyLines = 2000000;
constexpr int kFloodLines = 8000000;
constexpr wchar_t kMarker[] = L"END OF FLOOD";

// Whether the log's text ends with this line. The text comes in one
// WM_GETTEXT with room for the most the log can hold, so that the steps the
// log takes meanwhile cannot cut it (a length asked first could be stale by
// the time the text is read).
bool LogEndsWith(HWND log, const std::wstring& line)
{
    static std::wstring text(1 << 18, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(log, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, 5000, &copied))
        return false;
    const std::wstring ending = line + L"\r\n";
    return copied >= ending.size() && text.compare(copied - ending.size(), ending.size(), ending) == 0;
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

// The setup tool the launcher started: its one child process. Null when
// there is none.
HANDLE OpenToolProcess(DWORD launcherId)
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return nullptr;
    HANDLE tool = nullptr;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot, &entry); more && !tool;
         more = Process32NextW(snapshot, &entry))
        if (entry.th32ParentProcessID == launcherId)
            tool = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE,
                               entry.th32ProcessID);
    CloseHandle(snapshot);
    return tool;
}

ULONGLONG FileTimeMs(const FILETIME& time)
{
    return ((static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime) / 10000;
}

// How long the run goes on after the tool's process has ended: from the
// process's exit time until the choice buttons are back and the log shows
// the output's last line, looked at every millisecond. -1 when that did not
// happen within 30 s.
long long RunOverMs(HANDLE tool, const SetupWindow& setup, const std::wstring& lastLine)
{
    WaitForSingleObject(tool, INFINITE);
    const ULONGLONG deadline = GetTickCount64() + 30000;
    while (!setup.ChoicesEnabled() || !LogEndsWith(setup.Log(), lastLine)) {
        if (GetTickCount64() > deadline)
            return -1;
        Sleep(1);
    }
    FILETIME now = {}, created = {}, exited = {}, kernel = {}, user = {};
    GetSystemTimePreciseAsFileTime(&now);
    if (!GetProcessTimes(tool, &created, &exited, &kernel, &user))
        return -1;
    return static_cast<long long>(FileTimeMs(now)) - static_cast<long long>(FileTimeMs(exited));
}

int Fail(const char* what)
{
    std::printf("flood benchmark failed: %s\n", what);
    return 1;
}

struct FloodFigures {
    bool ran = false;
    ULONGLONG runMs = 0;      // from the press on Open until the run has ended
    DWORD longestKey = 0;     // the longest wait of a real Tab press
    int keys = 0;
    DWORD longestSent = 0;    // the longest WM_NULL round trip
    SIZE_T largestSet = 0;    // the launcher's largest working set meanwhile
    long long runOverMs = -1; // from the tool's exit until the run had ended
};

// One source check whose tool prints `lines` short lines as fast as it can,
// measured from the press on Open until the choice buttons are back.
FloodFigures RunFlood(Release& release, const SetupWindow& setup, const Launched& launched,
                      const std::wstring& iso, int lines)
{
    FloodFigures figures;
    const size_t startsBefore = release.ToolStarts().size();
    release.WriteScenario("[check-source]\nrepeat " + std::to_string(lines)
                          + " flood line ${i}\nprint END OF FLOOD\n");
    HWND window = setup.window;
    driver::ClickId(window, IdDiscImage);
    HWND dialog = dialogs::WaitForFileDialog(launched.processId, L"Choose your disc image");
    if (!dialog)
        return figures;
    const ULONGLONG start = GetTickCount64();
    if (!dialogs::ChooseFile(dialog, iso))
        return figures;
    if (!driver::WaitUntil([&] { return release.ToolStarts().size() == startsBefore + 1; }))
        return figures;
    HANDLE tool = OpenToolProcess(launched.processId);
    if (!tool)
        return figures;
    SetForegroundWindow(window);
    if (!driver::WaitUntil([&] { return GetForegroundWindow() == window; }, 2000))
        return figures;
    // Keys are pressed while the tool prints; once it has ended, only the
    // run's end is watched, so that no key press delays seeing it.
    while (WaitForSingleObject(tool, 0) == WAIT_TIMEOUT && !setup.ChoicesEnabled()) {
        figures.largestSet = std::max(figures.largestSet, WorkingSet(launched.process));
        figures.longestKey = std::max(figures.longestKey, driver::TabAnswerTime(window, 5000));
        ++figures.keys;
        DWORD elapsed = 0;
        if (!driver::AnswersWithin(window, 5000, &elapsed))
            return figures;
        figures.longestSent = std::max(figures.longestSent, elapsed);
        if (GetTickCount64() - start > 600000)
            return figures;
        WaitForSingleObject(tool, 100); // not a check: the pace of the key presses
    }
    figures.runOverMs = RunOverMs(tool, setup, kMarker);
    CloseHandle(tool);
    if (figures.runOverMs < 0)
        return figures;
    figures.largestSet = std::max(figures.largestSet, WorkingSet(launched.process));
    figures.runMs = GetTickCount64() - start;
    figures.ran = true;
    return figures;
}

// flood_relay.exe on the same release and scenario: the per-line relay, or
// with "discard" a reader that only reads the pipe. Returns its duration.
DWORD RunRelay(Release& release, const std::wstring& iso, int lines, bool discard)
{
    release.WriteScenario("[check-source]\nrepeat " + std::to_string(lines)
                           + " flood line ${i}\nprint END OF FLOOD\n");
    const std::wstring relay = BuildFolder() + L"\\flood_relay.exe";
    std::wstring commandLine = L"\"" + relay + L"\" \"" + release.Folder() + L"\" \"" + iso + L"\"";
    if (discard)
        commandLine += L" discard";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(relay.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process))
        return 0;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD ms = 0;
    GetExitCodeProcess(process.hProcess, &ms);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return ms;
}

} // namespace

int wmain()
{
    Release release;
    // The quiet check's tool waits a moment before it ends, so that its
    // process can be found and its end timed.
    release.WriteScenario("[check-source]\nprint quiet\nsleep 1000\n");
    const std::wstring iso = release.Folder() + L"\\Disc.iso";
    WriteBytes(iso, "disc");

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
    if (!driver::WaitUntil([&] { return release.ToolStarts().size() == 1; }))
        return Fail("the quiet check's tool did not start");
    HANDLE quietTool = OpenToolProcess(launched.processId);
    if (!quietTool)
        return Fail("the quiet check's tool was not found");
    const long long quietRunOver = RunOverMs(quietTool, setup, L"quiet");
    CloseHandle(quietTool);
    if (quietRunOver < 0)
        return Fail("the quiet check did not end");
    if (!driver::WaitUntil([&] { return driver::Text(setup.Log()) == L"quiet\r\n"; }))
        return Fail("the quiet check's line did not reach the log");
    Sleep(1000); // not a check: the idle figure is read after a second of idleness
    const SIZE_T idle = WorkingSet(launched.process);

    const FloodFigures some = RunFlood(release, setup, launched, iso, kLines);
    if (!some.ran)
        return Fail("the 200,000-line run did not end, or the window stopped answering");
    const FloodFigures many = RunFlood(release, setup, launched, iso, kManyLines);
    if (!many.ran)
        return Fail("the 2,000,000-line run did not end, or the window stopped answering");
    const FloodFigures flood = RunFlood(release, setup, launched, iso, kFloodLines);
    if (!flood.ran)
        return Fail("the 8,000,000-line run did not end, or the window stopped answering");
    PostMessageW(window, WM_CLOSE, 0, 0);
    if (release.WaitForExit(launched) == STILL_ACTIVE)
        return Fail("the launcher did not end after WM_CLOSE");

    const DWORD relayMs = RunRelay(release, iso, kLines, false);
    // The discarding reader's time varies from run to run more than the
    // launcher's: its fastest of three is the floor the launcher is set
    // against.
    const auto fastestDiscard = [&](int lines) {
        DWORD fastest = 0;
        for (int run = 0; run < 3; ++run) {
            const DWORD ms = RunRelay(release, iso, lines, true);
            if (!ms)
                return DWORD{0};
            fastest = fastest ? std::min(fastest, ms) : ms;
        }
        return fastest;
    };
    const DWORD someDiscardMs = fastestDiscard(kLines);
    const DWORD manyDiscardMs = fastestDiscard(kManyLines);
    if (!relayMs || !someDiscardMs || !manyDiscardMs)
        return Fail("flood_relay.exe did not run");

    const double idleSet = Megabytes(idle);
    const auto ratio = [](ULONGLONG ms, DWORD yardstick) {
        return static_cast<double>(ms) / yardstick;
    };
    const auto printFlood = [&](const FloodFigures& figures) {
        const double peak = Megabytes(figures.largestSet);
        std::printf("  run-over after the tool's exit: %lld ms (target <= 50)\n", figures.runOverMs);
        std::printf("  longest key press wait:       %lu ms over %d presses (target <= 20)\n",
                    figures.longestKey, figures.keys);
        std::printf("  longest WM_NULL round trip:   %lu ms\n", figures.longestSent);
        std::printf("  working set idle / flood:     %.1f MB / %.1f MB: %+.1f MB (target <= +6)\n",
                    idleSet, peak, peak - idleSet);
    };
    std::printf("quiet check\n");
    std::printf("  run-over after the tool's exit: %lld ms (target <= 50)\n", quietRunOver);
    std::printf("200,000 lines\n");
    std::printf("  launcher run:                 %llu ms\n", some.runMs);
    std::printf("  discarding reader, fastest of 3: %lu ms\n", someDiscardMs);
    std::printf("  ratio to it (target <= 1.5):  %.2f\n", ratio(some.runMs, someDiscardMs));
    std::printf("  per-line relay run:           %lu ms\n", relayMs);
    std::printf("  ratio to it:                  %.2f\n", ratio(some.runMs, relayMs));
    printFlood(some);
    std::printf("2,000,000 lines\n");
    std::printf("  launcher run:                 %llu ms\n", many.runMs);
    std::printf("  discarding reader, fastest of 3: %lu ms\n", manyDiscardMs);
    std::printf("  ratio to it (target <= 1.5):  %.2f\n", ratio(many.runMs, manyDiscardMs));
    printFlood(many);
    std::printf("8,000,000 lines\n");
    std::printf("  launcher run:                 %llu ms\n", flood.runMs);
    printFlood(flood);
    std::printf("working set, new window:        %.1f MB\n", Megabytes(fresh));
    return 0;
}
