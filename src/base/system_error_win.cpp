#include "base/system_error_win.h"

std::wstring SystemErrorText(DWORD code)
{
    wchar_t text[512] = {};
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, 0, text, 512, nullptr);
    while (length > 0
           && (text[length - 1] == L'\r' || text[length - 1] == L'\n' || text[length - 1] == L' '))
        --length;
    if (length == 0)
        return L"error " + std::to_wstring(code);
    return std::wstring(text, length);
}
