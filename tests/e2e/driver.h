// Drives the launcher's windows from this separate process, the way a user
// would: finds its windows, reads their controls, presses buttons and answers
// dialogs. Everything here works across processes under Wine.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace driver {

// Polls the condition every pollMs until it holds or the time runs out.
[[nodiscard]] bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 20000,
                             DWORD pollMs = 20);
// A quiet period: polls the condition every 20 ms for the whole time and is
// false as soon as it fails. Only for checks that something did not happen,
// where no event marks the moment it would have.
[[nodiscard]] bool StaysTrueFor(DWORD periodMs, const std::function<bool()>& condition);

// A visible top-level window of the process with the class name (any class
// when className is null); null when there is none.
HWND FindTopWindow(DWORD processId, const wchar_t* className);
[[nodiscard]] HWND WaitForTopWindow(DWORD processId, const wchar_t* className,
                                    DWORD timeoutMs = 20000);
// A dialog box (#32770) of the process with this title.
[[nodiscard]] HWND WaitForDialog(DWORD processId, const wchar_t* title, DWORD timeoutMs = 20000);
// Every top-level window of the process, visible or not.
std::vector<HWND> TopWindows(DWORD processId);
// Visible top-level windows of this class, of any process.
std::vector<HWND> TopWindowsOfClass(const wchar_t* className);

// WM_GETTEXT, which works across processes; read again while the text
// changes under the read.
std::wstring Text(HWND window);
std::wstring ClassName(HWND window);
std::vector<HWND> Children(HWND parent); // direct children in creation order
HWND Child(HWND parent, int id);
RECT RectInParent(HWND child);    // the child's rectangle in its parent's client coordinates
SIZE ClientSize(HWND window);
bool Enabled(HWND window);
bool Checked(HWND button);
HWND Focused(HWND anyWindowOfThread);

// Posts BM_CLICK (never sent: a modal dialog behind the click would block).
void Click(HWND button);
void ClickId(HWND parent, int id);
// Sets the foreground and types keys with SendInput, one at a time, each
// once the window's thread has taken and handled the one before. False when
// the window did not come to the front or a key was not taken within 5 s.
[[nodiscard]] bool PressKeys(HWND window, const std::vector<WORD>& virtualKeys);
// Sets the foreground, holds the keys down in order, then lets them go
// (Alt+F4), and waits as PressKeys does until the thread has taken them.
[[nodiscard]] bool PressChord(HWND window, const std::vector<WORD>& virtualKeys);

// Presses Tab as real keyboard input on the window, which must be in the
// foreground, and returns how long its thread took to move the keyboard
// focus: the time a key press waited for the window. timeoutMs when the
// focus did not move in that time.
[[nodiscard]] DWORD TabAnswerTime(HWND window, DWORD timeoutMs);

// A combo box's selected index (CB_ERR when none) and its items' texts.
int ComboSelection(HWND combo);
// The entries of a list box, in order.
std::vector<std::wstring> ListItems(HWND listBox);
std::vector<std::wstring> ComboItems(HWND combo);
// CB_SETCURSEL, which sends no CBN_SELCHANGE.
void SelectComboItem(HWND combo, int index);

// The text of a message box and a press on one of its buttons (IDOK, IDYES...).
std::wstring MessageBoxText(HWND box);
void AnswerDialog(HWND dialog, int buttonId);

// How another process was started, read from its process parameters: the
// path of its program, its whole command line and its current directory
// (as the system keeps it, with a final backslash).
struct ProcessStart {
    std::wstring image;
    std::wstring commandLine;
    std::wstring currentDirectory;
};
bool ReadProcessStart(DWORD processId, ProcessStart& start);

// One pixel of the screen, read from the screen itself.
COLORREF ScreenPixel(int x, int y);
// The client-area origin of a window in screen coordinates.
POINT ClientOrigin(HWND window);
// Every pixel of a child window's rectangle, read from the screen, row by row.
std::vector<COLORREF> ScreenPixels(HWND child);

// Whether the control shows the colour somewhere on the screen, waiting up
// to timeoutMs for it to be painted.
[[nodiscard]] bool ShowsColour(HWND control, COLORREF colour, DWORD timeoutMs = 3000);

// Saves what the screen shows of the window, its frame included, as a 32-bit
// BMP file.
bool SaveScreenImage(HWND window, const std::wstring& path);

// The position of a progress bar (PBM_GETPOS).
int ProgressPosition(HWND bar);
// Sends WM_NULL and waits at most timeoutMs for the answer; false when the
// window did not answer in time. elapsedMs gets the round trip's duration.
[[nodiscard]] bool AnswersWithin(HWND window, DWORD timeoutMs, DWORD* elapsedMs = nullptr);

// The system's text for an error code, as the launcher shows it: without
// its line end.
std::wstring SystemText(DWORD code);

} // namespace driver
