// The dark home window of an installed game: icon, title, Play, Settings,
// Set up again and the start-straight-away tick, with the home message loop.
#include "home/home_window_win.h"

#include <windows.h>
#include <shellapi.h>
#include <uxtheme.h>

#include <cwchar>

#include "base/file_replace_win.h"
#include "base/folder_rules.h"
#include "base/folders_win.h"
#include "base/game_start_win.h"
#include "base/launcher_claim_win.h"
#include "base/launcher_state_win.h"
#include "base/names.h"
#include "base/system_error_win.h"
#include "home/home_keys.h"
#include "settings/settings_window_win.h"
#include "theme/focus_memory_win.h"
#include "theme/palette.h"
#include "theme/theme_win.h"
#include "theme/window_builder_win.h"

namespace {

constexpr DWORD kHomeStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr PixelSize kClientSize = {520, 300};

static_assert(kKeyDownMessage == WM_KEYDOWN && kReturnKey == VK_RETURN);

constexpr DWORD kButtonStyle = WS_TABSTOP | BS_OWNERDRAW;

// Created in this order, which is also the Tab order.
const ControlDef kHomeControls[] = {
    {L"BUTTON", L"Play", kButtonStyle, 0, IdPlay, {28, 150, 220, 56}, ButtonFontRole, AccentButton},
    {L"BUTTON", L"Settings", kButtonStyle, 0, IdSettings, {262, 150, 110, 56}, ButtonFontRole},
    {L"BUTTON", L"Set up again", kButtonStyle, 0, IdSetUpAgain, {382, 150, 110, 56},
     ButtonFontRole},
    {L"BUTTON", L"Start the game straight away next time (hold Shift to see this window)",
     WS_TABSTOP | BS_AUTOCHECKBOX, 0, IdStartStraightAway, {28, 232, 464, 24}, MessageFontRole},
};

constexpr POINT kIconAt = {28, 26};

// The tick's failure: what could not be done, the system's reason, then what
// the next start will do, which follows the marker on the disk.
constexpr wchar_t kMarkerNotCreatedText[] =
    L"Your choice could not be saved: the file skip_launcher.txt could not be created. ";
constexpr wchar_t kMarkerNotRemovedText[] =
    L"Your choice could not be saved: the file skip_launcher.txt could not be removed. ";
constexpr wchar_t kNextStartSkipsText[] = L"\n\nThe game will start straight away next time.";
constexpr wchar_t kNextStartShowsText[] = L"\n\nThis window will open next time.";

struct PaintedText {
    const wchar_t* text;
    HFONT FontSet::*font;
    Colour Scheme::*colour;
    POINT at;
};

const PaintedText kHomeTexts[] = {
    {kGameTitle, &FontSet::titleFont, &Scheme::text, {146, 36}},
    {L"Glimmerquest  \u2022  PC recompilation", &FontSet::messageFont, &Scheme::dimText,
     {148, 82}},
};

// The icon and texts at the window's scale.
void PaintContent(HDC dc, int dpi)
{
    if (HICON icon = GameIconAt(dpi)) {
        const int size = ScaleToDpi(kGameIconSize, dpi);
        DrawIconEx(dc, ScaleToDpi(kIconAt.x, dpi), ScaleToDpi(kIconAt.y, dpi), icon, size, size, 0,
                   nullptr, DI_NORMAL);
    }
    const FontSet fonts = FontsAt(dpi);
    const Scheme scheme = CurrentScheme();
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ previousFont = GetCurrentObject(dc, OBJ_FONT);
    for (const PaintedText& item : kHomeTexts) {
        SelectObject(dc, fonts.*item.font);
        SetTextColor(dc, scheme.*item.colour);
        TextOutW(dc, ScaleToDpi(item.at.x, dpi), ScaleToDpi(item.at.y, dpi), item.text,
                 static_cast<int>(std::wcslen(item.text)));
    }
    SelectObject(dc, previousFont);
}

LRESULT OnPaint(HWND window)
{
    PAINTSTRUCT paint;
    PaintContent(BeginPaint(window, &paint), WindowDpi(window));
    EndPaint(window, &paint);
    return 0;
}

HomeState& StateOf(HWND window)
{
    return *reinterpret_cast<HomeState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

LRESULT OnNcCreate(HWND window, const CREATESTRUCTW& create)
{
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create.lpCreateParams));
    return TRUE;
}

LRESULT OnPlay(HWND window)
{
    // The game starts once the loop has ended, after the window is gone.
    StateOf(window).playRequested = true;
    DestroyWindow(window);
    return 0;
}

LRESULT OnSettings(HWND window)
{
    if (!g_state.settingsWindow)
        OpenSettingsWindow(window);
    return 0;
}

constexpr wchar_t kSetupNotStartedText[] = L"Setup could not be started: ";

// A new launcher shows the setup window; this one ends. When the new one
// cannot be started, this window stays, and says why.
LRESULT OnSetUpAgain(HWND window)
{
    // The new launcher must be free to show its setup window while this
    // window is still closing. The claim is taken again if it fails.
    GiveUpLauncherClaim();
    const std::wstring launcherPath = ModulePath();
    SHELLEXECUTEINFOW start = {};
    start.cbSize = sizeof(start);
    start.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    start.lpVerb = L"open";
    start.lpFile = launcherPath.c_str();
    start.lpParameters = L"--setup";
    start.lpDirectory = g_state.launcherFolder.c_str();
    start.nShow = SW_SHOWNORMAL;
    if (!launcherPath.empty() && ShellExecuteExW(&start)) {
        DestroyWindow(window);
        return 0;
    }
    const DWORD error = GetLastError();
    ClaimLauncherWindow();
    const std::wstring text = kSetupNotStartedText + SystemErrorText(error);
    MessageBoxW(window, text.c_str(), kGameTitle, MB_OK | MB_ICONWARNING);
    return 0;
}

// Checked: an empty marker (CREATE_ALWAYS truncates one that has content).
// Unchecked: no marker. True when the marker is as asked; otherwise the
// system's error code is in GetLastError.
bool WriteSkipMarker(const std::wstring& marker, bool present)
{
    return RetryWhileLocked([&] {
        if (!present)
            return DeleteFileW(marker.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND;
        HANDLE file =
            CreateFileW(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return false;
        CloseHandle(file);
        return true;
    });
}

// A marker that cannot be changed: the tick shows again what the disk holds,
// and the user is told why the choice did not take.
LRESULT OnTick(HWND window, HWND tick)
{
    const std::wstring marker = SkipMarkerPath();
    const bool wanted = SendMessageW(tick, BM_GETCHECK, 0, 0) == BST_CHECKED;
    if (WriteSkipMarker(marker, wanted))
        return 0;
    const std::wstring reason = SystemErrorText(GetLastError());
    const bool present = PathExists(marker);
    SendMessageW(tick, BM_SETCHECK, present ? BST_CHECKED : BST_UNCHECKED, 0);
    const std::wstring text = (wanted ? kMarkerNotCreatedText : kMarkerNotRemovedText) + reason
        + (present ? kNextStartSkipsText : kNextStartShowsText);
    MessageBoxW(window, text.c_str(), kGameTitle, MB_OK | MB_ICONWARNING);
    return 0;
}

LRESULT OnCommand(HWND window, int id, HWND control)
{
    switch (id) {
    case IdPlay:
        return OnPlay(window);
    case IdSettings:
        return OnSettings(window);
    case IdSetUpAgain:
        return OnSetUpAgain(window);
    case IdStartStraightAway:
        return OnTick(window, control);
    }
    return 0;
}

LRESULT OnDpiChanged(HWND window, WPARAM wParam, LPARAM lParam)
{
    TakeNewDpi(window, wParam, lParam, kClientSize, kHomeControls);
    return 0;
}

LRESULT CALLBACK HomeWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT answer = 0;
    if (AnswerDarkWindowMessage(window, message, wParam, lParam, answer))
        return answer;
    FollowColourChange(window, message, true);
    switch (message) {
    case WM_NCCREATE:
        OnNcCreate(window, *reinterpret_cast<const CREATESTRUCTW*>(lParam));
        break; // DefWindowProcW sets the title
    case WM_PAINT:
        return OnPaint(window);
    case WM_COMMAND:
        return OnCommand(window, LOWORD(wParam), reinterpret_cast<HWND>(lParam));
    case WM_ACTIVATE:
        if (TrackFocusOnActivate(window, wParam))
            return 0;
        break;
    case WM_DPICHANGED:
        return OnDpiChanged(window, wParam, lParam);
    case WM_DESTROY:
        g_state.homeWindow = nullptr;
        PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY:
        ForgetFocus(window);
        ForgetWindowDpi(window);
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void RunHomeLoop(HWND home, HWND play)
{
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (EnterActsAsPlay(message.message, message.wParam, GetForegroundWindow() == home,
                            GetFocus() == play)) {
            SendMessageW(home, WM_COMMAND, IdPlay, 0);
            continue;
        }
        // Tab and Shift+Tab move the focus in whichever window is in front.
        HWND dialog = g_state.settingsWindow ? g_state.settingsWindow : home;
        if (IsDialogMessageW(dialog, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

} // namespace

void RegisterHomeWindowClass()
{
    RegisterDarkWindowClass(kHomeClassName, HomeWindowProc);
}

std::span<const ControlDef> HomeControlTable()
{
    return kHomeControls;
}

HWND CreateHomeWindow(HomeState& state)
{
    HWND home = CreateTopWindow(kHomeClassName, kHomeTitle, kHomeStyle, kClientSize.width,
                                kClientSize.height, kSystemPlaced, nullptr, &state);
    if (!home)
        return nullptr;
    g_state.homeWindow = home;
    UseDarkTitleBar(home);
    CreateControls(home, kHomeControls);
    // Without its visual style the tick takes its colours from WM_CTLCOLORSTATIC.
    SetWindowTheme(Control(home, IdStartStraightAway), L"", L"");
    return home;
}

HomeOutcome RunHomeWindow(int showCommand)
{
    HomeState state;
    HWND home = CreateHomeWindow(state);
    // Without a window nothing could ever end the loop.
    if (!home)
        return HomeWindowFailed;

    HWND play = Control(home, IdPlay);
    ShowWindow(home, showCommand);
    SetFocus(play);
    RunHomeLoop(home, play);

    if (!state.playRequested)
        return HomeEnded;
    // Play never passes the launcher's own arguments on to the game.
    return StartGame(L"") ? HomeEnded : HomeGameNotStarted;
}
