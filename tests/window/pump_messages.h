// What the window tests share: this thread's message pump with a deadline,
// and a control's text read in-process.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// Handles this thread's messages until the condition holds or the time runs
// out; false when it did not hold in time.
[[nodiscard]] inline bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 10000)
{
    const ULONGLONG start = GetTickCount64();
    while (!condition()) {
        if (GetTickCount64() - start > timeoutMs)
            return false;
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

inline std::wstring TextOf(HWND control)
{
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return text;
}
