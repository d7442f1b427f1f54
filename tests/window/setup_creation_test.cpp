// A setup window whose creation fails after it has taken its session (its
// WM_CREATE refuses) frees that session once, at WM_NCDESTROY, and the
// creator reports the failure.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <new>

#include "base/launcher_state_win.h"
#include "base/names.h"
#include "setup/setup_window_win.h"

namespace {

WNDPROC g_setupProc = nullptr;
int g_nonClientDestroys = 0;
// The session the refused window took, and how often it was deleted.
void* g_watchedSession = nullptr;
int g_watchedDeletes = 0;

void CountDelete(void* pointer)
{
    if (pointer && pointer == g_watchedSession)
        ++g_watchedDeletes;
}

} // namespace

// Every delete in this test program passes here, so a second delete of the
// watched session is seen (the heap itself does not always complain).
void operator delete(void* pointer) noexcept
{
    CountDelete(pointer);
    std::free(pointer);
}

void operator delete(void* pointer, std::size_t) noexcept
{
    CountDelete(pointer);
    std::free(pointer);
}

namespace {

LRESULT CALLBACK RefusingCreate(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE)
        return -1;
    if (message == WM_NCDESTROY)
        ++g_nonClientDestroys;
    const LRESULT result = CallWindowProcW(g_setupProc, window, message, wParam, lParam);
    if (message == WM_NCCREATE)
        g_watchedSession = reinterpret_cast<void*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return result;
}

// Subclasses the setup window as it is created, before its WM_NCCREATE.
LRESULT CALLBACK SubclassSetupWindow(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) {
        HWND window = reinterpret_cast<HWND>(wParam);
        wchar_t className[32] = {};
        GetClassNameW(window, className, 32);
        if (lstrcmpW(className, kSetupClassName) == 0)
            g_setupProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
                window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RefusingCreate)));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool AllHeapsValid()
{
    HANDLE heaps[64];
    const DWORD count = GetProcessHeaps(64, heaps);
    for (DWORD i = 0; i < count && i < 64; ++i)
        if (!HeapValidate(heaps[i], 0, nullptr))
            return false;
    return true;
}

TEST(SetupCreation, AWindowThatFailsAfterTakingItsSessionFreesItOnce)
{
    INITCOMMONCONTROLSEX commonControls = {sizeof(commonControls), ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&commonControls);
    g_state.launcherFolder = L"C:\\nowhere";
    g_state.installFolder = L"C:\\nowhere\\game";
    HHOOK hook = SetWindowsHookExW(WH_CBT, SubclassSetupWindow, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    HWND refused = CreateSetupWindow();
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(refused, nullptr);
    EXPECT_EQ(g_nonClientDestroys, 1) << "the creation did not fail after WM_NCCREATE";
    EXPECT_NE(g_watchedSession, nullptr);
    EXPECT_EQ(g_watchedDeletes, 1);
    g_watchedSession = nullptr;
    EXPECT_TRUE(AllHeapsValid());

    // The next window is made and freed as usual.
    HWND window = CreateSetupWindow();
    ASSERT_NE(window, nullptr);
    DestroyWindow(window);
    EXPECT_TRUE(AllHeapsValid());
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
}

} // namespace
