// Times, under Wine, how long a launcher takes from its start until the game
// has started, for Vantaroo.exe with the skip marker (a) and for the minimal
// launcher (b), in alternating runs; prints both medians and the ratio a/b.
// Usage: startup_bench <release folder> [runs of each]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

double Now()
{
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// Milliseconds from CreateProcessW until the game stand-in set the event; -1 on failure.
double TimeOneStart(const std::wstring& exe, const std::wstring& folder, HANDLE gameStarted)
{
    ResetEvent(gameStarted);
    std::wstring commandLine = L"\"" + exe + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    const double start = Now();
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process))
        return -1;
    const bool started = WaitForSingleObject(gameStarted, 20000) == WAIT_OBJECT_0;
    const double elapsed = Now() - start;
    WaitForSingleObject(process.hProcess, 20000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    Sleep(50); // let the game stand-in end before the next run
    return started ? elapsed : -1;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: startup_bench <release folder> [runs]\n");
        return 2;
    }
    const std::wstring folder = argv[1];
    const int runs = argc > 2 ? std::max(31, _wtoi(argv[2])) : 31;
    const wchar_t* eventName = L"VantarooBenchGameStarted";
    HANDLE gameStarted = CreateEventW(nullptr, TRUE, FALSE, eventName);
    SetEnvironmentVariableW(L"VANTAROO_GAME_EVENT", eventName);
    SetEnvironmentVariableW(L"VANTAROO_GAME_LOG", nullptr);

    const std::wstring launcher = folder + L"\\Vantaroo.exe";
    const std::wstring minimal = folder + L"\\minimal_launcher.exe";
    // One warm-up start of each, not counted.
    TimeOneStart(launcher, folder, gameStarted);
    TimeOneStart(minimal, folder, gameStarted);

    std::vector<double> a, b;
    for (int i = 0; i < runs; ++i) {
        const double timeA = TimeOneStart(launcher, folder, gameStarted);
        const double timeB = TimeOneStart(minimal, folder, gameStarted);
        if (timeA < 0 || timeB < 0) {
            std::fprintf(stderr, "run %d: the game did not start\n", i + 1);
            return 1;
        }
        a.push_back(timeA);
        b.push_back(timeB);
    }
    const double medianA = Median(a), medianB = Median(b);
    std::printf("runs of each:                         %d (alternating)\n", runs);
    std::printf("(a) Vantaroo.exe, marker, to game:   median %.1f ms\n", medianA);
    std::printf("(b) minimal launcher, to game:       median %.1f ms\n", medianB);
    std::printf("ratio a/b:                            %.3f (target: at most 1.10)\n", medianA / medianB);
    return 0;
}
