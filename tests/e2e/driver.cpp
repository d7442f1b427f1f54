#include "driver.h"

#include <commctrl.h>
#include <winternl.h>

#include <algorithm>

namespace driver {

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs, DWORD pollMs)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition())
            return true;
        if (GetTickCount64() >= deadline)
            return false;
        Sleep(pollMs);
    }
}

bool StaysTrueFor(DWORD periodMs, const std::function<bool()>& condition)
{
    const ULONGLONG end = GetTickCount64() + periodMs;
    for (;;) {
        if (!condition())
            return false;
        if (GetTickCount64() >= end)
            return true;
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

std::vector<HWND> TopWindowsOfClass(const wchar_t* className)
{
    std::vector<HWND> all;
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&all));
    std::vector<HWND> found;
    for (HWND window : all)
        if (IsWindowVisible(window) && ClassName(window) == className)
            found.push_back(window);
    return found;
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
    return WaitUntil([&] { return (found = FindTopWindow(processId, className)) != nullptr; },
                     timeoutMs)
        ? found
        : nullptr;
}

HWND WaitForDialog(DWORD processId, const wchar_t* title, DWORD timeoutMs)
{
    HWND found = nullptr;
    const bool came = WaitUntil(
        [&] {
            for (HWND window : TopWindows(processId))
                if (IsWindowVisible(window) && ClassName(window) == L"#32770" && Text(window) == title)
                    return (found = window) != nullptr;
            return false;
        },
        timeoutMs);
    return came ? found : nullptr;
}

std::wstring Text(HWND window)
{
    // The length and the text come in two messages, and the window may
    // change its text between them: a text that grew meanwhile would come
    // cut off. Read again until the length held across the read.
    for (int attempt = 0;; ++attempt) {
        DWORD_PTR length = 0;
        if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length))
            return {};
        std::wstring text(length + 1, L'\0');
        DWORD_PTR copied = 0;
        SendMessageTimeoutW(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()),
                            SMTO_ABORTIFHUNG, 5000, &copied);
        DWORD_PTR after = 0;
        SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &after);
        text.resize(copied);
        if ((after == length && copied == length) || attempt == 100)
            return text;
    }
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

namespace {

// How long a key may wait for the window's thread to take it.
constexpr DWORD kKeyTakenTimeoutMs = 5000;

INPUT KeyInput(WORD key, bool up)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

bool BringToFront(HWND window)
{
    SetForegroundWindow(window);
    return WaitUntil([&] { return GetForegroundWindow() == window; }, 2000);
}

// Sends the key events and waits until the window's thread has taken and
// handled them. A thread takes its messages in a fixed order: sent, posted,
// keyboard and mouse input, and only then WM_PAINT. So a spot of the window
// invalidated after the keys were sent is painted, and the window valid
// again, only once the thread has taken the keys; a WM_NULL sent then is
// answered when the thread next looks for a message, after their handling
// (which may itself repaint the window). Under Wine 8, WaitForInputIdle
// returned while the key still waited behind posted messages, GetQueueStatus
// answers only for the caller's own queue, GetKeyState through
// AttachThreadInput follows the keyboard rather than the thread, and a posted
// or sent marker overtakes the keys. A window the keys closed or hid has
// taken them too. No pause is needed on top (measured).
bool SendKeysAndWaitTaken(HWND window, std::vector<INPUT> inputs)
{
    if (!BringToFront(window))
        return false;
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    const RECT spot = {0, 0, 1, 1};
    InvalidateRect(window, &spot, FALSE);
    const auto gone = [&] { return !IsWindow(window) || !IsWindowVisible(window); };
    if (!WaitUntil([&] { return gone() || !GetUpdateRect(window, nullptr, FALSE); },
                   kKeyTakenTimeoutMs, 1))
        return false;
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, kKeyTakenTimeoutMs, &result)
        || gone();
}

} // namespace

bool PressKeys(HWND window, const std::vector<WORD>& virtualKeys)
{
    for (WORD key : virtualKeys)
        if (!SendKeysAndWaitTaken(window, {KeyInput(key, false), KeyInput(key, true)}))
            return false;
    return true;
}

bool PressChord(HWND window, const std::vector<WORD>& virtualKeys)
{
    std::vector<INPUT> inputs;
    for (WORD key : virtualKeys)
        inputs.push_back(KeyInput(key, false));
    for (auto key = virtualKeys.rbegin(); key != virtualKeys.rend(); ++key)
        inputs.push_back(KeyInput(*key, true));
    return SendKeysAndWaitTaken(window, inputs);
}

DWORD TabAnswerTime(HWND window, DWORD timeoutMs)
{
    const HWND before = Focused(window);
    INPUT inputs[2] = {};
    inputs[0].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = VK_TAB;
    inputs[1] = inputs[0];
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    const ULONGLONG start = GetTickCount64();
    SendInput(2, inputs, sizeof(INPUT));
    for (;;) {
        const DWORD elapsed = static_cast<DWORD>(GetTickCount64() - start);
        if (Focused(window) != before)
            return elapsed;
        if (elapsed >= timeoutMs)
            return timeoutMs;
        Sleep(1);
    }
}

int ComboSelection(HWND combo)
{
    DWORD_PTR selection = static_cast<DWORD_PTR>(CB_ERR);
    SendMessageTimeoutW(combo, CB_GETCURSEL, 0, 0, SMTO_ABORTIFHUNG, 5000, &selection);
    return static_cast<int>(static_cast<LRESULT>(selection));
}

namespace {

// The item texts of a list box or a combo box's list, asked with the
// control's own count, length and text messages (negative counts are errors).
std::vector<std::wstring> ItemTexts(HWND control, UINT countMessage, UINT lengthMessage,
                                    UINT textMessage)
{
    DWORD_PTR count = 0;
    SendMessageTimeoutW(control, countMessage, 0, 0, SMTO_ABORTIFHUNG, 5000, &count);
    std::vector<std::wstring> items;
    for (DWORD_PTR i = 0; static_cast<LRESULT>(count) > 0 && i < count; ++i) {
        DWORD_PTR length = 0;
        SendMessageTimeoutW(control, lengthMessage, i, 0, SMTO_ABORTIFHUNG, 5000, &length);
        std::wstring text(length + 1, L'\0');
        SendMessageTimeoutW(control, textMessage, i, reinterpret_cast<LPARAM>(text.data()),
                            SMTO_ABORTIFHUNG, 5000, &length);
        text.resize(length);
        items.push_back(text);
    }
    return items;
}

} // namespace

std::vector<std::wstring> ComboItems(HWND combo)
{
    return ItemTexts(combo, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
}

void SelectComboItem(HWND combo, int index)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0, SMTO_ABORTIFHUNG, 5000,
                        &result);
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

namespace {

// Offsets in the 64-bit PEB and RTL_USER_PROCESS_PARAMETERS, whose public
// declarations hide these members.
constexpr SIZE_T kPebProcessParameters = 0x20;
constexpr SIZE_T kParametersCurrentDirectory = 0x38;
constexpr SIZE_T kParametersCommandLine = 0x70;

using QueryInformationProcessFn = LONG(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);

bool ReadRemote(HANDLE process, ULONG_PTR address, void* buffer, SIZE_T size)
{
    SIZE_T read = 0;
    return ReadProcessMemory(process, reinterpret_cast<LPCVOID>(address), buffer, size, &read)
        && read == size;
}

bool ReadRemoteString(HANDLE process, ULONG_PTR address, std::wstring& text)
{
    UNICODE_STRING remote = {};
    if (!ReadRemote(process, address, &remote, sizeof(remote)))
        return false;
    text.assign(remote.Length / sizeof(wchar_t), L'\0');
    return remote.Length == 0
        || ReadRemote(process, reinterpret_cast<ULONG_PTR>(remote.Buffer), text.data(), remote.Length);
}

} // namespace

bool ReadProcessStart(DWORD processId, ProcessStart& start)
{
    auto query = reinterpret_cast<QueryInformationProcessFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    HANDLE process =
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    if (!query || !process)
        return false;
    bool ok = false;
    PROCESS_BASIC_INFORMATION basic = {};
    ULONG_PTR parameters = 0;
    wchar_t image[1024] = {};
    DWORD imageLength = 1024;
    if (query(process, ProcessBasicInformation, &basic, sizeof(basic), nullptr) >= 0
        && ReadRemote(process, reinterpret_cast<ULONG_PTR>(basic.PebBaseAddress) + kPebProcessParameters,
                      &parameters, sizeof(parameters))
        && QueryFullProcessImageNameW(process, 0, image, &imageLength)) {
        start.image = image;
        ok = ReadRemoteString(process, parameters + kParametersCommandLine, start.commandLine)
            && ReadRemoteString(process, parameters + kParametersCurrentDirectory,
                                start.currentDirectory);
    }
    CloseHandle(process);
    return ok;
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

namespace {

// The screen's pixels inside a rectangle, top row first, as 0x00RRGGBB.
std::vector<DWORD> ScreenBits(const RECT& rect)
{
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    std::vector<DWORD> pixels;
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
    const auto* first = static_cast<const DWORD*>(bits);
    pixels.assign(first, first + static_cast<size_t>(width) * height);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

} // namespace

std::vector<COLORREF> ScreenPixels(HWND child)
{
    RECT rect = {};
    GetWindowRect(child, &rect);
    std::vector<COLORREF> pixels;
    for (DWORD bgra : ScreenBits(rect))
        pixels.push_back(RGB((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF));
    return pixels;
}

bool ShowsColour(HWND control, COLORREF colour, DWORD timeoutMs)
{
    return WaitUntil(
        [&] {
            const std::vector<COLORREF> pixels = ScreenPixels(control);
            return std::find(pixels.begin(), pixels.end(), colour) != pixels.end();
        },
        timeoutMs);
}

bool SaveScreenImage(HWND window, const std::wstring& path)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    std::vector<DWORD> pixels = ScreenBits(rect);
    if (pixels.empty())
        return false;
    for (DWORD& pixel : pixels)
        pixel |= 0xFF000000u; // opaque: the screen leaves the alpha bytes at 0
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(header);
    header.biWidth = rect.right - rect.left;
    header.biHeight = -(rect.bottom - rect.top); // top-down
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    const DWORD pixelBytes = static_cast<DWORD>(pixels.size() * sizeof(DWORD));
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof(file) + sizeof(header);
    file.bfSize = file.bfOffBits + pixelBytes;
    HANDLE out = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (out == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok = WriteFile(out, &file, sizeof(file), &written, nullptr)
        && WriteFile(out, &header, sizeof(header), &written, nullptr)
        && WriteFile(out, pixels.data(), pixelBytes, &written, nullptr);
    CloseHandle(out);
    return ok;
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

std::vector<std::wstring> ListItems(HWND listBox)
{
    return ItemTexts(listBox, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT);
}

std::wstring SystemText(DWORD code)
{
    wchar_t text[512] = {};
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, 0, text, 512, nullptr);
    while (length > 0 && (text[length - 1] == L'\r' || text[length - 1] == L'\n' || text[length - 1] == L' '))
        --length;
    return std::wstring(text, length);
}

} // namespace driver
