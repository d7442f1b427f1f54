// A gtest check for a text that the launcher sets on its own time (a status
// line, the log): it waits for the text, and when it does not come it says
// what the control showed instead.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "driver.h"

[[nodiscard]] inline testing::AssertionResult TextBecomes(HWND control, const std::wstring& expected,
                                            DWORD timeoutMs = 20000)
{
    std::wstring shown;
    if (driver::WaitUntil([&] { return (shown = driver::Text(control)) == expected; }, timeoutMs))
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "after " << timeoutMs << " ms the control shows "
                                       << testing::PrintToString(shown) << ", not "
                                       << testing::PrintToString(expected);
}
