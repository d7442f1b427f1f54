// The settings window: one row per catalogue entry (label and drop-down list),
// Save, Cancel and a note. A popup owned by the home window, which stays
// disabled while it is open.
#include "settings/settings_window.h"

#include <uxtheme.h>

#include "app/launcher_state.h"
#include "settings/settings_catalogue.h"
#include "settings/settings_file.h"
#include "theme/theme.h"

static_assert(kSettingCount == kSettingsCatalogueSize, "one combo box per catalogue entry");

namespace {

constexpr int kSaveId = 205;
constexpr int kCancelId = 206;
constexpr int kFirstComboId = 300;

constexpr wchar_t kClassName[] = L"qarnsettings";
constexpr wchar_t kTitle[] = L"Settings";
constexpr DWORD kWindowStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr int kClientWidth = 470;
constexpr int kClientHeight = 474;
constexpr int kOffsetFromHome = 30; // right of and below the home window's corner
constexpr int kFirstRowTop = 20;
constexpr int kRowPitch = 38;

constexpr wchar_t kSaveFailedText[] = L"The settings could not be saved.";
constexpr wchar_t kMessageCaption[] = L"Vantaroo";

enum FontRole { MessageFontRole, ButtonFontRole };

struct ControlDef {
    const wchar_t* className;
    const wchar_t* text;
    DWORD style;
    int id;
    int x, y, width, height;
    FontRole font;
};

// The two controls of a row; text, ID and top are filled in per row.
constexpr ControlDef kRowLabel = {
    L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_CENTERIMAGE, 0, 24, 0, 170, 28, MessageFontRole};
// The height includes the dropped-down list.
constexpr ControlDef kRowCombo = {
    L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST,
    kFirstComboId, 200, 0, 246, 300, MessageFontRole};

// Below the rows, in creation (and Tab) order: Save before Cancel, although
// Cancel stands to its left.
constexpr ControlDef kFooterControls[] = {
    {L"BUTTON", L"Save", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, kSaveId,
     336, 416, 110, 36, ButtonFontRole},
    {L"BUTTON", L"Cancel", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, kCancelId,
     216, 416, 110, 36, ButtonFontRole},
    {L"STATIC", L"Display options can also be changed in the game: Options > Display Settings.",
     WS_CHILD | WS_VISIBLE, 0, 24, 414, 190, 44, MessageFontRole},
};

HWND CreateControl(HWND window, const ControlDef& def)
{
    HWND control = CreateWindowExW(0, def.className, def.text, def.style, def.x, def.y,
                                   def.width, def.height, window,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(def.id)),
                                   GetModuleHandleW(nullptr), nullptr);
    HFONT font = def.font == ButtonFontRole ? g_state.buttonFont : g_state.messageFont;
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    return control;
}

// The choices in catalogue order, the stored one selected.
void FillCombo(HWND combo, const SettingDef& setting, const SettingsLines& lines)
{
    for (const SettingChoice& choice : setting.choices)
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice.label));
    const int selected = ChoiceIndexForValue(setting, StoredSettingValue(lines, setting));
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

void CreateRows(HWND window, const SettingsLines& lines)
{
    for (int i = 0; i < kSettingsCatalogueSize; ++i) {
        const SettingDef& setting = SettingsCatalogue[i];
        const int top = kFirstRowTop + kRowPitch * i;

        ControlDef label = kRowLabel;
        label.text = setting.label;
        label.y = top;
        CreateControl(window, label);

        ControlDef comboSpec = kRowCombo;
        comboSpec.id = kFirstComboId + i;
        comboSpec.y = top;
        HWND combo = CreateControl(window, comboSpec);
        SetWindowTheme(combo, L"DarkMode_CFD", nullptr);
        FillCombo(combo, setting, lines);
        g_state.settingCombos[i] = combo;
    }
}

// Writes what the lists show; the file is read afresh while saving, so
// changes made to it since the window opened survive.
void SaveSettings(HWND window)
{
    ChosenIndices chosen{};
    for (int i = 0; i < kSettingsCatalogueSize; ++i)
        chosen[i] = static_cast<int>(SendMessageW(g_state.settingCombos[i], CB_GETCURSEL, 0, 0));
    if (!WriteSettingsFile(SettingsFilePath(), chosen))
        MessageBoxW(window, kSaveFailedText, kMessageCaption, MB_OK | MB_ICONWARNING);
}

// Only Save and Cancel act: Enter and Esc arrive as IDOK and IDCANCEL from
// the dialog keyboard handling and are ignored, as are the lists' notices.
void OnCommand(HWND window, int id)
{
    switch (id) {
    case kSaveId:
        SaveSettings(window);
        DestroyWindow(window);
        break;
    case kCancelId:
        DestroyWindow(window);
        break;
    }
}

void OnDestroy()
{
    EnableWindow(g_state.homeWindow, TRUE);
    SetForegroundWindow(g_state.homeWindow);
    g_state.settingsWindow = nullptr;
}

} // namespace

LRESULT CALLBACK SettingsWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DRAWITEM:
        DrawThemedButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<LRESULT>(AnswerDarkCtlColor(message, reinterpret_cast<HDC>(wParam)));
    case WM_COMMAND:
        OnCommand(window, LOWORD(wParam));
        return 0;
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        OnDestroy();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void OpenSettingsWindow()
{
    RECT frame = {0, 0, kClientWidth, kClientHeight};
    AdjustWindowRect(&frame, kWindowStyle, FALSE);
    RECT home = {};
    GetWindowRect(g_state.homeWindow, &home);

    HWND window = CreateWindowExW(0, kClassName, kTitle, kWindowStyle, home.left + kOffsetFromHome,
                                  home.top + kOffsetFromHome, frame.right - frame.left,
                                  frame.bottom - frame.top, g_state.homeWindow, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    // Without a window, disabling the home window would leave nothing usable.
    if (!window)
        return;
    g_state.settingsWindow = window;
    UseDarkTitleBar(window);

    CreateRows(window, ReadSettingsLines(SettingsFilePath()));
    for (const ControlDef& def : kFooterControls)
        CreateControl(window, def);

    EnableWindow(g_state.homeWindow, FALSE);
    ShowWindow(window, SW_SHOW);
}
