#include "base/launcher_claim_win.h"

#include <windows.h>

#include "base/folder_rules.h"
#include "base/folders_win.h"
#include "base/launcher_claim_name.h"
#include "base/launcher_state_win.h"
#include "base/names.h"

namespace {

// How long a second launcher waits for the first one's window (which may be
// between two windows, home then setup) or for its claim to end.
constexpr DWORD kClaimWaitMs = 3000;
constexpr DWORD kClaimPollMs = 50;
// How long the restore of a minimised window is waited for, and how often
// it is looked at meanwhile.
constexpr ULONGLONG kRestoreWaitMs = 1000;
constexpr DWORD kRestorePollMs = 10;

// The mutex this process owns while its windows may be open; null otherwise.
HANDLE g_claim = nullptr;

std::wstring ClaimNameFor(std::wstring folder)
{
    if (!folder.empty())
        CharUpperBuffW(folder.data(), static_cast<DWORD>(folder.size()));
    return LauncherClaimName(folder);
}

// The folder of another process's program; empty when it cannot be read.
std::wstring ProgramFolderOf(DWORD processId)
{
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (!process)
        return {};
    const std::wstring path = ProcessImagePath(process);
    CloseHandle(process);
    return path.empty() ? std::wstring() : LauncherFolderFromPath(path);
}

bool IsLauncherMainWindow(HWND window)
{
    wchar_t className[32] = {};
    GetClassNameW(window, className, 32);
    return lstrcmpW(className, kHomeClassName) == 0 || lstrcmpW(className, kSetupClassName) == 0;
}

struct WindowSearch {
    std::wstring claimName;
    HWND found = nullptr;
};

// A shown home or setup window of another launcher of the same folder, or
// its setup window hidden until its run ends.
BOOL CALLBACK MatchLauncherWindow(HWND window, LPARAM data)
{
    auto& search = *reinterpret_cast<WindowSearch*>(data);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId == GetCurrentProcessId()
        || (!IsWindowVisible(window) && !GetPropW(window, kHiddenRunProperty))
        || !IsLauncherMainWindow(window)
        || ClaimNameFor(ProgramFolderOf(processId)) != search.claimName)
        return TRUE;
    search.found = window;
    return FALSE;
}

HWND FindOtherLauncherWindow(const std::wstring& claimName)
{
    WindowSearch search{claimName};
    EnumWindows(MatchLauncherWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Restored if minimised, and raised; what takes the activation is the
// window's enabled popup (a message box or file dialog on it), or the window
// itself. The restore is asynchronous, so that a hung launcher cannot hang
// this one, and does not activate: a restore that landed after the popup
// was brought to the front would otherwise take the activation from it.
void BringToFront(HWND window)
{
    if (!IsWindowVisible(window)) {
        ShowWindowAsync(window, SW_SHOWNOACTIVATE);
        const ULONGLONG deadline = GetTickCount64() + kRestoreWaitMs;
        while (!IsWindowVisible(window) && GetTickCount64() < deadline)
            Sleep(kRestorePollMs);
    }
    if (IsIconic(window)) {
        ShowWindowAsync(window, SW_SHOWNOACTIVATE);
        const ULONGLONG deadline = GetTickCount64() + kRestoreWaitMs;
        while (IsIconic(window) && GetTickCount64() < deadline)
            Sleep(kRestorePollMs);
    }
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
    SetForegroundWindow(GetLastActivePopup(window));
}

} // namespace

bool ClaimLauncherWindow()
{
    const std::wstring name = ClaimNameFor(g_state.launcherFolder);
    HANDLE claim = CreateMutexW(nullptr, FALSE, name.c_str());
    if (!claim)
        return true;
    const ULONGLONG deadline = GetTickCount64() + kClaimWaitMs;
    for (;;) {
        const DWORD waited = WaitForSingleObject(claim, kClaimPollMs);
        if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED) {
            g_claim = claim;
            return true;
        }
        if (waited == WAIT_FAILED)
            break;
        if (HWND other = FindOtherLauncherWindow(name)) {
            BringToFront(other);
            CloseHandle(claim);
            return false;
        }
        if (GetTickCount64() >= deadline)
            break;
    }
    // The holder shows no window of ours (it may be showing an error box
    // or ending): rather two windows than none.
    CloseHandle(claim);
    return true;
}

void GiveUpLauncherClaim()
{
    if (!g_claim)
        return;
    ReleaseMutex(g_claim);
    CloseHandle(g_claim);
    g_claim = nullptr;
}
