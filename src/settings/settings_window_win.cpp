// The settings window: one row per catalogue entry (label and drop-down list),
// Save, Cancel and a note.
#include "settings/settings_window_win.h"

#include <windows.h>
#include <uxtheme.h>

#include <vector>

#include "base/launcher_state_win.h"
#include "base/names.h"
#include "settings/settings_catalogue.h"
#include "settings/settings_file_win.h"
#include "settings/settings_layout.h"
#include "theme/focus_memory_win.h"
#include "theme/theme_win.h"
#include "theme/window_builder_win.h"

namespace {

constexpr DWORD kWindowStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr int kOffsetFromHome = 30; // right of and below the home window's corner
constexpr int kFooterTop = SettingsFooterTop(kSettingsCatalogueSize);
constexpr PixelSize kClientSize = {kSettingsClientWidth,
                                   SettingsClientHeight(kSettingsCatalogueSize)};

constexpr wchar_t kSaveFailedText[] = L"The settings could not be saved.";

// The two controls of a row; text, ID and top are filled in per row.
constexpr ControlDef kRowLabel = {
    L"STATIC", L"", SS_CENTERIMAGE, 0, 0, {24, 0, 170, 28}, MessageFontRole};
// The height includes the dropped-down list.
constexpr ControlDef kRowCombo = {
    L"COMBOBOX", L"", WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST, 0, 0, {200, 0, 246, 300},
    MessageFontRole};

// Below the rows, in creation (and Tab) order: Save before Cancel, although
// Cancel stands to its left.
const ControlDef kFooterControls[] = {
    {L"BUTTON", L"Save", WS_TABSTOP | BS_OWNERDRAW, 0, IdSave, {336, kFooterTop, 110, 36},
     ButtonFontRole, AccentButton},
    {L"BUTTON", L"Cancel", WS_TABSTOP | BS_OWNERDRAW, 0, IdCancel, {216, kFooterTop, 110, 36},
     ButtonFontRole},
    {L"STATIC", L"Display options can also be changed in the game: Options > Display Settings.", 0,
     0, IdSettingsNote, {24, kFooterTop - 2, 190, 44}, MessageFontRole},
};

// The choices in catalogue order, the stored one selected.
void FillCombo(HWND combo, const SettingDef& setting, const SettingsLines& lines)
{
    for (const SettingChoice& choice : setting.choices)
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice.label));
    const int selected = ChoiceIndexForValue(setting, StoredSettingValue(lines, setting));
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

// One row's label or list from its template: the text, ID and top of
// catalogue entry row.
ControlDef RowControl(const ControlDef& rowTemplate, int row, int firstId, const wchar_t* text)
{
    ControlDef def = rowTemplate;
    def.text = text;
    def.id = firstId + row;
    def.rect.y = SettingsRowTop(row);
    return def;
}

// The whole window as one table: per catalogue entry its label and list,
// then the footer. Built and laid out again from the same rows.
const std::vector<ControlDef>& SettingsControls()
{
    static const std::vector<ControlDef> table = [] {
        std::vector<ControlDef> rows;
        for (int i = 0; i < kSettingsCatalogueSize; ++i) {
            rows.push_back(RowControl(kRowLabel, i, IdFirstSettingLabel, SettingsCatalogue[i].label));
            rows.push_back(RowControl(kRowCombo, i, IdFirstSettingList, L""));
        }
        rows.insert(rows.end(), std::begin(kFooterControls), std::end(kFooterControls));
        return rows;
    }();
    return table;
}

void FillRows(HWND window, const SettingsLines& lines)
{
    for (int i = 0; i < kSettingsCatalogueSize; ++i) {
        HWND combo = Control(window, IdFirstSettingList + i);
        SetWindowTheme(combo, L"DarkMode_CFD", nullptr);
        FillCombo(combo, SettingsCatalogue[i], lines);
    }
}

// Writes what the lists show; the file is read afresh while saving, so
// changes made to it since the window opened survive.
void SaveSettings(HWND window)
{
    ChosenIndices chosen{};
    for (int i = 0; i < kSettingsCatalogueSize; ++i)
        chosen[i] = static_cast<int>(
            SendMessageW(Control(window, IdFirstSettingList + i), CB_GETCURSEL, 0, 0));
    if (!WriteSettingsFile(SettingsFilePath(), chosen))
        MessageBoxW(window, kSaveFailedText, kGameTitle, MB_OK | MB_ICONWARNING);
}

// Every way of closing: the owner is enabled again before this window goes,
// so that activation returns to it rather than to another program's window.
LRESULT Close(HWND window)
{
    EnableWindow(GetWindow(window, GW_OWNER), TRUE);
    DestroyWindow(window);
    return 0;
}

// Only Save and Cancel act: Enter and Esc arrive as IDOK and IDCANCEL from
// the dialog keyboard handling and are ignored, as are the lists' notices.
LRESULT OnCommand(HWND window, int id)
{
    switch (id) {
    case IdSave:
        SaveSettings(window);
        return Close(window);
    case IdCancel:
        return Close(window);
    }
    return 0;
}

LRESULT OnDestroy()
{
    g_state.settingsWindow = nullptr;
    return 0;
}

LRESULT OnDpiChanged(HWND window, WPARAM wParam, LPARAM lParam)
{
    TakeNewDpi(window, wParam, lParam, kClientSize, SettingsControls());
    return 0;
}

LRESULT CALLBACK SettingsWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT answer = 0;
    if (AnswerDarkWindowMessage(window, message, wParam, lParam, answer))
        return answer;
    FollowColourChange(window, message, true);
    switch (message) {
    case WM_COMMAND:
        return OnCommand(window, LOWORD(wParam));
    case WM_CLOSE:
        return Close(window);
    case WM_ACTIVATE:
        if (TrackFocusOnActivate(window, wParam))
            return 0;
        break;
    case WM_DPICHANGED:
        return OnDpiChanged(window, wParam, lParam);
    case WM_DESTROY:
        return OnDestroy();
    case WM_NCDESTROY:
        ForgetFocus(window);
        ForgetWindowDpi(window);
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

void RegisterSettingsWindowClass()
{
    RegisterDarkWindowClass(kSettingsClassName, SettingsWindowProc);
}

std::span<const ControlDef> SettingsControlTable()
{
    return SettingsControls();
}

void OpenSettingsWindow(HWND owner)
{
    RECT home = {};
    GetWindowRect(owner, &home);
    const int offset = Scaled(owner, kOffsetFromHome);
    const POINT position = {home.left + offset, home.top + offset};
    HWND window = CreateTopWindow(kSettingsClassName, kSettingsTitle, kWindowStyle,
                                  kClientSize.width, kClientSize.height, position, owner);
    // Without a window, disabling the home window would leave nothing usable.
    if (!window)
        return;
    g_state.settingsWindow = window;
    UseDarkTitleBar(window);

    CreateControls(window, SettingsControls());
    FillRows(window, ReadSettingsLines(SettingsFilePath()));

    // Disabling may take the focus from the home window before it is
    // deactivated: note it now, so closing this window gives it back.
    RememberFocus(owner);
    EnableWindow(owner, FALSE);
    ShowWindow(window, SW_SHOW);
}
