#include "driver.h"

#include <commctrl.h>

namespace driver {

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition())
            return true;
        if (GetTickCount64() >= deadline)
            return false;
        Sleep(20);
    }
}

namespace {

struct TopSearch {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTopWindow(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<TopSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId)
        search->found.push_back(window);
    return TRUE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM data)
{
    auto* children = reinterpret_cast<std::pair<HWND, std::vector<HWND>>*>(data);
    if (GetParent(window) == children->first)
        children->second.push_back(window);
    return TRUE;
}

} // namespace

std::vector<HWND> TopWindows(DWORD processId)
{
    TopSearch search{processId, {}};
    EnumWindows(CollectTopWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindTopWindow(DWORD processId, const wchar_t* className)
{
    for (HWND window : TopWindows(processId)) {
        if (!IsWindowVisible(window))
            continue;
        if (!className || ClassName(window) == className)
            return window;
    }
    return nullptr;
}

HWND WaitForTopWindow(DWORD processId, const wchar_t* className, DWORD timeoutMs)
{
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindTopWindow(processId, className)) != nullptr; }, timeoutMs);
    return found;
}

HWND WaitForDialog(DWORD processId, const wchar_t* title, DWORD timeoutMs)
{
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND window : TopWindows(processId))
                if (IsWindowVisible(window) && ClassName(window) == L"#32770" && Text(window) == title)
                    return (found = window) != nullptr;
            return false;
        },
        timeoutMs);
    return found;
}

std::wstring Text(HWND window)
{
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length))
        return {};
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, 5000, &copied);
    text.resize(copied);
    return text;
}

std::wstring ClassName(HWND window)
{
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

std::vector<HWND> Children(HWND parent)
{
    std::pair<HWND, std::vector<HWND>> children{parent, {}};
    EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&children));
    return children.second;
}

HWND Child(HWND parent, int id)
{
    return GetDlgItem(parent, id);
}

RECT RectInParent(HWND child)
{
    RECT rect = {};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

SIZE ClientSize(HWND window)
{
    RECT rect = {};
    GetClientRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

bool Enabled(HWND window)
{
    return IsWindowEnabled(window) != FALSE;
}

bool Checked(HWND button)
{
    DWORD_PTR state = 0;
    SendMessageTimeoutW(button, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 5000, &state);
    return state == BST_CHECKED;
}

HWND Focused(HWND anyWindowOfThread)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    GetGUIThreadInfo(GetWindowThreadProcessId(anyWindowOfThread, nullptr), &info);
    return info.hwndFocus;
}

void Click(HWND button)
{
    PostMessageW(button, BM_CLICK, 0, 0);
}

void ClickId(HWND parent, int id)
{
    Click(GetDlgItem(parent, id));
}

void PressKeys(HWND window, const std::vector<WORD>& virtualKeys)
{
    SetForegroundWindow(window);
    WaitUntil([&] { return GetForegroundWindow() == window; }, 2000);
    for (WORD key : virtualKeys) {
        INPUT inputs[2] = {};
        inputs[0].type = INPUT_KEYBOARD;
        inputs[0].ki.wVk = key;
        inputs[1] = inputs[0];
        inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, inputs, sizeof(INPUT));
        Sleep(50);
    }
}

std::wstring MessageBoxText(HWND box)
{
    return Text(GetDlgItem(box, 0xFFFF));
}

void AnswerDialog(HWND dialog, int buttonId)
{
    HWND button = GetDlgItem(dialog, buttonId);
    if (button)
        Click(button);
    else
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), 0);
}

COLORREF ScreenPixel(int x, int y)
{
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 1, 1);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, 1, 1, screen, x, y, SRCCOPY);
    COLORREF colour = GetPixel(memory, 0, 0);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return colour;
}

POINT ClientOrigin(HWND window)
{
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    return origin;
}

std::vector<COLORREF> ScreenPixels(HWND child)
{
    RECT rect = {};
    GetWindowRect(child, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    std::vector<COLORREF> pixels;
    if (width <= 0 || height <= 0)
        return pixels;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    const auto* row = static_cast<const DWORD*>(bits);
    for (int i = 0; i < width * height; ++i) {
        const DWORD bgra = row[i];
        pixels.push_back(RGB((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF));
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

int ProgressPosition(HWND bar)
{
    DWORD_PTR position = 0;
    SendMessageTimeoutW(bar, PBM_GETPOS, 0, 0, SMTO_ABORTIFHUNG, 5000, &position);
    return static_cast<int>(position);
}

bool AnswersWithin(HWND window, DWORD timeoutMs, DWORD* elapsedMs)
{
    const ULONGLONG start = GetTickCount64();
    DWORD_PTR result = 0;
    const bool answered = SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &result) != 0;
    if (elapsedMs)
        *elapsedMs = static_cast<DWORD>(GetTickCount64() - start);
    return answered;
}

} // namespace driver
